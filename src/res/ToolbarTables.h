#pragma once

#include <QVector>

namespace ZtRes {

// The buttons of a toolbar resource as command ids, left to right; 0 stands
// for a separator. Empty for an unknown toolbar.
QVector<int> ToolbarButtons(int toolbarResourceId);

} // namespace ZtRes
