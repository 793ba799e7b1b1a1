#pragma once

class QWidget;

// Makes window (or the window that holds it) the active window again once a
// dialog over it has closed, so that its shortcuts and menu mnemonics work.
// Without a window manager nothing does this by itself, and asking the window
// system is not always enough: when the X focus never left the window while
// the dialog was up, no focus event comes back and Qt would take no window
// for active.
void ZtGiveKeysBack(QWidget* window);
