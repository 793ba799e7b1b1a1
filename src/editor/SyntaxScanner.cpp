#include "editor/SyntaxScanner.h"

CSyntaxScanner::CSyntaxScanner(const QString& quoteChars, const QString& primaryList,
                               const QString& secondaryList)
    : m_strQuoteChars(quoteChars)
    , m_primary(primaryList)
    , m_secondary(secondaryList)
{
    BuildCharTable();
}

void CSyntaxScanner::BuildCharTable()
{
    // One table look-up decides what starts at an ASCII character; the scan
    // loop then needs no chain of comparisons for the common case.
    for (int c = 0; c < 128; ++c) {
        CharKind kind = Plain;
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (digit)
            kind = Digit;
        else if (letter)
            kind = WordStart;
        m_charKinds[c] = kind;
        m_wordChars[c] = (letter || digit) ? kWordChar : 0;
    }
    // Quote characters come before digits and letters, as in the scan order.
    for (const QChar q : m_strQuoteChars) {
        if (q.unicode() < 128)
            m_charKinds[q.unicode()] = Quote;
        else
            m_bWideQuotes = true;
    }
    m_charKinds[0] = Terminator;
}

bool CSyntaxScanner::IsQuoteChar(char16_t c) const
{
    return m_strQuoteChars.contains(QChar(c));
}

int CSyntaxScanner::ScanString(const char16_t* text, int p, int size)
{
    const char16_t quote = text[p];
    ++p;
    while (p < size && text[p] != 0 && text[p] != quote && !IsLineEnd(text[p]))
        ++p;
    if (p < size && text[p] == quote)
        ++p;
    return p;
}

int CSyntaxScanner::ScanNumber(const char16_t* text, int p, int size)
{
    while (p < size && IsDigit(text[p]))
        ++p;
    if (p < size && text[p] == u'.') {
        ++p;
        while (p < size && IsDigit(text[p]))
            ++p;
    }
    if (p < size && (text[p] == u'e' || text[p] == u'E')) {
        int q = p + 1;
        if (q < size && (text[q] == u'+' || text[q] == u'-'))
            ++q;
        // Without a digit the letter is not part of the number.
        if (q < size && IsDigit(text[q])) {
            while (q < size && IsDigit(text[q]))
                ++q;
            p = q;
        }
    }
    return p;
}

int CSyntaxScanner::ScanWord(const char16_t* text, int p, int size, std::uint32_t* hash) const
{
    // The keyword lookup's hash is built while the word is read.
    std::uint32_t wordHash = CKeywordSet::HashStep(CKeywordSet::HashStart, text[p]);
    ++p;
    while (p < size && IsWordChar(text[p])) {
        wordHash = CKeywordSet::HashStep(wordHash, text[p]);
        ++p;
    }
    *hash = wordHash;
    return p;
}

int CSyntaxScanner::Scan(QStringView view, std::vector<CSyntaxToken>& tokens, int offset) const
{
    const char16_t* text = view.utf16();
    const int size = int(view.size());
    int p = 0;
    while (p < size) {
        const char16_t c = text[p];
        CharKind kind = Quote;
        if (c < 128) {
            kind = m_charKinds[c];
        } else if (!m_bWideQuotes || !IsQuoteChar(c)) {
            ++p; // every character from 128 up is other text
            continue;
        }
        switch (kind) {
        case Plain:
            ++p;
            break;
        case Terminator:
            return p;
        case Quote: {
            const int end = ScanString(text, p, size);
            tokens.push_back({offset + p, offset + end, ZtTokenClass::String});
            p = end;
            break;
        }
        case Digit: {
            const int end = ScanNumber(text, p, size);
            tokens.push_back({offset + p, offset + end, ZtTokenClass::Number});
            p = end;
            break;
        }
        case WordStart: {
            std::uint32_t hash = 0;
            const int end = ScanWord(text, p, size, &hash);
            const QStringView word(text + p, end - p);
            ZtTokenClass wordClass = ZtTokenClass::Other;
            if (m_primary.Contains(word, hash))
                wordClass = ZtTokenClass::Primary;
            else if (m_secondary.Contains(word, hash))
                wordClass = ZtTokenClass::Secondary;
            if (wordClass != ZtTokenClass::Other)
                tokens.push_back({offset + p, offset + end, wordClass});
            p = end;
            break;
        }
        }
    }
    return size;
}

std::vector<CSyntaxToken> CSyntaxScanner::Tokens(QStringView text) const
{
    std::vector<CSyntaxToken> tokens;
    Scan(text, tokens);
    return tokens;
}
