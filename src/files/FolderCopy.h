#pragma once

#include <QString>

// Copies of single files into a folder that never replace anything there:
// a file already in the folder keeps its bytes, and a copy that would take
// its name gets a free one instead.
namespace ZtFolderCopy {

// The name a copy of fileName gets in folder: fileName itself when nothing
// there has that name, otherwise "stem (2).ext", "stem (3).ext", ... (the
// extension from the last "."; a name without one, or a dot file, gets the
// number at its end).
QString FreeName(const QString& folder, const QString& fileName);

// Copies the regular file source into folder and returns the copy's path.
// When a file of the same name there holds the same bytes it is taken as
// the copy and nothing is written. The copy is written through CAtomicFile,
// so a failure leaves no half-written file. On failure returns an empty
// string and puts the reason into *errorString.
QString CopyInto(const QString& source, const QString& folder, QString* errorString);

} // namespace ZtFolderCopy
