#include "files/AtomicFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString Tr(const char* text)
{
    return QCoreApplication::translate("CAtomicFile", text);
}

// The file a write to path lands in: the end of a chain of links, or path.
QString ResolvedTarget(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical; // a dangling link names a new file
}

// A name next to target that no one uses, hidden from folder listings and
// short enough for the file system's name limit.
QByteArray TemporaryName(const QByteArray& target)
{
    const int slash = target.lastIndexOf('/');
    const QByteArray folder = target.left(slash + 1);
    const QByteArray name = target.mid(slash + 1).left(200);
    const quint32 random = QRandomGenerator::global()->generate();
    return folder + '.' + name + '.' + QByteArray::number(random, 36) + ".tmp";
}

// Creates the temporary file; mode 0666 lets the umask decide a new file's
// permissions, as for any file the user creates.
int CreateTemporary(const QByteArray& target, QByteArray* temporaryPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporaryPath = TemporaryName(target);
        const int fd = ::open(temporaryPath->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 chunk = std::min<qint64>(bytes.size() - written, qint64(1) << 30);
        const ssize_t count = ::write(fd, bytes.constData() + written, size_t(chunk));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            if (count == 0)
                errno = EIO;
            return false;
        }
        written += count;
    }
    return true;
}

// Gives the new file the old one's permissions and owner. Changing the owner
// needs privileges a normal user may lack, so its failure is not an error.
bool CopyAttributes(int fd, const struct stat& old)
{
    if (::fchmod(fd, old.st_mode & 07777) != 0)
        return false;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        errno = 0;
    return true;
}

// Writes, syncs and checks the new file; errno tells why when false.
bool FillTemporary(int fd, const QByteArray& bytes, const struct stat* old)
{
    if (old && !CopyAttributes(fd, *old))
        return false;
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
        return false;
    struct stat written {};
    if (::fstat(fd, &written) != 0)
        return false;
    if (written.st_size != bytes.size()) {
        errno = EIO;
        return false;
    }
    return true;
}

// Makes the rename itself durable. A failure here leaves either the old or
// the new complete file after a crash, so it is not reported.
void SyncFolder(const QByteArray& target)
{
    const QByteArray folder = target.left(target.lastIndexOf('/') + 1);
    const int fd = ::open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool Fail(QString* errorString, const QString& reason)
{
    if (errorString)
        *errorString = reason;
    return false;
}

// Replaces target by a new file holding bytes. target is not resolved any
// further: a link found there is not a regular file.
bool WriteTarget(const QByteArray& target, const QByteArray& bytes, QString* errorString)
{
    struct stat old {};
    const bool exists = ::lstat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return Fail(errorString, Tr("It is not a regular file."));

    QByteArray temporary;
    const int fd = CreateTemporary(target, &temporary);
    if (fd < 0)
        return Fail(errorString, qt_error_string(errno));
    bool ok = FillTemporary(fd, bytes, exists ? &old : nullptr);
    int error = errno;
    // Close errors count too: some file systems report a failed write only here.
    if (::close(fd) != 0 && ok && errno != EINTR) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.constData(), target.constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.constData());
        return Fail(errorString, qt_error_string(error));
    }
    SyncFolder(target);
    return true;
}
} // namespace

bool CAtomicFile::Write(const QString& path, const QByteArray& bytes, QString* errorString)
{
    return WriteTarget(QFile::encodeName(ResolvedTarget(path)), bytes, errorString);
}

QString CAtomicFile::ScratchProblem(const QString& path)
{
    struct stat entry {};
    if (::lstat(QFile::encodeName(path).constData(), &entry) != 0)
        return QString();
    if (S_ISLNK(entry.st_mode))
        return Tr("It is a symbolic link; Zentrel does not write through it.");
    if (!S_ISREG(entry.st_mode))
        return Tr("It is not a regular file.");
    return QString();
}

bool CAtomicFile::WriteScratch(const QString& path, const QByteArray& bytes, QString* errorString)
{
    const QString problem = ScratchProblem(path);
    if (!problem.isEmpty())
        return Fail(errorString, problem);
    // A link that comes after this check is refused by the write's own
    // check, or, coming later still, replaced by the rename.
    return WriteTarget(QFile::encodeName(path), bytes, errorString);
}

