#include "browser/BrowserDoc.h"

#include "browser/BrowserView.h"

#include <QFileInfo>

bool CBrowserDoc::OnOpenDocument(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        ReportError(tr("%1\nFile not found.").arg(path));
        return false;
    }
    if (CBrowserView* view = GetView())
        view->Navigate(path);
    SetModifiedFlag(false);
    return true;
}

CBrowserView* CBrowserDoc::GetView() const
{
    return dynamic_cast<CBrowserView*>(GetFirstView());
}
