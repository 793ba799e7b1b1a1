#pragma once

#include <QString>

// File name extensions and the three extension tests other parts of the
// program use to decide how a file is treated.
//
// An extension is the part of the file name from its last dot to the end,
// lower-cased (".html" for "index.HTML"); a name without a dot has none. Only
// the file name counts: a dot in a directory name is not an extension.

// The extension of a file name or path, lower-cased; empty when there is none.
QString FileExtension(const QString& nameOrPath);

// Each test takes an extension with its leading dot, lower-cases the caller's
// string in place and says whether it is of that kind.
// Files that open in the source editor.
bool IsEditableFileType(QString& extension);
// Program files, which cannot be edited as text.
bool IsProgramFileType(QString& extension);
// Files the list can start directly.
bool IsRunnableFileType(QString& extension);
