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

QString CReopenRules::PlacementKey(int index)
{
    return QStringLiteral("w%1").arg(index + 1);
}
