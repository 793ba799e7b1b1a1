#include "files/SubfolderReader.h"

#include "files/BackgroundPool.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMetaObject>
#include <QMutex>
#include <QThreadPool>

#include <algorithm>
#include <atomic>

namespace {
// A batch goes out when it is this large or this old, whichever comes first;
// the first one early, so that a slow mount shows its first folders soon.
constexpr int kBatchNames = 2000;
constexpr int kFirstBatchNames = 200;
constexpr qint64 kBatchMs = 50;

bool IsReadableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}
} // namespace

// What a worker shares with the reader: the reader clears m_pReceiver (under
// the lock) when it cancels, so the worker never posts to a dead object.
struct CSubfolderReader::CJob
{
    QMutex m_lock;
    CSubfolderReader* m_pReceiver = nullptr;
    std::atomic<bool> m_bCancelled{false};
    quint64 m_nTicket = 0;
    QString m_strFolder;
    bool m_bHidden = false;

    // False once nobody wants the names any more.
    bool Post(const QStringList& names, bool bDone, bool ok)
    {
        QMutexLocker locker(&m_lock);
        if (!m_pReceiver || m_bCancelled)
            return false;
        CSubfolderReader* receiver = m_pReceiver;
        const quint64 ticket = m_nTicket;
        QMetaObject::invokeMethod(
            receiver, [receiver, ticket, names, bDone, ok] { receiver->Deliver(ticket, names, bDone, ok); },
            Qt::QueuedConnection);
        return true;
    }

    void Cancel()
    {
        QMutexLocker locker(&m_lock);
        m_bCancelled = true;
        m_pReceiver = nullptr;
    }
};

CSubfolderReader::CSubfolderReader(QObject* parent)
    : QObject(parent)
{
}

CSubfolderReader::~CSubfolderReader()
{
    CancelAll();
}

quint64 CSubfolderReader::Start(const QString& folder, bool bHidden)
{
    auto job = std::make_shared<CJob>();
    job->m_pReceiver = this;
    job->m_nTicket = ++m_nLastTicket;
    job->m_strFolder = folder;
    job->m_bHidden = bHidden;
    m_jobs.insert(job->m_nTicket, job);
    ZtBackgroundPool().start([job] { Read(job); });
    return job->m_nTicket;
}

void CSubfolderReader::Cancel(quint64 ticket)
{
    if (const std::shared_ptr<CJob> job = m_jobs.take(ticket))
        job->Cancel();
}

void CSubfolderReader::CancelAll()
{
    for (const std::shared_ptr<CJob>& job : std::as_const(m_jobs))
        job->Cancel();
    m_jobs.clear();
}

void CSubfolderReader::Read(const std::shared_ptr<CJob>& job)
{
    if (!IsReadableFolder(job->m_strFolder)) {
        job->Post({}, true, false);
        return;
    }
    const QDir::Filters filters = QDir::Dirs | QDir::NoDotAndDotDot | (job->m_bHidden ? QDir::Hidden : QDir::Filters());
    QStringList batch;
    int batchLimit = kFirstBatchNames;
    QElapsedTimer age;
    age.start();
    QDirIterator it(job->m_strFolder, filters);
    while (it.hasNext()) {
        if (job->m_bCancelled)
            return;
        it.next();
        batch.append(it.fileName());
        if (batch.size() >= batchLimit || age.elapsed() >= kBatchMs) {
            std::sort(batch.begin(), batch.end(), NameLess);
            if (!job->Post(batch, false, true))
                return;
            batch.clear();
            batchLimit = kBatchNames;
            age.restart();
        }
    }
    std::sort(batch.begin(), batch.end(), NameLess);
    if (job->Post(batch, false, true))
        job->Post({}, true, true);
}

void CSubfolderReader::Deliver(quint64 ticket, const QStringList& names, bool bDone, bool ok)
{
    if (!m_jobs.contains(ticket))
        return;
    if (!bDone) {
        if (!names.isEmpty())
            emit foldersRead(ticket, names);
        return;
    }
    m_jobs.remove(ticket);
    emit finished(ticket, ok);
}

bool CSubfolderReader::NameLess(const QString& a, const QString& b)
{
    // A collator is not to be shared between threads: one each.
    thread_local const QCollator collator = [] {
        QCollator made;
        made.setCaseSensitivity(Qt::CaseInsensitive);
        return made;
    }();
    const int order = collator.compare(a, b);
    return order != 0 ? order < 0 : a < b;
}
