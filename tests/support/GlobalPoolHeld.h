#pragma once

#include <QSemaphore>
#include <QThreadPool>

namespace ZtTest {

// Holds every thread of Qt's global pool until it goes out of scope, as long
// tasks there would: work that must never wait for that pool (Qt's painter
// uses it) can be seen to go on regardless.
//
// The threads are held for at most a minute: a paint while they are held
// (Qt's painter waiting on the held pool) would otherwise hang the test
// rather than let its waits run out and fail.
class CGlobalPoolHeld
{
public:
    static constexpr int kMostMs = 60000;

    CGlobalPoolHeld()
    {
        QThreadPool* pool = QThreadPool::globalInstance();
        m_nHeld = pool->maxThreadCount();
        for (int n = 0; n < m_nHeld; ++n) {
            pool->start([this] {
                m_started.release();
                m_released.tryAcquire(1, kMostMs);
            });
        }
        m_bHeld = m_started.tryAcquire(m_nHeld, kMostMs);
    }
    ~CGlobalPoolHeld()
    {
        m_released.release(m_nHeld);
        QThreadPool::globalInstance()->waitForDone();
    }
    CGlobalPoolHeld(const CGlobalPoolHeld&) = delete;
    CGlobalPoolHeld& operator=(const CGlobalPoolHeld&) = delete;

    // Whether every thread got held (not so when a task already there never
    // ended).
    bool IsHeld() const { return m_bHeld; }

private:
    int m_nHeld = 0;
    bool m_bHeld = false;
    QSemaphore m_started;
    QSemaphore m_released;
};

} // namespace ZtTest
