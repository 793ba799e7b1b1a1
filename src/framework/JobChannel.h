#pragma once

#include <QMetaObject>
#include <QMutex>
#include <QObject>

#include <atomic>
#include <memory>

// Carries what a job running on a worker thread finds back to the object
// that started it, and only while that object still wants it. The object
// owns the channel; each Start hands the worker a run to post through.
//
// Starting again, Cancel and the channel's destruction each end the run
// under way: the worker sees it cancelled, none of its posts are queued
// after that, and one queued before is dropped on arrival.
class CJobChannel
{
public:
    // What one run's worker holds, shared with the channel.
    class CRun
    {
    public:
        // Queues deliver to run on the receiver's thread; false once the run
        // is cancelled, so that the worker can stop.
        template <typename Deliver>
        bool Post(Deliver deliver) { return Queue(std::move(deliver), false); }
        // Post for the run's last delivery: on arrival the run ends first
        // (the channel no longer runs it), then deliver runs, so that what
        // deliver sets off may start the next run.
        template <typename Deliver>
        bool PostLast(Deliver deliver) { return Queue(std::move(deliver), true); }
        bool IsCancelled() const { return m_bCancelled; }
        // For work that polls a flag of its own.
        const std::atomic<bool>* CancelledFlag() const { return &m_bCancelled; }

    private:
        friend class CJobChannel;
        // Whether posts are still queued; called under the lock.
        bool IsOpen() const;
        template <typename Deliver>
        bool Queue(Deliver deliver, bool bLast);
        // Cleared under the lock when the run ends, so that no post goes to
        // a channel that has moved on or a receiver that is gone.
        QMutex m_lock;
        CJobChannel* m_pChannel = nullptr;
        QObject* m_pReceiver = nullptr;
        quint64 m_nGeneration = 0;
        std::atomic<bool> m_bCancelled{false};
    };

    // receiver: the object whose thread the posts run on; it owns the
    // channel.
    explicit CJobChannel(QObject* receiver) : m_pReceiver(receiver) {}
    ~CJobChannel() { Cancel(); }
    CJobChannel(const CJobChannel&) = delete;
    CJobChannel& operator=(const CJobChannel&) = delete;

    // Ends the run under way and begins another.
    std::shared_ptr<CRun> Start();
    void Cancel();
    bool IsRunning() const { return m_pRun != nullptr; }

private:
    bool IsCurrent(quint64 generation) const { return m_pRun && m_pRun->m_nGeneration == generation; }

    QObject* m_pReceiver;
    std::shared_ptr<CRun> m_pRun;
    quint64 m_nGeneration = 0;
};

template <typename Deliver>
bool CJobChannel::CRun::Queue(Deliver deliver, bool bLast)
{
    QMutexLocker locker(&m_lock);
    if (!IsOpen())
        return false;
    CJobChannel* channel = m_pChannel;
    const quint64 generation = m_nGeneration;
    // The receiver owns the channel: while the receiver lives to run this,
    // so does the channel.
    QMetaObject::invokeMethod(
        m_pReceiver,
        [channel, generation, bLast, deliver = std::move(deliver)]() mutable {
            if (!channel->IsCurrent(generation))
                return;
            if (bLast)
                channel->Cancel();
            deliver();
        },
        Qt::QueuedConnection);
    return true;
}
