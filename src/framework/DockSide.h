#pragma once

#include <QSize>

// The side a docking bar is remembered on, from the top-left corner (x, y) of
// its docked rectangle and the size of the main frame's client area: right of
// the middle is right, else left; but a bar in the lower half whose left edge
// lies within 40 pixels of the frame's left edge sits at the bottom. The
// result is the dock bar id: 59420 left, 59421 right, 59422 bottom (59419 top
// is never chosen).
int DockSideFromPosition(int x, int y, const QSize& frameClientSize);
