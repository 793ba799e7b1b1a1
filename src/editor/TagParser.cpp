#include "editor/TagParser.h"

namespace {

bool IsSpace(QChar c)
{
    // U+2029 is how the editor's document separates lines.
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')
           || c == QLatin1Char('\f') || c == QChar::ParagraphSeparator;
}

bool IsAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool EndsName(QChar c)
{
    return IsSpace(c) || c == QLatin1Char('>') || c == QLatin1Char('/') || c == QLatin1Char('<');
}

bool EndsAttributeName(QStringView text, int i)
{
    const QChar c = text[i];
    if (IsSpace(c) || c == QLatin1Char('=') || c == QLatin1Char('>') || c == QLatin1Char('<'))
        return true;
    // "/" belongs to a name unless it closes the tag ("/>") or stands alone.
    return c == QLatin1Char('/') && (i + 1 == text.size() || text[i + 1] == QLatin1Char('>') || IsSpace(text[i + 1]));
}

int SkipSpaces(QStringView text, int i)
{
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return i;
}

// Reads the value that starts at i (just after "=" and any blanks) into
// attribute; returns where it ends.
int ReadValue(QStringView text, int i, CParsedAttribute& attribute)
{
    attribute.m_bHasValue = true;
    if (i == text.size() || text[i] == QLatin1Char('>'))
        return i;
    const QChar quote = text[i];
    if (quote == QLatin1Char('"') || quote == QLatin1Char('\'')) {
        const int close = int(text.indexOf(quote, i + 1));
        if (close >= 0) {
            attribute.m_strValue = text.mid(i + 1, close - i - 1).toString();
            return close + 1;
        }
        // Never closed: the value stops at the tag's ">".
        int stop = int(text.indexOf(QLatin1Char('>'), i + 1));
        if (stop < 0)
            stop = int(text.size());
        attribute.m_strValue = text.mid(i + 1, stop - i - 1).toString();
        return stop;
    }
    int end = i;
    while (end < text.size() && !IsSpace(text[end]) && text[end] != QLatin1Char('>'))
        ++end;
    attribute.m_strValue = text.mid(i, end - i).toString();
    return end;
}

// Reads the attribute whose name starts at i; returns where it ends.
int ReadAttribute(QStringView text, int i, CParsedAttribute& attribute)
{
    const int start = i;
    // A name cannot be empty: "=" in a name's place is taken as its name.
    ++i;
    while (i < text.size() && !EndsAttributeName(text, i))
        ++i;
    attribute.m_strName = text.mid(start, i - start).toString();
    int end = i;
    const int equals = SkipSpaces(text, i);
    if (equals < text.size() && text[equals] == QLatin1Char('=')) {
        const int valueStart = SkipSpaces(text, equals + 1);
        end = ReadValue(text, valueStart, attribute);
        // An empty value leaves the blanks after "=" to the tag.
        if (end == valueStart)
            end = equals + 1;
    }
    attribute.m_strSpelling = text.mid(start, end - start).toString();
    return end;
}

// One piece of markup met while walking a text from its start.
struct CMarkup
{
    enum Kind { None, StartTag, EndTag, Other } m_kind = None;
    int m_nStart = 0;
    int m_nEnd = 0;
    QStringView m_name;
    bool m_bSelfClosed = false;
    bool m_bOpenComment = false; // a comment that runs to the end of the text
};

// The end of the start tag at start, without reading its attributes' values
// into strings when only the extent is wanted.
int StartTagEnd(QStringView text, int start, QStringView* name)
{
    const CStartTag tag = ParseStartTag(text, start);
    *name = text.mid(start + 1, tag.m_strName.size());
    return tag.m_nEnd;
}

bool IsRawTextElement(QStringView name)
{
    return name.compare(QLatin1String("script"), Qt::CaseInsensitive) == 0
           || name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0;
}

// Walks the markup of a text in order. Scripts and styles are read as text
// up to their end tag, so that "a<b" in a script is no tag.
class CMarkupWalker
{
public:
    explicit CMarkupWalker(QStringView text) : m_text(text) {}

    // The next piece of markup, or None at the end. A raw-text element whose
    // end tag never comes ends the walk after its start tag.
    CMarkup Next();

private:
    QStringView m_text;
    int m_nPos = 0;
    QStringView m_rawTextName; // set after a script or style start tag
};

CMarkup CMarkupWalker::Next()
{
    const int size = int(m_text.size());
    if (!m_rawTextName.isEmpty()) {
        // Only its own end tag ends a script.
        const QString close = QLatin1String("</") + m_rawTextName.toString();
        const int at = int(m_text.indexOf(close, m_nPos, Qt::CaseInsensitive));
        m_rawTextName = QStringView();
        m_nPos = at < 0 ? size : at;
    }
    while (m_nPos < size) {
        const int lt = int(m_text.indexOf(QLatin1Char('<'), m_nPos));
        if (lt < 0 || lt + 1 == size)
            break;
        CMarkup markup;
        markup.m_nStart = lt;
        const QChar next = m_text[lt + 1];
        if (m_text.mid(lt, 4) == QLatin1String("<!--")) {
            const int close = int(m_text.indexOf(QLatin1String("-->"), lt + 4));
            markup.m_kind = CMarkup::Other;
            markup.m_nEnd = close < 0 ? size : close + 3;
            markup.m_bOpenComment = close < 0;
        }
        else if (next == QLatin1Char('!') || next == QLatin1Char('?')) {
            const int close = int(m_text.indexOf(QLatin1Char('>'), lt + 2));
            markup.m_kind = CMarkup::Other;
            markup.m_nEnd = close < 0 ? size : close + 1;
        }
        else if (next == QLatin1Char('/') && lt + 2 < size && IsAsciiLetter(m_text[lt + 2])) {
            int i = lt + 2;
            while (i < size && !EndsName(m_text[i]))
                ++i;
            markup.m_kind = CMarkup::EndTag;
            markup.m_name = m_text.mid(lt + 2, i - lt - 2);
            const int close = int(m_text.indexOf(QLatin1Char('>'), i));
            markup.m_nEnd = close < 0 ? size : close + 1;
        }
        else if (IsAsciiLetter(next)) {
            markup.m_kind = CMarkup::StartTag;
            markup.m_nEnd = StartTagEnd(m_text, lt, &markup.m_name);
            markup.m_bSelfClosed = markup.m_nEnd >= 2 && m_text.mid(markup.m_nEnd - 2, 2) == QLatin1String("/>");
            if (IsRawTextElement(markup.m_name) && !markup.m_bSelfClosed)
                m_rawTextName = markup.m_name;
        }
        else {
            m_nPos = lt + 1;
            continue;
        }
        m_nPos = qMax(markup.m_nEnd, lt + 1);
        return markup;
    }
    m_nPos = size;
    return {};
}

} // namespace

const CParsedAttribute* CStartTag::Find(QStringView name) const
{
    for (const CParsedAttribute& attribute : m_attributes) {
        if (QStringView(attribute.m_strName).compare(name, Qt::CaseInsensitive) == 0)
            return &attribute;
    }
    return nullptr;
}

CStartTag ParseStartTag(QStringView text, int start)
{
    CStartTag tag;
    const int size = int(text.size());
    if (start < 0 || start + 1 >= size || text[start] != QLatin1Char('<') || !IsAsciiLetter(text[start + 1]))
        return tag;
    tag.m_nStart = start;
    int i = start + 1;
    while (i < size && !EndsName(text[i]))
        ++i;
    tag.m_strName = text.mid(start + 1, i - start - 1).toString();
    int lastEnd = i;
    for (;;) {
        while (i < size && (IsSpace(text[i]) || text[i] == QLatin1Char('/')))
            ++i;
        if (i < size && text[i] == QLatin1Char('>')) {
            tag.m_bFinished = true;
            tag.m_nEnd = i + 1;
            return tag;
        }
        if (i == size || text[i] == QLatin1Char('<')) {
            tag.m_nEnd = lastEnd;
            return tag;
        }
        CParsedAttribute attribute;
        i = lastEnd = ReadAttribute(text, i, attribute);
        tag.m_attributes.append(attribute);
    }
}

CStartTag StartTagAt(QStringView text, int position)
{
    CMarkupWalker walker(text);
    for (CMarkup markup = walker.Next(); markup.m_kind != CMarkup::None && markup.m_nStart < position;
         markup = walker.Next()) {
        if (markup.m_kind != CMarkup::StartTag || position > markup.m_nEnd)
            continue;
        const CStartTag tag = ParseStartTag(text, markup.m_nStart);
        // The caret just after a finished tag's ">" is outside it.
        if (!tag.m_bFinished || position < tag.m_nEnd)
            return tag;
    }
    return {};
}

bool IsVoidElement(QStringView name)
{
    static const char* const kVoid[] = {"area",  "base",   "basefont", "bgsound", "br",    "col",
                                        "embed", "frame",  "hr",       "img",     "input", "isindex",
                                        "keygen", "link",  "meta",     "param",   "source", "track",
                                        "wbr"};
    for (const char* element : kVoid) {
        if (name.compare(QLatin1String(element), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

namespace {
// OpenElements, and whether text ends inside a comment never closed.
QStringList OpenElementsAndComment(QStringView text, bool partial, bool* inComment)
{
    QStringList open;
    *inComment = false;
    CMarkupWalker walker(text);
    for (CMarkup markup = walker.Next(); markup.m_kind != CMarkup::None; markup = walker.Next()) {
        *inComment = markup.m_bOpenComment;
        if (markup.m_kind == CMarkup::StartTag && !markup.m_bSelfClosed && !IsVoidElement(markup.m_name))
            open.append(markup.m_name.toString());
        if (markup.m_kind != CMarkup::EndTag)
            continue;
        qsizetype match = open.size() - 1;
        while (match >= 0 && markup.m_name.compare(open[match], Qt::CaseInsensitive) != 0)
            --match;
        if (match >= 0)
            open.resize(match);
        else if (partial)
            open.clear();
    }
    return open;
}
} // namespace

QStringList OpenElements(QStringView text, bool partial)
{
    bool inComment = false;
    return OpenElementsAndComment(text, partial, &inComment);
}

QString ElementToClose(QStringView text, bool partial, bool* inComment)
{
    bool comment = false;
    const QStringList open = OpenElementsAndComment(text, partial, &comment);
    if (inComment)
        *inComment = comment;
    return open.isEmpty() || comment ? QString() : open.last();
}

QString InnermostOpenElement(QStringView text, int position)
{
    return ElementToClose(text.left(qBound(0, position, int(text.size()))));
}

bool MayLieInsideCommentOrScript(QStringView text, int position)
{
    const auto endComesFirst = [text, position](QLatin1String start, QLatin1String end) {
        const qsizetype close = text.indexOf(end, position, Qt::CaseInsensitive);
        if (close < 0)
            return false;
        const qsizetype open = text.indexOf(start, position, Qt::CaseInsensitive);
        return open < 0 || close < open;
    };
    return endComesFirst(QLatin1String("<!--"), QLatin1String("-->"))
           || endComesFirst(QLatin1String("<script"), QLatin1String("</script"))
           || endComesFirst(QLatin1String("<style"), QLatin1String("</style"));
}
