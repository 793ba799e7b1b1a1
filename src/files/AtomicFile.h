#pragma once

#include <QByteArray>
#include <QString>

// Replaces a whole file so that it ends up either completely new or exactly as
// it was, never half written. Every file the program writes goes through here.
//
// The bytes go to a new file in the target's folder; every write, the fsync,
// the close and the size on disk are checked, and only when all succeeded is
// the new file renamed over the target. On any failure the new file is
// removed and the target is not touched.
//
// QSaveFile is not enough: it buffers small writes and flushes them inside
// commit(), and an error of that flush (ENOSPC on a full disk) does not stop
// its rename, so a full disk turned a page into an empty file while commit()
// returned true.
class CAtomicFile
{
public:
    // Writes bytes to path. A symbolic link is followed, so the link stays and
    // the file it points to is replaced; the file keeps its permissions and,
    // where allowed, its owner. Only a regular file (or a new name) is
    // replaced. On failure returns false and, when errorString is given, puts
    // the reason there ("No space left on device").
    static bool Write(const QString& path, const QByteArray& bytes, QString* errorString = nullptr);
};
