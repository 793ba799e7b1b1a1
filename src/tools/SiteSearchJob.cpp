#include "tools/SiteSearchJob.h"

#include "files/AtomicFile.h"
#include "files/BackgroundPool.h"
#include "tools/SiteFileWalker.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QThreadPool>

#include <atomic>

namespace {
// A batch goes out at least this often, so the count moves while the list
// fills, and the window never gets more than it can show in one go.
constexpr qint64 kBatchMs = 50;
constexpr int kBatchFiles = 200;

bool ReadFile(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    return file.error() == QFile::NoError;
}
} // namespace

int CFileMatches::MatchCount() const
{
    int count = 0;
    for (const CLineMatch& line : lines)
        count += int(line.spans.size());
    return count;
}

// What a run's worker gathers between posts: the matches found since the
// last batch went out.
class CSiteSearchJob::CBatcher
{
public:
    // job: only used on arrival of a post, which the channel allows only
    // while the job lives and still wants the run.
    CBatcher(CSiteSearchJob* job, std::shared_ptr<CJobChannel::CRun> run)
        : m_pJob(job)
        , m_pRun(std::move(run))
    {
        m_age.start();
    }

    const std::atomic<bool>* CancelledFlag() const { return m_pRun->CancelledFlag(); }
    bool IsCancelled() const { return m_pRun->IsCancelled(); }
    void Add(CFileMatches found) { m_batch.append(std::move(found)); }

    // False once nobody wants the run any more.
    bool Post(int filesSearched, bool done, const CSiteSearchSummary& summary = {})
    {
        CSiteSearchJob* job = m_pJob;
        auto deliver = [job, batch = std::exchange(m_batch, {}), filesSearched, done, summary] {
            if (!batch.isEmpty())
                emit job->matchesFound(batch);
            emit job->progress(filesSearched);
            if (done)
                emit job->finished(summary);
        };
        const bool posted = done ? m_pRun->PostLast(std::move(deliver)) : m_pRun->Post(std::move(deliver));
        m_age.restart();
        return posted;
    }

    // Posts the batch when it is due; false once nobody wants it.
    bool PostWhenDue(int filesSearched)
    {
        if (m_age.elapsed() < kBatchMs && m_batch.size() < kBatchFiles)
            return !IsCancelled();
        return Post(filesSearched, false);
    }

private:
    CSiteSearchJob* m_pJob;
    std::shared_ptr<CJobChannel::CRun> m_pRun;
    QVector<CFileMatches> m_batch;
    QElapsedTimer m_age;
};

CSiteSearchJob::CSiteSearchJob(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<CFileMatches>();
    qRegisterMetaType<CSiteSearchSummary>();
}

CSiteSearchJob::~CSiteSearchJob()
{
    Cancel();
}

void CSiteSearchJob::Cancel()
{
    m_channel.Cancel();
}

void CSiteSearchJob::StartFind(const QString& folder, const QString& patterns, const CSiteSearchOptions& options,
                               const QStringList& skipPaths)
{
    auto job = std::make_shared<CBatcher>(this, m_channel.Start());
    ZtBackgroundPool().start([job, folder, patterns, options, skipPaths] {
        const CSiteMatcher matcher(options);
        const QSet<QString> skip(skipPaths.begin(), skipPaths.end());
        CSiteFileWalker walker(folder, patterns);
        CSiteSearchSummary summary;
        QByteArray bytes;
        const bool walked = walker.Walk(
            [&](const QString& path) {
                if (skip.contains(path))
                    return true;
                if (!ReadFile(path, &bytes)) {
                    summary.unreadable.append(path);
                    return true;
                }
                ++summary.filesSearched;
                CFileMatches found{path, ZtSiteFileText::FindInBytes(bytes, matcher)};
                if (!found.lines.isEmpty()) {
                    summary.matches += found.MatchCount();
                    ++summary.files;
                    job->Add(std::move(found));
                }
                return job->PostWhenDue(summary.filesSearched);
            },
            job->CancelledFlag());
        if (!walked)
            return;
        summary.unreadable += walker.Unreadable();
        job->Post(summary.filesSearched, true, summary);
    });
}

bool CSiteSearchJob::ReplaceInFile(const QString& path, const CSiteMatcher& matcher, int* count, QString* why)
{
    QByteArray bytes;
    if (!ReadFile(path, &bytes)) {
        *why = tr("cannot be read");
        return false;
    }
    const CFileReplacement replacement = ZtSiteFileText::ReplaceInBytes(bytes, matcher);
    switch (replacement.outcome) {
    case CFileReplacement::Unchanged:
        *count = 0;
        return true;
    case CFileReplacement::Binary:
        *why = tr("holds binary data");
        return false;
    case CFileReplacement::Undecodable:
        *why = tr("does not read back as the same bytes");
        return false;
    case CFileReplacement::Unencodable:
        *why = tr("cannot hold the replacement in its encoding");
        return false;
    case CFileReplacement::WouldBeEmpty:
        *why = tr("would be left empty");
        return false;
    case CFileReplacement::Replaced:
        break;
    }
    QString error;
    if (!CAtomicFile::Write(path, replacement.bytes, &error)) {
        *why = error;
        return false;
    }
    *count = replacement.count;
    return true;
}

void CSiteSearchJob::StartReplace(const QStringList& paths, const CSiteSearchOptions& options)
{
    auto job = std::make_shared<CBatcher>(this, m_channel.Start());
    ZtBackgroundPool().start([job, paths, options] {
        const CSiteMatcher matcher(options);
        CSiteSearchSummary summary;
        for (const QString& path : paths) {
            if (job->IsCancelled())
                return;
            int count = 0;
            QString why;
            ++summary.filesSearched;
            if (!ReplaceInFile(path, matcher, &count, &why))
                summary.skipped.append(QStringLiteral("%1: %2").arg(path, why));
            else if (count > 0)
                summary.matches += count, ++summary.files;
            if (!job->PostWhenDue(summary.filesSearched))
                return;
        }
        job->Post(summary.filesSearched, true, summary);
    });
}
