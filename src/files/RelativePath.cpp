#include "files/RelativePath.h"

QString MakeRelativePath(QString path, QString base)
{
    if (base.isEmpty() || path.size() <= base.size() || !path.startsWith(base))
        return path;
    // A base that ends in "/" has taken the separator already. Otherwise the
    // next character must be one: "/web/site2/a.gif" starts with the text
    // "/web/site" but lies in a folder beside it, not below it.
    if (base.endsWith(QLatin1Char('/')))
        return path.mid(base.size());
    if (path.at(base.size()) != QLatin1Char('/'))
        return path;
    return path.mid(base.size() + 1);
}
