#include "wizards/ImageFolders.h"

#include "files/RelativePath.h"
#include "framework/Profile.h"

#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QPair>

namespace ZtImageFolders {

QString Section()
{
    return QStringLiteral("LastDirectory");
}

QString Key(int index)
{
    return QStringLiteral("ImageDir%1").arg(index + 1);
}

bool IsUsableFolder(const QString& value)
{
    if (value.isEmpty() || value == QLatin1String("empty") || !value.startsWith(QLatin1Char('/')))
        return false;
    for (const QChar c : value) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QStringList UsableFolders(const QStringList& stored)
{
    QStringList folders;
    for (const QString& value : stored) {
        if (IsUsableFolder(value))
            folders.append(value);
    }
    return folders;
}

QStringList RecordFolder(const QStringList& folders, const QString& folder)
{
    QStringList result{folder};
    for (const QString& other : folders) {
        if (result.size() > kOthersKeptAfterPick)
            break;
        if (other != folder)
            result.append(other);
    }
    return result;
}

QList<QPair<QString, QString>> FolderWrites(const QStringList& folders)
{
    QList<QPair<QString, QString>> writes;
    for (int i = 0; i < qMin(int(folders.size()), kStoredFolders); ++i)
        writes.append({Key(i), folders[i].isEmpty() ? QStringLiteral("empty") : folders[i]});
    return writes;
}

QStringList Load(const CProfile& profile)
{
    QStringList stored;
    for (int i = 0; i < kStoredFolders; ++i)
        stored.append(profile.GetString(Section(), Key(i), QStringLiteral("empty")));
    return UsableFolders(stored);
}

void Save(CProfile& profile, const QStringList& folders)
{
    for (const auto& [key, value] : FolderWrites(folders))
        profile.WriteString(Section(), key, value);
}

QString MostRecent(const CProfile& profile)
{
    const QString first = profile.GetString(Section(), Key(0), QStringLiteral("empty"));
    return IsUsableFolder(first) ? first : QString();
}

bool LiesOutsideSite(const QString& path, const QString& base)
{
    return !base.isEmpty() && QFileInfo(base).isDir() && MakeRelativePath(path, base) == path;
}

QString SiteImageFolder(const QString& base)
{
    const QString images = QStringLiteral("images");
    QStringList folders = QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    if (!folders.contains(images)) {
        folders.removeIf([&](const QString& name) { return name.compare(images, Qt::CaseInsensitive) != 0; });
        if (folders.isEmpty())
            return base;
    }
    return base + QLatin1Char('/') + (folders.contains(images) ? images : folders.first());
}

} // namespace ZtImageFolders
