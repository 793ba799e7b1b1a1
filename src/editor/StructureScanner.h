#pragma once

#include "editor/KeywordSet.h"
#include "editor/SyntaxToken.h"

#include <QStringView>

#include <cstdint>
#include <vector>

// Splits the lines of an HTML page into the tokens of its structure: tags,
// attribute names and values, comments, entities, declarations, and inside
// <style> and <script> the tokens of CSS and JavaScript.
//
// A line is scanned from the state the line before it ended in, and the
// scan returns the state this line ends in; nothing else passes from line to
// line. The state says what is open at the line's end: a comment, a
// declaration, a tag and where in it (after an attribute name, after "=",
// inside a quoted value), or a style or script region with what is open in
// that (a block comment, a string continued by a backslash, a template
// string, how deep the style sheet's braces are). State 0 is a page's start.
//
// The page is read as browsers read it, where that decides the structure: a
// <script> or <style> region ends at the first "</script" or "</style",
// whatever the script or style sheet has open there; a quoted attribute value
// may hold ">" and line breaks; an unquoted one ends at a blank or ">".
// Lines carry no line ends: a line's text is all it scans.
class CStructureScanner
{
public:
    using State = std::uint16_t;

    CStructureScanner();

    // Appends the tokens of line, scanned from state, to tokens, their
    // positions shifted by offset. Returns the state at the line's end.
    State Scan(QStringView line, State state, std::vector<CSyntaxToken>& tokens, int offset = 0) const;
    // The state at the line's end, without the tokens: for lines that are
    // passed over on the way to one that is shown.
    State EndState(QStringView line, State state) const;

private:
    CKeywordSet m_jsKeywords;
    CKeywordSet m_jsBeforeRegex; // keywords after which "/" starts a regular expression
};
