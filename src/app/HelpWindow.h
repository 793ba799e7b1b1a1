#pragma once

#include <QWidget>

class CHelpFile;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

// The whole help: the contents (the chapters and their topics) on the left,
// the chosen page on the right. One window for the program, opened by the
// Help menu's commands.
class CHelpWindow : public QWidget
{
    Q_OBJECT
public:
    CHelpWindow(const CHelpFile& helpFile, QWidget* parent);

    // Shows the topic for control id; 0 shows the contents page.
    void ShowTopic(int id);
    // The Markdown of the page on show.
    QString PageText() const { return m_strPage; }

private:
    void FillContents();
    void OnItemChanged(QTreeWidgetItem* item);
    void ShowPage(const QString& markdown);
    QString ChapterPage(int chapter) const;

    const CHelpFile& m_helpFile;
    QTreeWidget* m_pContents;
    QTextBrowser* m_pPage;
    QString m_strPage;
};
