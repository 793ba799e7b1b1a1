#include "framework/RecoveryJournal.h"

#include "files/AtomicFile.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/JournalRecord.h"

#include <QDateTime>
#include <QFile>
#include <QTimer>

CRecoveryJournal::CRecoveryJournal(const QString& sessionFolder, QObject* parent)
    : QObject(parent), m_strSession(sessionFolder)
{
    // One worker: writes and removals of a journal happen in the order asked.
    m_disk.setMaxThreadCount(1);
    m_disk.setExpiryTimeout(-1);
}

CRecoveryJournal::~CRecoveryJournal()
{
    WaitForDisk();
}

void CRecoveryJournal::Watch(CDocument* document)
{
    if (m_strSession.isEmpty() || m_watched.contains(document))
        return;
    CWatched watched;
    watched.m_strFile = m_strSession + QStringLiteral("/%1.ztj").arg(m_nNextId++);
    watched.m_pTimer = new QTimer(this);
    watched.m_pTimer->setSingleShot(true);
    watched.m_pTimer->setInterval(kPauseMs);
    connect(watched.m_pTimer, &QTimer::timeout, this, [this, document] { Write(document); });
    m_watched.insert(document, watched);
    connect(document, &CDocument::contentsEdited, this, [this, document] { OnEdited(document); });
    connect(document, &CDocument::modifiedChanged, this,
            [this, document](bool modified) { OnModifiedChanged(document, modified); });
    // Closing, with or without saving, ends the journal; only a process that
    // dies leaves one behind.
    connect(document, &QObject::destroyed, this, [this, document] { Remove(document); });
}

void CRecoveryJournal::OnEdited(CDocument* document)
{
    if (auto it = m_watched.find(document); it != m_watched.end())
        it->m_pTimer->start();
}

void CRecoveryJournal::OnModifiedChanged(CDocument* document, bool modified)
{
    if (modified) {
        OnEdited(document);
        return;
    }
    auto it = m_watched.find(document);
    if (it == m_watched.end())
        return;
    it->m_pTimer->stop();
    const QString file = it->m_strFile;
    m_disk.start([file] { QFile::remove(file); });
}

void CRecoveryJournal::JournalNow(CDocument* document)
{
    Write(document);
}

void CRecoveryJournal::Write(CDocument* document)
{
    auto it = m_watched.find(document);
    if (it == m_watched.end())
        return;
    it->m_pTimer->stop();
    if (!document->IsModified())
        return;
    // Only the copy of the text is made here; the bytes are made and
    // written by the worker.
    const std::function<QByteArray()> store = document->StoreLater();
    if (!store)
        return;
    CJournalRecord record;
    record.m_strPath = document->GetPathName();
    record.m_strTitle = document->GetTitle();
    if (CDocTemplate* docTemplate = document->GetDocTemplate())
        record.m_strKind = docTemplate->Strings().m_strDocName;
    record.m_loadStamp = document->DiskStamp();
    record.m_nJournaledMs = QDateTime::currentMSecsSinceEpoch();
    const QString file = it->m_strFile;
    // The destructor waits for the worker, so this outlives the task.
    m_disk.start([this, file, record, store] {
        QString reason;
        if (CAtomicFile::WriteScratch(file, record.Encode(store()), &reason))
            return;
        QMetaObject::invokeMethod(this, [this, reason] {
            if (reason != m_strLastFailure) {
                m_strLastFailure = reason;
                emit writeFailed(reason);
            }
        });
    });
}

void CRecoveryJournal::Remove(CDocument* document)
{
    const CWatched watched = m_watched.take(document);
    if (!watched.m_pTimer)
        return;
    delete watched.m_pTimer;
    const QString file = watched.m_strFile;
    m_disk.start([file] { QFile::remove(file); });
}

void CRecoveryJournal::WaitForDisk()
{
    m_disk.waitForDone();
}

QString CRecoveryJournal::JournalFile(CDocument* document) const
{
    return m_watched.value(document).m_strFile;
}
