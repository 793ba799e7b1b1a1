#include "editor/StructureScanner.h"

#include <QString>

namespace {

using State = CStructureScanner::State;

// The low four bits of a state: what the line ended inside.
enum Mode : State {
    Text = 0,
    Comment,
    Declaration,
    TagAttributes,  // after the tag name or a complete attribute
    TagAfterName,   // after an attribute name: "=" may follow, even on a later line
    TagBeforeValue, // after "="
    TagDoubleValue,
    TagSingleValue,
    Script,
    Style,
};

// The twelve bits above the mode, for the tag modes: what the tag's ">" opens.
enum TagKind : State { OrdinaryTag = 0, ScriptTag, StyleTag };

// For Script: bits 0-2 what is open, bit 3 whether "/" would start a regular
// expression.
enum JsOpen : State { JsCode = 0, JsBlockComment, JsTemplate, JsDoubleString, JsSingleString };
constexpr State kJsRegexAllowed = 8;

// For Style: bits 0-1 what is open, bits 2-4 where in a rule, bits 5-7 how
// many braces are open, bits 8-11 which of the first four levels hold
// declarations (a level deeper than four is taken for declarations).
enum CssOpen : State { CssNothing = 0, CssInComment, CssDoubleString, CssSingleString };
enum CssPlace : State { Selector = 0, Property, Value, GroupPrelude, RulePrelude };
constexpr int kCssMaxDepth = 7;
constexpr int kCssTrackedLevels = 4;

enum CharBits : std::uint8_t {
    kSpace = 1,
    kLetter = 2,
    kDigit = 4,
    kJsIdent = 8,      // continues a script's identifier
    kCssIdent = 16,    // continues a style sheet's identifier
    kTagNameEnd = 32,  // ends a tag name
    kAttributeEnd = 64 // ends an attribute name
};

struct CharTable
{
    std::uint8_t bits[128] = {};
    constexpr CharTable()
    {
        for (int c : {' ', '\t', '\n', '\r', '\f'})
            bits[c] |= kSpace | kTagNameEnd | kAttributeEnd;
        for (int c = 'a'; c <= 'z'; ++c) {
            bits[c] |= kLetter | kJsIdent | kCssIdent;
            bits[c - 'a' + 'A'] |= kLetter | kJsIdent | kCssIdent;
        }
        for (int c = '0'; c <= '9'; ++c)
            bits[c] |= kDigit | kJsIdent | kCssIdent;
        bits['_'] |= kJsIdent | kCssIdent;
        bits['$'] |= kJsIdent;
        bits['-'] |= kCssIdent;
        bits['/'] |= kTagNameEnd | kAttributeEnd;
        bits['>'] |= kTagNameEnd | kAttributeEnd;
        bits['='] |= kAttributeEnd;
    }
};
constexpr CharTable kChars;

// Characters from 128 up continue names and identifiers and are no blank.
inline bool Has(char16_t c, std::uint8_t bit)
{
    return c < 128 ? (kChars.bits[c] & bit) != 0 : (bit & (kJsIdent | kCssIdent)) != 0;
}
inline bool IsSpace(char16_t c) { return c < 128 && (kChars.bits[c] & kSpace); }
inline bool IsLetter(char16_t c) { return c < 128 && (kChars.bits[c] & kLetter); }
inline bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool IsHexDigit(char16_t c)
{
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
inline bool IsJsIdentStart(char16_t c) { return c >= 128 || (c < 128 && (kChars.bits[c] & kLetter)) || c == u'_' || c == u'$'; }

// Whether the n characters at s are lower, ignoring ASCII case.
bool EqualsAsciiNoCase(const char16_t* s, int n, const char* lower)
{
    for (int i = 0; i < n; ++i) {
        char16_t c = s[i];
        if (c >= u'A' && c <= u'Z')
            c += 32;
        if (lower[i] == 0 || c != char16_t(lower[i]))
            return false;
    }
    return lower[n] == 0;
}

// At-rules whose block holds rules rather than declarations.
bool IsGroupAtRule(const char16_t* name, int n)
{
    static const char* const groups[] = {"media", "supports", "document", "-moz-document", "layer",
                                         "container", "scope", "keyframes", "-webkit-keyframes",
                                         "-moz-keyframes", "starting-style"};
    for (const char* group : groups) {
        if (EqualsAsciiNoCase(name, n, group))
            return true;
    }
    return false;
}

// One line's scan: the line, the position, and what is open.
class CLineScan
{
public:
    CLineScan(QStringView line, std::vector<CSyntaxToken>* tokens, int offset,
              const CKeywordSet& jsKeywords, const CKeywordSet& jsBeforeRegex)
        : s(line.utf16())
        , n(int(line.size()))
        , m_pTokens(tokens)
        , m_nOffset(offset)
        , m_jsKeywords(jsKeywords)
        , m_jsBeforeRegex(jsBeforeRegex)
    {
    }

    State Run(State state);

private:
    enum StringEnd { Closed, Open, Continued };

    char16_t At(int i) const { return i < n ? s[i] : 0; }
    void Emit(int start, int end, ZtTokenClass tokenClass)
    {
        if (m_pTokens && end > start)
            m_pTokens->push_back({m_nOffset + start, m_nOffset + end, tokenClass});
    }
    void SkipSpaces()
    {
        while (p < n && IsSpace(s[p]))
            ++p;
    }

    void ScanText();
    bool StartMarkup();
    void StartTag(int start, int nameStart, bool endTag);
    void ScanEntity();
    void ScanComment();
    void ScanDeclaration();
    void ScanTagAttributes();
    void ScanTagAfterName();
    void ScanTagBeforeValue();
    void ScanQuotedValue(char16_t quote);
    void EnterContent();
    int RegionEnd(const char* name, int length) const;

    bool ScanBlockComment(int start, int from, int limit, ZtTokenClass tokenClass);
    StringEnd ScanString(char16_t quote, int start, int from, int limit, ZtTokenClass tokenClass,
                         bool multiLine);
    void ScanScript();
    void ScanJsCode(int limit);
    int JsNumberEnd(int limit) const;
    int JsRegexEnd(int limit) const;
    void ScanStyle();
    void ScanCss(int limit);
    void OpenCssBlock();
    void CloseCssBlock();
    CssPlace PlaceInBlock() const;
    void ScanCssRun(ZtTokenClass tokenClass, int limit);

    State Pack() const;

    const char16_t* s;
    const int n;
    int p = 0;
    std::vector<CSyntaxToken>* m_pTokens;
    const int m_nOffset;
    const CKeywordSet& m_jsKeywords;
    const CKeywordSet& m_jsBeforeRegex;

    State m_nMode = Text;
    State m_nExtra = 0;      // the twelve bits above the mode
    int m_nTokenStart = 0;   // where the open comment, declaration or value started
    bool m_bCommentJustOpened = false;
    bool m_bAtLineStart = true; // nothing but blanks before p on this line
    bool m_bContinues = false;  // a string ends this line with a backslash
};

State CLineScan::Run(State state)
{
    m_nMode = state & 0xf;
    m_nExtra = state >> 4;
    while (p < n) {
        switch (m_nMode) {
        case Text:
            ScanText();
            break;
        case Comment:
            ScanComment();
            break;
        case Declaration:
            ScanDeclaration();
            break;
        case TagAttributes:
            ScanTagAttributes();
            break;
        case TagAfterName:
            ScanTagAfterName();
            break;
        case TagBeforeValue:
            ScanTagBeforeValue();
            break;
        case TagDoubleValue:
            ScanQuotedValue(u'"');
            break;
        case TagSingleValue:
            ScanQuotedValue(u'\'');
            break;
        case Script:
            ScanScript();
            break;
        case Style:
            ScanStyle();
            break;
        default: // a state no scan makes: start over as text
            m_nMode = Text;
            m_nExtra = 0;
            break;
        }
    }
    return Pack();
}

State CLineScan::Pack() const
{
    State extra = 0;
    switch (m_nMode) {
    case TagAttributes:
    case TagAfterName:
    case TagBeforeValue:
    case TagDoubleValue:
    case TagSingleValue:
        extra = m_nExtra & 3;
        break;
    case Script:
        extra = m_nExtra & 0xf;
        // A string reaches the next line only behind a backslash.
        if (!m_bContinues && ((extra & 7) == JsDoubleString || (extra & 7) == JsSingleString))
            extra &= ~State(7);
        break;
    case Style:
        extra = m_nExtra & 0xfff;
        if (!m_bContinues && ((extra & 3) == CssDoubleString || (extra & 3) == CssSingleString))
            extra &= ~State(3);
        break;
    case Text:
    case Comment:
    case Declaration:
        break;
    default:
        return Text;
    }
    return State(m_nMode | (extra << 4));
}

// ---- Markup ----------------------------------------------------------------

void CLineScan::ScanText()
{
    while (p < n) {
        const char16_t c = s[p];
        if (c == u'<') {
            if (StartMarkup())
                return;
            ++p;
        } else if (c == u'&') {
            ScanEntity();
        } else {
            ++p;
        }
    }
}

bool CLineScan::StartMarkup()
{
    const char16_t next = At(p + 1);
    if (IsLetter(next)) {
        StartTag(p, p + 1, false);
        return true;
    }
    if (next == u'/' && IsLetter(At(p + 2))) {
        StartTag(p, p + 2, true);
        return true;
    }
    if (next == u'!' && At(p + 2) == u'-' && At(p + 3) == u'-') {
        m_nTokenStart = p;
        p += 4;
        m_nMode = Comment;
        m_bCommentJustOpened = true;
        return true;
    }
    if (next == u'!' || next == u'?') {
        m_nTokenStart = p;
        p += 2;
        m_nMode = Declaration;
        return true;
    }
    return false; // a "<" of the text
}

void CLineScan::StartTag(int start, int nameStart, bool endTag)
{
    int q = nameStart;
    while (q < n && !Has(s[q], kTagNameEnd))
        ++q;
    Emit(start, q, ZtTokenClass::Tag);
    TagKind kind = OrdinaryTag;
    if (!endTag) {
        if (EqualsAsciiNoCase(s + nameStart, q - nameStart, "script"))
            kind = ScriptTag;
        else if (EqualsAsciiNoCase(s + nameStart, q - nameStart, "style"))
            kind = StyleTag;
    }
    m_nMode = TagAttributes;
    m_nExtra = kind;
    p = q;
}

void CLineScan::ScanEntity()
{
    // &name; &#123; &#x1F; with the semicolon; anything else is text.
    int q = p + 1;
    bool named = false;
    if (At(q) == u'#') {
        ++q;
        const int digits = (At(q) | 0x20) == u'x' ? ++q : q;
        const bool hex = digits != p + 2;
        while (q < n && (hex ? IsHexDigit(s[q]) : IsDigit(s[q])))
            ++q;
        named = q > digits;
    } else if (IsLetter(At(q))) {
        while (q < n && (IsLetter(s[q]) || IsDigit(s[q])))
            ++q;
        named = true;
    }
    if (named && At(q) == u';') {
        Emit(p, q + 1, ZtTokenClass::Entity);
        p = q + 1;
    } else {
        ++p;
    }
}

void CLineScan::ScanComment()
{
    int q = p;
    if (m_bCommentJustOpened) {
        m_bCommentJustOpened = false;
        // "<!-->" and "<!--->" are whole comments.
        const int shortEnd = At(q) == u'>' ? q + 1 : (At(q) == u'-' && At(q + 1) == u'>') ? q + 2 : -1;
        if (shortEnd > 0) {
            Emit(m_nTokenStart, shortEnd, ZtTokenClass::Comment);
            p = shortEnd;
            m_nMode = Text;
            return;
        }
    }
    for (; q + 2 < n; ++q) {
        if (s[q] == u'-' && s[q + 1] == u'-' && s[q + 2] == u'>') {
            Emit(m_nTokenStart, q + 3, ZtTokenClass::Comment);
            p = q + 3;
            m_nMode = Text;
            return;
        }
    }
    Emit(m_nTokenStart, n, ZtTokenClass::Comment);
    p = n;
}

void CLineScan::ScanDeclaration()
{
    for (int q = p; q < n; ++q) {
        if (s[q] == u'>') {
            Emit(m_nTokenStart, q + 1, ZtTokenClass::Doctype);
            p = q + 1;
            m_nMode = Text;
            return;
        }
    }
    Emit(m_nTokenStart, n, ZtTokenClass::Doctype);
    p = n;
}

void CLineScan::ScanTagAttributes()
{
    SkipSpaces();
    if (p >= n)
        return;
    const char16_t c = s[p];
    if (c == u'>') {
        Emit(p, p + 1, ZtTokenClass::Tag);
        ++p;
        EnterContent();
        return;
    }
    if (c == u'/') {
        if (At(p + 1) == u'>') {
            Emit(p, p + 2, ZtTokenClass::Tag);
            p += 2;
            EnterContent();
        } else {
            ++p; // a stray slash between attributes
        }
        return;
    }
    // An attribute name; its first character may be "=".
    int q = p + 1;
    while (q < n && !Has(s[q], kAttributeEnd))
        ++q;
    Emit(p, q, ZtTokenClass::AttributeName);
    p = q;
    m_nMode = TagAfterName;
}

void CLineScan::ScanTagAfterName()
{
    SkipSpaces();
    if (p >= n)
        return;
    if (s[p] == u'=') {
        ++p;
        m_nMode = TagBeforeValue;
    } else {
        m_nMode = TagAttributes;
    }
}

void CLineScan::ScanTagBeforeValue()
{
    SkipSpaces();
    if (p >= n)
        return;
    const char16_t c = s[p];
    if (c == u'"' || c == u'\'') {
        m_nTokenStart = p;
        ++p;
        m_nMode = c == u'"' ? TagDoubleValue : TagSingleValue;
        return;
    }
    if (c == u'>') { // no value after all
        m_nMode = TagAttributes;
        return;
    }
    int q = p;
    while (q < n && !IsSpace(s[q]) && s[q] != u'>')
        ++q;
    Emit(p, q, ZtTokenClass::AttributeValue);
    p = q;
    m_nMode = TagAttributes;
}

void CLineScan::ScanQuotedValue(char16_t quote)
{
    int q = p;
    while (q < n && s[q] != quote)
        ++q;
    if (q < n) {
        Emit(m_nTokenStart, q + 1, ZtTokenClass::AttributeValue);
        p = q + 1;
        m_nMode = TagAttributes;
    } else {
        Emit(m_nTokenStart, n, ZtTokenClass::AttributeValue);
        p = n;
    }
}

void CLineScan::EnterContent()
{
    const State kind = m_nExtra & 3;
    m_bAtLineStart = false;
    if (kind == ScriptTag) {
        m_nMode = Script;
        m_nExtra = JsCode | kJsRegexAllowed;
    } else if (kind == StyleTag) {
        m_nMode = Style;
        m_nExtra = CssNothing;
    } else {
        m_nMode = Text;
        m_nExtra = 0;
    }
}

int CLineScan::RegionEnd(const char* name, int length) const
{
    // "</script" or "</style" in any case, followed by a blank, "/", ">" or
    // the line's end, closes the region wherever it stands.
    for (int q = p; q + 1 + length < n; ++q) {
        if (s[q] != u'<' || s[q + 1] != u'/')
            continue;
        const int after = q + 2 + length;
        if (EqualsAsciiNoCase(s + q + 2, length, name)
            && (after == n || IsSpace(s[after]) || s[after] == u'/' || s[after] == u'>'))
            return q;
    }
    return n;
}

// ---- Style sheets and scripts: shared pieces ---------------------------------

bool CLineScan::ScanBlockComment(int start, int from, int limit, ZtTokenClass tokenClass)
{
    for (int q = from; q + 1 < limit; ++q) {
        if (s[q] == u'*' && s[q + 1] == u'/') {
            Emit(start, q + 2, tokenClass);
            p = q + 2;
            return true;
        }
    }
    Emit(start, limit, tokenClass);
    p = limit;
    return false;
}

CLineScan::StringEnd CLineScan::ScanString(char16_t quote, int start, int from, int limit,
                                           ZtTokenClass tokenClass, bool multiLine)
{
    int q = from;
    while (q < limit) {
        const char16_t c = s[q];
        if (c == u'\\') {
            if (q + 1 >= limit) {
                // A backslash at the line's end carries the string over.
                Emit(start, limit, tokenClass);
                p = limit;
                return limit == n ? Continued : Open;
            }
            q += 2;
            continue;
        }
        if (c == quote) {
            Emit(start, q + 1, tokenClass);
            p = q + 1;
            return Closed;
        }
        ++q;
    }
    Emit(start, limit, tokenClass);
    p = limit;
    return multiLine && limit == n ? Continued : Open;
}

// ---- Scripts ---------------------------------------------------------------

void CLineScan::ScanScript()
{
    const int limit = RegionEnd("script", 6);
    ScanJsCode(limit);
    if (limit < n) {
        m_nMode = Text;
        m_nExtra = 0;
        p = limit;
    }
}

void CLineScan::ScanJsCode(int limit)
{
    State open = m_nExtra & 7;
    bool regexAllowed = (m_nExtra & kJsRegexAllowed) != 0;
    bool afterDot = false; // a word after "." is a property name, never a keyword

    if (open == JsBlockComment) {
        if (ScanBlockComment(p, p, limit, ZtTokenClass::JsComment))
            open = JsCode;
    } else if (open != JsCode) {
        const char16_t quote = open == JsTemplate ? u'`' : open == JsDoubleString ? u'"' : u'\'';
        const StringEnd end = ScanString(quote, p, p, limit, ZtTokenClass::JsString, open == JsTemplate);
        if (end == Continued)
            m_bContinues = true;
        else
            open = JsCode;
        regexAllowed = false;
    }

    while (p < limit && open == JsCode) {
        const char16_t c = s[p];
        if (IsSpace(c)) {
            ++p;
            continue;
        }
        const bool lineStart = m_bAtLineStart;
        m_bAtLineStart = false;
        if (IsJsIdentStart(c)) {
            std::uint32_t hash = CKeywordSet::HashStep(CKeywordSet::HashStart, c);
            int q = p + 1;
            while (q < limit && Has(s[q], kJsIdent)) {
                hash = CKeywordSet::HashStep(hash, s[q]);
                ++q;
            }
            const QStringView word(s + p, q - p);
            const bool keyword = !afterDot && m_jsKeywords.Contains(word, hash);
            if (keyword)
                Emit(p, q, ZtTokenClass::JsKeyword);
            regexAllowed = keyword && m_jsBeforeRegex.Contains(word, hash);
            afterDot = false;
            p = q;
            continue;
        }
        if (IsDigit(c) || (c == u'.' && IsDigit(At(p + 1)))) {
            const int q = JsNumberEnd(limit);
            Emit(p, q, ZtTokenClass::JsNumber);
            p = q;
            regexAllowed = false;
            afterDot = false;
            continue;
        }
        switch (c) {
        case u'"':
        case u'\'':
        case u'`': {
            const StringEnd end = ScanString(c, p, p + 1, limit, ZtTokenClass::JsString, c == u'`');
            if (end == Continued) {
                open = c == u'`' ? JsTemplate : c == u'"' ? JsDoubleString : JsSingleString;
                m_bContinues = true;
            }
            regexAllowed = false;
            afterDot = false;
            continue;
        }
        case u'/':
            if (At(p + 1) == u'/') {
                Emit(p, limit, ZtTokenClass::JsComment);
                p = limit;
                continue;
            }
            if (At(p + 1) == u'*') {
                if (!ScanBlockComment(p, p + 2, limit, ZtTokenClass::JsComment) && limit == n)
                    open = JsBlockComment;
                continue;
            }
            if (regexAllowed) {
                const int q = JsRegexEnd(limit);
                if (q > 0) {
                    Emit(p, q, ZtTokenClass::JsRegex);
                    p = q;
                    regexAllowed = false;
                    afterDot = false;
                    continue;
                }
            }
            break;
        case u'<':
            // "<!--" starts a line comment in a script, as browsers have it.
            if (At(p + 1) == u'!' && At(p + 2) == u'-' && At(p + 3) == u'-') {
                Emit(p, limit, ZtTokenClass::JsComment);
                p = limit;
                continue;
            }
            break;
        case u'-':
            // So does "-->" first on a line.
            if (lineStart && At(p + 1) == u'-' && At(p + 2) == u'>') {
                Emit(p, limit, ZtTokenClass::JsComment);
                p = limit;
                continue;
            }
            break;
        case u'.':
            ++p;
            afterDot = true;
            regexAllowed = true;
            continue;
        case u')':
        case u']':
            ++p;
            afterDot = false;
            regexAllowed = false;
            continue;
        default:
            break;
        }
        // Any other punctuation: an operand may follow, so "/" starts a
        // regular expression.
        ++p;
        afterDot = false;
        regexAllowed = true;
    }
    if (limit < n) // the region ends here: nothing stays open
        return;
    m_nExtra = State(open | (regexAllowed ? kJsRegexAllowed : 0));
}

int CLineScan::JsNumberEnd(int limit) const
{
    int q = p;
    const auto digitsFrom = [&](int i) {
        while (i < limit && (IsDigit(s[i]) || s[i] == u'_'))
            ++i;
        return i;
    };
    if (s[q] == u'0' && q + 1 < limit) {
        const char16_t radix = s[q + 1] | 0x20;
        if (radix == u'x' || radix == u'b' || radix == u'o') {
            q += 2;
            while (q < limit && (IsHexDigit(s[q]) || s[q] == u'_'))
                ++q;
            return q < limit && s[q] == u'n' ? q + 1 : q;
        }
    }
    q = digitsFrom(q);
    if (q < limit && s[q] == u'.')
        q = digitsFrom(q + 1);
    if (q < limit && (s[q] == u'e' || s[q] == u'E')) {
        int e = q + 1;
        if (e < limit && (s[e] == u'+' || s[e] == u'-'))
            ++e;
        if (e < limit && IsDigit(s[e]))
            q = digitsFrom(e);
    }
    return q < limit && s[q] == u'n' ? q + 1 : q;
}

int CLineScan::JsRegexEnd(int limit) const
{
    bool inClass = false;
    for (int q = p + 1; q < limit; ++q) {
        const char16_t c = s[q];
        if (c == u'\\') {
            ++q;
        } else if (c == u'[') {
            inClass = true;
        } else if (c == u']') {
            inClass = false;
        } else if (c == u'/' && !inClass) {
            ++q;
            while (q < limit && Has(s[q], kJsIdent)) // the flags
                ++q;
            return q;
        }
    }
    return -1; // no closing slash on the line: a division after all
}

// ---- Style sheets ----------------------------------------------------------

void CLineScan::ScanStyle()
{
    const int limit = RegionEnd("style", 5);
    ScanCss(limit);
    if (limit < n) {
        m_nMode = Text;
        m_nExtra = 0;
        p = limit;
    }
}

CssPlace CLineScan::PlaceInBlock() const
{
    const int depth = (m_nExtra >> 5) & 7;
    if (depth == 0)
        return Selector;
    const bool declarations = depth > kCssTrackedLevels || ((m_nExtra >> (8 + depth - 1)) & 1);
    return declarations ? Property : Selector;
}

void CLineScan::OpenCssBlock()
{
    const CssPlace place = CssPlace((m_nExtra >> 2) & 7);
    const int depth = qMin(((m_nExtra >> 5) & 7) + 1, kCssMaxDepth);
    // A rule's or @font-face's block holds declarations, @media's rules.
    const bool declarations = place != GroupPrelude;
    State extra = State((m_nExtra & ~State(7 << 5)) | (depth << 5));
    if (depth <= kCssTrackedLevels) {
        const State bit = State(1 << (8 + depth - 1));
        extra = declarations ? State(extra | bit) : State(extra & ~bit);
    }
    m_nExtra = extra;
    m_nExtra = State((m_nExtra & ~State(7 << 2)) | (PlaceInBlock() << 2));
}

void CLineScan::CloseCssBlock()
{
    const int depth = (m_nExtra >> 5) & 7;
    if (depth > 0)
        m_nExtra = State((m_nExtra & ~State(7 << 5)) | ((depth - 1) << 5));
    m_nExtra = State((m_nExtra & ~State(7 << 2)) | (PlaceInBlock() << 2));
}

void CLineScan::ScanCssRun(ZtTokenClass tokenClass, int limit)
{
    // A selector or a value: up to a blank, a comma, a brace, ";", a quote or
    // a comment. url(...) is one value whatever it holds.
    int q = p;
    if (tokenClass == ZtTokenClass::CssValue && q + 4 <= limit && EqualsAsciiNoCase(s + q, 4, "url(")) {
        q += 4;
        while (q < limit && s[q] != u')')
            ++q;
        if (q < limit)
            ++q;
    }
    while (q < limit) {
        const char16_t c = s[q];
        if (IsSpace(c) || c == u',' || c == u'{' || c == u'}' || c == u';' || c == u'"' || c == u'\''
            || (c == u'/' && At(q + 1) == u'*'))
            break;
        ++q;
    }
    Emit(p, q, tokenClass);
    p = q;
}

void CLineScan::ScanCss(int limit)
{
    State open = m_nExtra & 3;
    if (open == CssInComment) {
        if (ScanBlockComment(p, p, limit, ZtTokenClass::CssComment))
            open = CssNothing;
    } else if (open != CssNothing) {
        const char16_t quote = open == CssDoubleString ? u'"' : u'\'';
        if (ScanString(quote, p, p, limit, ZtTokenClass::CssString, false) == Continued)
            m_bContinues = true;
        else
            open = CssNothing;
    }

    while (p < limit && open == CssNothing) {
        const char16_t c = s[p];
        if (IsSpace(c) || c == u',') {
            ++p;
            continue;
        }
        switch (c) {
        case u'/':
            if (At(p + 1) == u'*') {
                if (!ScanBlockComment(p, p + 2, limit, ZtTokenClass::CssComment) && limit == n)
                    open = CssInComment;
                continue;
            }
            break;
        case u'<': // "<!--" and "-->" hide a style sheet from old browsers
            if (At(p + 1) == u'!' && At(p + 2) == u'-' && At(p + 3) == u'-') {
                Emit(p, p + 4, ZtTokenClass::CssComment);
                p += 4;
                continue;
            }
            break;
        case u'-':
            if (At(p + 1) == u'-' && At(p + 2) == u'>') {
                Emit(p, p + 3, ZtTokenClass::CssComment);
                p += 3;
                continue;
            }
            break;
        case u'"':
        case u'\'':
            if (ScanString(c, p, p + 1, limit, ZtTokenClass::CssString, false) == Continued) {
                open = c == u'"' ? CssDoubleString : CssSingleString;
                m_bContinues = true;
            }
            continue;
        case u'{':
            ++p;
            OpenCssBlock();
            continue;
        case u'}':
            ++p;
            CloseCssBlock();
            continue;
        case u';':
            ++p;
            m_nExtra = State((m_nExtra & ~State(7 << 2)) | (PlaceInBlock() << 2));
            continue;
        case u'@':
            if (Has(At(p + 1), kCssIdent)) {
                int q = p + 1;
                while (q < limit && Has(s[q], kCssIdent))
                    ++q;
                Emit(p, q, ZtTokenClass::CssAtRule);
                const CssPlace place = IsGroupAtRule(s + p + 1, q - p - 1) ? GroupPrelude : RulePrelude;
                m_nExtra = State((m_nExtra & ~State(7 << 2)) | (place << 2));
                p = q;
                continue;
            }
            break;
        default:
            break;
        }
        switch (CssPlace((m_nExtra >> 2) & 7)) {
        case Selector:
            ScanCssRun(ZtTokenClass::CssSelector, limit);
            break;
        case Property:
            if (c == u':') {
                ++p;
                m_nExtra = State((m_nExtra & ~State(7 << 2)) | (Value << 2));
            } else if (Has(c, kCssIdent)) {
                int q = p + 1;
                while (q < limit && Has(s[q], kCssIdent))
                    ++q;
                Emit(p, q, ZtTokenClass::CssProperty);
                p = q;
            } else {
                ++p;
            }
            break;
        case Value:
            ScanCssRun(ZtTokenClass::CssValue, limit);
            break;
        default: // an at-rule's prelude: only its strings and comments stand out
            ++p;
            break;
        }
    }
    if (limit < n)
        return;
    m_nExtra = State((m_nExtra & ~State(3)) | open);
}

const QString kJsKeywordList = QStringLiteral(
    " await break case catch class const continue debugger default delete do else export extends"
    " false finally for function if import in instanceof let new null return static super switch"
    " this throw true try typeof var void while with yield async ");
const QString kJsBeforeRegexList = QStringLiteral(
    " await case delete do else in instanceof new return throw typeof void yield ");

} // namespace

CStructureScanner::CStructureScanner()
    : m_jsKeywords(kJsKeywordList)
    , m_jsBeforeRegex(kJsBeforeRegexList)
{
}

CStructureScanner::State CStructureScanner::Scan(QStringView line, State state,
                                                 std::vector<CSyntaxToken>& tokens, int offset) const
{
    return CLineScan(line, &tokens, offset, m_jsKeywords, m_jsBeforeRegex).Run(state);
}

CStructureScanner::State CStructureScanner::EndState(QStringView line, State state) const
{
    return CLineScan(line, nullptr, 0, m_jsKeywords, m_jsBeforeRegex).Run(state);
}
