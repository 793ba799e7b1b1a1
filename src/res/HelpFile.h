#pragma once

#include <QList>
#include <QString>

// One topic of the help file: a heading and the Markdown text under it.
struct CHelpTopic
{
    int m_nId = 0;         // the control id it explains; 0 for a topic reached from the contents only
    QString m_strChapter;  // the chapter (a dialog) it belongs to; empty for a task
    QString m_strTitle;
    QString m_strBody;     // Markdown

    // A task topic tells how to do a piece of work rather than what one
    // field is for; it stands before the first chapter.
    bool IsTask() const { return m_strChapter.isEmpty(); }
};

// A chapter: one dialog of the program, with an introduction.
struct CHelpChapter
{
    QString m_strTitle;
    QString m_strIntro;    // Markdown
};

// The program's help file, written in Markdown: "# Title" once, then the
// introduction; "### Title" for each task topic (how to do a piece of work),
// before any chapter; "## Chapter" for each dialog; "### 1007 Title" under a
// chapter for the topic of control 1007 (the number may be left out). The
// file is a resource of the program (":/files/zentrel-help.md"); the context
// help of every dialog looks its topics up here by control id, and the
// contents page lists the task topics, so a new task is one more "### Title"
// block before the first chapter.
class CHelpFile
{
public:
    // The program's own help file, read once.
    static const CHelpFile& Program();
    static CHelpFile Parse(const QString& markdown);

    QString Title() const { return m_strTitle; }
    QString Intro() const { return m_strIntro; }
    const QList<CHelpChapter>& Chapters() const { return m_chapters; }
    const QList<CHelpTopic>& Topics() const { return m_topics; }
    // The first topic for control id, or null.
    const CHelpTopic* Topic(int id) const;
    // The page the help opens at: the title, the introduction and a link to
    // every task topic, in the file's order.
    QString ContentsPage() const;
    // The address of a link to the topic at index of Topics(), and back: the
    // index a link leads to, or -1 for any other address.
    static QString TopicLink(int index);
    static int TopicIndexOfLink(const QString& link);

private:
    void AddHeading(int level, const QString& text);
    void AddLine(const QString& line);

    QString m_strTitle;
    QString m_strIntro;
    QList<CHelpChapter> m_chapters;
    QList<CHelpTopic> m_topics;
    int m_nLevel = 0; // the heading level the last line belongs to
};
