#include "tools/SiteFileText.h"

#include "editor/SourceText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
// The longest line a result row shows whole.
constexpr qsizetype kLongLine = 400;
constexpr qsizetype kContext = 80;

// Calls visit(lineNumber, line) for each '\n'-separated line of text.
template <typename Visit>
void ForEachLine(const QString& text, Visit visit)
{
    qsizetype start = 0;
    for (int number = 1;; ++number) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        visit(number, QStringView(text).mid(start, (end < 0 ? text.size() : end) - start));
        if (end < 0)
            return;
        start = end + 1;
    }
}
} // namespace

namespace ZtSiteFileText {

bool IsBinary(const QByteArray& bytes)
{
    return CSourceText::FirstNul(bytes) >= 0;
}

CLineMatch MakeLineMatch(int lineNumber, QStringView line, const QVector<CTextSpan>& spans)
{
    CLineMatch row;
    row.line = lineNumber;
    row.spans = spans;
    if (line.size() <= kLongLine) {
        row.text = line.toString();
        return row;
    }
    const qsizetype from = qMax(qsizetype(0), spans.first().start - kContext);
    row.textOffset = from;
    row.text = line.mid(from, qMin(kLongLine, line.size() - from)).toString();
    return row;
}

QVector<CLineMatch> FindInBytes(const QByteArray& bytes, const CSiteMatcher& matcher)
{
    QVector<CLineMatch> rows;
    if (IsBinary(bytes) || !matcher.MayMatch(bytes))
        return rows;
    const CSourceText source = CSourceText::Decode(bytes);
    if (!matcher.MayMatchText(source.text))
        return rows;
    ForEachLine(source.text, [&](int number, QStringView line) {
        const QVector<CTextSpan> spans = matcher.FindInLine(line);
        if (!spans.isEmpty())
            rows.append(MakeLineMatch(number, line, spans));
    });
    return rows;
}

CFileReplacement ReplaceInBytes(const QByteArray& bytes, const CSiteMatcher& matcher)
{
    CFileReplacement result;
    if (IsBinary(bytes)) {
        result.outcome = CFileReplacement::Binary;
        return result;
    }
    if (!matcher.MayMatch(bytes))
        return result;
    CSourceText source = CSourceText::Decode(bytes);
    if (!matcher.MayMatchText(source.text))
        return result;
    if (source.Bytes() != bytes) {
        result.outcome = CFileReplacement::Undecodable;
        return result;
    }
    QString replaced;
    replaced.reserve(source.text.size());
    ForEachLine(source.text, [&](int number, QStringView line) {
        if (number > 1)
            replaced += QLatin1Char('\n');
        replaced += matcher.ReplaceInLine(line, &result.count);
    });
    if (result.count == 0)
        return result;
    source.text = std::move(replaced);
    result.bytes = source.Bytes();
    // An 8-bit file cannot hold every character: what it cannot hold would be
    // written as UTF-8 and read back as other characters.
    if (source.encoding != CSourceText::Encoding::Utf8 && CSourceText::Decode(result.bytes).text != source.text) {
        result.bytes.clear();
        result.outcome = CFileReplacement::Unencodable;
        return result;
    }
    result.outcome = result.bytes.isEmpty() ? CFileReplacement::WouldBeEmpty : CFileReplacement::Replaced;
    if (result.outcome == CFileReplacement::WouldBeEmpty)
        result.bytes.clear();
    return result;
}

QVector<CLineMatch> FindInDocument(const QTextDocument* document, const CSiteMatcher& matcher)
{
    QVector<CLineMatch> rows;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        const QVector<CTextSpan> spans = matcher.FindInLine(line);
        if (!spans.isEmpty())
            rows.append(MakeLineMatch(block.blockNumber() + 1, line, spans));
    }
    return rows;
}

int ReplaceInDocument(QTextDocument* document, const CSiteMatcher& matcher)
{
    int count = 0;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        QStringList replacements;
        const QVector<CTextSpan> spans = matcher.FindInLine(line, &replacements);
        if (spans.isEmpty())
            continue;
        // Only the matched stretches are replaced, so the line's end, the
        // caret elsewhere and the marks of other lines stay put. From the
        // last match back, so earlier offsets still hold.
        for (qsizetype i = spans.size() - 1; i >= 0; --i) {
            const CTextSpan& span = spans[i];
            cursor.setPosition(block.position() + int(span.start));
            cursor.setPosition(block.position() + int(span.start + span.length), QTextCursor::KeepAnchor);
            cursor.insertText(replacements[i]);
        }
        count += int(spans.size());
    }
    cursor.endEditBlock();
    return count;
}

} // namespace ZtSiteFileText
