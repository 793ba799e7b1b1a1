#include "files/RelativePath.h"

QString MakeRelativePath(QString path, QString base)
{
    if (path.size() <= base.size())
        return path;
    if (!base.isEmpty() && !path.startsWith(base))
        return path;
    // What follows base is the separator before the rest; a base that ends
    // in one ("/") has already taken it.
    const bool separatorFollows = !base.isEmpty() && !base.endsWith(QLatin1Char('/'));
    return path.mid(base.size() + (separatorFollows ? 1 : 0));
}
