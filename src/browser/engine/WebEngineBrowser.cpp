#include "WebEngineBrowser.h"

#include "BrowserPage.h"
#include "PreviewSchemeHandler.h"
#include "SiteRequestInterceptor.h"

#include <QChildEvent>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QQuickWindow>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <signal.h>
#include <unistd.h>

namespace {

// The processor time process has spent, all its threads, in milliseconds;
// -1 when the system does not say.
qint64 ProcessorTimeMs(qint64 process)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(process));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    // The fields after the name, which is in parentheses and may hold
    // spaces: state first, user time 12th, system time 13th, in ticks.
    const QByteArray stat = file.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    if (fields.size() < 13 || ticksPerSecond <= 0)
        return -1;
    return (fields[11].toLongLong() + fields[12].toLongLong()) * 1000 / ticksPerSecond;
}

} // namespace

bool CProgramKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
        return QObject::eventFilter(watched, event);
    }
    const bool keyEvent = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (!keyEvent || !m_callbacks.isProgramKey)
        return QObject::eventFilter(watched, event);
    const QKeyCombination key = static_cast<QKeyEvent*>(event)->keyCombination();
    if (!m_callbacks.isProgramKey(key))
        return QObject::eventFilter(watched, event);
    // Declined as a shortcut of the page's; when no shortcut takes it even
    // then (the page's widget is a Qt Quick one, whose window the
    // shortcuts do not see), the key press itself is handed to the program.
    if (event->type() == QEvent::KeyPress && m_callbacks.programKeyPressed)
        m_callbacks.programKeyPressed(key);
    event->ignore();
    return true;
    return QObject::eventFilter(watched, event);
}

CWebEngineBrowser::CWebEngineBrowser(const Callbacks& callbacks)
    : m_pView(new QWebEngineView)
    , m_callbacks(callbacks)
{
    m_pView->installEventFilter(new CProgramKeyFilter(callbacks, m_pView));
    m_pView->setPage(new CBrowserPage(callbacks.scriptDialog, m_pView));
    if (callbacks.mayLoad)
        m_pView->page()->setUrlRequestInterceptor(new CSiteRequestInterceptor(m_pView->page(), callbacks.mayLoad));
    CPreviewSchemeHandler::InstallOnDefaultProfile();
    if (callbacks.servePreview)
        CPreviewSchemeHandler::SetServer(this, callbacks.servePreview);
    QObject::connect(m_pView, &QWebEngineView::titleChanged, m_pView, [this](const QString& title) {
        if (m_callbacks.titleChanged)
            m_callbacks.titleChanged(title);
    });
    QObject::connect(m_pView->page(), &QWebEnginePage::linkHovered, m_pView, [this](const QString& url) {
        if (m_callbacks.linkHovered)
            m_callbacks.linkHovered(url);
    });
    QObject::connect(&m_watch, &QTimer::timeout, m_pView, [this] { OnWatchTick(); });
    QObject::connect(m_pView->page(), &QWebEnginePage::renderProcessTerminated, m_pView,
                     [this] { OnRendererEnded(); });
    QObject::connect(m_pView, &QWebEngineView::loadFinished, m_pView, [this](bool ok) {
        if (m_callbacks.loadFinished)
            m_callbacks.loadFinished(ok);
    });
    QObject::connect(m_pView, &QWebEngineView::printFinished, m_pView, [this](bool ok) {
        if (auto done = std::exchange(m_printDone, nullptr))
            done(ok);
    });
}

CWebEngineBrowser::~CWebEngineBrowser()
{
    // The view may outlive us inside a layout being torn down; it must not
    // call back into a dead engine.
    CPreviewSchemeHandler::ClearServer(this);
    QObject::disconnect(m_pView, nullptr, m_pView, nullptr);
    QObject::disconnect(m_pView->page(), nullptr, m_pView, nullptr);
    delete m_pView;
}

QWidget* CWebEngineBrowser::Widget()
{
    return m_pView;
}

void CWebEngineBrowser::Load(const QUrl& url)
{
    m_pendingUrl = url;
    // A page whose script never returns (a loop, or alerts the page may no
    // longer show) keeps its renderer from taking the next page, or the same
    // address again, and nothing but the renderer's end frees it. The
    // renderer is asked a one-line question now and again while the load is
    // under way: one left unanswered while the renderer spends seconds of
    // processor time, and the page still loads, means it is stuck in a
    // script. The first question may be answered just before the old page's
    // loop starts, so asking once is not enough.
    //
    // A watch already under way goes on: loads asked for faster than a tick
    // (the live preview's, while the user types) must not put the end of a
    // stuck renderer off for ever.
    m_bRendererEndedForLoad = false;
    if (!m_watch.isActive()) {
        m_bProbeOutstanding = false;
        Probe();
        m_watch.start(kWatchTickMs);
    }
    m_pView->load(url);
}

void CWebEngineBrowser::Probe()
{
    const qint64 renderer = m_pView->page()->renderProcessPid();
    if (renderer <= 0)
        return;
    const int probe = ++m_nProbe;
    m_bProbeOutstanding = true;
    m_nProbedRenderer = renderer;
    m_nProbedRendererMs = ProcessorTimeMs(renderer);
    m_probeAge.start();
    QPointer<QWebEngineView> view = m_pView;
    m_pView->page()->runJavaScript(QStringLiteral("0"), QWebEngineScript::ApplicationWorld,
                                   [this, view, probe](const QVariant&) {
                                       if (view && probe == m_nProbe)
                                           m_bProbeOutstanding = false;
                                   });
}

void CWebEngineBrowser::OnWatchTick()
{
    // A page that finished loading meanwhile proves the renderer alive.
    if (m_pendingUrl.isEmpty() || !m_pView->page()->isLoading()) {
        m_watch.stop();
        return;
    }
    const qint64 renderer = m_pView->page()->renderProcessPid();
    // A question to a renderer the page has left is never answered.
    if (m_bProbeOutstanding && renderer != m_nProbedRenderer)
        m_bProbeOutstanding = false;
    if (m_bProbeOutstanding && renderer > 0 && IsStuck(renderer)) {
        // The first end brings the page asked for in a new renderer. A page
        // that is stuck again after that reload is itself the loop: it is
        // ended for good and left blank, so it cannot keep a processor busy
        // until the next load.
        m_bProbeOutstanding = false;
        m_bReloadWhenEnded = !std::exchange(m_bRendererEndedForLoad, true);
        if (!m_bReloadWhenEnded)
            m_watch.stop();
        ::kill(pid_t(renderer), SIGKILL);
        return;
    }
    if (!m_bProbeOutstanding)
        Probe();
}

bool CWebEngineBrowser::IsStuck(qint64 renderer) const
{
    // Measured in the renderer's own time, not the clock's: a renderer that
    // is merely slow (starting, or starved on a busy machine, or behind a
    // UI thread that was busy) spends little of it, and ending it would
    // only start the page over in another as slow.
    if (m_probeAge.hasExpired(kUnansweredMs))
        return true;
    const qint64 spent = ProcessorTimeMs(renderer);
    if (spent < 0 || m_nProbedRendererMs < 0)
        return m_probeAge.hasExpired(kHungRendererMs);
    return spent - m_nProbedRendererMs >= kHungRendererMs;
}

void CWebEngineBrowser::OnRendererEnded()
{
    m_bProbeOutstanding = false;
    if (std::exchange(m_bReloadWhenEnded, false) && !m_pendingUrl.isEmpty())
        m_pView->load(m_pendingUrl);
}

QUrl CWebEngineBrowser::Url() const
{
    return m_pView->url();
}

void CWebEngineBrowser::Back()
{
    m_pendingUrl.clear();
    m_pView->back();
}

void CWebEngineBrowser::Forward()
{
    m_pendingUrl.clear();
    m_pView->forward();
}

void CWebEngineBrowser::Print(QPrinter* printer, std::function<void(bool ok)> done)
{
    m_printDone = std::move(done);
    m_pView->print(printer);
}

void CWebEngineBrowser::RunScript(const QString& script, std::function<void(const QVariant&)> done)
{
    if (!done) {
        m_pView->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld);
        return;
    }
    QPointer<QWebEngineView> view = m_pView;
    m_pView->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                   [view, done = std::move(done)](const QVariant& result) {
                                       if (view)
                                           done(result);
                                   });
}

QPointF CWebEngineBrowser::ScrollPosition() const
{
    return m_pView->page()->scrollPosition();
}

bool CWebEngineBrowser::IsLoading() const
{
    return m_pView->page()->isLoading();
}

extern "C" Q_DECL_EXPORT CBrowserEngine* ZtCreateBrowserEngine(const CBrowserEngine::Callbacks& callbacks)
{
    // The page's Qt Quick widget drawn through OpenGL makes Qt create the
    // main window's native window anew (for a surface OpenGL can draw on)
    // when the first browser window opens: the window flashes, and some
    // window managers forget its place. Drawn by Qt Quick's software
    // renderer, the page leaves the main window as it is, and the program
    // never needs the OpenGL driver at start. The choice counts only before
    // Qt Quick makes its first window, the first view's.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // Only possible before the engine makes its first profile, which the
    // first view does.
    CPreviewSchemeHandler::RegisterScheme();
    return new CWebEngineBrowser(callbacks);
}
