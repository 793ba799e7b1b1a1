#include "projects/KeywordFile.h"

#include <QStringDecoder>

QVector<CKeywordFile::CLine> CKeywordFile::Lines(const QByteArray& bytes)
{
    QVector<CLine> lines;
    const qsizetype size = bytes.size();
    const char* data = bytes.constData();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] != '\n' && data[i] != '\r')
            continue;
        const qsizetype endLength = data[i] == '\r' && i + 1 < size && data[i + 1] == '\n' ? 2 : 1;
        lines.append({start, i - start, endLength});
        i += endLength - 1;
        start = i + 1;
    }
    if (start < size)
        lines.append({start, size - start, 0});
    return lines;
}

QString CKeywordFile::Decode(QByteArrayView line)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(line);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1252("windows-1252");
    return windows1252.isValid() ? QString(windows1252.decode(line)) : QString::fromLatin1(line);
}

QByteArray CKeywordFile::Encode(const QString& text)
{
    return text.toUtf8();
}

QStringList CKeywordFile::Keywords(const QByteArray& bytes)
{
    const QVector<CLine> lines = Lines(bytes);
    QStringList keywords;
    keywords.reserve(lines.size());
    for (const CLine& line : lines)
        keywords.append(Decode(QByteArrayView(bytes.constData() + line.m_nStart, line.m_nLength)));
    return keywords;
}

QByteArray CKeywordFile::CommonEnd(const QByteArray& bytes, const QVector<CLine>& lines)
{
    int crlf = 0, lf = 0, cr = 0;
    for (const CLine& line : lines) {
        if (line.m_nEndLength == 2)
            ++crlf;
        else if (line.m_nEndLength == 1)
            ++(bytes.at(line.m_nStart + line.m_nLength) == '\n' ? lf : cr);
    }
    if (lf > crlf && lf >= cr)
        return QByteArrayLiteral("\n");
    if (cr > crlf && cr > lf)
        return QByteArrayLiteral("\r");
    // What a file written in text mode holds, and a new file's choice.
    return QByteArrayLiteral("\r\n");
}

bool CKeywordFile::Reads(const QByteArray& bytes, const QVector<CLine>& lines, qsizetype index,
                         const QString& expected)
{
    if (index < 0 || index >= lines.size())
        return false;
    const CLine& line = lines.at(index);
    return Decode(QByteArrayView(bytes.constData() + line.m_nStart, line.m_nLength)) == expected;
}

QByteArray CKeywordFile::InsertLine(const QByteArray& bytes, qsizetype index, const QString& text)
{
    return InsertRaw(bytes, index, Encode(text));
}

QByteArray CKeywordFile::InsertRaw(const QByteArray& bytes, qsizetype index, const QByteArray& text,
                                   const QByteArray& ownEnd)
{
    const QVector<CLine> lines = Lines(bytes);
    const QByteArray end = ownEnd.isEmpty() ? CommonEnd(bytes, lines) : ownEnd;
    index = qBound(qsizetype(0), index, lines.size());
    if (index < lines.size())
        return bytes.left(lines.at(index).m_nStart) + text + end + bytes.mid(lines.at(index).m_nStart);
    if (!lines.isEmpty() && lines.last().m_nEndLength == 0)
        return bytes + end + text;
    return bytes + text + end;
}

std::optional<QByteArray> CKeywordFile::RenameLine(const QByteArray& bytes, qsizetype index,
                                                   const QString& expected, const QString& text)
{
    const QVector<CLine> lines = Lines(bytes);
    if (!Reads(bytes, lines, index, expected))
        return std::nullopt;
    const CLine& line = lines.at(index);
    return bytes.left(line.m_nStart) + Encode(text) + bytes.mid(line.m_nStart + line.m_nLength);
}

std::optional<QByteArray> CKeywordFile::DeleteLine(const QByteArray& bytes, qsizetype index,
                                                   const QString& expected)
{
    const QVector<CLine> lines = Lines(bytes);
    if (!Reads(bytes, lines, index, expected))
        return std::nullopt;
    const CLine& line = lines.at(index);
    return bytes.left(line.m_nStart) + bytes.mid(line.m_nStart + line.m_nLength + line.m_nEndLength);
}

std::optional<QByteArray> CKeywordFile::MoveLine(const QByteArray& bytes, qsizetype from, const QString& expected,
                                                 qsizetype to)
{
    const QVector<CLine> lines = Lines(bytes);
    if (!Reads(bytes, lines, from, expected))
        return std::nullopt;
    if (to == from || to == from + 1)
        return bytes;
    // The moved line keeps its own bytes, whatever their encoding, and its end.
    const CLine& line = lines.at(from);
    const QByteArray text = bytes.mid(line.m_nStart, line.m_nLength);
    const QByteArray end = bytes.mid(line.m_nStart + line.m_nLength, line.m_nEndLength);
    const std::optional<QByteArray> without = DeleteLine(bytes, from, expected);
    // Without the moved line, the lines after it stand one place higher.
    return InsertRaw(*without, to > from ? to - 1 : to, text, end);
}
