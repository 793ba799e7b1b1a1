#pragma once

#include <QList>
#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>

#include "framework/JournalRecord.h"

// The folder that holds the journals of unsaved work, and which of them
// belong to this process.
//
// Each running process keeps its journals in a session folder of its own
// ("<pid>-<start time>") beside a lock file of the same name that it holds
// while it runs. A session whose lock can be taken belongs to a process that
// is gone (killed, crashed, logged out): its journals are the ones to offer
// for recovery. A running process's lock cannot be taken, so two processes
// never offer each other's live journals.
//
// Anything that is not as expected (a folder that is a link, cannot be made
// or written, foreign files, damaged journals) disables journaling or is
// skipped; nothing here shows a message or blocks.
class CRecoveryFolder
{
public:
    // root empty: $XDG_STATE_HOME/Zentrel/recovery (~/.local/state when
    // the variable is not set to an absolute path).
    explicit CRecoveryFolder(const QString& root = QString());
    ~CRecoveryFolder();

    static QString DefaultRoot();
    QString Root() const { return m_strRoot; }

    // Makes and locks this process's session folder; false when journals
    // cannot be kept (the reason in Problem()).
    bool Open();
    bool IsOpen() const { return m_ownLock != nullptr; }
    QString Problem() const { return m_strProblem; }
    // The folder this process writes its journals to; empty when not open.
    QString SessionFolder() const { return m_strSession; }

    // Locks the sessions of processes that are gone and returns their
    // journals, damaged ones included. The locks are kept until
    // ReleaseOrphans(), so a second start meanwhile does not offer them too.
    QList<CJournalRecord> ClaimOrphans();
    // Removes emptied orphan sessions and lets go of their locks.
    void ReleaseOrphans();

private:
    bool IsUsableFolder(const QString& folder) const;

    QString m_strRoot;
    QString m_strSession;
    QString m_strProblem;
    std::unique_ptr<QLockFile> m_ownLock;
    QList<std::shared_ptr<QLockFile>> m_orphanLocks;
    QStringList m_orphanFolders;
};
