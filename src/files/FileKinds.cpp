#include "files/FileKinds.h"

#include <QStringList>

QString FileExtension(const QString& nameOrPath)
{
    const int nameStart = nameOrPath.lastIndexOf(QLatin1Char('/')) + 1;
    const int dot = nameOrPath.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        return QString();
    return nameOrPath.mid(dot).toLower();
}

namespace {

bool LowerAndMatch(QString& extension, const QStringList& accepted)
{
    extension = extension.toLower();
    return accepted.contains(extension);
}

} // namespace

bool IsEditableFileType(QString& extension)
{
    static const QStringList editable = {
        QStringLiteral(".htm"), QStringLiteral(".html"), QStringLiteral(".rtf"),
        QStringLiteral(".txt"), QStringLiteral(".cnc"),  QStringLiteral(".jav"),
        QStringLiteral(".inf"), QStringLiteral(".dat"),  QStringLiteral(".kwd"),
        QStringLiteral(".tpt"), QStringLiteral(".ncp"),  QStringLiteral(".js"),
        QStringLiteral(".css"), QStringLiteral(".pll"),  QStringLiteral(".pl"),
        QStringLiteral(".pm"),  QStringLiteral(".perl"), QStringLiteral(".prl"),
        QStringLiteral(".pgm"), QStringLiteral(".ini"),  QStringLiteral(".java"),
        QStringLiteral(".fil"), QStringLiteral(".f04"),  QStringLiteral(".f05"),
        QStringLiteral(".f06")};
    return LowerAndMatch(extension, editable);
}

bool IsProgramFileType(QString& extension)
{
    static const QStringList programs = {QStringLiteral(".exe"), QStringLiteral(".bat"),
                                         QStringLiteral(".com"), QStringLiteral(".sys"),
                                         QStringLiteral(".dos"), QStringLiteral(".win")};
    return LowerAndMatch(extension, programs);
}

bool IsRunnableFileType(QString& extension)
{
    static const QStringList runnable = {QStringLiteral(".exe"), QStringLiteral(".bat")};
    return LowerAndMatch(extension, runnable);
}
