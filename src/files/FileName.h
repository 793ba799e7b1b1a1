#pragma once

#include <QDateTime>
#include <QFileDevice>
#include <QString>
#include <QStringList>

#include "files/FileOperationPlan.h"

class CShellFileOperation;
class QWidget;

// File-system and shell helper. One is made on the stack for each use,
// usually from an empty string; its operations take full paths.
//
// The shell operations (copy, move, rename, delete) confirm, show progress
// and report failures themselves through CShellFileOperation; they run as
// jobs, and the caller refreshes what it shows when the job's finished
// signal says the request was carried out. Paths use the wildcard and
// "into this folder" forms CFileOperationPlan describes.
class CFileName
{
public:
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

    // Flags of ShellDeleteItems; the value is the one the shell has always
    // used for "no confirmation".
    enum EDeleteFlag { NoConfirmation = 0x10 };

    explicit CFileName(const QString& path = QString());

    QString Path() const { return m_strPath; }

    bool IsFolder(const QString& path) const;
    bool IsFile(const QString& path) const;
    // A regular file whose first 4 KB hold no NUL byte and do not start with
    // the signature of a common binary format (images, archives, executables,
    // PDF, Java classes). An empty file is text.
    bool IsTextFile(const QString& path) const;
    // True for an existing file, folder or (even dangling) symbolic link.
    bool Exist(const QString& path) const;
    bool Exist() const;
    // True when the embedded browser can show the file: web pages (.html
    // .htm .shtml .shtm .xhtml .xht .mht .mhtml), text (.txt .xml .xsl .css
    // .js .json), images (.gif .jpg .jpeg .jpe .png .bmp .ico .svg .webp) and
    // .pdf. Folders, pipes, devices and other files are not.
    bool IsBrowsable(const QString& path) const;

    // Size in bytes; 0 for a folder, -1 for a path that does not exist.
    qint64 GetFileSize(const QString& path) const;
    // Fills status; false (status untouched) when the path does not exist.
    bool GetFileStatus(const QString& path, CStatus* status) const;

    // Creates one folder; false when it exists already or its parent is
    // missing.
    bool CreateNewDirectory(const QString& path) const;
    // Creates every missing folder of path; true when the folder exists
    // afterwards.
    bool ChainCreateDirectory(const QString& path) const;

    // The counterpart of a drive root: the mount point of the file system
    // holding path (or holding its nearest existing parent), e.g. "/" or
    // "/media/usb". Empty when nothing of the path exists.
    QString GetRoot(const QString& path) const;

    // The embedded browser's version as two numbers: the major version of
    // Qt WebEngine, and the major version of the Chromium engine inside it
    // (Qt WebEngine 6.4 gives 6 and 102). Always true.
    bool GetBrowserVersion(int* major, int* minor) const;

    // Renames every file (not folder) of directory by number: each letter
    // and digit of the name before its extension is shifted by number
    // places in its alphabet (A-Z, a-z, 0-9); the extension stays, so files
    // still open with the right program. HideAllFileNames(dir, -n) undoes
    // HideAllFileNames(dir, n). False, with every name as it was, when the
    // directory is missing or a rename fails.
    bool HideAllFileNames(const QString& directory, int number) const;
    // The name HideAllFileNames gives a file called name.
    static QString HiddenName(const QString& name, int number);

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

private:
    QString m_strPath;
};
