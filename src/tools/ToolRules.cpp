#include "tools/ToolRules.h"

#include "files/FileKinds.h"

#include <QStringList>

namespace ZtToolRules {

bool IsJavaSource(const QString& path)
{
    return FileExtension(path) == QLatin1String(".java");
}

bool IsTreeJavaFile(const QString& path)
{
    static const QStringList extensions{QStringLiteral(".java"), QStringLiteral(".jav")};
    return extensions.contains(FileExtension(path));
}

bool IsPerlScript(const QString& path)
{
    static const QStringList extensions{QStringLiteral(".pl"), QStringLiteral(".pll"), QStringLiteral(".prl"),
                                        QStringLiteral(".pm")};
    return extensions.contains(FileExtension(path));
}

} // namespace ZtToolRules
