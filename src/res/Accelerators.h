#pragma once

#include <QKeySequence>
#include <QVector>

namespace ZtRes {

// One key of the main window's accelerator table and the command it runs.
struct Accelerator
{
    QKeySequence keys;
    int id = 0;
};

// The accelerator table of the main window, in table order. Keys of the
// numeric keypad carry Qt::KeypadModifier.
QVector<Accelerator> Accelerators();

// Keys a user of any editor expects, where the table above leaves them
// free. They act while a document window has the keyboard (Ctrl+A in a file
// list still selects the files), and the menus do not show them.
QVector<Accelerator> EditorAccelerators();

// Whether a pressed key is one of either table's, as the window's shortcuts
// match it: a keypad key also matches its main keyboard twin.
bool IsAcceleratorKey(QKeyCombination pressed);

} // namespace ZtRes
