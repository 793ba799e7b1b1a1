#include "files/LinkTrash.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path NativePath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

bool PathPresent(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The record a trash reader needs to show and restore the link: its
// absolute path, percent-encoded byte by byte, and the local deletion time.
QByteArray TrashInfo(const QString& absolutePath)
{
    return "[Trash Info]\nPath=" + QUrl::toPercentEncoding(QFile::encodeName(absolutePath), "/")
           + "\nDeletionDate="
           + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")).toLatin1()
           + '\n';
}

// Claims a name in the trash by creating its info file exclusively, so two
// deletions at once never take the same name. Empty when none can be made.
QString ClaimName(const QString& trash, const QString& name, QFile* info)
{
    for (int n = 1; n < 10000; ++n) {
        const QString candidate = n == 1 ? name : QStringLiteral("%1.%2").arg(name).arg(n);
        if (PathPresent(trash + QStringLiteral("/files/") + candidate))
            continue;
        info->setFileName(trash + QStringLiteral("/info/") + candidate + QStringLiteral(".trashinfo"));
        if (info->open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return candidate;
        if (!info->exists())
            return {};
    }
    return {};
}

// Renames the link; across file systems a link is made anew with the same
// target and the old one removed.
std::error_code MoveLinkItself(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(NativePath(from), NativePath(to), error);
    if (error != std::errc::cross_device_link)
        return error;
    error.clear();
    const std::filesystem::path target = std::filesystem::read_symlink(NativePath(from), error);
    if (!error)
        std::filesystem::create_symlink(target, NativePath(to), error);
    if (!error)
        std::filesystem::remove(NativePath(from), error);
    if (error)
        std::filesystem::remove(NativePath(to));
    return error;
}

} // namespace

QString CLinkTrash::TrashFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
}

bool CLinkTrash::MoveLink(const QString& path, QString* error)
{
    const QString trash = TrashFolder();
    // A trash made here is the user's alone, as a desktop makes it.
    if (!QFileInfo::exists(trash) && QDir().mkpath(trash))
        QFile::setPermissions(trash, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!QDir().mkpath(trash + QStringLiteral("/files")) || !QDir().mkpath(trash + QStringLiteral("/info"))) {
        *error = QStringLiteral("The Trash folder '%1' cannot be created.").arg(trash);
        return false;
    }
    const QFileInfo link(path);
    QFile info;
    const QString name = ClaimName(trash, link.fileName(), &info);
    if (name.isEmpty()) {
        *error = QStringLiteral("No free name for it in '%1'.").arg(trash);
        return false;
    }
    const QByteArray record = TrashInfo(QDir::cleanPath(link.absoluteFilePath()));
    if (info.write(record) != record.size() || !info.flush()) {
        *error = info.errorString();
        info.remove();
        return false;
    }
    info.close();
    const std::error_code moved = MoveLinkItself(path, trash + QStringLiteral("/files/") + name);
    if (moved) {
        *error = QString::fromStdString(moved.message());
        info.remove();
        return false;
    }
    return true;
}
