#pragma once

#include "framework/JobChannel.h"
#include "tools/TidyValidator.h"

#include <QObject>
#include <QString>

// Checks a page's text with HTML Tidy on a worker thread; finished brings the
// report. Starting again, Cancel and the job's destruction each drop the
// check under way: nothing of it arrives afterwards. (Tidy itself cannot be
// stopped halfway; a dropped check ends on its own, unseen.)
class CValidateJob : public QObject
{
    Q_OBJECT
public:
    explicit CValidateJob(QObject* parent = nullptr);
    ~CValidateJob() override;

    // text: lines joined by '\n' (CTidyValidator::EditorText).
    void Start(QString text);
    void Cancel();
    bool IsRunning() const { return m_channel.IsRunning(); }

signals:
    void finished(const CTidyReport& report);

private:
    CJobChannel m_channel{this};
};
