#pragma once

#include <QObject>
#include <QString>

class CBrowserView;
class CCmdUI;
class CDocTemplate;
class CDocument;
class CMainFrame;
class CMDIChildWnd;

// The browse commands of the application: showing a file in the one browser
// window (made on first use), Show as Web Page of the active page, Back and
// Forward, Edit document, the browser's File > Open, and Open in I.E.
class CBrowseCommands : public QObject
{
    Q_OBJECT
public:
    // What the commands use of the program; the application gives itself.
    class CServices
    {
    public:
        virtual ~CServices() = default;
        virtual CMainFrame* GetMainFrame() const = 0;
        virtual CDocTemplate* WebPageTemplate() const = 0;
        virtual CDocTemplate* BrowserTemplate() const = 0;
        virtual QString StartDirectory() const = 0;
        // The file the user worked with last: a new browser window opens it.
        virtual QString CurrentFile() const = 0;
        virtual void SetCurrentFile(const QString& path) = 0;
    };

    explicit CBrowseCommands(CServices& services) : m_services(services) {}

    // Shows path in the browser window; sourcePath names the page it stands
    // for (they differ only for the preview page "tempFile.html"). A file
    // the browser cannot show is ignored.
    void ShowInBrowser(const QString& path, const QString& sourcePath);
    // A new browser view, opening on the current file when the browser can
    // show it, whose title and status texts reach the main window.
    CBrowserView* MakeView();
    // The view of the browser window; null while there is none.
    CBrowserView* BrowserView() const;
    // The caption of the browser window: the name of the file it shows, or
    // of the page the preview stands for.
    QString BrowserTitle() const { return m_strBrowserTitle; }
    // Gives the browser window its caption again (Next document).
    void RestoreBrowserTitle();
    // Follows frame's active window: Back and Forward keep the state of the
    // window active last while none is.
    void Connect(CMainFrame* frame);

    void OnShowAsWebPage();
    void OnBrowseHistory(bool forward);
    void OnUpdateBrowseHistory(CCmdUI* cmdUI);
    void OnEditDocument();
    void OnBrowserFileOpen();
    void OnOpenInBrowser();

private:
    CMDIChildWnd* ActiveChild() const;
    bool IsBrowserActive() const;
    static bool IsBrowserFrame(const CMDIChildWnd* frame);
    // The document of the active window; null, after telling the user,
    // when there is none.
    CDocument* ActiveDocumentOrTell() const;

    CServices& m_services;
    QString m_strBrowserTitle;
    // Whether the window active last was the browser's; Back and Forward
    // follow it while no window is active.
    bool m_bBrowserWasActive = true;
};
