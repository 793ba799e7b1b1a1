#pragma once

#include "framework/SizeControlBar.h"
#include "tools/TidyValidator.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// The "Messages" docking bar: the errors and warnings of the last page
// validated, one row each (line, column, text). Double-clicking a row, or
// Return on it, asks for its place in the page.
class CMessagesBar : public CSizeControlBar
{
    Q_OBJECT
public:
    static constexpr int kDockedInset = 2;

    explicit CMessagesBar(QWidget* parent = nullptr);

    // What the bar says while a check runs, and when it brings the report of
    // page (its title or file name).
    void ShowRunning(const QString& page);
    void ShowReport(const QString& page, const CTidyReport& report);

    QTreeWidget* List() const { return m_pList; }
    QLabel* Summary() const { return m_pSummary; }

signals:
    // line is 1-based, column an offset in the line's text.
    void messageChosen(int line, qsizetype column);

private:
    void OnActivated(QTreeWidgetItem* item);

    QLabel* m_pSummary;
    QTreeWidget* m_pList;
};
