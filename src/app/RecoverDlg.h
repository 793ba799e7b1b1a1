#pragma once

#include "framework/JournalRecord.h"

#include <QDialog>
#include <QList>

class QTreeWidget;

// The choice made about the journals found at start.
struct CRecoveryChoice
{
    enum class Action { Recover, Discard, Later };
    Action m_action = Action::Later;
    // Indexes of the journals the user left checked.
    QList<int> m_checked;
};

// "Recover Unsaved Work": the journals a gone process left, one checked row
// each (file name, folder, journal time, and whether the file changed on
// disk since or the journal is damaged). Return recovers, Escape keeps
// everything for the next start, Discard asks once before it throws away.
class CRecoverDlg : public QDialog
{
    Q_OBJECT
public:
    CRecoverDlg(const QList<CJournalRecord>& records, QWidget* parent = nullptr);

    CRecoveryChoice Choice() const;
    QTreeWidget* List() const { return m_pList; }

    // One row's texts, in column order.
    static QStringList RowTexts(const CJournalRecord& record);

private:
    void OnDiscard();

    QTreeWidget* m_pList = nullptr;
    CRecoveryChoice::Action m_action = CRecoveryChoice::Action::Later;
};
