#include "files/RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString Tr(const char* text)
{
    return QCoreApplication::translate("CRegularFile", text);
}

QString NotRegularMessage(const QString& path)
{
    return Tr("%1\nis not a regular file (it may be a pipe, a device or a socket) and cannot be opened.")
        .arg(QDir::toNativeSeparators(path));
}
} // namespace

QString CRegularFile::Problem(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return Tr("%1\nis a folder, not a file.").arg(QDir::toNativeSeparators(path));
    if (!info.exists())
        return Tr("%1\nFile not found.").arg(QDir::toNativeSeparators(path));
    if (!info.isFile())
        return NotRegularMessage(path);
    return QString();
}

bool CRegularFile::OpenForReading(const QString& path, QFile& file, QString* error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    // O_NONBLOCK: opening a pipe with no writer would otherwise wait for one.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        *error = Tr("Cannot open %1.\n%2").arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        *error = NotRegularMessage(path);
        return false;
    }
    // Reads of a regular file never block; the flag only matters to others.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = Tr("Cannot open %1.\n%2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}
