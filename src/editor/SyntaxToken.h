#pragma once

#include <cstdint>

// The classes a character of coloured text can fall into. Other is the text
// between tokens; it is never reported as a token.
//
// The first five are the keyword colouring's. The others come from colouring
// a page by its structure: the markup's parts, and the style sheets and
// scripts the page holds.
enum class ZtTokenClass : std::uint8_t {
    Other = 0,
    Primary,
    Secondary,
    String,
    Number,
    Tag, // "<TABLE", "</TD", ">" and "/>"
    AttributeName,
    AttributeValue, // with its quotes
    Comment,
    Entity,
    Doctype, // <!DOCTYPE ...> and the other <!...> and <?...?> declarations
    CssSelector,
    CssProperty,
    CssValue,
    CssString,
    CssComment,
    CssAtRule,
    JsKeyword,
    JsString,
    JsNumber,
    JsComment,
    JsRegex,
};

constexpr int kTokenClassCount = int(ZtTokenClass::JsRegex) + 1;

// The name tools print for a class ("primary", "tag", "css-value", ...).
inline const char* ZtTokenClassName(ZtTokenClass tokenClass)
{
    static const char* const names[kTokenClassCount] = {
        "other",       "primary",      "secondary",    "string",     "number",    "tag",
        "attribute",   "value",        "comment",      "entity",     "doctype",   "css-selector",
        "css-property", "css-value",   "css-string",   "css-comment", "css-at-rule", "js-keyword",
        "js-string",   "js-number",    "js-comment",   "js-regex"};
    return names[int(tokenClass)];
}

// One token found by the scanner: the characters [start, end) of the scanned
// text, with their class (never Other).
struct CSyntaxToken
{
    int start = 0;
    int end = 0;
    ZtTokenClass tokenClass = ZtTokenClass::Other;

    friend bool operator==(const CSyntaxToken&, const CSyntaxToken&) = default;
};
