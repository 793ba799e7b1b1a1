#include "files/SHFileInfo.h"

#include <QLocale>

QString CSHFileInfo::FormatSize(qint64 bytes)
{
    const qint64 kilobytes = bytes <= 0 ? 0 : (bytes + 1023) / 1024;
    // Made once: a list formats one size per row.
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return english.toString(kilobytes) + QStringLiteral(" KB");
}
