#include "app/BrowseCommands.h"

#include "app/LivePreviewCommands.h"
#include "app/MainFrame.h"
#include "browser/BrowseRules.h"
#include "browser/BrowserDoc.h"
#include "browser/BrowserView.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "files/FileName.h"
#include "framework/CmdUI.h"
#include "framework/DocTemplate.h"
#include "framework/MDIChildWnd.h"
#include "framework/MessageBox.h"
#include "framework/KeysBack.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <QUrl>

CMDIChildWnd* CBrowseCommands::ActiveChild() const
{
    CMainFrame* frame = m_services.GetMainFrame();
    CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
    return child && child->isVisible() ? child : nullptr;
}

CDocument* CBrowseCommands::ActiveDocumentOrTell() const
{
    CMDIChildWnd* child = ActiveChild();
    CDocument* document = child ? child->GetActiveDocument() : nullptr;
    if (!document)
        ZtMessageBox::Show(tr("No open file in editor!"));
    return document;
}

bool CBrowseCommands::IsBrowserFrame(const CMDIChildWnd* frame)
{
    return frame && dynamic_cast<CBrowserView*>(frame->GetActiveView());
}

bool CBrowseCommands::IsBrowserActive() const
{
    return IsBrowserFrame(ActiveChild());
}

void CBrowseCommands::Connect(CMainFrame* frame)
{
    if (!frame)
        return;
    connect(frame, &CMDIFrameWnd::activeChildChanged, this, [this](CMDIChildWnd* child) {
        if (child && child->isVisible())
            m_bBrowserWasActive = IsBrowserFrame(child);
    });
}

CBrowserView* CBrowseCommands::BrowserView() const
{
    auto* document = qobject_cast<CBrowserDoc*>(m_services.BrowserTemplate()->FirstDocument());
    return document ? document->GetView() : nullptr;
}

CBrowserView* CBrowseCommands::MakeView()
{
    // The current file may be anything picked in a tree, a pipe among them:
    // the new window opens on it only when a browse command would show it.
    const QString currentFile = m_services.CurrentFile();
    auto* view = new CBrowserView(ZtFileName::IsBrowsable(currentFile) ? currentFile : QString());
    view->SetProjectFolderSource([this] {
        const CMainFrame* frame = m_services.GetMainFrame();
        return frame ? CLivePreviewCommands::ProjectFolderOf(frame) : QString();
    });
    connect(view, &CBrowserView::titleChanged, this, [this](const QString& title) {
        if (CMainFrame* frame = m_services.GetMainFrame())
            frame->setWindowTitle(QStringLiteral("Zentrel - %1").arg(title));
    });
    connect(view, &CBrowserView::statusTextChanged, this, [this](const QString& text) {
        if (CMainFrame* frame = m_services.GetMainFrame())
            frame->SetStatusText(text);
    });
    connect(view, &CBrowserView::commandRequested, this, [this](int commandId) {
        if (CMainFrame* frame = m_services.GetMainFrame())
            frame->ExecuteCommand(commandId);
    });
    return view;
}

void CBrowseCommands::ShowInBrowser(const QString& path, const QString& sourcePath)
{
    if (!ZtFileName::IsBrowsable(path))
        return;
    const CBrowseRules::ShowPlan plan = CBrowseRules::PlanShow(path, sourcePath, m_services.CurrentFile());
    m_services.SetCurrentFile(plan.m_strCurrentFile);
    m_strBrowserTitle = plan.m_strTitle;
    const bool made = !BrowserView();
    if (made) {
        const QString problem = CBrowserView::StartProblem();
        if (!problem.isEmpty()) {
            ZtMessageBox::Show(problem, QMessageBox::Warning);
            return;
        }
        m_services.BrowserTemplate()->OpenDocumentFile(QString());
    }
    CBrowserView* view = BrowserView();
    if (!view)
        return;
    if (!view->HasEngine()) {
        ZtMessageBox::Show(tr("The embedded browser cannot start.\n%1").arg(view->EngineError()), QMessageBox::Warning);
        m_services.BrowserTemplate()->FirstDocument()->OnCloseDocument();
        return;
    }
    // A new window has just started loading the current file: loading it
    // again would only cost the time of a second load.
    if (!made || view->InitialPath() != path)
        view->Navigate(path);
    CMDIChildWnd* frame = m_services.BrowserTemplate()->FirstDocument()->Frames().value(0);
    if (!frame)
        return;
    if (frame->isMinimized())
        frame->showMaximized();
    m_services.GetMainFrame()->MdiArea()->setActiveSubWindow(frame);
    frame->setWindowTitle(m_strBrowserTitle);
    // Making the engine's widgets takes the activation from the main window
    // (with no window manager nothing gives it back), and the menus' keys
    // would go nowhere. The window holds the focus until the user clicks
    // into the page.
    ZtGiveKeysBack(m_services.GetMainFrame());
    view->setFocus();
}

void CBrowseCommands::RestoreBrowserTitle()
{
    CDocument* browser = m_services.BrowserTemplate()->FirstDocument();
    if (!browser || browser->Frames().isEmpty() || m_strBrowserTitle.isEmpty())
        return;
    CMDIChildWnd* frame = browser->Frames().first();
    frame->setWindowTitle(m_strBrowserTitle);
    frame->update();
}

void CBrowseCommands::OnShowAsWebPage()
{
    CDocument* document = ActiveDocumentOrTell();
    if (!document)
        return;
    const QString path = document->GetPathName();
    switch (CBrowseRules::PlanPreview(path, document->IsModified())) {
    case CBrowseRules::PreviewAction::WrongFileType:
        ZtMessageBox::Show(tr("Wrong file type!"));
        return;
    case CBrowseRules::PreviewAction::ShowFile:
        ShowInBrowser(path, path);
        return;
    case CBrowseRules::PreviewAction::ShowTempPage:
        break;
    }
    // A page that is not in the web-page editor has no editor text to
    // preview, and one whose preview cannot be written (the user was told
    // why) is shown as saved.
    auto* page = qobject_cast<CZentrelDoc*>(document);
    const QString tempPage = page && page->GetView() ? page->GetView()->WriteTempPage(path) : QString();
    if (tempPage.isEmpty())
        ShowInBrowser(path, path);
    else
        ShowInBrowser(tempPage, path);
}

void CBrowseCommands::OnBrowseHistory(bool forward)
{
    if (!ActiveChild()) {
        ZtMessageBox::Show(tr("No file in Browser!"));
        return;
    }
    CBrowserView* view = BrowserView();
    if (!IsBrowserActive() || !view)
        return;
    if (forward)
        view->GoForward();
    else
        view->GoBack();
}

void CBrowseCommands::OnUpdateBrowseHistory(CCmdUI* cmdUI)
{
    cmdUI->Enable(ActiveChild() ? IsBrowserActive() : m_bBrowserWasActive);
}

void CBrowseCommands::OnEditDocument()
{
    if (!ActiveChild()) {
        ZtMessageBox::Show(tr("No open file in Browser!"));
        return;
    }
    for (CDocument* document : m_services.WebPageTemplate()->Documents()) {
        if (document->GetTitle() != m_strBrowserTitle)
            continue;
        if (CMDIChildWnd* frame = document->Frames().value(0))
            m_services.GetMainFrame()->MdiArea()->setActiveSubWindow(frame);
        return;
    }
}

void CBrowseCommands::OnBrowserFileOpen()
{
    QDir::setCurrent(m_services.StartDirectory());
    // Qt's dialog filters with letter case, so each filter names both cases.
    const QString filters = QStringLiteral(".html Files (*.html *.HTML);;.htm Files (*.htm *.HTM);;all Files (*)");
    const QString path = QFileDialog::getOpenFileName(m_services.GetMainFrame(), tr("Open"), m_services.StartDirectory(),
                                                      filters);
    // Without a window manager the main window is not reactivated when the
    // dialog closes.
    ZtGiveKeysBack(m_services.GetMainFrame());
    if (!path.isEmpty())
        ShowInBrowser(path, path);
}

void CBrowseCommands::OnOpenInBrowser()
{
    CDocument* document = ActiveDocumentOrTell();
    if (!document)
        return;
    // The saved file goes to the desktop's web browser, as the shell would
    // open it.
    const QString path = document->GetPathName();
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        ZtMessageBox::Show(tr("No web browser is set up on this desktop to open %1.")
                               .arg(QDir::toNativeSeparators(path)),
                           QMessageBox::Warning);
}
