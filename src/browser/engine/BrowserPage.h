#pragma once

#include <QWebEnginePage>

#include <functional>

// The page inside the browser. Its script dialogs go to the program (the
// message box tests can answer), and a page that keeps opening them gets
// only the first few: a script alerting in a loop would otherwise leave the
// user nothing to do but press OK for ever.
class CBrowserPage : public QWebEnginePage
{
    Q_OBJECT
public:
    static constexpr int kMaxDialogsPerLoad = 3;
    using DialogHandler = std::function<bool(const QString& text, bool question)>;

    CBrowserPage(DialogHandler showDialog, QObject* parent);

protected:
    // A page's new windows (window.open, a link to "_blank") are refused:
    // the engine drops the window it made for one, and the page's script
    // finds it closed.
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }
    void javaScriptAlert(const QUrl& securityOrigin, const QString& text) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& text) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& text, const QString& defaultValue,
                          QString* result) override;

private:
    // Counts a dialog of the page loaded now; false once it has had its share.
    bool MayShowDialog();

    DialogHandler m_showDialog;
    int m_nDialogsShown = 0;
};
