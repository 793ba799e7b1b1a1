#pragma once

#include "app/BrowseCommands.h"
#include "app/FileBarCommands.h"
#include "app/FolderTreeServices.h"
#include "app/NewCommands.h"
#include "app/ProjectCommands.h"
#include "app/SiteToolCommands.h"
#include "app/ToolCommands.h"
#include "app/WizardCommands.h"
#include "framework/CmdTarget.h"

#include <QApplication>
#include <QString>

#include <functional>
#include <memory>

class CDocTemplate;
class CDocument;
class CMainFrame;
struct CCommandLine;
class CKeywordCommands;
class CSiteToolCommands;
class CMDIChildWnd;
class CProfile;
class CRecentFileList;
class CSingleInstance;
class CUnsavedWork;

// What the command line asks for.
struct CCommandLineInfo
{
    bool m_bShowSplash = true;
    QStringList m_openFiles; // --open FILE...: files to open, here or in the running Zentrel
    bool m_bExit = false;    // --help or --version was answered, or the command line is unusable
    int m_nExitCode = 0;
    QString m_strOutput;     // for standard output: the help or the version
    QString m_strErrors;     // for standard error: what was wrong on the command line
};

// The application object: start-up and shut-down, the four document types,
// the profile, and the commands that no view, document or frame handles. It
// owns the command classes and gives each the services it uses.
class CZentrelApp : public QApplication,
                    public CCmdTarget,
                    public CFolderTreeServices,
                    public CBrowseCommands::CServices,
                    public CFileBarCommands::CServices,
                    public CToolCommands::CServices,
                    public CProjectCommands::CServices,
                    public CWizardCommands::CServices,
                    public CNewCommands::CServices,
                    public CSiteToolCommands::CServices
{
    Q_OBJECT
public:
    CZentrelApp(int& argc, char** argv);
    ~CZentrelApp() override;

    // The start-up sequence, for the program's own arguments or the ones
    // given (the program's name first); false when the program must end,
    // with the exit status StartUpExitCode gives.
    bool InitInstance();
    bool InitInstance(const QStringList& arguments);
    int StartUpExitCode() const { return m_nStartUpExitCode; }
    static CCommandLineInfo ParseCommandLine(const QStringList& arguments);

    // Document types, in the order they are registered.
    CDocTemplate* WebPageTemplate() const override { return m_pWebPageTemplate; }
    CDocTemplate* BrowserTemplate() const override { return m_pBrowserTemplate; }
    CDocTemplate* ProjectTemplate() const override { return m_pProjectTemplate; }
    CDocTemplate* TextTemplate() const override { return m_pTextTemplate; }
    QList<CDocTemplate*> Templates() const override;
    void RegisterDocTemplates();

    // The folder the program was started in: file dialogs, the user's
    // folders and the console runner are found from it. Tests move it.
    QString StartDirectory() const override { return m_strStartDirectory; }
    void SetStartDirectory(const QString& folder) { m_strStartDirectory = folder; }
    // The file last opened in an editor or picked in a tree.
    QString CurrentFile() const override { return m_strCurrentFile; }
    void SetCurrentFile(const QString& path) override { m_strCurrentFile = path; }
    // The project file opened last; it outlives the project's closing.
    QString ProjectPath() const override { return m_strProjectPath; }
    void SetProjectPath(const QString& path) { m_strProjectPath = path; }

    CMainFrame* GetMainFrame() const override { return m_pMainFrame; }
    // Makes frame the main window that new document windows open in.
    void SetMainFrame(CMainFrame* frame);
    // The folder last selected in a tree; the List bar shows it when it
    // gets the focus.
    void SetSelectedPath(const QString& folder) override;
    QString SelectedPath() const override { return m_strSelectedPath; }

    // The profile, with the calls the rest of the program knows.
    CProfile& Profile() const;
    QString GetProfileString(const QString& section, const QString& key,
                             const QString& defaultValue = QString()) const override;
    int GetProfileInt(const QString& section, const QString& key, int defaultValue) const;
    bool WriteProfileString(const QString& section, const QString& key, const QString& value) override;
    bool WriteProfileInt(const QString& section, const QString& key, int value);

    CRecentFileList& RecentFileList() const { return *m_pRecentFileList; }
    void AddToRecentFileList(const QString& path);

    // Opens a file with the document type its extension chooses; a file
    // already open is brought to the front.
    CDocument* OpenDocumentFile(const QString& path) override;
    void OpenFileInEditor(const QString& path, bool closeCurrent) override;
    // Closes the web pages, the browser and the project (each modified one
    // offered for saving first), then opens the project file at path and
    // makes it the project path. A project file not named after its folder
    // is refused, and then nothing is closed.
    void OpenProject(const QString& path) override;
    // What opening a project closes: every web page, browser and project
    // document, each offered for saving when modified and closed whatever
    // the answer. Plain text documents stay.
    void CloseAllDocumentsForProject();
    CProjectCommands& ProjectCommands() const { return *m_pProjectCommands; }
    CToolCommands& ToolCommands() const { return *m_pToolCommands; }
    // Runs line in the console runner and waits for its end; false when the
    // runner could not start.
    bool RunConsoleProcess(const CCommandLine& line);
    CFileBarCommands& FileBarCommands() const { return *m_pFileBarCommands; }
    CBrowseCommands& BrowseCommands() const { return *m_pBrowseCommands; }
    // Shows path in the one browser window; sourcePath is the page it
    // stands for (they differ only for the preview page).
    void ShowInBrowser(const QString& path, const QString& sourcePath) override;
    CWizardCommands& WizardCommands() const { return *m_pWizardCommands; }
    CNewCommands& NewCommands() const { return *m_pNewCommands; }
    CSiteToolCommands& SiteToolCommands() const { return *m_pSiteToolCommands; }
    // The journals of unsaved work, this run's and those a gone run left.
    CUnsavedWork& UnsavedWork() const { return *m_pUnsavedWork; }
    // Start-up: the project and the web pages the last Exit recorded.
    void ReopenLastSession();
    void ReopenFiles(int count);
    // The pages a start would reopen from the recent files, at most count.
    QStringList PagesToReopen(int count) const;
    void ReopenPages(const QStringList& pages);
    // Records the place of each page's window under "w1".."w4", page k under
    // the key the next start reopens it with.
    void SaveWindowPositions(const QStringList& pages);
    // The Exit command: closes the main window, recording what to reopen.
    void OnAppExit();
    // The main window's close, once every modified document was saved or let
    // go: records what to reopen when the close came from Exit, then closes
    // every document.
    void EndSession();
    // What Exit records for the next start: the windows' places, whether a
    // project and how many web pages were open.
    void RecordSessionForReopen();
    void SaveAllDocuments();
    bool SaveAllModified();
    void CloseAllDocuments();
    // The folder the pages' links are made relative to: the folder of the
    // earliest-opened page while a page is active, else the folder holding
    // the folder last selected in a tree, else the open project's file.
    QString GetWizardDirectory() const override;

    // Opens the files of --open: sent by another Zentrel (absolute), or
    // named on this one's command line (relative to the start directory).
    void OpenRequestedFiles(const QStringList& paths);

    // What is shown once, on the first start, after the main window is up.
    void SetFirstRunHandler(std::function<void()> handler) { m_onFirstRun = std::move(handler); }
    bool IsFirstRun() const { return m_bFirstRun; }

protected:
    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(int id);
    void OnFilePrintSetup();
    void OnUpdateFileSave(class CCmdUI* cmdUI);

private:
    void MapCommands();
    // Listens to a new document: it names the current file and the recent
    // files.
    void WatchDocument(CDocument* document);
    // A document was saved to path: the Project tree and the List bar show
    // the file without waiting for their folders' watches.
    void ShowSavedFile(const QString& path);
    void RunAfterSplash(const std::function<void()>& task);
    // The last session's pages, then the files named on the command line.
    void OpenStartFiles(const QStringList& openFiles);
    // The visible child frames, the most recently active first.
    QList<CMDIChildWnd*> WindowsMostRecentFirst() const;
    // The files of the open web pages, the most recently active window first.
    QStringList OpenPagePaths() const;
    void KeepQtStateOutOfTheProfileDir();
    void MapProjectCommands();
    void MapToolCommands();
    void MapBrowseCommands();
    void MapWizardCommands();
    // The Project tree's requests go to the List bar and the editor.
    void ConnectProjectTree();

    CMainFrame* m_pMainFrame = nullptr;
    CDocTemplate* m_pWebPageTemplate = nullptr;
    CDocTemplate* m_pBrowserTemplate = nullptr;
    CDocTemplate* m_pProjectTemplate = nullptr;
    CDocTemplate* m_pTextTemplate = nullptr;
    QString m_strStartDirectory;
    QString m_strCurrentFile;
    QString m_strProjectPath;
    QString m_strSelectedPath;
    // The placement the next web-page window takes; set only while the
    // start reopens the last session's pages.
    QString m_strNextWindowPos;
    // The colouring decision OpenFileInEditor took last; -1 before any.
    int m_nSyntaxColoring = -1;
    std::function<void()> m_onFirstRun;
    std::unique_ptr<CProfile> m_pProfile;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    std::unique_ptr<CSingleInstance> m_pSingleInstance;
    std::unique_ptr<CUnsavedWork> m_pUnsavedWork;
    std::unique_ptr<CProjectCommands> m_pProjectCommands;
    std::unique_ptr<CToolCommands> m_pToolCommands;
    std::unique_ptr<CFileBarCommands> m_pFileBarCommands;
    std::unique_ptr<CBrowseCommands> m_pBrowseCommands;
    std::unique_ptr<CWizardCommands> m_pWizardCommands;
    std::unique_ptr<CNewCommands> m_pNewCommands;
    std::unique_ptr<CKeywordCommands> m_pKeywordCommands;
    std::unique_ptr<CSiteToolCommands> m_pSiteToolCommands;
    QList<CDocTemplate*> m_templates;
    bool m_bFirstRun = false;
    bool m_bRecordSessionAtClose = false; // set while Exit closes the main window
    int m_nStartUpExitCode = 0;
};

// The running application object.
CZentrelApp* ZtApp();
