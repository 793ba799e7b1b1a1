#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>
#include <QVector>

class QTextDocument;

// One message of HTML Tidy about a page, placed on the text that was checked.
struct CTidyMessage
{
    enum Severity { Warning, Error };
    int line = 0;          // 1-based line of the checked text; 0 for the page as a whole
    qsizetype column = 0;  // offset in the line's text, in the editor's characters
    Severity severity = Warning;
    QString text;          // Tidy's text, without its place and severity
};

// What a check found: its messages in the order of their places, and how
// many more there were beyond the ones kept.
struct CTidyReport
{
    QVector<CTidyMessage> messages;
    int omitted = 0;
    bool tooLarge = false; // the text was not checked at all
};

// Checks a page's text with HTML Tidy (libtidy) and returns its errors and
// warnings. Tidy only reads: nothing is written, the text is not changed.
//
// Tidy counts lines and columns on the text it is given: lines end at '\n',
// a column is one character (a code point, so one column for a character the
// editor holds as two), and a tab reaches the next stop of eight. The text is
// therefore given as the editor holds it, lines joined by '\n' whatever the
// file's line ends, and each column is mapped back to an offset in its line.
class CTidyValidator
{
public:
    // Larger texts are refused, with no check: Tidy builds the whole tree at
    // once, and a 20 MB page takes it seconds and hundreds of megabytes.
    static constexpr qsizetype kMaxCharacters = 8 * 1024 * 1024;
    // A broken page can bring one message for nearly every tag; the list
    // keeps the first ones and counts the others.
    static constexpr int kMaxMessages = 10000;
    // Tidy's tab stops, set on every check so that the mapping agrees.
    static constexpr int kTabSize = 8;

    // Checks text whose lines are joined by '\n'. Safe on any thread.
    static CTidyReport Validate(QStringView text);
    static bool IsTooLarge(qsizetype characters) { return characters > kMaxCharacters; }

    // The offset in line of Tidy's 1-based column; past the line's end, its
    // length.
    static qsizetype TextColumn(QStringView line, int tidyColumn);
    // The text document holds, lines joined by '\n', as Validate takes it.
    static QString EditorText(const QTextDocument* document);
};

Q_DECLARE_METATYPE(CTidyReport)
