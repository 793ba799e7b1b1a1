#pragma once

#include <QList>
#include <QRect>

#include <Qt>

// Where the child windows go when they are tiled: side by side across the
// whole area, either one above the other in full-width rows (horizontal
// tiling) or next to each other in full-height columns (vertical tiling).
// Leftover pixels go to the first windows, so the tiles fill the area exactly.
class CMdiTiler
{
public:
    static QList<QRect> Tiles(const QRect& area, int count, Qt::Orientation orientation);
};
