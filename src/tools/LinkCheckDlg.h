#pragma once

#include "tools/LinkCheckJob.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The modeless Check Links window: runs a CLinkCheckJob over a folder and
// lists the broken links, the links whose letter case differs on disk, and
// the files no page links to.
class CLinkCheckDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CLinkCheckDlg(QWidget* parent = nullptr);

    void Start(const QString& folder);
    bool IsChecking() const { return m_job.IsRunning(); }
    QTreeWidget* Results() const { return m_pResults; }

signals:
    // A row was chosen: the file, the 1-based line (0 for an orphan) and the
    // link's place in that line.
    void linkChosen(const QString& path, int line, qsizetype column, qsizetype length);

protected:
    void reject() override;

private:
    void OnFinished(const CLinkReport& report);
    void ChooseRow(QTreeWidgetItem* item);

    CLinkCheckJob m_job;
    QString m_strFolder;
    QTreeWidget* m_pResults = nullptr;
    QLabel* m_pStatus = nullptr;
    QPushButton* m_pClose = nullptr;
};
