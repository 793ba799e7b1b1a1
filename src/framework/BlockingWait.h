#pragma once

#include <QEventLoop>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

// A wait on the user-interface thread for something outside the program (an
// outside tool's console), during which the windows keep painting but take no
// input and no modal box opens.
//
// Why no box may open: the wait is a nested event loop, so a box opened from a
// timer or a socket meanwhile would run its own loop on top of it. Input for
// the box would be swallowed like all other input, and the wait could not end
// until the box did: the program would hang. So work that would open one
// (messages, files handed over by another process) is deferred with Defer until
// the wait has ended, and a modal dialog that opens all the same is rejected.
class CBlockingWait : public QObject
{
public:
    CBlockingWait();
    ~CBlockingWait() override;
    CBlockingWait(const CBlockingWait&) = delete;
    CBlockingWait& operator=(const CBlockingWait&) = delete;

    // Runs the wait until Quit; returns at once when Quit came first.
    void Exec();
    void Quit();

    // True while any wait runs.
    static bool IsActive();
    // Runs action now, or when no wait runs any more: in the order deferred,
    // from the event loop once the last wait has returned.
    static void Defer(std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether event is the user's input (or a request to close a window).
    static bool IsInput(const QEvent* event);
    void RejectModalDialog(QObject* watched);

    QEventLoop m_loop;
    bool m_bQuit = false;
    bool m_bRunning = false;
    // Windows the user asked to close during the wait: they close after it.
    QList<QPointer<QWidget>> m_closeRequested;
};
