#pragma once

#include "tools/OpenText.h"
#include "tools/SiteSearchJob.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The modeless Find in Files dialog: the search fields, the result list
// grouped by file, and Find All and Replace All over a folder. The search
// runs in a CSiteSearchJob; open documents are searched and replaced in the
// editor, each replacement one undoable edit.
class CFindInFilesDlg : public QDialog
{
    Q_OBJECT
public:
    // openTexts: the documents open now, asked at each search.
    CFindInFilesDlg(const std::function<QList<COpenText>()>& openTexts, QWidget* parent = nullptr);

    // Fills the fields a new search starts from: the selection and the folder.
    void Prepare(const QString& findWhat, const QString& folder);

    void FindAll();
    void ReplaceAll();
    bool IsSearching() const { return m_job.IsRunning(); }
    QTreeWidget* Results() const { return m_pResults; }

    static QString DefaultFilePatterns();

signals:
    // A result row was chosen: the file, its 1-based line, and the match's
    // place in that line.
    void matchChosen(const QString& path, int line, qsizetype start, qsizetype length);

protected:
    void reject() override;

private:
    void BuildFields();
    // Checks the fields; false (after saying why) when no search can start.
    bool StartSearch(bool forReplace);
    void AddFiles(const QVector<CFileMatches>& files);
    void OnProgress(int filesSearched);
    void OnFinished(const CSiteSearchSummary& summary);
    void AskAndReplace();
    void OnReplaced(const CSiteSearchSummary& summary);
    void ChooseRow(QTreeWidgetItem* item);
    void ShowStatus(const QString& text);
    CSiteSearchOptions Options() const;

    std::function<QList<COpenText>()> m_openTexts;
    QLineEdit* m_pFindWhat = nullptr;
    QLineEdit* m_pReplaceWith = nullptr;
    QLineEdit* m_pFolder = nullptr;
    QPushButton* m_pBrowse = nullptr;
    QLineEdit* m_pFiles = nullptr;
    QCheckBox* m_pMatchCase = nullptr;
    QCheckBox* m_pWholeWord = nullptr;
    QCheckBox* m_pRegex = nullptr;
    QPushButton* m_pFindAll = nullptr;
    QPushButton* m_pReplaceAll = nullptr;
    QPushButton* m_pClose = nullptr;
    QTreeWidget* m_pResults = nullptr;
    QLabel* m_pStatus = nullptr;

    CSiteSearchJob m_job;
    enum class Stage { Idle, Finding, FindingForReplace, Replacing };
    Stage m_stage = Stage::Idle;
    CSiteSearchOptions m_searched;
    // Of the search under way: the open documents it took matches from.
    QList<COpenText> m_openMatched;
    QStringList m_closedMatched;
    int m_nMatches = 0;
    int m_nListedLines = 0;
    int m_nFiles = 0;
    int m_nOpenReplaced = 0;
    int m_nOpenFilesReplaced = 0;
};
