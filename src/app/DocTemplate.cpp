#include "app/DocTemplate.h"

#include "app/Document.h"
#include "app/MDIChildWnd.h"
#include "app/MainFrame.h"
#include "app/View.h"
#include "app/ZentrelApp.h"

#include <QFileInfo>
#include <QMdiArea>

CDocTemplate::CDocTemplate(int resourceId, const QString& resourceString, DocumentFactory makeDocument,
                           FrameFactory makeFrame, ViewFactory makeView)
    : m_nResourceId(resourceId)
    , m_docStrings(resourceString.split(QLatin1Char('\n')))
    , m_makeDocument(std::move(makeDocument))
    , m_makeFrame(std::move(makeFrame))
    , m_makeView(std::move(makeView))
{
}

CDocTemplate::~CDocTemplate()
{
    for (CDocument* document : std::as_const(m_documents))
        document->m_pDocTemplate = nullptr;
}

QString CDocTemplate::GetDocString(DocStringIndex index) const
{
    return m_docStrings.value(index);
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
    // Extensions match without regard to case, as on the system the type
    // strings come from: "PAGE.HTML" is a web page.
    const QString extension = GetDocString(filterExt).trimmed();
    if (!extension.isEmpty() && path.endsWith(extension, Qt::CaseInsensitive))
        return yesAttemptNative;
    return yesAttemptForeign;
}

CMDIChildWnd* CDocTemplate::CreateNewFrame(CDocument* document)
{
    CMDIChildWnd* frame = m_makeFrame();
    CView* view = m_makeView();
    frame->SetView(view, document);
    document->AddFrame(frame);
    if (ZtApp() && ZtApp()->GetMainFrame())
        ZtApp()->GetMainFrame()->AddChildFrame(frame);
    return frame;
}

void CDocTemplate::SetDefaultTitle(CDocument* document)
{
    document->SetTitle(GetDocString(docName) + QString::number(++m_nUntitledCount));
}

CDocument* CDocTemplate::OpenDocumentFile(const QString& path, bool makeVisible)
{
    CDocument* document = m_makeDocument();
    document->m_pDocTemplate = this;
    m_documents.append(document);
    CMDIChildWnd* frame = CreateNewFrame(document);

    bool opened;
    if (path.isEmpty()) {
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
    frame->ActivateFrame(makeVisible ? -1 : 0);
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
