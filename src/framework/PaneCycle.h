#pragma once

class QMainWindow;
class QMdiArea;
class QWidget;

// F6 and Shift+F6: the keyboard's way between the parts of a main window,
// which Tab never leaves an editor for. The parts are the active document
// window of the area and every bar shown, in the order they stand on the
// screen (left to right, then top to bottom).
namespace ZtPaneCycle {

// Moves the keys to the next part (or the previous one) after the part that
// holds them now; from none, to the first. Within a part the keys go to the
// widget that had them last there, else to its first widget that takes Tab.
void Step(QMainWindow* window, QMdiArea* area, bool bForward);

} // namespace ZtPaneCycle
