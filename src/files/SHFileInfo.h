#pragma once

#include <QFileInfo>
#include <QIcon>
#include <QString>

// What a file list shows about one entry: icon, name, size, type and time,
// each already formatted for display.
class CSHFileInfo
{
public:
    explicit CSHFileInfo(const QString& path);
    // From an entry found while listing a folder.
    explicit CSHFileInfo(const QFileInfo& found);

    bool IsFolder() const { return m_info.isDir(); }

    // The file manager's icon for the entry; our own generic file or folder
    // icon when the desktop offers none. Needs a running QApplication (null
    // otherwise).
    QIcon GetIcon() const;
    // The entry's name; a root folder shows its full path.
    QString GetDisplayName() const;
    // Size in whole kilobytes, rounded up, with thousands separators:
    // "0 KB", "1 KB", "1,234 KB". Empty for a folder or a missing file.
    QString GetFileSize() const;
    // The type's description from the shared MIME database ("HTML
    // document", "Folder"), with a capital first letter.
    QString GetDescription() const;
    // Last modification as "yyyy-MM-dd HH:mm" in local time; empty when
    // unknown.
    QString GetLastWriteTime() const;

    // The display text of a byte count, as GetFileSize gives it.
    static QString FormatSize(qint64 bytes);

private:
    QFileInfo m_info;
};
