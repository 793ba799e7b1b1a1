#include "tools/ToolPathDlg.h"

#include "files/TypedPath.h"
#include "framework/ContextHelp.h"
#include "tools/ToolDialogParts.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CToolPathDlg::CToolPathDlg(const Texts& texts, const QString& stored, QWidget* parent)
    : QDialog(parent)
    , m_pPath(ZtToolDialogParts::NamedEdit(IDC_PATH))
{
    setWindowTitle(texts.title);
    m_pPath->setText(stored.isEmpty() ? texts.notSet : stored);
    m_pPath->setMinimumWidth(320);
    auto* group = new QGroupBox(texts.group);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(new QLabel(texts.label));
    groupLayout->addWidget(m_pPath);
    ZtToolDialogParts::StackGroupAndButtons(this, group,
                                            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
    m_pPath->selectAll();
    m_pPath->setFocus();
    CContextHelp::Install(this, {IDC_PATH});
}

QString CToolPathDlg::Path() const
{
    // "~" is the home folder here as in a shell; anything else, the "not
    // set" text too, is kept as it reads.
    return ResolveTypedPath(m_pPath->text(), QString());
}
