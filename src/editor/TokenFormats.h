#pragma once

#include "editor/SyntaxToken.h"

#include <QColor>
#include <QList>
#include <QTextCharFormat>
#include <QTextLayout>

#include <array>
#include <vector>

// The look of the token classes and the layout format ranges that show
// scanned tokens in a text block.
//
// Colours are layered over the document as QTextLayout format ranges, never
// written into the document, so colouring stays out of the undo stack and
// never marks the document modified. Each range's format carries its class
// as a property, because numbers and other text look the same (black, not
// bold) and tools reading the colours back still need to tell them apart.
class CTokenFormats
{
public:
    CTokenFormats();

    struct Style
    {
        QColor color;
        bool bold;
    };
    static Style StyleOf(ZtTokenClass tokenClass);

    const QTextCharFormat& Format(ZtTokenClass tokenClass) const
    {
        return m_formats[std::size_t(tokenClass)];
    }
    // The class a layout format was made for; Other for foreign formats.
    static ZtTokenClass ClassOf(const QTextCharFormat& format);

    // Ranges for the block characters [from, to): each token with its class,
    // and each gap between tokens as other text. Token positions are block
    // positions and must lie within [from, to).
    QList<QTextLayout::FormatRange> Ranges(const std::vector<CSyntaxToken>& tokens, int from,
                                           int to) const;

    // Whether ranges already shows exactly what Ranges(tokens, from, to) would
    // build: checked without building it, since re-colouring text that did
    // not change is the common case.
    bool Matches(const QList<QTextLayout::FormatRange>& ranges,
                 const std::vector<CSyntaxToken>& tokens, int from, int to) const;

    // Takes over the document's shared copies of the class formats from
    // ranges that were just set on a layout. The layout keeps those copies,
    // so later comparisons find the same shared data and need not compare
    // property by property.
    // Returns whether all classes in use now use the document's copies.
    bool AdoptShared(const QList<QTextLayout::FormatRange>& ranges);
    // The classes whose shared copies AdoptShared waits for, one bit each:
    // the keyword colouring's five unless told otherwise.
    void SetClassesInUse(std::uint32_t classBits) { m_nClassesInUse = classBits; }

    // existing with everything in [from, to) replaced by fresh: ranges that
    // straddle a bound are cut back to the part outside. Used when only part
    // of a block is coloured.
    static QList<QTextLayout::FormatRange> Splice(const QList<QTextLayout::FormatRange>& existing,
                                                  int from, int to,
                                                  const QList<QTextLayout::FormatRange>& fresh);

    static constexpr int ClassProperty = QTextFormat::UserProperty + 0x5a1;

private:
    std::array<QTextCharFormat, kTokenClassCount> m_formats;
    std::uint32_t m_nSharedClasses = 0; // bit per class adopted by AdoptShared
    std::uint32_t m_nClassesInUse = 0x1f;
};
