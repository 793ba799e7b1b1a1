#pragma once

#include "tools/TidyValidator.h"

#include <QObject>
#include <QString>

#include <memory>

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
    bool IsRunning() const { return m_bRunning; }

signals:
    void finished(const CTidyReport& report);

private:
    struct CJob;
    void Deliver(quint64 generation, const CTidyReport& report);

    std::shared_ptr<CJob> m_pJob;
    quint64 m_nGeneration = 0;
    bool m_bRunning = false;
};
