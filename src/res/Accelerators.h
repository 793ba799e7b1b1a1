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

// Whether a pressed key is one of the table's, as the window's shortcuts
// match it: a keypad key also matches its main keyboard twin.
bool IsAcceleratorKey(QKeyCombination pressed);

} // namespace ZtRes
