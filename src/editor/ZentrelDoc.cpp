#include "editor/ZentrelDoc.h"

#include "editor/ZentrelView.h"

bool CZentrelDoc::OnNewDocument()
{
    // An untitled empty page; the New Page dialog fills it once it exists.
    return CSourceDoc::OnNewDocument();
}

bool CZentrelDoc::OnOpenDocument(const QString& path)
{
    // The page becomes the current file even when it then fails to load.
    emit currentFileChanged(path);
    if (!CSourceDoc::OnOpenDocument(path))
        return false;
    if (CZentrelView* view = GetView())
        view->SetLanguage(path);
    return true;
}

bool CZentrelDoc::IsTempPagePath(const QString& path)
{
    return path.endsWith(QLatin1String("tempFile.html"), Qt::CaseSensitive);
}

void CZentrelDoc::SetPathName(const QString& path, bool addToRecentList)
{
    CSourceDoc::SetPathName(path, addToRecentList && !IsTempPagePath(path));
    if (IsModified())
        SetModifiedFlag(false);
}

CZentrelView* CZentrelDoc::GetView() const
{
    return dynamic_cast<CZentrelView*>(GetFirstView());
}
