#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// A keyword file (".kwd") as bytes: every line is one keyword, its text
// without the line end; empty lines are keywords with empty text. The edits
// are plain functions from bytes to bytes that change only the line they
// are asked to change: every other line keeps its bytes and its own end
// (LF, CR LF, CR), invalid UTF-8 included. A line is named by its index and
// the text it is expected to hold, so an edit of a file that changed on
// disk since it was read is refused (no value) rather than hitting the
// wrong line.
class CKeywordFile
{
public:
    struct CLine
    {
        qsizetype m_nStart = 0;     // offset of the text
        qsizetype m_nLength = 0;    // bytes of text
        qsizetype m_nEndLength = 0; // bytes of the line end (0 on a last line without one)
    };

    // The lines of bytes. A line end is LF, CR LF or a lone CR; a file that
    // ends with a line end has no empty line after it.
    static QVector<CLine> Lines(const QByteArray& bytes);
    // The keywords' texts: UTF-8, or Windows-1252 for a line that is not.
    static QStringList Keywords(const QByteArray& bytes);
    static QString Decode(QByteArrayView line);
    // The bytes a keyword's text is written as (UTF-8).
    static QByteArray Encode(const QString& text);

    // Adds text as the line at index (0 the first, the line count the end).
    // The new line takes the file's most common end (CR LF in a file that
    // has none); added at the end of a file whose last line has no end, that
    // line gets one, and the new line keeps the file's missing last end.
    static QByteArray InsertLine(const QByteArray& bytes, qsizetype index, const QString& text);
    // Replaces the text of line index, which must read expected; its end stays.
    static std::optional<QByteArray> RenameLine(const QByteArray& bytes, qsizetype index, const QString& expected,
                                                const QString& text);
    // Removes line index, with its end, when it reads expected.
    static std::optional<QByteArray> DeleteLine(const QByteArray& bytes, qsizetype index, const QString& expected);
    // Moves line from (reading expected, keeping its bytes and end) so that it
    // stands before the line that is at index to now (the line count: the end).
    static std::optional<QByteArray> MoveLine(const QByteArray& bytes, qsizetype from, const QString& expected,
                                              qsizetype to);

private:
    // ownEnd empty: the file's most common end.
    static QByteArray InsertRaw(const QByteArray& bytes, qsizetype index, const QByteArray& text,
                                const QByteArray& ownEnd = QByteArray());
    static QByteArray CommonEnd(const QByteArray& bytes, const QVector<CLine>& lines);
    static bool Reads(const QByteArray& bytes, const QVector<CLine>& lines, qsizetype index, const QString& expected);
};
