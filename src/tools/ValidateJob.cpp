#include "tools/ValidateJob.h"

#include "files/BackgroundPool.h"

#include <QThreadPool>

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
    m_channel.Cancel();
}

void CValidateJob::Start(QString text)
{
    std::shared_ptr<CJobChannel::CRun> run = m_channel.Start();
    ZtBackgroundPool().start([this, run, text = std::move(text)] {
        const CTidyReport report = CTidyValidator::Validate(text);
        // this is only used on arrival, which the channel allows only while
        // the job lives and still wants the report.
        run->PostLast([this, report] { emit finished(report); });
    });
}
