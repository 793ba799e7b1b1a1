#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QThreadPool>

class CDocument;
class QTimer;

// Keeps the unsaved text of every watched document in a journal file, so
// that a crash, a kill or a power cut loses at most the last second of
// typing.
//
// An edit (re)starts a one-second timer for its document; when it fires the
// document's text is copied out (StoreLater), and a worker thread makes the
// bytes exactly as Save would write them and writes them through CAtomicFile
// into the session folder. The keystroke itself only restarts a timer, whatever the size of
// the page. The journal is removed when the document stops being modified
// (saved, or undone back to the saved text) and when it closes. Work for
// one process runs in order on one worker, so a removal never overtakes the
// write before it.
class CRecoveryJournal : public QObject
{
    Q_OBJECT
public:
    // sessionFolder empty: nothing is journaled.
    explicit CRecoveryJournal(const QString& sessionFolder, QObject* parent = nullptr);
    ~CRecoveryJournal() override;

    void Watch(CDocument* document);
    // Writes the journal of a modified document now rather than after the
    // pause (a recovered document, whose journal must not wait for an edit).
    void JournalNow(CDocument* document);
    // Blocks until every queued write and removal is done.
    void WaitForDisk();
    // The journal file that belongs to document, written or not.
    QString JournalFile(CDocument* document) const;

    // How long after the last edit the journal is written.
    static constexpr int kPauseMs = 1000;

signals:
    // A journal could not be written; reported once per reason.
    void writeFailed(const QString& reason);

private:
    struct CWatched
    {
        QString m_strFile;
        QTimer* m_pTimer = nullptr;
    };
    void OnEdited(CDocument* document);
    void OnModifiedChanged(CDocument* document, bool modified);
    void Write(CDocument* document);
    void Remove(CDocument* document);

    QString m_strSession;
    QHash<CDocument*, CWatched> m_watched;
    int m_nNextId = 1;
    QString m_strLastFailure;
    QThreadPool m_disk;
};
