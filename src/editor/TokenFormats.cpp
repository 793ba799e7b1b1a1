#include "editor/TokenFormats.h"

#include <QFont>

CTokenFormats::CTokenFormats()
{
    for (int i = 0; i < kTokenClassCount; ++i) {
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
    // The structural classes: each part of the markup a hue of its own, the
    // style sheet's and the script's in their own families, all dark enough
    // to read on white.
    case ZtTokenClass::Tag:
        return {QColor(0, 0, 160), false};
    case ZtTokenClass::AttributeName:
        return {QColor(165, 55, 0), false};
    case ZtTokenClass::AttributeValue:
        return {QColor(0, 115, 0), false};
    case ZtTokenClass::Comment:
        return {QColor(110, 110, 110), false};
    case ZtTokenClass::Entity:
        return {QColor(175, 0, 110), false};
    case ZtTokenClass::Doctype:
        return {QColor(100, 0, 160), true};
    case ZtTokenClass::CssSelector:
        return {QColor(140, 0, 0), false};
    case ZtTokenClass::CssProperty:
        return {QColor(0, 90, 170), false};
    case ZtTokenClass::CssValue:
        return {QColor(0, 110, 100), false};
    case ZtTokenClass::CssString:
    case ZtTokenClass::JsString:
        return {QColor(160, 90, 0), false};
    case ZtTokenClass::CssComment:
    case ZtTokenClass::JsComment:
        return {QColor(90, 125, 60), false};
    case ZtTokenClass::CssAtRule:
        return {QColor(120, 60, 0), true};
    case ZtTokenClass::JsKeyword:
        return {QColor(0, 0, 200), true};
    case ZtTokenClass::JsNumber:
        return {QColor(0, 120, 130), false};
    case ZtTokenClass::JsRegex:
        return {QColor(180, 40, 120), false};
    case ZtTokenClass::Number:
    case ZtTokenClass::Other:
        break;
    }
    return {QColor(0, 0, 0), false};
}

ZtTokenClass CTokenFormats::ClassOf(const QTextCharFormat& format)
{
    const int value = format.intProperty(ClassProperty);
    if (value < 0 || value >= kTokenClassCount)
        return ZtTokenClass::Other;
    return ZtTokenClass(value);
}

namespace {

// Calls visit(start, length, class) for each range a block shows: every token
// and every gap between tokens (as other text), in order.
template <typename Visit>
bool ForEachRange(const std::vector<CSyntaxToken>& tokens, int from, int to, Visit visit)
{
    int gapStart = from;
    for (const CSyntaxToken& token : tokens) {
        if (token.start > gapStart && !visit(gapStart, token.start - gapStart, ZtTokenClass::Other))
            return false;
        if (!visit(token.start, token.end - token.start, token.tokenClass))
            return false;
        gapStart = token.end;
    }
    return to <= gapStart || visit(gapStart, to - gapStart, ZtTokenClass::Other);
}

qsizetype RangeCount(const std::vector<CSyntaxToken>& tokens, int from, int to)
{
    qsizetype count = 0;
    ForEachRange(tokens, from, to, [&count](int, int, ZtTokenClass) { return ++count, true; });
    return count;
}

} // namespace

QList<QTextLayout::FormatRange> CTokenFormats::Ranges(const std::vector<CSyntaxToken>& tokens,
                                                      int from, int to) const
{
    // Sized first and filled in place: each range then costs one reference
    // to its shared format and no temporaries.
    QList<QTextLayout::FormatRange> ranges(RangeCount(tokens, from, to));
    QTextLayout::FormatRange* range = ranges.data();
    ForEachRange(tokens, from, to, [&](int start, int length, ZtTokenClass tokenClass) {
        range->start = start;
        range->length = length;
        range->format = Format(tokenClass);
        ++range;
        return true;
    });
    return ranges;
}

bool CTokenFormats::Matches(const QList<QTextLayout::FormatRange>& ranges,
                            const std::vector<CSyntaxToken>& tokens, int from, int to) const
{
    if (ranges.size() != RangeCount(tokens, from, to))
        return false;
    const QTextLayout::FormatRange* range = ranges.constData();
    return ForEachRange(tokens, from, to, [&](int start, int length, ZtTokenClass tokenClass) {
        const bool same = range->start == start && range->length == length
                          && range->format == Format(tokenClass);
        ++range;
        return same;
    });
}

bool CTokenFormats::AdoptShared(const QList<QTextLayout::FormatRange>& ranges)
{
    for (const QTextLayout::FormatRange& range : ranges) {
        const ZtTokenClass tokenClass = ClassOf(range.format);
        if (range.format == Format(tokenClass)) {
            m_formats[std::size_t(tokenClass)] = range.format;
            m_nSharedClasses |= 1u << unsigned(tokenClass);
        }
    }
    return (m_nSharedClasses & m_nClassesInUse) == m_nClassesInUse;
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
