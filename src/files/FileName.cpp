#include "files/FileName.h"

#include "files/FileKinds.h"
#include "files/RegularFile.h"

#include "files/FileOperationPlan.h"
#include "files/ShellFileOperation.h"

#include <QCoreApplication>
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

// A job that lives until it has finished; the application outlives it
// only when it is cancelled at exit.
template <typename Request>
CShellFileOperation* StartJob(QWidget* owner, Request request)
{
    CShellFileOperation* operation = CShellFileOperation::Create(owner).release();
    operation->setParent(QCoreApplication::instance());
    operation->SetAutoDelete(true);
    request(*operation);
    return operation;
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

CShellFileOperation* CFileName::ShellCopyFiles(QWidget* owner, const QStringList& sources,
                                               const QString& destination) const
{
    return StartJob(owner, [&](CShellFileOperation& job) { job.Copy(sources, destination); });
}

CShellFileOperation* CFileName::ShellMoveFiles(QWidget* owner, const QStringList& sources,
                                               const QString& destination) const
{
    return StartJob(owner, [&](CShellFileOperation& job) { job.Move(sources, destination); });
}

CShellFileOperation* CFileName::ShellRenameFiles(QWidget* owner, const QString& source,
                                                 const QString& destination) const
{
    return StartJob(owner, [&](CShellFileOperation& job) { job.Rename(source, destination); });
}

CShellFileOperation* CFileName::ShellRenameDirectory(QWidget* owner, const QString& oldPath,
                                                     const QString& newPath) const
{
    return ShellRenameFiles(owner, oldPath, newPath);
}

CShellFileOperation* CFileName::MoveDirectory(QWidget* owner, const QString& path,
                                              const QString& newParent) const
{
    // The trailing separator makes the destination a folder to move into;
    // an empty one is refused with the other wrong destinations.
    const QString into = newParent.isEmpty() || newParent.endsWith(QLatin1Char('/')) ? newParent
                                                                                     : newParent + QLatin1Char('/');
    return ShellMoveFiles(owner, {path}, into);
}

CShellFileOperation* CFileName::ShellCopyList(QWidget* owner, const QStringList& paths,
                                              const QString& destination, CFileOperationPlan::EMode mode) const
{
    return StartJob(owner, [&](CShellFileOperation& job) {
        switch (mode) {
        case CFileOperationPlan::EMode::Move:
            return job.Move(paths, destination);
        case CFileOperationPlan::EMode::Copy:
            return job.Copy(paths, destination);
        case CFileOperationPlan::EMode::Delete:
            return job.Delete(paths, true);
        case CFileOperationPlan::EMode::Rename:
            // One path only: several cannot all take the one new name.
            return job.Rename(paths.size() == 1 ? paths.first() : QString(), destination);
        }
    });
}

CShellFileOperation* CFileName::ShellDeleteItems(QWidget* owner, const QStringList& paths, int flags) const
{
    return StartJob(owner, [&](CShellFileOperation& job) { job.Delete(paths, !(flags & NoConfirmation)); });
}
