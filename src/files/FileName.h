#pragma once

#include <QDateTime>
#include <QFileDevice>
#include <QString>
#include <QStringList>

#include "files/FileOperationPlan.h"

class CShellFileOperation;
class QWidget;

// Questions about paths on the local file system, asked directly: no object
// holds any state for them.
namespace ZtFileName {

// What GetFileStatus reports about a path.
struct CStatus
{
    QDateTime m_ctime; // status change (Linux keeps no creation time everywhere)
    QDateTime m_mtime; // last modification
    QDateTime m_atime; // last access
    qint64 m_size = 0;
    bool m_bFolder = false;
    bool m_bReadOnly = false; // the user may not write it
    bool m_bHidden = false;   // the name starts with a dot
    QFileDevice::Permissions m_permissions;
};

bool IsFolder(const QString& path);
bool IsFile(const QString& path);
// A regular file whose first 4 KB hold no NUL byte and do not start with
// the signature of a common binary format (images, archives, executables,
// PDF, Java classes). An empty file is text.
bool IsTextFile(const QString& path);
// True for an existing file, folder or (even dangling) symbolic link.
bool Exist(const QString& path);
// True when the embedded browser can show the file: web pages (.html
// .htm .shtml .shtm .xhtml .xht .mht .mhtml), text (.txt .xml .xsl .css
// .js .json), images (.gif .jpg .jpeg .jpe .png .bmp .ico .svg .webp) and
// .pdf. Folders, pipes, devices and other files are not.
bool IsBrowsable(const QString& path);

// Size in bytes; 0 for a folder, -1 for a path that does not exist.
qint64 GetFileSize(const QString& path);
// Fills status; false (status untouched) when the path does not exist.
bool GetFileStatus(const QString& path, CStatus* status);

// Creates one folder; false when it exists already or its parent is
// missing.
bool CreateNewDirectory(const QString& path);
// Creates every missing folder of path; true when the folder exists
// afterwards.
bool ChainCreateDirectory(const QString& path);

// The counterpart of a drive root: the mount point of the file system
// holding path (or holding its nearest existing parent), e.g. "/" or
// "/media/usb". Empty when nothing of the path exists.
QString GetRoot(const QString& path);

// The embedded browser's version as two numbers: the major version of
// Qt WebEngine, and the major version of the Chromium engine inside it
// (Qt WebEngine 6.4 gives 6 and 102). Always true.
bool GetBrowserVersion(int* major, int* minor);

} // namespace ZtFileName

// The shell file operations: copy, move, rename and delete to the trash.
// One is made on the stack for each use; its operations take full paths.
//
// They confirm, show progress
// and report failures themselves through CShellFileOperation; they run as
// jobs, and the caller refreshes what it shows when the job's finished
// signal says the request was carried out. Paths use the wildcard and
// "into this folder" forms CFileOperationPlan describes.
class CFileName
{
public:
    // Flags of ShellDeleteItems; the value is the one the shell has always
    // used for "no confirmation".
    enum EDeleteFlag { NoConfirmation = 0x10 };

    // Each starts a job and returns it: its finished(ok) signal comes once
    // the work is over (or was refused, declined or cancelled), never
    // before the call returns; the job deletes itself afterwards.
    CShellFileOperation* ShellCopyFiles(QWidget* owner, const QStringList& sources,
                                        const QString& destination) const;
    CShellFileOperation* ShellMoveFiles(QWidget* owner, const QStringList& sources,
                                        const QString& destination) const;
    // Renames source to destination (a full path, or a bare name in the
    // same folder); a wildcard source renames every match ("dir/*.htm" to
    // "*.html"). An existing destination is refused with a message.
    CShellFileOperation* ShellRenameFiles(QWidget* owner, const QString& source,
                                          const QString& destination) const;
    CShellFileOperation* ShellRenameDirectory(QWidget* owner, const QString& oldPath,
                                              const QString& newPath) const;
    // Moves path into the folder newParent.
    CShellFileOperation* MoveDirectory(QWidget* owner, const QString& path, const QString& newParent) const;
    // Carries out mode on every path of paths with destination.
    CShellFileOperation* ShellCopyList(QWidget* owner, const QStringList& paths, const QString& destination,
                                       CFileOperationPlan::EMode mode) const;
    // Moves paths to the desktop trash after asking, unless flags holds
    // NoConfirmation. Once the job is over, a path still there means the
    // user declined or the helper reported why it stayed.
    CShellFileOperation* ShellDeleteItems(QWidget* owner, const QStringList& paths, int flags = 0) const;
};
