#pragma once

#include <QList>
#include <QTextLayout>

class QTextBlock;

// Adds marks of its own to a line's colours: a wavy underline under a line
// with a markup error, under a misspelt word. The colorizer asks each of its
// decorators whenever it makes a block's colours, so marks cost nothing for
// lines that are never shown and go out of date with the line's colours.
class CLineDecorator
{
public:
    virtual ~CLineDecorator() = default;

    // Appends the ranges that mark block's text to ranges, which already
    // holds the block's token colours. A range may overlap token ranges: the
    // layout merges their formats, so an underline keeps the token's colour.
    virtual void Decorate(const QTextBlock& block, QList<QTextLayout::FormatRange>& ranges) = 0;
};
