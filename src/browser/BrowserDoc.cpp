#include "browser/BrowserDoc.h"

#include "framework/View.h"
#include "browser/BrowserView.h"

#include <QFileInfo>

bool CBrowserDoc::OnOpenDocument(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        ReportError(tr("%1\nFile not found.").arg(path));
        return false;
    }
    if (auto* view = dynamic_cast<CBrowserView*>(GetFirstView()))
        view->Navigate(path);
    SetModifiedFlag(false);
    return true;
}
