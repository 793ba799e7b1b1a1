#include "framework/JobChannel.h"

std::shared_ptr<CJobChannel::CRun> CJobChannel::Start()
{
    Cancel();
    auto run = std::make_shared<CRun>();
    run->m_pChannel = this;
    run->m_pReceiver = m_pReceiver;
    run->m_nGeneration = ++m_nGeneration;
    m_pRun = run;
    return run;
}

void CJobChannel::Cancel()
{
    if (m_pRun) {
        QMutexLocker locker(&m_pRun->m_lock);
        m_pRun->m_bCancelled = true;
        m_pRun->m_pChannel = nullptr;
        m_pRun->m_pReceiver = nullptr;
    }
    m_pRun.reset();
}

bool CJobChannel::CRun::IsOpen() const
{
    return m_pChannel && !m_bCancelled;
}
