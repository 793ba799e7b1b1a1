#include "framework/BlockingWait.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <deque>

namespace {

int& ActiveWaits()
{
    static int count = 0;
    return count;
}

std::deque<std::function<void()>>& Deferred()
{
    static std::deque<std::function<void()>> actions;
    return actions;
}

bool& FlushPosted()
{
    static bool posted = false;
    return posted;
}

// Runs the deferred work from the event loop rather than inside the caller of
// the wait, which still has its own steps to finish (a compile writes its
// applet page after the console has closed).
void PostFlush()
{
    if (std::exchange(FlushPosted(), true))
        return;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        FlushPosted() = false;
        // An action may itself start a wait; what is left then waits for its end.
        while (!CBlockingWait::IsActive() && !Deferred().empty()) {
            const std::function<void()> action = std::move(Deferred().front());
            Deferred().pop_front();
            action();
        }
    });
}

// A window the user can ask to close, as opposed to a tooltip or a menu that
// Qt closes by itself when the mouse moves on.
bool IsUserWindow(const QWidget* widget)
{
    const Qt::WindowType type = widget->windowType();
    return widget->isWindow() && type != Qt::ToolTip && type != Qt::Popup;
}

} // namespace

CBlockingWait::CBlockingWait() = default;

CBlockingWait::~CBlockingWait()
{
    Quit();
}

void CBlockingWait::Exec()
{
    if (m_bQuit || m_bRunning)
        return;
    m_bRunning = true;
    ++ActiveWaits();
    QCoreApplication::instance()->installEventFilter(this);
    m_loop.exec();
    QCoreApplication::instance()->removeEventFilter(this);
    --ActiveWaits();
    m_bRunning = false;
    for (const QPointer<QWidget>& window : std::as_const(m_closeRequested)) {
        Deferred().push_back([window] {
            // As the window system does, a window that a modal box (a message
            // the command showed after the wait) blocks is not closed.
            const QWidget* modal = QApplication::activeModalWidget();
            if (window && (!modal || modal == window))
                window->close();
        });
    }
    m_closeRequested.clear();
    if (!IsActive() && !Deferred().empty())
        PostFlush();
}

void CBlockingWait::Quit()
{
    m_bQuit = true;
    m_loop.quit();
}

bool CBlockingWait::IsActive()
{
    return ActiveWaits() > 0;
}

void CBlockingWait::Defer(std::function<void()> action)
{
    // Behind work deferred earlier, even when that is about to run.
    if (!IsActive() && Deferred().empty()) {
        action();
        return;
    }
    Deferred().push_back(std::move(action));
}

bool CBlockingWait::IsInput(const QEvent* event)
{
    switch (event->type()) {
    // The pointer passing over a window starts nothing; swallowing it would
    // leave widgets unsure where the mouse is.
    case QEvent::Enter:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::HoverLeave:
        return false;
    // Input that is not a QInputEvent.
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Shortcut:
    case QEvent::Close:
    case QEvent::FileOpen:
        return true;
    default:
        return event->isInputEvent();
    }
}

bool CBlockingWait::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        RejectModalDialog(watched);
        return false;
    }
    if (!IsInput(event))
        return false;
    if (event->type() == QEvent::Close) {
        // Only the user's request, which the native window passes on to its
        // widget as a spontaneous event, is held back there. The program's
        // own closes go through: a dialog closes itself that way when done.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || !event->spontaneous() || !IsUserWindow(widget))
            return false;
        if (!m_closeRequested.contains(widget))
            m_closeRequested.append(widget);
    }
    event->ignore();
    return true;
}

void CBlockingWait::RejectModalDialog(QObject* watched)
{
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog || !dialog->isModal())
        return;
    // Once its own loop runs: rejected before, the dialog would never leave it.
    QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
}
