#pragma once

#include "browser/BrowserEngine.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QUrl>

class QWebEngineView;

// Gives the program's accelerators back to the program: while the page had
// the focus, Ctrl+Alt+E and the like never reached their commands. Watches
// the view and each widget the engine puts into it.
class CProgramKeyFilter : public QObject
{
public:
    CProgramKeyFilter(const CBrowserEngine::Callbacks& callbacks, QObject* parent)
        : QObject(parent), m_callbacks(callbacks) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CBrowserEngine::Callbacks m_callbacks;
};

// The browser engine on Qt WebEngine: a QWebEngineView with our page.
class CWebEngineBrowser : public CBrowserEngine
{
public:
    explicit CWebEngineBrowser(const Callbacks& callbacks);
    ~CWebEngineBrowser() override;

    QWidget* Widget() override;
    void Load(const QUrl& url) override;
    QUrl Url() const override;
    void Back() override;
    void Forward() override;
    void Print(QPrinter* printer, std::function<void(bool ok)> done) override;
    void RunScript(const QString& script, std::function<void(const QVariant& result)> done) override;
    QPointF ScrollPosition() const override;
    bool IsLoading() const override;

private:
    // How much processor time the renderer may spend while a question asked
    // during a load goes unanswered before it counts as stuck in a script
    // and is ended.
    static constexpr qint64 kHungRendererMs = 5000;
    // How long a question may go unanswered at all: a renderer stuck without
    // working (waiting on something that never comes) is ended too.
    static constexpr qint64 kUnansweredMs = 30000;
    static constexpr int kWatchTickMs = 1000;

    void Probe();
    bool IsStuck(qint64 renderer) const;
    void OnWatchTick();
    void OnRendererEnded();

    // Owned by the view's layout once the view takes it; deleted here only
    // when it never did.
    QWebEngineView* m_pView;
    // The page last asked for; cleared when the user moves in the history.
    QUrl m_pendingUrl;
    // Ticks while a load is under way; each tick asks again when the last
    // question was answered, else sees whether the renderer is stuck.
    QTimer m_watch;
    int m_nProbe = 0;
    bool m_bProbeOutstanding = false;
    // The renderer the last question went to, its processor time then (-1
    // when unknown), and the time since.
    qint64 m_nProbedRenderer = 0;
    qint64 m_nProbedRendererMs = -1;
    QElapsedTimer m_probeAge;
    // A load reloads after ending its renderer at most once, so a page that
    // itself loops is not reloaded over and over.
    bool m_bRendererEndedForLoad = false;
    bool m_bReloadWhenEnded = false;
    Callbacks m_callbacks;
    std::function<void(bool)> m_printDone;
};
