#pragma once

#include <QString>

// The string table. A command's string is "status prompt\ntool tip"; either
// part may be missing.
namespace ZtRes {

// The prompt the status bar shows while the pointer rests on the command's
// menu item or button. A command that has only a tool tip shows its tool tip
// there; an unknown command gives an empty string.
QString StatusText(int id);

// The tool tip of a command's toolbar button; empty when it has none.
QString ToolTipText(int id);

// Any other numbered string: the caption 128, the document strings 129, 130,
// 136 and 145, 111, 61450 to 61457. Empty for an unknown number.
QString String(int id);

} // namespace ZtRes
