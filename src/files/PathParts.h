#pragma once

#include <QString>

// The two parts of a path every part of the program takes apart the same
// way: paths use "/" only, and nothing here looks at the disk.
namespace ZtPath {

// The folder part: everything before the last "/"; "/" for a name right
// under the root ("/a.gif"); empty when there is no "/".
QString FolderOf(const QString& path);

// The name part: everything after the last "/"; the whole path when there
// is no "/"; empty when the path ends in "/".
QString NameOf(const QString& path);

} // namespace ZtPath
