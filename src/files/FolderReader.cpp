#include "files/FolderReader.h"

#include "files/BackgroundPool.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QMutex>
#include <QPointer>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <system_error>

#include <dirent.h>

namespace {
const QDir::Filters kEntries = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
// A batch goes out when it is this large or this old, whichever comes first;
// the first one early, so that a slow mount shows its first entries soon.
constexpr int kBatchRows = 2000;
constexpr int kFirstBatchRows = 200;
constexpr qint64 kBatchMs = 50;

bool IsReadableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

// Why folder cannot be listed, in the system's words ("No such file or
// directory", "Permission denied", "Not a directory").
QString ReadFailure(const QString& folder)
{
    int code = EACCES;
    if (DIR* dir = ::opendir(QFile::encodeName(folder).constData()))
        ::closedir(dir);
    else
        code = errno;
    return QString::fromStdString(std::generic_category().message(code));
}
} // namespace

// What the worker shares with the reader: the reader clears m_pReceiver (under
// the lock) when it goes, so the worker never posts to a dead object.
struct CFolderReader::CJob
{
    QMutex m_lock;
    CFolderReader* m_pReceiver = nullptr;
    std::atomic<bool> m_bCancelled{false};
    quint64 m_nGeneration = 0;
    QString m_strFolder;

    // False once nobody wants the rows any more. failure: why the folder
    // could not be read.
    bool Post(const QVector<CFileRow>& rows, bool bDone, bool ok, const QString& failure = {})
    {
        QMutexLocker locker(&m_lock);
        if (!m_pReceiver || m_bCancelled)
            return false;
        CFolderReader* receiver = m_pReceiver;
        const quint64 generation = m_nGeneration;
        QMetaObject::invokeMethod(
            receiver,
            [receiver, generation, rows, bDone, ok, failure] {
                receiver->Deliver(generation, rows, bDone, ok, failure);
            },
            Qt::QueuedConnection);
        return true;
    }
};

CFolderReader::CFolderReader(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<CFileRow>();
}

CFolderReader::~CFolderReader()
{
    Cancel();
}

void CFolderReader::Cancel()
{
    if (m_pJob) {
        QMutexLocker locker(&m_pJob->m_lock);
        m_pJob->m_bCancelled = true;
        m_pJob->m_pReceiver = nullptr;
    }
    m_pJob.reset();
    m_bReading = false;
}

void CFolderReader::Start(const QString& folder)
{
    Cancel();
    auto job = std::make_shared<CJob>();
    job->m_pReceiver = this;
    job->m_nGeneration = ++m_nGeneration;
    job->m_strFolder = folder;
    m_pJob = job;
    m_bReading = true;
    m_strFailure.clear();
    ZtBackgroundPool().start([job] {
        if (!IsReadableFolder(job->m_strFolder)) {
            job->Post({}, true, false, ReadFailure(job->m_strFolder));
            return;
        }
        CFileRowMaker maker;
        QVector<CFileRow> all;
        QVector<CFileRow> batch;
        int batchLimit = kFirstBatchRows;
        QElapsedTimer age;
        age.start();
        QDirIterator it(job->m_strFolder, kEntries);
        while (it.hasNext()) {
            if (job->m_bCancelled)
                return;
            it.next();
            batch.append(maker.Make(it.fileInfo()));
            all.append(batch.last());
            if (batch.size() >= batchLimit || age.elapsed() >= kBatchMs) {
                if (!job->Post(batch, false, true))
                    return;
                batch.clear();
                batchLimit = kBatchRows;
                age.restart();
            }
        }
        if (!job->Post(batch, false, true))
            return;
        SortByName(&all);
        job->Post(all, true, true);
    });
}

void CFolderReader::Deliver(quint64 generation, const QVector<CFileRow>& rows, bool bDone, bool ok,
                            const QString& failure)
{
    if (generation != m_nGeneration || !m_bReading)
        return;
    if (!bDone) {
        if (!rows.isEmpty())
            emit rowsRead(rows);
        return;
    }
    m_bReading = false;
    m_pJob.reset();
    m_strFailure = failure;
    if (ok)
        emit sorted(rows);
    emit finished(ok);
}

void CFolderReader::SortByName(QVector<CFileRow>* rows)
{
    // The folded names are made once, not in every comparison.
    QVector<std::pair<QString, qsizetype>> keys;
    keys.reserve(rows->size());
    for (qsizetype i = 0; i < rows->size(); ++i)
        keys.append({rows->at(i).m_strName.toCaseFolded(), i});
    std::sort(keys.begin(), keys.end(), [rows](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return rows->at(a.second).m_strName < rows->at(b.second).m_strName;
    });
    QVector<CFileRow> sortedRows;
    sortedRows.reserve(rows->size());
    for (const auto& key : keys)
        sortedRows.append(std::move((*rows)[key.second]));
    *rows = std::move(sortedRows);
}

bool CFolderReader::ReadAll(const QString& folder, QVector<CFileRow>* rows)
{
    rows->clear();
    if (!IsReadableFolder(folder))
        return false;
    CFileRowMaker maker;
    QDirIterator it(folder, kEntries);
    while (it.hasNext()) {
        it.next();
        rows->append(maker.Make(it.fileInfo()));
    }
    return true;
}
