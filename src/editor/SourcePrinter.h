#pragma once

#include <QList>
#include <QTextLayout>

#include <functional>

class QPaintDevice;
class QTextBlock;
class QTextDocument;

// Prints the editor's text: fixed margins on all four sides, long lines
// wrapped at the right margin so that nothing is cut off, whatever the
// editor's own wrapping, and nothing added (no page numbers, no margin of
// the text engine's own).
class CSourcePrinter
{
public:
    struct Pages
    {
        int from; // first page to print, counting from 1; 0 for all
        int to;   // last page to print; 0 for all
    };

    // The colours of a block of the printed copy, as layout format ranges.
    using BlockColours = std::function<QList<QTextLayout::FormatRange>(const QTextBlock&)>;

    // Paints text on paper, a device whose whole area is the sheet (for a
    // printer: full-page mode), with marginTwips on each side. newPage starts
    // the next sheet and returns false when the device cannot. colours, when
    // given, colours every line of the copy laid out for the paper.
    static void Print(const QTextDocument& text, QPaintDevice* paper, int marginTwips,
                      const std::function<bool()>& newPage, Pages pages = Pages{0, 0},
                      const BlockColours& colours = {});
};
