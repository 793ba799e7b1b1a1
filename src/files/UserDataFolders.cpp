#include "files/UserDataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString CUserDataFolders::Templates()
{
    return Folder(QStringLiteral("Templates"));
}

QString CUserDataFolders::Keywords()
{
    return Folder(QStringLiteral("Keywords"));
}

QString CUserDataFolders::Folder(const QString& name)
{
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString folder = userData + QStringLiteral("/Zentrel/") + name;
    const QString shared = SharedDataDirectory();
    const QString seeded = EnsureSeeded(folder, shared.isEmpty() ? QString() : shared + QLatin1Char('/') + name);
    // A folder that cannot be made is still where the user's files belong;
    // the trees and dialogs show it empty.
    return seeded.isEmpty() ? folder : seeded;
}

QString CUserDataFolders::SharedDataDirectory()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zentrel");
    if (QFileInfo(beside).isDir())
        return QDir::cleanPath(beside);
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("zentrel"),
                                                     QStandardPaths::LocateDirectory);
    return installed;
}

QString CUserDataFolders::EnsureSeeded(const QString& folder, const QString& seed)
{
    if (QFileInfo(folder).isDir())
        return folder;
    if (!QDir().mkpath(folder))
        return QString();
    if (seed.isEmpty() || !QFileInfo(seed).isDir())
        return folder;
    const QDir seedDir(seed);
    QDirIterator it(seed, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString target = folder + QLatin1Char('/') + seedDir.relativeFilePath(it.filePath());
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else if (!QFileInfo::exists(target) && QFile::copy(it.filePath(), target))
            // Installed files are read-only; the user's copies are theirs to edit.
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    }
    return folder;
}
