#include "files/BackgroundPool.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>

#include <atomic>

namespace {
QThreadPool* Pool()
{
    static QThreadPool* const pool = [] {
        auto* made = new QThreadPool;
        // Folder listings and site tools mostly wait for the disk, so one
        // thread more than there are cores: a listing started while a tool
        // runs usually finds a thread free.
        made->setMaxThreadCount(QThread::idealThreadCount() + 1);
        return made;
    }();
    return pool;
}

// Whether the application object now in use (or the next one made) will wait
// for the pool when it goes.
std::atomic<bool> g_bWaitPending{false};
} // namespace

QThreadPool& ZtBackgroundPool()
{
    // An application object runs the routines added so far once, and then
    // forgets them: each one made gets its own.
    if (!g_bWaitPending.exchange(true)) {
        qAddPostRoutine([] {
            Pool()->waitForDone();
            g_bWaitPending = false;
        });
    }
    return *Pool();
}
