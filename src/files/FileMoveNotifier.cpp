#include "files/FileMoveNotifier.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString Absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

CFileMoveNotifier* CFileMoveNotifier::Instance()
{
    static CFileMoveNotifier notifier;
    return &notifier;
}

void CFileMoveNotifier::ReportMoved(const QString& from, const QString& to)
{
    emit pathMoved(Absolute(from), Absolute(to));
}

QString CFileMoveNotifier::MovedPath(const QString& path, const QString& from, const QString& to)
{
    if (path.isEmpty() || from.isEmpty() || to.isEmpty())
        return {};
    const QString moved = Absolute(from);
    const QString current = Absolute(path);
    if (current == moved)
        return Absolute(to);
    // The separator keeps "/site/a" from claiming "/site/ab.html".
    const QString folder = moved.endsWith(QLatin1Char('/')) ? moved : moved + QLatin1Char('/');
    if (!current.startsWith(folder))
        return {};
    return Absolute(to) + QLatin1Char('/') + current.mid(folder.size());
}
