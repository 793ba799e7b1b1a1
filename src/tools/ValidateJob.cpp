#include "tools/ValidateJob.h"

#include <QMutex>
#include <QThreadPool>

struct CValidateJob::CJob
{
    QMutex m_lock;
    CValidateJob* m_pReceiver = nullptr;
    quint64 m_nGeneration = 0;

    void Post(const CTidyReport& report)
    {
        // Under the lock: Cancel on the UI thread clears the receiver. A
        // report posted before that is dropped on arrival by its generation.
        QMutexLocker locker(&m_lock);
        if (!m_pReceiver)
            return;
        CValidateJob* receiver = m_pReceiver;
        const quint64 generation = m_nGeneration;
        QMetaObject::invokeMethod(
            receiver, [receiver, generation, report] { receiver->Deliver(generation, report); },
            Qt::QueuedConnection);
    }
};

CValidateJob::CValidateJob(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<CTidyReport>();
}

CValidateJob::~CValidateJob()
{
    Cancel();
}

void CValidateJob::Cancel()
{
    if (m_pJob) {
        QMutexLocker locker(&m_pJob->m_lock);
        m_pJob->m_pReceiver = nullptr;
    }
    m_pJob.reset();
    m_bRunning = false;
}

void CValidateJob::Start(QString text)
{
    Cancel();
    auto job = std::make_shared<CJob>();
    job->m_pReceiver = this;
    job->m_nGeneration = ++m_nGeneration;
    m_pJob = job;
    m_bRunning = true;
    QThreadPool::globalInstance()->start([job, text = std::move(text)] { job->Post(CTidyValidator::Validate(text)); });
}

void CValidateJob::Deliver(quint64 generation, const CTidyReport& report)
{
    if (generation != m_nGeneration || !m_bRunning)
        return;
    m_pJob.reset();
    m_bRunning = false;
    emit finished(report);
}
