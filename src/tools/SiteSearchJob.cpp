#include "tools/SiteSearchJob.h"

#include "files/AtomicFile.h"
#include "tools/SiteFileWalker.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
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

// What the worker shares with the job object: the object clears m_pReceiver
// (under the lock) when it goes, so the worker never posts to a dead object.
struct CSiteSearchJob::CJob
{
    QMutex m_lock;
    CSiteSearchJob* m_pReceiver = nullptr;
    std::atomic<bool> m_bCancelled{false};
    quint64 m_nGeneration = 0;
    QVector<CFileMatches> m_batch;
    QElapsedTimer m_age;

    bool Post(int filesSearched, bool done, const CSiteSearchSummary& summary = {})
    {
        QMutexLocker locker(&m_lock);
        if (!m_pReceiver || m_bCancelled)
            return false;
        CSiteSearchJob* receiver = m_pReceiver;
        const quint64 generation = m_nGeneration;
        QMetaObject::invokeMethod(
            receiver,
            [receiver, generation, batch = std::move(m_batch), filesSearched, done, summary] {
                receiver->Deliver(generation, batch, filesSearched, done, summary);
            },
            Qt::QueuedConnection);
        m_batch.clear();
        m_age.restart();
        return true;
    }

    // Posts the batch when it is due; false once nobody wants it.
    bool PostWhenDue(int filesSearched)
    {
        if (m_age.elapsed() < kBatchMs && m_batch.size() < kBatchFiles)
            return !m_bCancelled;
        return Post(filesSearched, false);
    }
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
    if (m_pJob) {
        QMutexLocker locker(&m_pJob->m_lock);
        m_pJob->m_bCancelled = true;
        m_pJob->m_pReceiver = nullptr;
    }
    m_pJob.reset();
    m_bRunning = false;
}

std::shared_ptr<CSiteSearchJob::CJob> CSiteSearchJob::NewJob()
{
    Cancel();
    auto job = std::make_shared<CJob>();
    job->m_pReceiver = this;
    job->m_nGeneration = ++m_nGeneration;
    job->m_age.start();
    m_pJob = job;
    m_bRunning = true;
    return job;
}

void CSiteSearchJob::StartFind(const QString& folder, const QString& patterns, const CSiteSearchOptions& options,
                               const QStringList& skipPaths)
{
    auto job = NewJob();
    QThreadPool::globalInstance()->start([job, folder, patterns, options, skipPaths] {
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
                    job->m_batch.append(std::move(found));
                }
                return job->PostWhenDue(summary.filesSearched);
            },
            &job->m_bCancelled);
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
    auto job = NewJob();
    QThreadPool::globalInstance()->start([job, paths, options] {
        const CSiteMatcher matcher(options);
        CSiteSearchSummary summary;
        for (const QString& path : paths) {
            if (job->m_bCancelled)
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

void CSiteSearchJob::Deliver(quint64 generation, const QVector<CFileMatches>& batch, int filesSearched, bool done,
                             const CSiteSearchSummary& summary)
{
    if (generation != m_nGeneration || !m_bRunning)
        return;
    if (!batch.isEmpty())
        emit matchesFound(batch);
    emit progress(filesSearched);
    if (!done)
        return;
    m_bRunning = false;
    m_pJob.reset();
    emit finished(summary);
}
