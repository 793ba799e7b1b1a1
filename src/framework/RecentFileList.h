#pragma once

#include <QString>
#include <QStringList>

class CProfile;

// The recently used files shown at the foot of the File menu, most recent
// first, kept in the profile as section "Recent File List", keys "File1"...
class CRecentFileList
{
public:
    CRecentFileList(CProfile& profile, int size = 4,
                    const QString& section = QStringLiteral("Recent File List"),
                    const QString& entryFormat = QStringLiteral("File%1"));

    int GetSize() const { return m_nSize; }
    // Entry index (0 is the most recent); empty past the end.
    QString GetAt(int index) const { return m_entries.value(index); }
    QStringList Entries() const { return m_entries; }

    // Puts path first, removing an older entry for it and the oldest entry
    // when the list is full.
    void Add(const QString& path);
    void Remove(int index);
    // Replaces the whole list, most recent first; the entries past the
    // list's size are dropped.
    void SetEntries(const QStringList& paths);

    // Entries longer than any path can be (PATH_MAX) are skipped.
    void ReadList();
    void WriteList();

    // The text of entry index in a menu: "&1 name", the path shortened to at
    // most maxWidth characters by dropping middle folders, or else the middle
    // of the file name.
    QString MenuText(int index, int maxWidth = 40) const;
    static QString AbbreviatePath(const QString& path, int maxWidth);

private:
    CProfile& m_profile;
    int m_nSize;
    QString m_strSection;
    QString m_strEntryFormat;
    QStringList m_entries;
};
