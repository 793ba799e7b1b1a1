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

    // Writes a file whose name the program chose, not the user (the preview
    // page, the applet page): such a name in a shared folder or an unpacked
    // archive may be a link to any file of the user's. A symbolic link or
    // anything but a regular file in its place is refused, never followed;
    // the new file replaces the name itself, so a link that appears meanwhile
    // is replaced, not written through.
    static bool WriteScratch(const QString& path, const QByteArray& bytes, QString* errorString = nullptr);
    // Why WriteScratch would refuse path, ready for the user; empty when the
    // name is free or a regular file.
    static QString ScratchProblem(const QString& path);
};
