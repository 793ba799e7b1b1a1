#include "app/ZentrelApp.h"

#include "app/AboutDlg.h"
#include "app/HelpEngine.h"
#include "app/ChildBrowseFrame.h"
#include "app/ChildFrame.h"
#include "app/ChildProjectFrame.h"
#include "framework/CmdUI.h"
#include "framework/ContextMenuKey.h"
#include "framework/DocTemplate.h"
#include "files/FileName.h"
#include "app/MainFrame.h"
#include "app/KeywordCommands.h"
#include "framework/MessageBox.h"
#include "framework/PrinterSetup.h"
#include "projects/ListBar.h"
#include "app/PlainTextChildFrame.h"
#include "app/ReopenRules.h"
#include "app/SiteToolCommands.h"
#include "app/SpellCommands.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "framework/SingleInstance.h"
#include "app/SplashWnd.h"
#include "app/UnsavedWork.h"
#include "browser/BrowserDoc.h"
#include "browser/BrowserView.h"
#include "browser/LinkBuilder.h"
#include "files/FileKinds.h"
#include "files/PathParts.h"
#include "files/RegularFile.h"
#include "editor/PlainTextDoc.h"
#include "editor/PlainTextView.h"
#include "editor/SourceDoc.h"
#include "editor/SyntaxColoringCheck.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectDoc.h"
#include "projects/ProjectFiles.h"
#include "projects/ProjectTreeCtrl.h"
#include "projects/ProjectView.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "framework/KeysBack.h"

#include <QCommandLineParser>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QSettings>
#include <QTimer>

using namespace ZtCmd;

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kStartup = QStringLiteral("Startup");

// The four document types: resource id, the type's resource string.
const QString kWebPageString = QStringLiteral(
    "\nHTML\nWeb Page\nInternet Files (*.html)\n.html\nZentrel.Document\nzt Document");
const QString kBrowserString = QStringLiteral(
    "\nBrowser\nFile in Browser\nInternet Files (*.html )\n.html\nInternet.Document\nzt Document");
const QString kProjectString = QStringLiteral(
    "\nProject\nProject Workspace\nZentrel Project Files (*.ztp)\n.ztp\nZentrel.Document\nzt Document");
const QString kTextString = QStringLiteral(
    "\nText\nText File\nText Files (*.txt)\n.txt\nText.Document\nzt Document");

// The arguments without the options named (given with one or two dashes,
// with or without "=value").
QStringList WithoutOptions(const QStringList& arguments, const QStringList& names)
{
    QStringList kept;
    for (const QString& argument : arguments) {
        QString name = argument;
        while (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        name = name.section(QLatin1Char('='), 0, 0);
        if (!argument.startsWith(QLatin1Char('-')) || !names.contains(name))
            kept.append(argument);
    }
    return kept;
}

} // namespace

CZentrelApp::CZentrelApp(int& argc, char** argv)
    : QApplication(argc, argv)
{
    // No display name: the desktop would append it to every window title,
    // making the Settings dialog "Settings — Zentrel".
    setApplicationName(QStringLiteral("Zentrel"));
    setApplicationVersion(QStringLiteral(ZENTREL_VERSION));
    setDesktopFileName(QStringLiteral("zentrel"));
    KeepQtStateOutOfTheProfileDir();

    m_strStartDirectory = QDir::currentPath();
    CDocument::SetDefaultDirectory(m_strStartDirectory);
    m_strCurrentFile = m_strStartDirectory + QStringLiteral("/default.html");

    // The first start is the one that finds no profile yet.
    m_bFirstRun = !QFile::exists(CProfile::DefaultFilePath());
    m_pProfile = std::make_unique<CProfile>();
    CProfile::SetInstance(m_pProfile.get());
    m_pRecentFileList = std::make_unique<CRecentFileList>(*m_pProfile, 4);
    m_pRecentFileList->ReadList();
    m_pProjectCommands = std::make_unique<CProjectCommands>(*this);
    m_pToolCommands = std::make_unique<CToolCommands>(*this);
    m_pFileBarCommands = std::make_unique<CFileBarCommands>(*this);
    m_pBrowseCommands = std::make_unique<CBrowseCommands>(*this);
    m_pWizardCommands = std::make_unique<CWizardCommands>(*this);
    m_pNewCommands = std::make_unique<CNewCommands>(*this);
    m_pKeywordCommands = std::make_unique<CKeywordCommands>(*this);
    m_pSiteToolCommands = std::make_unique<CSiteToolCommands>(*this);
    m_pUnsavedWork = std::make_unique<CUnsavedWork>();
    MapCommands();
    CHelpEngine::Install();
}

CZentrelApp::~CZentrelApp()
{
    delete m_pMainFrame;
    qDeleteAll(m_templates);
    CProfile::SetInstance(nullptr);
}

void CZentrelApp::KeepQtStateOutOfTheProfileDir()
{
    // Qt's own dialogs (colour, file) keep state of their own in
    // ~/.config/QtProject.conf. All of Zentrel's settings live in its
    // profile, so Qt's file is pointed at a place where it cannot be written.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("/dev/null/zentrel"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null/zentrel"));
}

CCommandLineInfo CZentrelApp::ParseCommandLine(const QStringList& arguments)
{
    CCommandLineInfo info;
    const QString program = QFileInfo(arguments.value(0, QStringLiteral("zentrel"))).fileName();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zentrel, an authoring environment for web pages and sites."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption openOption(QStringLiteral("open"),
                                        QStringLiteral("Opens the files in the running Zentrel, or in a new one."));
    const QCommandLineOption noSplashOption(QStringLiteral("nosplash"), QStringLiteral("Starts without the splash window."));
    parser.addOption(openOption);
    parser.addOption(noSplashOption);
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("With --open, the files to open; otherwise ignored."));
    const auto usageError = [&info, &program](const QString& text) {
        info.m_strErrors += QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(program, text);
        info.m_bExit = true;
        info.m_nExitCode = 2;
        return info;
    };
    if (!parser.parse(arguments)) {
        // Options this version does not know are reported and left out, so
        // that a launcher passing one does not keep the program from starting.
        const QString unknownOptions = parser.errorText();
        if (parser.unknownOptionNames().isEmpty()
            || !parser.parse(WithoutOptions(arguments, parser.unknownOptionNames())))
            return usageError(parser.errorText());
        info.m_strErrors = QStringLiteral("%1: %2\n").arg(program, unknownOptions);
    }
    if (parser.isSet(helpOption)) {
        info.m_strOutput = parser.helpText();
        info.m_bExit = true;
        return info;
    }
    if (parser.isSet(versionOption)) {
        info.m_strOutput = QStringLiteral("Zentrel %1\n").arg(QStringLiteral(ZENTREL_VERSION));
        info.m_bExit = true;
        return info;
    }
    info.m_bShowSplash = !parser.isSet(noSplashOption);
    // A file named on the command line is not opened at start: only an
    // explicit --open request opens files.
    if (parser.isSet(openOption)) {
        info.m_openFiles = parser.positionalArguments();
        if (info.m_openFiles.isEmpty())
            return usageError(QStringLiteral("--open needs the files to open."));
    }
    return info;
}

void CZentrelApp::RegisterDocTemplates()
{
    m_pWebPageTemplate = new CDocTemplate(
        IDR_ZTTYPE, kWebPageString, [] { return new CZentrelDoc; }, [] { return new CChildFrame; },
        [] { return new CZentrelView; });
    m_pBrowserTemplate = new CDocTemplate(
        IDR_BROWSERTYPE, kBrowserString, [] { return new CBrowserDoc; }, [] { return new CChildBrowseFrame; },
        [this] { return m_pBrowseCommands->MakeView(); });
    m_pProjectTemplate = new CDocTemplate(
        IDR_PROJECTTYPE, kProjectString, [] { return new CProjectDoc; }, [] { return new CChildProjectFrame; },
        [] { return new CProjectView; });
    m_pTextTemplate = new CDocTemplate(
        IDR_TEXTTYPE, kTextString, [] { return new CPlainTextDoc; }, [] { return new CPlainTextChildFrame; },
        [] { return new CPlainTextView; });
    m_templates = {m_pWebPageTemplate, m_pBrowserTemplate, m_pProjectTemplate, m_pTextTemplate};
    CZentrelView::SetFileDropHandler(
        [this](const QString& path) { return CLinkBuilder::BuildTagForFile(path, GetWizardDirectory()); });
    for (CDocTemplate* docTemplate : std::as_const(m_templates)) {
        connect(docTemplate, &CDocTemplate::documentCreated, this, &CZentrelApp::WatchDocument);
        docTemplate->SetMainFrame(m_pMainFrame);
    }
}

void CZentrelApp::WatchDocument(CDocument* document)
{
    if (qobject_cast<CSourceDoc*>(document))
        m_pUnsavedWork->Watch(document);
    connect(document, &CDocument::currentFileChanged, this, &CZentrelApp::SetCurrentFile);
    connect(document, &CDocument::pathNameChanged, this, [this](const QString& path, bool addToRecentList) {
        if (addToRecentList)
            AddToRecentFileList(path);
    });
    connect(document, &CDocument::openAbandoned, this, [this](const QString& path) {
        if (const int index = m_pRecentFileList->Entries().indexOf(path); index >= 0)
            m_pRecentFileList->Remove(index);
    });
    connect(document, &CDocument::fileSaved, this, &CZentrelApp::ShowSavedFile);
    if (auto* project = qobject_cast<CProjectDoc*>(document)) {
        connect(project, &CProjectDoc::projectLoaded, this, [this](const QString& projectFile) {
            if (!m_pMainFrame || !m_pMainFrame->ProjectBar())
                return;
            CProjectTreeCtrl* tree = m_pMainFrame->ProjectBar()->ProjectTree();
            tree->SetProjectPath(projectFile);
            tree->FillTree();
        });
        connect(project, &CProjectDoc::projectTreeCleared, this, [this] {
            if (m_pMainFrame && m_pMainFrame->ProjectBar())
                m_pMainFrame->ProjectBar()->ProjectTree()->clear();
        });
    }
}

void CZentrelApp::ShowSavedFile(const QString& path)
{
    // The watches would show it too, a moment later; a page just saved is
    // one the user goes on to drag or link.
    if (!m_pMainFrame)
        return;
    if (CProjectBar* bar = m_pMainFrame->ProjectBar())
        bar->ProjectTree()->ShowSavedFile(path);
    if (CListBar* listBar = m_pMainFrame->ListBar())
        listBar->ShowSavedFile(path);
}

void CZentrelApp::SetMainFrame(CMainFrame* frame)
{
    m_pMainFrame = frame;
    for (CDocTemplate* docTemplate : std::as_const(m_templates))
        docTemplate->SetMainFrame(frame);
    ConnectProjectTree();
    m_pFileBarCommands->Connect(frame);
    m_pKeywordCommands->Connect(frame);
    m_pBrowseCommands->Connect(frame);
}

void CZentrelApp::ConnectProjectTree()
{
    if (!m_pMainFrame || !m_pMainFrame->ProjectBar())
        return;
    CProjectTreeCtrl* tree = m_pMainFrame->ProjectBar()->ProjectTree();
    ConnectFolderTree(tree, *this, this);
    connect(tree, &CProjectTreeCtrl::showPageRequested, this,
            [this](const QString& path) { ShowInBrowser(path, path); });
}

void CZentrelApp::SetSelectedPath(const QString& folder)
{
    m_strSelectedPath = folder;
    if (m_pMainFrame && m_pMainFrame->ListBar())
        m_pMainFrame->ListBar()->SetSelectedFolder(folder);
}

QList<CDocTemplate*> CZentrelApp::Templates() const
{
    return m_templates;
}

bool CZentrelApp::InitInstance()
{
    return InitInstance(arguments());
}

bool CZentrelApp::InitInstance(const QStringList& arguments)
{
    const CCommandLineInfo commandLine = ParseCommandLine(arguments);
    fputs(qPrintable(commandLine.m_strOutput), stdout);
    fputs(qPrintable(commandLine.m_strErrors), stderr);
    if (commandLine.m_bExit) {
        m_nStartUpExitCode = commandLine.m_nExitCode;
        return false;
    }
    if (!commandLine.m_openFiles.isEmpty() && CSingleInstance::SendToRunning(commandLine.m_openFiles))
        return false; // the running Zentrel opens them
    CSplashWnd::EnableSplashScreen(commandLine.m_bShowSplash);
    CContextMenuKey::Install(this);

    RegisterDocTemplates();

    auto* mainFrame = new CMainFrame;
    mainFrame->LoadFrame();
    SetMainFrame(mainFrame);
    m_pSingleInstance = std::make_unique<CSingleInstance>();
    m_pSingleInstance->Listen();
    connect(m_pSingleInstance.get(), &CSingleInstance::filesRequested, this, &CZentrelApp::OpenRequestedFiles);

    m_pMainFrame->RestorePlacement();
    // On an X server without a window manager a window that is shown is not
    // made active: with nothing to open and no dialog to answer, the keys
    // would go nowhere until a click. A dialog shown first keeps them.
    RunAfterSplash([this] {
        if (m_pMainFrame && !QApplication::activeModalWidget())
            ZtGiveKeysBack(m_pMainFrame);
    });

    connect(m_pUnsavedWork.get(), &CUnsavedWork::journalProblem, m_pMainFrame, &CMainFrame::SetStatusText);
    m_pUnsavedWork->Start();
    if (m_bFirstRun) {
        // The first start switches colouring on for small files, before any
        // page opens: a page named on the command line is coloured too.
        WriteProfileInt(kSettings, QStringLiteral("SyntaxFileSize"), 10000);
        WriteProfileInt(kSettings, QStringLiteral("SyntaxColoringOn"), 1);
    }
    const QStringList openFiles = commandLine.m_openFiles;
    if (m_pUnsavedWork->HasOrphans()) {
        // Unsaved work is offered first, over the main window once the
        // splash is gone; the last session's pages open after it.
        RunAfterSplash([this, openFiles] {
            m_pUnsavedWork->OfferRecovery(m_templates);
            OpenStartFiles(openFiles);
        });
    } else {
        OpenStartFiles(openFiles);
    }

    m_pMainFrame->LoadBarState();
    m_pMainFrame->SetBrowserLevelFromVersion();

    if (m_bFirstRun && m_onFirstRun) {
        // The first start lets the user review the colouring choice once. The
        // frame's dialog rule gives the keys back when it closes.
        RunAfterSplash(m_onFirstRun);
    }
    return true;
}

void CZentrelApp::OpenStartFiles(const QStringList& openFiles)
{
    ReopenLastSession();
    if (!openFiles.isEmpty())
        OpenRequestedFiles(openFiles);
    m_strNextWindowPos.clear();
}

void CZentrelApp::RunAfterSplash(const std::function<void()>& task)
{
    // The splash swallows the first key or click, which must not be one
    // meant for a dialog shown over it.
    if (CSplashWnd::IsVisibleSplash()) {
        QTimer::singleShot(100, this, [this, task] { RunAfterSplash(task); });
        return;
    }
    QTimer::singleShot(0, this, task);
}

void CZentrelApp::ReopenLastSession()
{
    // Only the exact text "yes" counts: "Yes" or "yes " reopen nothing.
    const QString projectOnExit = GetProfileString(kStartup, QStringLiteral("ProjectOnExit"), QStringLiteral("no"));
    const QString lastProject = GetProfileString(QStringLiteral("Recent Project List"), QStringLiteral("Project1"),
                                                 QStringLiteral("default.html"));
    // The pages are read first: opening the project puts it at the top of
    // the recent files, which would push the oldest page out of the list.
    QStringList pages;
    if (GetProfileString(kStartup, QStringLiteral("FilesOnExit"), QStringLiteral("no")) == QLatin1String("yes"))
        pages = PagesToReopen(GetProfileInt(kStartup, QStringLiteral("FilesOpen"), 4));
    // A project gone since the last run is reported by OpenProject.
    if (projectOnExit == QLatin1String("yes"))
        OpenProject(lastProject);
    ReopenPages(pages);
}

void CZentrelApp::OpenProject(const QString& path)
{
    const QString projectFile = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    // The Project tree finds its folders by the project's name: a file named
    // otherwise than its folder would show, and act on, the wrong ones.
    // Nothing is closed for a project that cannot open: a missing file, a
    // folder or a pipe in its place, or a file named otherwise than its folder.
    QString problem = CRegularFile::Problem(projectFile);
    if (problem.isEmpty())
        problem = CProjectFiles::FolderMismatchProblem(projectFile);
    if (!problem.isEmpty()) {
        ZtMessageBox::Show(problem, QMessageBox::Warning);
        return;
    }
    CloseAllDocumentsForProject();
    // The project's window opens hidden.
    if (m_pProjectTemplate->OpenDocumentFile(projectFile, true))
        m_strProjectPath = projectFile;
}

void CZentrelApp::CloseAllDocumentsForProject()
{
    for (CDocTemplate* docTemplate : {m_pWebPageTemplate, m_pBrowserTemplate, m_pProjectTemplate}) {
        for (CDocument* document : docTemplate->Documents()) {
            document->SaveModified();
            document->OnCloseDocument();
        }
    }
}

CProfile& CZentrelApp::Profile() const
{
    return *m_pProfile;
}

QString CZentrelApp::GetProfileString(const QString& section, const QString& key, const QString& defaultValue) const
{
    return m_pProfile->GetString(section, key, defaultValue);
}

int CZentrelApp::GetProfileInt(const QString& section, const QString& key, int defaultValue) const
{
    return m_pProfile->GetInt(section, key, defaultValue);
}

bool CZentrelApp::WriteProfileString(const QString& section, const QString& key, const QString& value)
{
    return m_pProfile->WriteString(section, key, value);
}

bool CZentrelApp::WriteProfileInt(const QString& section, const QString& key, int value)
{
    return m_pProfile->WriteInt(section, key, value);
}

void CZentrelApp::AddToRecentFileList(const QString& path)
{
    m_pRecentFileList->Add(path);
}

CDocument* CZentrelApp::OpenDocumentFile(const QString& path)
{
    CDocTemplate* best = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (CDocTemplate* docTemplate : std::as_const(m_templates)) {
        CDocument* open = nullptr;
        const CDocTemplate::Confidence match = docTemplate->MatchDocType(path, &open);
        if (match == CDocTemplate::yesAlreadyOpen) {
            if (!open->Frames().isEmpty() && open->Frames().first()->isVisible())
                m_pMainFrame->MdiArea()->setActiveSubWindow(open->Frames().first());
            return open;
        }
        if (match > bestMatch) {
            bestMatch = match;
            best = docTemplate;
        }
    }
    if (!best)
        return nullptr;
    COpenRequest request;
    request.m_strPath = path;
    request.m_strPlacement = m_strNextWindowPos;
    request.m_bSyntaxColoring = m_nSyntaxColoring >= 1;
    return best->OpenDocumentFile(request);
}

void CZentrelApp::OpenFileInEditor(const QString& path, bool closeCurrent)
{
    m_strCurrentFile = path;
    const bool plainText = IsPlainTextFile(path);
    if (closeCurrent) {
        CMDIChildWnd* active = m_pMainFrame ? m_pMainFrame->MDIGetActive() : nullptr;
        CDocTemplate* closing = nullptr;
        if (qobject_cast<CChildFrame*>(active))
            closing = m_pWebPageTemplate;
        else if (qobject_cast<CPlainTextChildFrame*>(active))
            closing = m_pTextTemplate;
        if (closing && closing->FirstDocument()) {
            CDocument* document = closing->FirstDocument();
            document->SaveModified(); // closed whatever the answer
            document->OnCloseDocument();
        }
    } else if (!plainText) {
        m_nSyntaxColoring = CheckSyntaxColoring(path);
    }
    if (plainText)
        m_pTextTemplate->OpenDocumentFile(path, true);
    else
        OpenDocumentFile(path);
    // Opened from a floating bar, a window of its own: the keys go to the
    // page, as they do when the bar is docked.
    if (m_pMainFrame && qobject_cast<QDockWidget*>(QApplication::activeWindow()))
        ZtGiveKeysBack(m_pMainFrame);
}

void CZentrelApp::ReopenFiles(int count)
{
    ReopenPages(PagesToReopen(count));
}

QStringList CZentrelApp::PagesToReopen(int count) const
{
    return CReopenRules::PagesToReopen(m_pRecentFileList->Entries(), count,
                                       m_pProjectTemplate->Strings().m_strFilterExt);
}

void CZentrelApp::ReopenPages(const QStringList& pages)
{
    for (int i = 0; i < pages.size(); ++i) {
        m_strNextWindowPos = GetProfileString(kSettings, CReopenRules::PlacementKey(i));
        OpenDocumentFile(pages.at(i));
    }
    // Windows opened from here on go where the last closed one stood.
    m_strNextWindowPos.clear();
}

void CZentrelApp::SaveWindowPositions(const QStringList& pages)
{
    if (!qobject_cast<CChildFrame*>(m_pMainFrame->MDIGetActive()))
        return;
    // The next start reopens page k at "w<k+1>": the place of that page's
    // own window. Taking the places activates nothing, so a close the user
    // cancels leaves the windows as they were.
    for (CDocument* document : m_pWebPageTemplate->Documents()) {
        const int k = int(pages.indexOf(document->GetPathName()));
        if (k >= 0 && k < CReopenRules::kMaxPages && !document->Frames().isEmpty())
            WriteProfileString(kSettings, CReopenRules::PlacementKey(k),
                               CChildFrame::PlacementString(document->Frames().first()));
    }
}

QStringList CZentrelApp::OpenPagePaths() const
{
    QList<CDocument*> documents;
    for (CMDIChildWnd* frame : WindowsMostRecentFirst()) {
        CDocument* document = frame->GetActiveDocument();
        if (document && m_pWebPageTemplate->Documents().contains(document) && !documents.contains(document))
            documents.append(document);
    }
    for (CDocument* document : m_pWebPageTemplate->Documents()) {
        if (!documents.contains(document))
            documents.append(document);
    }
    // An untitled page, or the preview page, has nothing the next start could
    // open.
    QStringList paths;
    for (CDocument* document : std::as_const(documents)) {
        const QString path = document->GetPathName();
        if (!path.isEmpty() && !CZentrelDoc::IsTempPagePath(path))
            paths.append(path);
    }
    return paths;
}

QList<CMDIChildWnd*> CZentrelApp::WindowsMostRecentFirst() const
{
    QList<CMDIChildWnd*> frames;
    const QList<QMdiSubWindow*> history = m_pMainFrame->MdiArea()->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto window = history.rbegin(); window != history.rend(); ++window) {
        auto* frame = qobject_cast<CMDIChildWnd*>(*window);
        if (frame && !frame->isHidden())
            frames.append(frame);
    }
    return frames;
}

void CZentrelApp::OnAppExit()
{
    // What to reopen is recorded once the close has saved what the user
    // wants saved (EndSession): a save moves its file to the top of the
    // recent files, and an untitled page saved then gets the name it
    // reopens by.
    m_bRecordSessionAtClose = true;
    m_pMainFrame->close();
    m_bRecordSessionAtClose = false;
}

void CZentrelApp::EndSession()
{
    if (m_bRecordSessionAtClose)
        RecordSessionForReopen();
    CloseAllDocuments();
}

void CZentrelApp::RecordSessionForReopen()
{
    // The open pages take the top of the recent files, where the next start
    // looks for them, and each one's place goes under the key it reopens with.
    const QStringList openPages = OpenPagePaths();
    const QStringList recent = CReopenRules::RecentFilesWithPagesFirst(m_pRecentFileList->Entries(), openPages,
                                                                       m_pRecentFileList->GetSize());
    m_pRecentFileList->SetEntries(recent);
    const QStringList pages = recent.mid(0, qMin(int(openPages.size()), CReopenRules::kMaxPages));
    SaveWindowPositions(pages);
    WriteProfileString(kStartup, QStringLiteral("ProjectOnExit"),
                       m_pProjectTemplate->Documents().isEmpty() ? QStringLiteral("no") : QStringLiteral("yes"));
    if (!m_pWebPageTemplate->Documents().isEmpty()) {
        WriteProfileString(kStartup, QStringLiteral("FilesOnExit"), QStringLiteral("yes"));
        // Only pages with a file count: an untitled page let go at Exit
        // must not make the next start open a file that was not open.
        WriteProfileInt(kStartup, QStringLiteral("FilesOpen"), pages.size());
    } else {
        WriteProfileString(kStartup, QStringLiteral("FilesOnExit"), QStringLiteral("no"));
    }
}

void CZentrelApp::SaveAllDocuments()
{
    for (CDocTemplate* docTemplate : {m_pTextTemplate, m_pWebPageTemplate, m_pBrowserTemplate, m_pProjectTemplate}) {
        for (CDocument* document : docTemplate->Documents()) {
            if (document->IsModified())
                document->DoFileSave();
        }
    }
}

bool CZentrelApp::SaveAllModified()
{
    for (CDocTemplate* docTemplate : std::as_const(m_templates)) {
        if (!docTemplate->SaveAllModified())
            return false;
    }
    return true;
}

void CZentrelApp::CloseAllDocuments()
{
    for (CDocTemplate* docTemplate : std::as_const(m_templates))
        docTemplate->CloseAllDocuments();
}

QString CZentrelApp::GetWizardDirectory() const
{
    CView* view = m_pMainFrame ? m_pMainFrame->GetActiveView() : nullptr;
    if (dynamic_cast<CZentrelView*>(view)) {
        const QList<CDocument*> pages = m_pWebPageTemplate->Documents();
        return pages.isEmpty() ? QString() : ZtPath::FolderOf(pages.first()->GetPathName());
    }
    if (!m_strSelectedPath.isEmpty())
        return ZtPath::FolderOf(m_strSelectedPath);
    return m_strProjectPath;
}

void CZentrelApp::OpenRequestedFiles(const QStringList& paths)
{
    // A request may arrive while the reopen step waits on a message: its
    // files go where the last closed window stood, not where a reopened one did.
    const QString reopenPlacement = std::exchange(m_strNextWindowPos, QString());
    // A relative name was typed where the program started: by now opening
    // the last project may have made another folder the current one.
    for (const QString& path : paths)
        OpenFileInEditor(QDir::cleanPath(QDir(m_strStartDirectory).absoluteFilePath(path)), false);
    m_strNextWindowPos = reopenPlacement;
    if (m_pMainFrame) {
        m_pMainFrame->raise();
        ZtGiveKeysBack(m_pMainFrame);
    }
}

void CZentrelApp::MapCommands()
{
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    // Help Topics, F1 and the toolbar's Help button all open the help window;
    // a dialog's own fields show their topics through the context help.
    for (const int helpCommand : {ID_HELP_FINDER, ID_HELP, ID_CONTEXT_HELP})
        OnCommand(helpCommand, [this] { CHelpEngine::ShowHelpWindow(m_pMainFrame); });
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_SAVE_ALL, [this] { SaveAllDocuments(); });
    OnCommand(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    OnCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, [this](int id) { OnOpenRecentFile(id); });
    OnUpdateRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, [this](CCmdUI* cmdUI) {
        cmdUI->Enable(!m_pRecentFileList->GetAt(cmdUI->m_nID - ID_FILE_MRU_FILE1).isEmpty());
    });
    OnUpdate(ID_FILE_SAVE, [this](CCmdUI* cmdUI) { OnUpdateFileSave(cmdUI); });
    // Commands that exist in the menus but do nothing.
    OnCommand(ID_HTML_INFO_LIBRARY, [] {});
    OnCommand(ID_PROJECT_SETTINGS, [] {});
    MapProjectCommands();
    MapToolCommands();
    m_pFileBarCommands->Map([this](int id, std::function<void()> run) { OnCommand(id, std::move(run)); },
                            [this](int id, std::function<void(CCmdUI*)> update) { OnUpdate(id, std::move(update)); });
    MapBrowseCommands();
    MapWizardCommands();
    m_pKeywordCommands->Map([this](int id, std::function<void()> run) { OnCommand(id, std::move(run)); });
    m_pSiteToolCommands->Map([this](int id, std::function<void()> run) { OnCommand(id, std::move(run)); });
    CSpellCommands::Map([this](int id, std::function<void()> run) { OnCommand(id, std::move(run)); },
                        [this](int id, std::function<void(CCmdUI*)> update) { OnUpdate(id, std::move(update)); });
}

void CZentrelApp::MapProjectCommands()
{
    CProjectCommands* commands = m_pProjectCommands.get();
    OnCommand(ID_FILE_OPEN_WEB_PROJECT, [commands] { commands->OnProjectOpen(); });
    OnCommand(ID_PROJECT_OPEN, [commands] { commands->OnProjectOpen(); });
    OnCommand(ID_PROJECT_SAVE, [commands] { commands->OnProjectSave(); });
    OnCommand(ID_PROJECT_CLOSE, [commands] { commands->OnProjectClose(); });
    OnCommand(ID_PROJECT_SAVE_AS, [commands] { commands->OnProjectSaveAs(); });
    OnCommand(ID_PROJECT_WIZARD, [commands] { commands->OnProjectWizard(); });
    OnUpdate(ID_PROJECT_SAVE, [commands](CCmdUI* cmdUI) { commands->OnUpdateProjectSave(cmdUI); });
    OnUpdate(ID_PROJECT_CLOSE, [commands](CCmdUI* cmdUI) { commands->OnUpdateProjectOpen(cmdUI); });
    OnUpdate(ID_PROJECT_SAVE_AS, [commands](CCmdUI* cmdUI) { commands->OnUpdateProjectOpen(cmdUI); });
}

void CZentrelApp::MapToolCommands()
{
    CToolCommands* tools = m_pToolCommands.get();
    OnCommand(ID_JAVA_PATH, [tools] { tools->OnJavaPath(); });
    OnCommand(ID_PERL_PATH, [tools] { tools->OnPerlPath(); });
    OnCommand(ID_COMPILE_JAVA, [tools] { tools->OnCompileJava(); });
    OnCommand(ID_PROJTREE_COMPILE_JAVA, [tools] { tools->OnCompileJava(); });
    OnCommand(ID_RUN_PERL, [tools] { tools->RunPerlScript(); });
    OnCommand(ID_RUN_CONSOLE_PROCESS, [tools] { tools->OnRunConsoleProcess(); });
    OnCommand(ID_OPEN_CONSOLE_WINDOW, [tools] { tools->OnOpenConsoleWindow(); });
    OnUpdate(ID_COMPILE_JAVA, [tools](CCmdUI* cmdUI) { tools->OnUpdateCompileJava(cmdUI); });
    OnUpdate(ID_PROJTREE_COMPILE_JAVA, [tools](CCmdUI* cmdUI) { tools->OnUpdateTreeCompileJava(cmdUI); });
    OnUpdate(ID_RUN_PERL, [tools](CCmdUI* cmdUI) { tools->OnUpdateRunPerl(cmdUI); });
}

bool CZentrelApp::RunConsoleProcess(const CCommandLine& line)
{
    return m_pToolCommands->RunConsoleProcess(line);
}

void CZentrelApp::MapBrowseCommands()
{
    CBrowseCommands* commands = m_pBrowseCommands.get();
    OnCommand(ID_SHOW_AS_WEBPAGE, [commands] { commands->OnShowAsWebPage(); });
    OnCommand(ID_BROWSE_BACK, [commands] { commands->OnBrowseHistory(false); });
    OnCommand(ID_BROWSE_FORWARD, [commands] { commands->OnBrowseHistory(true); });
    OnUpdate(ID_BROWSE_BACK, [commands](CCmdUI* cmdUI) { commands->OnUpdateBrowseHistory(cmdUI); });
    OnUpdate(ID_BROWSE_FORWARD, [commands](CCmdUI* cmdUI) { commands->OnUpdateBrowseHistory(cmdUI); });
    OnCommand(ID_EDIT_DOCUMENT, [commands] { commands->OnEditDocument(); });
    OnCommand(ID_BROWSER_FILE_OPEN, [commands] { commands->OnBrowserFileOpen(); });
    OnCommand(ID_OPEN_IN_IE, [commands] { commands->OnOpenInBrowser(); });
}

void CZentrelApp::ShowInBrowser(const QString& path, const QString& sourcePath)
{
    m_pBrowseCommands->ShowInBrowser(path, sourcePath);
}

void CZentrelApp::MapWizardCommands()
{
    CWizardCommands* commands = m_pWizardCommands.get();
    OnCommand(ID_BODY_WIZARD, [commands] { commands->OnBodyWizard(); });
    OnCommand(ID_FONT_WIZARD, [commands] { commands->OnFontWizard(); });
    OnCommand(ID_TABLE_WIZARD, [commands] { commands->OnTableWizard(); });
    OnCommand(ID_IMAGE_WIZARD, [commands] { commands->OnImageWizard(); });
    OnCommand(ID_COLOR_WIZARD, [commands] { commands->OnColorWizard(); });
    OnCommand(ID_ALIGN_WIZARD, [commands] { commands->OnAlignWizard(); });
    OnCommand(ID_LIST_WIZARD, [commands] { commands->OnListWizard(); });
}

void CZentrelApp::OnAppAbout()
{
    CAboutDlg about(m_pMainFrame);
    about.exec();
}

void CZentrelApp::OnFileNew()
{
    m_pNewCommands->OnFileNew();
}

void CZentrelApp::OnFileOpen()
{
    QStringList filters;
    for (CDocTemplate* docTemplate : std::as_const(m_templates)) {
        const QString filter = docTemplate->Strings().m_strFilterName.trimmed();
        if (!filter.isEmpty() && !filters.contains(filter))
            filters.append(filter);
    }
    filters.append(tr("All Files (*)"));
    // Like every file dialog of the program, it starts in the folder the
    // program was started in.
    const QStringList paths = QFileDialog::getOpenFileNames(m_pMainFrame, tr("Open"), m_strStartDirectory,
                                                            filters.join(QStringLiteral(";;")));
    for (const QString& path : paths)
        OpenDocumentFile(path);
    // Without a window manager nothing gives the keys back once the dialog
    // has closed.
    ZtGiveKeysBack(m_pMainFrame);
}

void CZentrelApp::OnOpenRecentFile(int id)
{
    const int index = id - ID_FILE_MRU_FILE1;
    const QString path = m_pRecentFileList->GetAt(index);
    if (path.isEmpty())
        return;
    if (!OpenDocumentFile(path))
        m_pRecentFileList->Remove(m_pRecentFileList->Entries().indexOf(path));
}

void CZentrelApp::OnFilePrintSetup()
{
    QPageSetupDialog dialog(&CPrinterSetup::Printer(), m_pMainFrame);
    dialog.exec();
}

void CZentrelApp::OnUpdateFileSave(CCmdUI* cmdUI)
{
    CView* view = m_pMainFrame ? m_pMainFrame->GetActiveView() : nullptr;
    const bool editor = dynamic_cast<CZentrelView*>(view) || dynamic_cast<CPlainTextView*>(view);
    cmdUI->Enable(editor && view->GetDocument() && view->GetDocument()->IsModified());
}


CZentrelApp* ZtApp()
{
    return qobject_cast<CZentrelApp*>(QCoreApplication::instance());
}
