#include "files/TreeFolderReader.h"

#include "files/BackgroundPool.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMetaObject>
#include <QMutex>
#include <QThreadPool>

#include <atomic>

namespace {
const QDir::Filters kAllEntries = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
} // namespace

// What a worker shares with the reader: the reader clears m_pReceiver (under
// the lock) when it cancels, so the worker never posts to a dead object.
struct CTreeFolderReader::CJob
{
    QMutex m_lock;
    CTreeFolderReader* m_pReceiver = nullptr;
    std::atomic<bool> m_bCancelled{false};
    quint64 m_nTicket = 0;
    QString m_strFolder;

    void Post(const QVector<CTreeEntry>& entries, bool ok)
    {
        // Cancel clears the receiver under this lock.
        QMutexLocker locker(&m_lock);
        if (!m_pReceiver)
            return;
        CTreeFolderReader* receiver = m_pReceiver;
        const quint64 ticket = m_nTicket;
        QMetaObject::invokeMethod(
            receiver, [receiver, ticket, entries, ok] { receiver->Deliver(ticket, entries, ok); },
            Qt::QueuedConnection);
    }

    void Cancel()
    {
        QMutexLocker locker(&m_lock);
        m_bCancelled = true;
        m_pReceiver = nullptr;
    }
};

CTreeFolderReader::CTreeFolderReader(QObject* parent)
    : QObject(parent)
{
}

CTreeFolderReader::~CTreeFolderReader()
{
    CancelAll();
}

quint64 CTreeFolderReader::Start(const QString& folder)
{
    auto job = std::make_shared<CJob>();
    job->m_pReceiver = this;
    job->m_nTicket = ++m_nLastTicket;
    job->m_strFolder = folder;
    m_jobs.insert(job->m_nTicket, job);
    ZtBackgroundPool().start([job] { Read(job); });
    return job->m_nTicket;
}

void CTreeFolderReader::Read(const std::shared_ptr<CJob>& job)
{
    QVector<CTreeEntry> entries;
    const bool ok = ReadAll(job->m_strFolder, &entries, [&job] { return job->m_bCancelled.load(); });
    job->Post(entries, ok);
}

void CTreeFolderReader::Cancel(quint64 ticket)
{
    if (const std::shared_ptr<CJob> job = m_jobs.take(ticket))
        job->Cancel();
}

void CTreeFolderReader::CancelAll()
{
    for (const std::shared_ptr<CJob>& job : std::as_const(m_jobs))
        job->Cancel();
    m_jobs.clear();
}

bool CTreeFolderReader::ReadAll(const QString& folder, QVector<CTreeEntry>* entries,
                                const std::function<bool()>& cancelled)
{
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir() || !folderInfo.isReadable() || !folderInfo.isExecutable())
        return false;
    const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    QDirIterator it(folder, kAllEntries);
    while (it.hasNext()) {
        if (cancelled && cancelled())
            return false;
        it.next();
        CTreeEntry entry;
        entry.m_strName = it.fileName();
        entry.m_bFolder = it.fileInfo().isDir();
        // One look inside each folder, so that an empty one gets no expand
        // button; its entries are read when it is opened.
        if (entry.m_bFolder)
            entry.m_bHasEntries = QDirIterator(base + entry.m_strName, kAllEntries).hasNext();
        entries->append(entry);
    }
    return true;
}

void CTreeFolderReader::Deliver(quint64 ticket, const QVector<CTreeEntry>& entries, bool ok)
{
    if (!m_jobs.remove(ticket))
        return;
    emit folderListed(ticket, entries, ok);
}
