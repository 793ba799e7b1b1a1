#include "editor/TokenFormats.h"

#include <QFont>

CTokenFormats::CTokenFormats()
{
    for (int i = 0; i < 5; ++i) {
        const auto tokenClass = ZtTokenClass(i);
        const Style style = StyleOf(tokenClass);
        QTextCharFormat& format = m_formats[std::size_t(i)];
        format.setForeground(style.color);
        format.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
        format.setProperty(ClassProperty, i);
    }
}

CTokenFormats::Style CTokenFormats::StyleOf(ZtTokenClass tokenClass)
{
    switch (tokenClass) {
    case ZtTokenClass::Primary:
        return {QColor(0, 0, 255), false};
    case ZtTokenClass::Secondary:
        return {QColor(0, 0, 0), true};
    case ZtTokenClass::String:
        return {QColor(120, 100, 50), false};
    case ZtTokenClass::Number:
    case ZtTokenClass::Other:
        break;
    }
    return {QColor(0, 0, 0), false};
}

ZtTokenClass CTokenFormats::ClassOf(const QTextCharFormat& format)
{
    const int value = format.intProperty(ClassProperty);
    if (value < 0 || value > int(ZtTokenClass::Number))
        return ZtTokenClass::Other;
    return ZtTokenClass(value);
}

QList<QTextLayout::FormatRange> CTokenFormats::Ranges(const std::vector<CSyntaxToken>& tokens,
                                                      int from, int to) const
{
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(qsizetype(tokens.size() * 2 + 1));
    const QTextCharFormat& other = Format(ZtTokenClass::Other);
    int gapStart = from;
    for (const CSyntaxToken& token : tokens) {
        if (token.start > gapStart)
            ranges.append({gapStart, token.start - gapStart, other});
        ranges.append({token.start, token.end - token.start, Format(token.tokenClass)});
        gapStart = token.end;
    }
    if (to > gapStart)
        ranges.append({gapStart, to - gapStart, other});
    return ranges;
}

QList<QTextLayout::FormatRange> CTokenFormats::Splice(
    const QList<QTextLayout::FormatRange>& existing, int from, int to,
    const QList<QTextLayout::FormatRange>& fresh)
{
    QList<QTextLayout::FormatRange> result;
    result.reserve(existing.size() + fresh.size());
    // Ranges kept from before the spliced part come first, then the fresh
    // ones, then those after it, so the result stays in position order.
    for (const QTextLayout::FormatRange& range : existing) {
        const int end = range.start + range.length;
        if (range.start < from)
            result.append({range.start, qMin(end, from) - range.start, range.format});
    }
    result.append(fresh);
    for (const QTextLayout::FormatRange& range : existing) {
        const int end = range.start + range.length;
        if (end > to) {
            const int start = qMax(range.start, to);
            result.append({start, end - start, range.format});
        }
    }
    return result;
}
