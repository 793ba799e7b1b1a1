#pragma once

#include "framework/JobChannel.h"

#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <functional>

// One finding of a link check.
struct CLinkProblem
{
    enum Kind { Broken, CaseDiffers, Orphan };
    Kind kind = Broken;
    QString page;        // the page holding the link; for an orphan, the file itself
    int line = 0;        // 1-based; 0 for an orphan
    qsizetype column = 0; // where the link starts in its line
    QString link;        // as written; for CaseDiffers, the spelling on disk follows in actual
    QString actual;
};

struct CLinkReport
{
    QVector<CLinkProblem> problems;
    int pagesChecked = 0;
    int linksChecked = 0;
    QStringList unreadable;
};

// Checks every link of the pages and style sheets under a folder on a worker
// thread: the links that name no file, the ones whose letter case differs
// from the file's on disk, and the files no page or style sheet links to.
// progress tells the pages read so far; finished brings the report.
//
// Starting again, Cancel and the job's destruction each end the check under
// way: nothing of it arrives afterwards.
class CLinkCheckJob : public QObject
{
    Q_OBJECT
public:
    explicit CLinkCheckJob(QObject* parent = nullptr);
    ~CLinkCheckJob() override;

    void Start(const QString& folder);
    void Cancel();
    bool IsRunning() const { return m_channel.IsRunning(); }

    // The check itself, on the calling thread; stops early when cancelled
    // turns true. progress, when given, is called now and then with the
    // pages read.
    static CLinkReport Check(const QString& folder, const std::atomic<bool>* cancelled = nullptr,
                             const std::function<void(int)>& progress = {});
    // Whether a file's links are read as a page's, or as a style sheet's.
    static bool IsPage(const QString& path);
    static bool IsStyleSheet(const QString& path);

signals:
    void progress(int pagesChecked);
    void finished(const CLinkReport& report);

private:
    CJobChannel m_channel{this};
};

Q_DECLARE_METATYPE(CLinkReport)
