#include "editor/ZentrelDoc.h"

#include "editor/SourceText.h"
#include "editor/ZentrelView.h"

#include <QTextDocument>

namespace {
CZentrelDoc::NewPageHandler& InstalledNewPageHandler()
{
    static CZentrelDoc::NewPageHandler handler;
    return handler;
}
} // namespace

void CZentrelDoc::SetNewPageHandler(NewPageHandler handler)
{
    InstalledNewPageHandler() = std::move(handler);
}

bool CZentrelDoc::OnNewDocument()
{
    if (!CSourceDoc::OnNewDocument())
        return false;
    const std::optional<CNewPage> page = InstalledNewPageHandler() ? InstalledNewPageHandler()() : std::nullopt;
    CZentrelView* view = GetView();
    if (!page || !view)
        return true;
    SetPathName(page->m_strFullPath);
    SetPathNotYetWritten();
    SetTitle(page->m_strFileName);
    CSourceText::LoadInto(view->document(), page->m_strText.toUtf8());
    view->moveCursor(QTextCursor::Start);
    view->SetLanguage(page->m_strFileName);
    // Nothing is on disk yet: the page waits to be saved.
    SetModifiedFlag(true);
    return true;
}

bool CZentrelDoc::OnOpenDocument(const QString& path)
{
    // The page becomes the current file even when it then fails to load.
    emit currentFileChanged(path);
    if (!CSourceDoc::OnOpenDocument(path))
        return false;
    // A page still coming in is coloured too: each line as it is shown.
    if (CZentrelView* view = GetView())
        view->SetLanguage(path);
    return true;
}

bool CZentrelDoc::OnRecoverDocument(const QString& path, const QByteArray& bytes)
{
    if (!CSourceDoc::OnRecoverDocument(path, bytes))
        return false;
    if (CZentrelView* view = GetView())
        view->SetLanguage(path.isEmpty() ? GetTitle() : path);
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
