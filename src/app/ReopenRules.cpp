#include "app/ReopenRules.h"

#include "files/FileKinds.h"

QStringList CReopenRules::PagesToReopen(const QStringList& recentFiles, int count, const QString& projectExtension)
{
    const int limit = qMin(count, kMaxPages);
    QStringList pages;
    for (const QString& path : recentFiles) {
        if (pages.size() >= limit || path.isEmpty())
            break;
        if (FileExtension(path) != projectExtension.toLower())
            pages.append(path);
    }
    return pages;
}

QStringList CReopenRules::RecentFilesWithPagesFirst(const QStringList& recentFiles, const QStringList& openPages,
                                                      int size)
{
    QStringList pages;
    for (const QString& path : recentFiles) {
        if (openPages.contains(path))
            pages.append(path);
    }
    for (const QString& path : openPages) {
        if (!path.isEmpty() && !pages.contains(path))
            pages.append(path);
    }
    QStringList entries = pages.mid(0, kMaxPages);
    for (const QString& path : recentFiles) {
        if (!entries.contains(path))
            entries.append(path);
    }
    return entries.mid(0, size);
}

QString CReopenRules::PlacementKey(int index)
{
    return QStringLiteral("w%1").arg(index + 1);
}
