#pragma once

#include <QString>

// Which element of a page holds a place in its source text, named so that
// the rendered page can find it again: the tag and how many elements of
// that tag come before it in the source ("the third <p>"). The page's parser
// keeps the elements the source starts in source order (markup it moves, as
// text misplaced in a table, is rare), so the same count finds it in the
// document; at worst the preview scrolls to a neighbour.
//
// The element is the innermost one open at the place; text standing
// directly in the body or the page counts as part of the element just
// before it. Comments, the insides of <script> and <style>, and quoted
// attribute values are no markup.
struct CCaretElement
{
    QString tag;    // lower case; empty when the place is in no element of the body
    int index = -1; // among the elements of that tag, from 0

    static CCaretElement At(const QString& text, qsizetype position);
    // The script that scrolls the element into view, when it is out of it.
    QString RevealScript() const;
};
