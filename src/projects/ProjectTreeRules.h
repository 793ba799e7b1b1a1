#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class QMimeData;

// The Project tree's decisions as plain rules: where an item lives on disk,
// how a folder's entries are ordered, what a new folder's index file holds
// and what the clipboard offers to paste. The tree gathers the facts and asks.
class CProjectTreeRules
{
public:
    // One entry of a folder listing.
    struct CEntry
    {
        QString m_strName;
        bool m_bFolder = false;
    };

    // What a folder shows, in order.
    struct CListing
    {
        QStringList m_folders;
        QStringList m_files;
    };

    // What the clipboard offers: the paths to paste and whether the desktop
    // file manager cut them (they are then moved, not copied).
    struct CPasteSource
    {
        QStringList m_paths;
        bool m_bCut = false;
    };

    // The project file's folder, without a trailing "/" ("/" stays "/").
    static QString MainDirectoryOf(const QString& projectFile);
    // The project file's name without the part from its last ".".
    static QString ProjectNameOf(const QString& projectFile);

    // The full path of an item whose texts below the root are names (the
    // root itself when names is empty). The path is built from the main
    // directory, not from the root's text, so a project file named unlike
    // its folder still gives every item its real path.
    static QString ItemPath(const QString& mainDirectory, const QStringList& names);

    // Folders first, in the tree's alphabetical order (case-insensitive,
    // ties by case); then files by the byte values of their names, so
    // "Zeta.htm" comes before "alpha.htm". A file named exactly
    // hiddenFileName (the project file) is left out; a folder of that name
    // is not.
    static CListing OrderEntries(const QVector<CEntry>& entries, const QString& hiddenFileName);
    // True when folder name a sorts before folder name b.
    static bool FolderNameLess(const QString& a, const QString& b);

    // The bytes of the "Index.txt" written into every new folder.
    static QByteArray IndexFileBytes();

    // A name the user may give a file or folder: not empty, not "." or "..",
    // no "/" and no NUL.
    static bool IsValidItemName(const QString& name);

    // The paths the clipboard offers, looked for in the desktop file
    // managers' copied-files format, then a URI list, then plain text
    // naming an existing file or folder. Empty paths when nothing usable.
    static CPasteSource PasteSourceOf(const QMimeData* data);

    // The commands of the context menu that depend on the item.
    static bool IsEditEnabled(const QString& path);
    static bool IsShowPageEnabled(const QString& path);
    // Show page shows only pages whose path ends exactly in ".html" or ".htm".
    static bool IsShowablePage(const QString& path);
    // Double-click and Edit open editable files and ".bat" files.
    static bool IsOpenable(const QString& path);

    // A drag starts only once this long after the button went down.
    static constexpr qint64 kDragDelayMs = 80;
};
