#pragma once

#include <QString>

// How a file list shows a file's size.
class CSHFileInfo
{
public:
    // Size in whole kilobytes, rounded up, with thousands separators:
    // "0 KB", "1 KB", "1,234 KB".
    static QString FormatSize(qint64 bytes);
};
