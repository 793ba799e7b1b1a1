#pragma once

#include <QIcon>
#include <QString>

namespace ZtRes {

// The picture of a command, shown on its toolbar button and beside its menu
// items; a null icon when the command has none.
QIcon CommandIcon(int id);

// The resource path of that picture (":/icons/<name>.svg"), or an empty
// string when the command has none.
QString CommandIconFile(int id);

// The program's own icon.
QIcon ProgramIcon();

} // namespace ZtRes
