#include "browser/LinkBuilder.h"

#include "files/FileKinds.h"
#include "files/RelativePath.h"

QString CLinkBuilder::BuildTagForFile(const QString& path, const QString& baseDirectory)
{
    const QString reference = MakeRelativePath(path, baseDirectory);
    if (IsHtmlFile(path))
        return QStringLiteral("<A HREF=\"%1\"> </A>\n").arg(reference);
    if (IsImageFile(path))
        return QStringLiteral("<IMG SRC=\"%1\" BORDER=\"0\">").arg(reference);
    return QString();
}
