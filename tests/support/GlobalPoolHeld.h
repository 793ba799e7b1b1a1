#pragma once

#include <QSemaphore>
#include <QThreadPool>

namespace ZtTest {

// Holds every thread of Qt's global pool until it goes out of scope, as long
// tasks there would: work that must never wait for that pool (Qt's painter
// uses it) can be seen to go on regardless.
class CGlobalPoolHeld
{
public:
    CGlobalPoolHeld()
    {
        QThreadPool* pool = QThreadPool::globalInstance();
        m_nHeld = pool->maxThreadCount();
        for (int n = 0; n < m_nHeld; ++n) {
            pool->start([this] {
                m_started.release();
                m_released.acquire();
            });
        }
        m_started.acquire(m_nHeld);
    }
    ~CGlobalPoolHeld()
    {
        m_released.release(m_nHeld);
        QThreadPool::globalInstance()->waitForDone();
    }
    CGlobalPoolHeld(const CGlobalPoolHeld&) = delete;
    CGlobalPoolHeld& operator=(const CGlobalPoolHeld&) = delete;

private:
    int m_nHeld = 0;
    QSemaphore m_started;
    QSemaphore m_released;
};

} // namespace ZtTest
