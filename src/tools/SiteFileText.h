#pragma once

#include "tools/SiteMatcher.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class QTextDocument;

// One line that holds matches, as the result list shows it.
struct CLineMatch
{
    int line = 0;       // 1-based
    QString text;       // the line, or a stretch of it around the matches when it is very long
    qsizetype textOffset = 0; // where text starts in the line
    QVector<CTextSpan> spans; // in the whole line
};

// What replacing did to a file's bytes.
struct CFileReplacement
{
    enum Outcome { Unchanged, Replaced, Binary, Undecodable, WouldBeEmpty, Unencodable };
    Outcome outcome = Unchanged;
    QByteArray bytes; // the new contents when Replaced
    int count = 0;
};

// Find and replace over a file's bytes and over an open document, in the
// editor's own reading of bytes as text: a file is decoded as the editor would
// decode it, the matches are found line by line, and the replaced text is
// written back with every line end and the encoding it was read with, so that
// every byte outside the matches stays as it was.
//
// A file holding a zero byte is binary: the editor would show only the text
// before that byte, so it is never searched or changed.
namespace ZtSiteFileText {

bool IsBinary(const QByteArray& bytes);
QVector<CLineMatch> FindInBytes(const QByteArray& bytes, const CSiteMatcher& matcher);
// Refuses (Undecodable) a file whose decoded text would not give back its
// bytes, (WouldBeEmpty) a replacement that leaves nothing of a file, and
// (Unencodable) a replacement the file's 8-bit encoding cannot hold.
CFileReplacement ReplaceInBytes(const QByteArray& bytes, const CSiteMatcher& matcher);

QVector<CLineMatch> FindInDocument(const QTextDocument* document, const CSiteMatcher& matcher);
// Replaces in the document as one edit that one undo takes back; returns the
// number of matches replaced.
int ReplaceInDocument(QTextDocument* document, const CSiteMatcher& matcher);

// The result row of a line: long lines are cut to a stretch around the
// matches so that a minified file does not fill the list.
CLineMatch MakeLineMatch(int lineNumber, QStringView line, const QVector<CTextSpan>& spans);

} // namespace ZtSiteFileText
