#pragma once

#include "editor/KeywordSet.h"
#include "editor/SyntaxToken.h"

#include <QString>
#include <QStringView>

#include <array>
#include <vector>

// Splits text into the tokens the editor colours: strings, numbers and the
// words of a language's two keyword lists. Everything else (blanks,
// punctuation, words in neither list, every character from 128 up) is other
// text and produces no token.
//
// - A string starts at a quote character and runs to the same quote
//   character (included), to the end of the line (not included) or to the end
//   of the text.
// - A number starts at an ASCII digit: digits, optionally a point and more
//   digits, optionally an exponent (e or E, an optional sign, at least one
//   digit). 0x1F is the number 0 followed by the word x1F.
// - A word starts at an ASCII letter or underscore and runs over ASCII letters,
//   digits and underscores. It is a primary token when the primary list holds
//   it, else a secondary one when the secondary list does, else other text.
//
// Line ends are CR, LF and U+2029 (the paragraph separator Qt uses between
// blocks). A NUL character ends the text: scanning stops there.
class CSyntaxScanner
{
public:
    CSyntaxScanner() { BuildCharTable(); }
    CSyntaxScanner(const QString& quoteChars, const QString& primaryList,
                   const QString& secondaryList);

    // Appends the tokens of text to tokens, their positions shifted by offset.
    // Returns how many characters were scanned: the position of the first NUL,
    // or text.size() when there is none.
    int Scan(QStringView text, std::vector<CSyntaxToken>& tokens, int offset = 0) const;

    // Convenience for tests and tools: the tokens of text.
    std::vector<CSyntaxToken> Tokens(QStringView text) const;

private:
    enum CharKind : std::uint8_t { Plain = 0, Digit, WordStart, Quote, Terminator };
    // Flag in m_wordChars: the character continues a word.
    static constexpr std::uint8_t kWordChar = 1;

    void BuildCharTable();
    bool IsQuoteChar(char16_t c) const;
    static bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n' || c == u'\x2029'; }
    static bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
    bool IsWordChar(char16_t c) const { return c < 128 && m_wordChars[c]; }

    static int ScanString(const char16_t* text, int p, int size);
    static int ScanNumber(const char16_t* text, int p, int size);
    int ScanWord(const char16_t* text, int p, int size, std::uint32_t* hash) const;

    QString m_strQuoteChars;
    CKeywordSet m_primary;
    CKeywordSet m_secondary;
    std::array<CharKind, 128> m_charKinds{};
    std::array<std::uint8_t, 128> m_wordChars{};
    bool m_bWideQuotes = false; // a quote character at or above 128
};
