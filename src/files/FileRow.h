#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMetaType>
#include <QMimeDatabase>
#include <QString>

// One entry of a folder as a file list shows it: the texts of its columns
// and the name of its icon, worked out without touching the GUI, so a worker
// thread can make them.
struct CFileRow
{
    QString m_strName;
    QString m_strSize;     // empty for a folder, a broken link or a missing file
    QString m_strType;
    QString m_strModified; // "yyyy-MM-dd HH:mm", local time; empty when unknown
    QString m_strIconName; // the icon theme's name for the type
    bool m_bFolder = false;
};
Q_DECLARE_METATYPE(CFileRow)

// Makes rows. Types are looked up by name only (reading every file's first
// bytes would make a large folder slow), and each type's texts are kept, so
// a folder of one kind of file costs one lookup. One maker per thread.
class CFileRowMaker
{
public:
    CFileRow Make(const QFileInfo& info);

    // The modified column's text of a time; empty for an invalid one.
    static QString FormatModified(const QDateTime& time);
    // The type column's text when the MIME database knows nothing better
    // than "some bytes": "XYZ File" for a name ending in ".xyz", else "File".
    static QString UnknownTypeText(const QString& name);

private:
    struct CType
    {
        QString m_strText;
        QString m_strIconName;
    };
    CType TypeOf(const QFileInfo& info);

    QMimeDatabase m_database;
    // By the name's part from its first dot ("/" for folders); an empty
    // text stands for a type the database does not know.
    QHash<QString, CType> m_types;
};
