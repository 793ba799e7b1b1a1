#pragma once

#include <QList>
#include <QRect>

#include <Qt>

// Where the child windows go in the MDI area.
//
// Tiled, they lie side by side across the whole area, either one above the
// other in full-width rows (horizontal tiling) or next to each other in
// full-height columns (vertical tiling). Leftover pixels go to the first
// windows, so the tiles fill the area exactly.
//
// Cascaded, and when a window opens, each window is three quarters of the
// area (never less than 400 by 300 pixels, never more than the area), one
// step down and right of the one before; when the next step would leave the
// area the cascade starts again at the top-left corner. So every window lies
// wholly inside the area with its title bar in sight.
class CMdiTiler
{
public:
    static constexpr int kCascadeStep = 24;

    static QList<QRect> Tiles(const QRect& area, int count, Qt::Orientation orientation);
    // The place of the window at position index of a cascade.
    static QRect CascadeSlot(const QRect& area, int index);
};
