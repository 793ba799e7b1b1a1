#include "framework/DiskStamp.h"

#include <QDateTime>
#include <QFileInfo>

CDiskStamp CDiskStamp::Of(const QString& path)
{
    CDiskStamp stamp;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        stamp.m_nSize = 0;
        stamp.m_nModifiedMs = 0;
        return stamp;
    }
    stamp.m_bExists = true;
    stamp.m_nSize = info.size();
    stamp.m_nModifiedMs = info.lastModified().toMSecsSinceEpoch();
    return stamp;
}
