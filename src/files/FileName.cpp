#include "files/FileName.h"

#include "files/FileKinds.h"
#include "files/RegularFile.h"

#include "files/FileOperationPlan.h"
#include "files/ShellFileOperation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStorageInfo>
#include <QVersionNumber>

#include <utility>

namespace {

constexpr qint64 kTextProbeSize = 4096;

// Leading bytes of binary formats that may hold no NUL in their first few KB.
bool HasBinarySignature(const QByteArray& head)
{
    static const QByteArray signatures[] = {
        QByteArray("\x89PNG"),         QByteArray("GIF87a"),       QByteArray("GIF89a"),
        QByteArray("\xFF\xD8\xFF"),    QByteArray("%PDF-"),        QByteArray("PK\x03\x04"),
        QByteArray("\x7F" "ELF"),      QByteArray("\xCA\xFE\xBA\xBE"), QByteArray("\x1F\x8B"),
        QByteArray("RIFF"),            QByteArray("7z\xBC\xAF"),   QByteArray("Rar!"),
        QByteArray("OggS"),            QByteArray("ID3"),          QByteArray("BZh"),
    };
    for (const QByteArray& signature : signatures) {
        if (head.startsWith(signature))
            return true;
    }
    return false;
}

// Chromium major version inside each Qt WebEngine 6 release; Debian ships
// Qt WebEngine with the same version as the rest of Qt.
int ChromiumMajorFor(int qtMinor)
{
    static const std::pair<int, int> releases[] = {{2, 90},  {3, 94},  {4, 102}, {5, 108},
                                                   {6, 112}, {7, 118}, {8, 122}};
    int chromium = 87;
    for (const auto& [minor, engine] : releases) {
        if (qtMinor >= minor)
            chromium = engine;
    }
    return chromium;
}

bool RunMove(QWidget* owner, const QStringList& sources, const QString& destination)
{
    return CShellFileOperation::Create(owner)->Move(sources, destination);
}

} // namespace

namespace ZtFileName {

bool IsFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool IsFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool IsTextFile(const QString& path)
{
    if (!IsFile(path))
        return false;
    // Never waits on the file: a pipe swapped in after the test above is
    // refused, not read.
    QFile file;
    if (!CRegularFile::OpenForReading(path, file, nullptr))
        return false;
    const QByteArray head = file.read(kTextProbeSize);
    return !head.contains('\0') && !HasBinarySignature(head);
}

bool Exist(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool IsBrowsable(const QString& path)
{
    // A name not there yet is left to the browser's own error page; a pipe or
    // a device would hang the engine reading it or never end.
    const QFileInfo info(path);
    return !path.isEmpty() && (info.isFile() || !info.exists()) && IsBrowsableFile(path);
}

qint64 GetFileSize(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return -1;
    return info.isDir() ? 0 : info.size();
}

bool GetFileStatus(const QString& path, CStatus* status)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !status)
        return false;
    status->m_ctime = info.metadataChangeTime();
    status->m_mtime = info.lastModified();
    status->m_atime = info.lastRead();
    status->m_size = info.isDir() ? 0 : info.size();
    status->m_bFolder = info.isDir();
    status->m_bReadOnly = !info.isWritable();
    status->m_bHidden = info.fileName().startsWith(QLatin1Char('.'));
    status->m_permissions = info.permissions();
    return true;
}

bool CreateNewDirectory(const QString& path)
{
    return !path.isEmpty() && QDir().mkdir(path);
}

bool ChainCreateDirectory(const QString& path)
{
    return !path.isEmpty() && QDir().mkpath(path);
}

QString GetRoot(const QString& path)
{
    if (path.isEmpty())
        return QString();
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    while (!QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).path();
        if (parent == existing)
            return QString();
        existing = parent;
    }
    const QStorageInfo storage(existing);
    return storage.isValid() ? storage.rootPath() : QStringLiteral("/");
}

bool GetBrowserVersion(int* major, int* minor)
{
    const QVersionNumber qt = QLibraryInfo::version();
    if (major)
        *major = qt.majorVersion();
    if (minor)
        *minor = qt.majorVersion() >= 6 ? ChromiumMajorFor(qt.minorVersion()) : 87;
    return true;
}

} // namespace ZtFileName

bool CFileName::ShellCopyFiles(QWidget* owner, const QString& source,
                               const QString& destination) const
{
    return CShellFileOperation::Create(owner)->Copy(CFileOperationPlan::SplitPathList(source),
                                                    destination);
}

bool CFileName::ShellMoveFiles(QWidget* owner, const QString& source,
                               const QString& destination) const
{
    return RunMove(owner, CFileOperationPlan::SplitPathList(source), destination);
}

bool CFileName::ShellRenameFiles(QWidget* owner, const QString& source,
                                 const QString& destination) const
{
    return CShellFileOperation::Create(owner)->Rename(source, destination);
}

bool CFileName::ShellRenameDirectory(QWidget* owner, const QString& oldPath,
                                     const QString& newPath) const
{
    return CShellFileOperation::Create(owner)->Rename(oldPath, newPath);
}

bool CFileName::MoveDirectory(QWidget* owner, const QString& path, const QString& newParent) const
{
    if (newParent.isEmpty())
        return false;
    // The trailing separator makes the destination a folder to move into.
    const QString into = newParent.endsWith(QLatin1Char('/')) ? newParent
                                                               : newParent + QLatin1Char('/');
    return RunMove(owner, {path}, into);
}

bool CFileName::ShellCopyList(QWidget* owner, const QStringList& paths,
                              const QString& destination, int mode) const
{
    std::unique_ptr<CShellFileOperation> operation = CShellFileOperation::Create(owner);
    switch (mode) {
    case CFileOperationPlan::ModeMove:
        return operation->Move(paths, destination);
    case CFileOperationPlan::ModeCopy:
        return operation->Copy(paths, destination);
    case CFileOperationPlan::ModeDelete:
        return operation->Delete(paths, true);
    case CFileOperationPlan::ModeRename:
        return paths.size() == 1 && operation->Rename(paths.first(), destination);
    default:
        return false;
    }
}

bool CFileName::ShellDeleteItems(QWidget* owner, const QString& paths, int flags) const
{
    return CShellFileOperation::Create(owner)->Delete(CFileOperationPlan::SplitPathList(paths),
                                                      !(flags & NoConfirmation));
}
