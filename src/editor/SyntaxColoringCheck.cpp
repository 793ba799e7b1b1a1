#include "editor/SyntaxColoringCheck.h"

#include "framework/Profile.h"

#include <QFileInfo>

int CheckSyntaxColoring(const QString& path)
{
    const CProfile& profile = CProfile::Instance();
    if (profile.GetInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"), 0) == 0)
        return 0;
    const int limit = profile.GetInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), -1);
    if (limit <= -1)
        return -1;
    if (limit == 0)
        return 0;
    // QFileInfo gives 0 for a file that does not exist (a new page not yet
    // saved), which is below every positive limit.
    const qint64 size = QFileInfo(path).size();
    return size < limit ? limit : 0;
}

const char* const kColourByStructureKey = "SyntaxColoringByStructure";

bool IsColourByStructureOn()
{
    return CProfile::Instance().GetInt(QStringLiteral("Settings"), QLatin1String(kColourByStructureKey), 0)
           != 0;
}
