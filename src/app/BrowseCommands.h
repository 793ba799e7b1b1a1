#pragma once

#include <QObject>
#include <QString>

class CBrowserView;
class CCmdUI;
class CDocument;
class CMDIChildWnd;
class CZentrelApp;

// The browse commands of the application: showing a file in the one browser
// window (made on first use), Show as Web Page of the active page, Back and
// Forward, Edit document, the browser's File > Open, and Open in I.E.
class CBrowseCommands : public QObject
{
    Q_OBJECT
public:
    explicit CBrowseCommands(CZentrelApp& app) : m_app(app) {}

    // Shows path in the browser window; sourcePath names the page it stands
    // for (they differ only for the preview page "tempFile.html"). A file
    // the browser cannot show is ignored.
    void ShowInBrowser(const QString& path, const QString& sourcePath);
    // A new browser view, opening on the current file when the browser can
    // show it, whose title and status texts reach the main window.
    CBrowserView* MakeView();
    // The view of the browser window; null while there is none.
    CBrowserView* BrowserView() const;

    void OnShowAsWebPage();
    void OnBrowseHistory(bool forward);
    void OnUpdateBrowseHistory(CCmdUI* cmdUI);
    void OnEditDocument();
    void OnBrowserFileOpen();
    void OnOpenInBrowser();

private:
    CMDIChildWnd* ActiveChild() const;
    bool IsBrowserActive() const;
    // The document of the active window; null, after telling the user,
    // when there is none.
    CDocument* ActiveDocumentOrTell() const;

    CZentrelApp& m_app;
    // Back and Forward keep their last state while no window is active.
    bool m_bHistoryEnabled = true;
};
