#include "framework/DocTemplate.h"

#include "files/FileKinds.h"
#include "files/FileMoveNotifier.h"
#include "framework/Document.h"
#include "framework/MDIChildWnd.h"
#include "framework/MDIFrameWnd.h"
#include "framework/View.h"

#include <QFileInfo>
#include <QMdiArea>

CDocTemplate::CDocTemplate(int resourceId, const QString& resourceString, DocumentFactory makeDocument,
                           FrameFactory makeFrame, ViewFactory makeView)
    : m_nResourceId(resourceId)
    , m_strings(CDocStrings::Parse(resourceString))
    , m_makeDocument(std::move(makeDocument))
    , m_makeFrame(std::move(makeFrame))
    , m_makeView(std::move(makeView))
{
    // A file the program moved is not one that vanished: its pages follow it.
    connect(CFileMoveNotifier::Instance(), &CFileMoveNotifier::pathMoved, this, &CDocTemplate::FollowMovedPath);
}

CDocTemplate::~CDocTemplate()
{
    for (CDocument* document : std::as_const(m_documents))
        document->m_pDocTemplate = nullptr;
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(const QString& path, CDocument** alreadyOpen) const
{
    *alreadyOpen = nullptr;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (CDocument* document : m_documents) {
        if (!document->GetPathName().isEmpty() && document->GetPathName() == absolute) {
            *alreadyOpen = document;
            return yesAlreadyOpen;
        }
    }
    // Extensions match without regard to case: "PAGE.HTML" is a web page.
    const QString extension = m_strings.m_strFilterExt.trimmed();
    if (!extension.isEmpty() && FileExtension(path) == extension.toLower())
        return yesAttemptNative;
    return yesAttemptForeign;
}

CMDIChildWnd* CDocTemplate::CreateNewFrame(CDocument* document)
{
    CMDIChildWnd* frame = m_makeFrame();
    CView* view = m_makeView();
    frame->SetView(view, document);
    document->AddFrame(frame);
    if (m_pMainFrame)
        m_pMainFrame->AddChildFrame(frame);
    return frame;
}

void CDocTemplate::SetDefaultTitle(CDocument* document)
{
    document->SetTitle(m_strings.m_strDocName + QString::number(++m_nUntitledCount));
}

CDocument* CDocTemplate::OpenDocumentFile(const QString& path, bool makeVisible)
{
    COpenRequest request;
    request.m_strPath = path;
    request.m_bMakeVisible = makeVisible;
    return OpenDocumentFile(request);
}

CDocument* CDocTemplate::OpenDocumentFile(const COpenRequest& request)
{
    const QString& path = request.m_strPath;
    CDocument* document = m_makeDocument();
    document->m_pDocTemplate = this;
    m_documents.append(document);
    emit documentCreated(document);
    CMDIChildWnd* frame = CreateNewFrame(document);
    frame->SetOpenRequest(request);
    if (CView* view = frame->GetActiveView())
        view->OnOpenRequest(request);

    bool opened;
    if (request.m_recoveredBytes) {
        if (path.isEmpty())
            SetDefaultTitle(document);
        else
            document->SetPathName(path, false);
        opened = document->OnRecoverDocument(path, *request.m_recoveredBytes);
    } else if (path.isEmpty()) {
        SetDefaultTitle(document);
        opened = document->OnNewDocument();
    } else {
        opened = document->OnOpenDocument(path);
        if (opened)
            document->SetPathName(path);
    }
    if (!opened) {
        frame->setAttribute(Qt::WA_DeleteOnClose);
        document->OnCloseDocument();
        return nullptr;
    }
    frame->OnUpdateFrameTitle();
    if (CView* view = frame->GetActiveView())
        view->OnInitialUpdate();
    frame->ActivateFrame(request.m_bMakeVisible ? -1 : 0);
    return document;
}

bool CDocTemplate::SaveAllModified()
{
    const QList<CDocument*> documents = m_documents;
    for (CDocument* document : documents) {
        if (!document->SaveModified())
            return false;
    }
    return true;
}

void CDocTemplate::CloseAllDocuments()
{
    const QList<CDocument*> documents = m_documents;
    for (CDocument* document : documents)
        document->OnCloseDocument();
}

void CDocTemplate::RemoveDocument(CDocument* document)
{
    m_documents.removeAll(document);
}

void CDocTemplate::FollowMovedPath(const QString& from, const QString& to)
{
    for (CDocument* document : std::as_const(m_documents)) {
        if (!document->FollowsFileOnDisk())
            continue;
        const QString path = CFileMoveNotifier::MovedPath(document->GetPathName(), from, to);
        if (!path.isEmpty())
            document->FollowMovedFile(path);
    }
}
