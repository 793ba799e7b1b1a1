#pragma once

#include "app/RecoverDlg.h"
#include "framework/JournalRecord.h"

#include <QList>
#include <QObject>

#include <functional>
#include <memory>

class CDocTemplate;
class CDocument;
class CRecoveryFolder;
class CRecoveryJournal;

// The program's side of the journals: it keeps this process's session, hands
// every editable document to the journal, and at start offers what a process
// that ended without saving left behind.
class CUnsavedWork : public QObject
{
    Q_OBJECT
public:
    // root empty: the default recovery folder.
    explicit CUnsavedWork(const QString& root = QString(), QObject* parent = nullptr);
    ~CUnsavedWork() override;

    // Opens this process's session and claims the journals of gone ones.
    void Start();
    bool HasOrphans() const { return !m_orphans.isEmpty(); }
    QList<CJournalRecord> Orphans() const { return m_orphans; }

    void Watch(CDocument* document);
    CRecoveryJournal* Journal() const { return m_pJournal.get(); }

    // Asks what to do with the orphans and does it; templates open the
    // recovered documents (the one whose document name a journal records).
    void OfferRecovery(const QList<CDocTemplate*>& templates);
    // Carries out a choice; the journals of recovered and discarded documents
    // are removed, the rest (unchecked, damaged, Later) are kept.
    void Apply(const CRecoveryChoice& choice, const QList<CDocTemplate*>& templates);
    // Opens one journal as a modified document at its path; null when the
    // journal is damaged or no template takes it.
    // True when a document of templates already stands for path.
    static bool IsOpen(const QString& path, const QList<CDocTemplate*>& templates);
    CDocument* Recover(CJournalRecord& record, const QList<CDocTemplate*>& templates);

    // Replaces the dialog; tests answer it.
    using Asker = std::function<CRecoveryChoice(const QList<CJournalRecord>&)>;
    static void SetAsker(Asker asker);

signals:
    // For the status bar: journals cannot be written, and why.
    void journalProblem(const QString& message);

private:
    std::unique_ptr<CRecoveryFolder> m_pFolder;
    std::unique_ptr<CRecoveryJournal> m_pJournal;
    QList<CJournalRecord> m_orphans;
};
