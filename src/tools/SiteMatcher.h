#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

// What Find in Files looks for and what it puts in its place.
struct CSiteSearchOptions
{
    QString pattern;
    QString replacement;
    bool matchCase = false;
    bool wholeWord = false;
    bool regularExpression = false;
};

// A match inside one line: offsets in UTF-16 units of the line's text.
struct CTextSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
};

// Finds and replaces a pattern within single lines of text, and tells from a
// file's raw bytes whether it can hold a match at all, so that most files of
// a site are passed over without being decoded.
//
// A match never spans a line end and never has zero length: replacing then
// touches only the characters of the lines it matched, whatever bytes end
// them. In a regular expression, "\1" to "\9" in the replacement stand for the
// groups of the match.
class CSiteMatcher
{
public:
    explicit CSiteMatcher(const CSiteSearchOptions& options);

    // False when there is nothing to look for or the expression does not
    // compile; Error() then says why.
    bool IsValid() const { return m_strError.isEmpty(); }
    QString Error() const { return m_strError; }
    const CSiteSearchOptions& Options() const { return m_options; }

    // False only when bytes surely hold no match, in either encoding a file
    // may be read in. Plain patterns of ASCII letters are looked for in the
    // bytes themselves; other patterns always answer true.
    bool MayMatch(const QByteArray& bytes) const;
    // False only when no line of text (lines joined by '\n') can hold a
    // match: one pass over the whole text instead of a call per line.
    bool MayMatchText(const QString& text) const;
    // The matches in line; replacements, when given, receives the text that
    // takes the place of each.
    QVector<CTextSpan> FindInLine(QStringView line, QStringList* replacements = nullptr) const;
    // The line with every match replaced; adds the number replaced to count.
    QString ReplaceInLine(QStringView line, int* count) const;

private:
    CTextSpan NextMatch(QStringView line, qsizetype from, QStringList* groups) const;
    bool IsWholeWord(QStringView line, const CTextSpan& span) const;
    QString Replacement(const QStringList& groups) const;

    CSiteSearchOptions m_options;
    QRegularExpression m_regex;
    QRegularExpression m_wholeText; // m_regex over many lines; invalid when it could miss a line's match
    QByteArray m_asciiPattern; // the pattern, when it is ASCII and not an expression
    QString m_strError;
};
