#pragma once

#include <cstdint>

// The classes a character of coloured text can fall into. Other is the text
// between tokens; it is never reported as a token.
enum class ZtTokenClass : std::uint8_t { Other = 0, Primary, Secondary, String, Number };

// One token found by the scanner: the characters [start, end) of the scanned
// text, with their class (never Other).
struct CSyntaxToken
{
    int start = 0;
    int end = 0;
    ZtTokenClass tokenClass = ZtTokenClass::Other;

    friend bool operator==(const CSyntaxToken&, const CSyntaxToken&) = default;
};
