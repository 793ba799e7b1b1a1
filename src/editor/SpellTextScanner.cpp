#include "editor/SpellTextScanner.h"

#include <QRegularExpression>

using Mode = CSpellLineState::Mode;
using TagPart = CSpellLineState::TagPart;
using Range = CSpellTextScanner::Range;

namespace {

constexpr char16_t kTypographicApostrophe = u'\u2019';

bool IsApostrophe(QChar c)
{
    return c == u'\'' || c == kTypographicApostrophe;
}

bool IsSpace(QChar c)
{
    return c.isSpace();
}

bool IsNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':' || c == u'.';
}

// A "<" opens markup only before a letter, "/", "!" or "?": "a < b" is text.
bool OpensMarkup(QStringView line, qsizetype at)
{
    if (at + 1 >= line.size())
        return false;
    const QChar next = line[at + 1];
    return next.isLetter() || next == u'/' || next == u'!' || next == u'?';
}

// A value is a URL when it names a scheme or a host, or is a path.
bool LooksLikeUrl(QStringView value)
{
    const QStringView trimmed = value.trimmed();
    return trimmed.contains(u"://") || trimmed.startsWith(u"www.", Qt::CaseInsensitive)
           || trimmed.startsWith(u"mailto:", Qt::CaseInsensitive) || trimmed.startsWith(u'/')
           || trimmed.startsWith(u'#');
}

void Emit(QList<Range>* ranges, qsizetype start, qsizetype end)
{
    if (ranges && end > start)
        ranges->append({int(start), int(end - start)});
}

// Enters the markup that starts with the "<" at at; returns where reading goes on.
qsizetype EnterMarkup(QStringView line, qsizetype at, CSpellLineState& state)
{
    state.part = TagPart::Between;
    state.afterTag = Mode::Text;
    if (line.mid(at).startsWith(u"<!--")) {
        state.mode = Mode::Comment;
        return at + 4;
    }
    state.mode = Mode::Tag;
    const QChar next = line[at + 1];
    if (next == u'!' || next == u'?')
        return at + 2;
    const bool endTag = next == u'/';
    qsizetype i = at + (endTag ? 2 : 1);
    const qsizetype nameStart = i;
    while (i < line.size() && IsNameChar(line[i]))
        ++i;
    const QStringView name = line.mid(nameStart, i - nameStart);
    // What follows a script or style start tag is code, up to its end tag.
    if (!endTag && name.compare(u"script", Qt::CaseInsensitive) == 0)
        state.afterTag = Mode::Script;
    else if (!endTag && name.compare(u"style", Qt::CaseInsensitive) == 0)
        state.afterTag = Mode::Style;
    return i;
}

qsizetype ScanTagValue(QStringView line, qsizetype i, CSpellLineState& state, QList<Range>* ranges)
{
    qsizetype stop = i;
    if (state.quote) {
        stop = line.indexOf(QChar(state.quote), i);
        if (stop < 0)
            stop = line.size();
    } else {
        while (stop < line.size() && !IsSpace(line[stop]) && line[stop] != u'>')
            ++stop;
    }
    const QStringView value = line.mid(i, stop - i);
    if (state.textValue && !LooksLikeUrl(value))
        Emit(ranges, i, stop);
    if (!state.quote) {
        // A blank or a ">" ends an unquoted value; the tag reads it next.
        state.part = TagPart::Between;
        return stop;
    }
    if (stop == line.size())
        return stop; // the value goes on on the next line
    state.part = TagPart::Between;
    state.quote = 0;
    return stop + 1;
}

// Reads the attribute name that starts at i; returns where it ends.
qsizetype ReadAttributeName(QStringView line, qsizetype i, CSpellLineState& state)
{
    const qsizetype start = i;
    while (i < line.size() && !IsSpace(line[i]) && line[i] != u'=' && line[i] != u'>')
        ++i;
    state.textValue = CSpellTextScanner::IsTextAttribute(line.mid(start, i - start).toString().toLower());
    state.part = TagPart::AfterName;
    return i;
}

// Reads the tag from i to its ">" or the line's end; returns where reading goes on.
qsizetype ScanTag(QStringView line, qsizetype i, CSpellLineState& state, QList<Range>* ranges)
{
    while (i < line.size()) {
        const QChar c = line[i];
        switch (state.part) {
        case TagPart::Between:
            if (c == u'>') {
                state.mode = state.afterTag;
                state.afterTag = Mode::Text;
                return i + 1;
            }
            if (IsSpace(c) || c == u'/' || c == u'"' || c == u'\'')
                ++i;
            else
                i = ReadAttributeName(line, i, state);
            break;
        case TagPart::AfterName:
            if (IsSpace(c))
                ++i;
            else if (c == u'=') {
                state.part = TagPart::AfterEquals;
                ++i;
            } else
                state.part = TagPart::Between;
            break;
        case TagPart::AfterEquals:
            if (IsSpace(c)) {
                ++i;
            } else if (c == u'>') {
                state.part = TagPart::Between;
            } else {
                state.quote = (c == u'"' || c == u'\'') ? c.unicode() : 0;
                state.part = TagPart::Value;
                if (state.quote)
                    ++i;
            }
            break;
        case TagPart::Value:
            i = ScanTagValue(line, i, state, ranges);
            break;
        }
    }
    // A line break ends an unquoted value.
    if (state.part == TagPart::Value && !state.quote)
        state.part = TagPart::Between;
    return i;
}

// The words of a comment are text, but a tag written inside it is not.
void EmitCommentText(QStringView line, qsizetype from, qsizetype stop, QList<Range>* ranges)
{
    qsizetype i = from;
    while (i < stop) {
        qsizetype open = line.indexOf(u'<', i);
        while (open >= 0 && open < stop && !OpensMarkup(line, open))
            open = line.indexOf(u'<', open + 1);
        if (open < 0 || open >= stop) {
            Emit(ranges, i, stop);
            return;
        }
        Emit(ranges, i, open);
        const qsizetype close = line.indexOf(u'>', open);
        i = close < 0 || close >= stop ? stop : close + 1;
    }
}

qsizetype ScanRaw(QStringView line, qsizetype i, CSpellLineState& state)
{
    const QStringView endTag = state.mode == Mode::Script ? QStringView(u"</script") : QStringView(u"</style");
    const qsizetype end = line.indexOf(endTag, i, Qt::CaseInsensitive);
    if (end < 0)
        return line.size();
    state.mode = Mode::Tag;
    state.part = TagPart::Between;
    state.afterTag = Mode::Text;
    return end + endTag.size();
}

// An entity ends just before at: "&amp;" or "&#233;" right before a word.
bool EntityEndsBefore(QStringView line, qsizetype at)
{
    if (at <= 0 || line[at - 1] != u';')
        return false;
    for (qsizetype i = at - 2; i >= 0 && i >= at - 34; --i) {
        if (line[i] == u'&')
            return true;
        if (!line[i].isLetterOrNumber() && line[i] != u'#')
            return false;
    }
    return false;
}

// Glued to its neighbours, a run of letters is part of something else: a
// name with digits (h1, mp3), an address, a path, an entity, a host name.
bool GluedToOtherText(QStringView line, qsizetype start, qsizetype end)
{
    auto isGlue = [](QChar c) {
        return c.isDigit() || c == u'_' || c == u'@' || c == u'/' || c == u'\\' || c == u'&' || c == u'#';
    };
    auto isDotBetweenWords = [&line](qsizetype dot) {
        return dot > 0 && dot + 1 < line.size() && line[dot] == u'.' && line[dot - 1].isLetterOrNumber()
               && line[dot + 1].isLetterOrNumber();
    };
    if (start > 0 && (isGlue(line[start - 1]) || isDotBetweenWords(start - 1) || EntityEndsBefore(line, start)))
        return true;
    return end < line.size() && (isGlue(line[end]) || isDotBetweenWords(end));
}

void AppendWords(QStringView line, Range range, QList<Range>& words)
{
    const qsizetype end = range.start + range.length;
    qsizetype i = range.start;
    while (i < end) {
        if (!line[i].isLetter()) {
            ++i;
            continue;
        }
        qsizetype k = i + 1;
        int letters = 1;
        while (k < end) {
            if (line[k].isLetter()) {
                ++letters;
                ++k;
            } else if (line[k].isMark()) {
                ++k;
            } else if (IsApostrophe(line[k]) && k + 1 < end && line[k + 1].isLetter()) {
                ++k;
            } else {
                break;
            }
        }
        if (letters >= 2 && !GluedToOtherText(line, i, k))
            words.append({int(i), int(k - i)});
        i = k;
    }
}

} // namespace

bool CSpellTextScanner::IsTextAttribute(QStringView name)
{
    static const QStringView kTextAttributes[] = {u"alt", u"title", u"placeholder", u"label", u"summary",
                                                 u"aria-label"};
    for (QStringView textAttribute : kTextAttributes) {
        if (name == textAttribute)
            return true;
    }
    return false;
}

CSpellLineState CSpellTextScanner::Scan(QStringView line, CSpellLineState state, QList<Range>* textRanges)
{
    qsizetype i = 0;
    while (i < line.size()) {
        switch (state.mode) {
        case Mode::Text: {
            qsizetype open = line.indexOf(u'<', i);
            while (open >= 0 && !OpensMarkup(line, open))
                open = line.indexOf(u'<', open + 1);
            if (open < 0) {
                Emit(textRanges, i, line.size());
                return state;
            }
            Emit(textRanges, i, open);
            i = EnterMarkup(line, open, state);
            break;
        }
        case Mode::Comment: {
            const qsizetype end = line.indexOf(u"-->", i);
            EmitCommentText(line, i, end < 0 ? line.size() : end, textRanges);
            if (end < 0)
                return state;
            state.mode = Mode::Text;
            i = end + 3;
            break;
        }
        case Mode::Tag:
            i = ScanTag(line, i, state, textRanges);
            break;
        case Mode::Script:
        case Mode::Style:
            i = ScanRaw(line, i, state);
            break;
        }
    }
    if (state.mode == Mode::Tag && state.part == TagPart::Value && !state.quote)
        state.part = TagPart::Between;
    return state;
}

QList<Range> CSpellTextScanner::Words(QStringView line, CSpellLineState state, CSpellLineState* endState)
{
    QList<Range> ranges;
    const CSpellLineState end = Scan(line, state, &ranges);
    if (endState)
        *endState = end;
    QList<Range> words;
    for (const Range& range : ranges)
        AppendWords(line, range, words);
    return words;
}

QString CSpellTextScanner::DictionaryForm(QStringView word)
{
    QString form = word.toString();
    form.replace(QChar(kTypographicApostrophe), QLatin1Char('\''));
    return form;
}

QString CSpellTextScanner::PageLanguage(QStringView head)
{
    static const QRegularExpression kHtmlLang(
        QStringLiteral("<html(?:\\s[^>]*?)?[\\s:]lang\\s*=\\s*[\"']?\\s*([A-Za-z]{1,8}(?:[-_][A-Za-z0-9]{1,8})*)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = kHtmlLang.match(head);
    return match.hasMatch() ? match.captured(1) : QString();
}
