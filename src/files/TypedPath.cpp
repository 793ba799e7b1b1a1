#include "files/TypedPath.h"

#include <QDir>

namespace {
QString Join(const QString& folder, const QString& rest)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + rest : folder + QLatin1Char('/') + rest;
}
} // namespace

QString ResolveTypedPath(const QString& typed, const QString& startDirectory)
{
    if (typed == QLatin1String("~"))
        return QDir::homePath();
    if (typed.startsWith(QLatin1String("~/")))
        return Join(QDir::homePath(), typed.mid(2));
    if (typed.isEmpty() || !QDir::isRelativePath(typed) || startDirectory.isEmpty())
        return typed;
    return Join(startDirectory, typed);
}
