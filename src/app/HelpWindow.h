#pragma once

#include <QWidget>

class CHelpFile;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

// The whole help: the contents (the task topics, the chapters and their
// topics) on the left, the chosen page on the right, and a Close button.
// One window for the program, opened by the Help menu's commands; Escape
// closes it.
class CHelpWindow : public QWidget
{
    Q_OBJECT
public:
    CHelpWindow(const CHelpFile& helpFile, QWidget* parent);

    // Shows the topic for control id; 0 shows the contents page.
    void ShowTopic(int id);
    // The Markdown of the page on show.
    QString PageText() const { return m_strPage; }

protected:
    // Hands the keys back to the main window: without a window manager
    // nothing else would, and the next Alt+letter would go nowhere.
    void closeEvent(QCloseEvent* event) override;

private:
    void FillContents();
    // Selects the topic at index of the help file's topics in the contents
    // and shows it; -1 shows the contents page.
    void ShowTopicAt(int index);
    void OnLinkClicked(const QUrl& url);
    void OnItemChanged(QTreeWidgetItem* item);
    void ShowPage(const QString& markdown);
    QString ChapterPage(int chapter) const;

    const CHelpFile& m_helpFile;
    QTreeWidget* m_pContents;
    QTextBrowser* m_pPage;
    QString m_strPage;
};
