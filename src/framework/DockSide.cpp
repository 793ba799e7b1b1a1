#include "framework/DockSide.h"

#include "res/CommandIds.h"

int DockSideFromPosition(int x, int y, const QSize& frameClientSize)
{
    // Integer halves, as the frame's pixel sizes are whole numbers.
    const int halfWidth = frameClientSize.width() / 2;
    const int halfHeight = frameClientSize.height() / 2;
    if (y >= halfHeight && x < 41)
        return ZtCmd::AFX_IDW_DOCKBAR_BOTTOM;
    return x > halfWidth ? ZtCmd::AFX_IDW_DOCKBAR_RIGHT : ZtCmd::AFX_IDW_DOCKBAR_LEFT;
}
