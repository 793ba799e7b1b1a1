#pragma once

#include <QString>

// Where a path the user typed leads. "~" alone and "~/..." start in the
// home folder; any other relative path starts in startDirectory, the folder
// the program started in, never the process's current directory (opening
// dialogs and picking items in the trees change that). Everything else of
// the text is kept as typed: blanks, "." and ".." parts, a trailing "/".
// An empty text stays empty, so that each caller decides what "nothing
// typed" means; so does a relative text when startDirectory is empty.
QString ResolveTypedPath(const QString& typed, const QString& startDirectory);
