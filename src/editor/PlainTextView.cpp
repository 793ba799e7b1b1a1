#include "editor/PlainTextView.h"

#include "res/CommandIds.h"

CPlainTextView::CPlainTextView()
    : CSourceEditView({ZtCmd::IDR_TEXT_CONTEXT, 200, 180, QString(), false})
{
    setObjectName(QStringLiteral("PlainTextView"));
}
