#pragma once

#include "files/FolderWatcher.h"
#include "files/SubfolderReader.h"
#include "files/VolumeReader.h"

#include <QFileIconProvider>
#include <QHash>
#include <QPersistentModelIndex>
#include <QSet>
#include <QTreeWidget>

class QMenu;

// A place at the top of the folder tree: a personal folder, the file
// system or a mounted volume.
struct CShellPlace
{
    QString m_strName;
    QString m_strPath;
    QFileIconProvider::IconType m_icon = QFileIconProvider::Folder;
};

// The folder tree of the desktop. Linux has no shell namespace, so the top
// level is made of real folders: the home folder, the desktop, the other
// personal (XDG user) folders that exist, the file system root and every
// mounted volume. Every item stands for a real folder path. Folders are read
// when they are first expanded, so a tree through a symbolic link loop only
// grows as far as the user opens it. The context menu creates, renames and
// deletes folders (to the trash) through the shell file helper.
//
// Folders are read on worker threads: expanding returns at once with a "..."
// item standing in, and the sub-folders arrive in batches, in name order.
// Every item is taken to have sub-folders until its read finds none. A read
// whose folder was collapsed, removed or read again meanwhile is dropped.
// Open folders are watched: a folder made, removed or renamed in one of them
// shows at once, and what is open or highlighted below it stays so.
class CShellTree : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CShellTree(QWidget* parent = nullptr);
    ~CShellTree() override;

    // The top level before the volumes, in order, without duplicates and
    // without folders that do not exist.
    static QList<CShellPlace> TopLevelPlaces();
    // The volumes a user would pick, of those mounted, as places.
    static QList<CShellPlace> VolumePlaces(const QList<CVolume>& volumes);
    // Whether a mounted file system is one a user keeps files on (a disk,
    // a stick, a network share), not one the system runs on.
    static bool IsUserVolume(const QString& rootPath, const QByteArray& device,
                             const QByteArray& fileSystemType);

    // Rebuilds the top level, all collapsed. The mounted volumes are listed
    // in the background and join the top level after the other places when
    // they arrive (volumesAdded).
    virtual void PopulateTree();
    // Whether the mounted volumes are still being listed.
    bool IsListingVolumes() const { return m_volumeReader.IsReading(); }
    // Expands the tree down to path and selects the deepest folder reached;
    // true when that is path itself. The path is absolute or starts with
    // "~"; a relative one reaches nothing.
    bool TunnelTree(const QString& path);

    static QString ItemPath(const QTreeWidgetItem* item);
    // Whether some folder's read, or the watch of an opened folder, is
    // still being set up.
    bool IsReading() const { return !m_reads.isEmpty() || m_bWatchSyncPending || m_watcher.IsSettingUp(); }
    // The folders watched for changes: the open ones.
    QStringList WatchedFolders() const { return m_watcher.Folders(); }
    // The context menu for item, owned by the caller.
    virtual QMenu* CreateContextMenu(QTreeWidgetItem* item);

    // Makes a new folder in item's folder and starts renaming it; null when
    // it could not be made (the user was told).
    QTreeWidgetItem* NewFolder(QTreeWidgetItem* item);
    // Moves item's folder to the trash after asking; the item goes once
    // the folder is gone.
    void DeleteItem(QTreeWidgetItem* item);

signals:
    void folderSelected(const QString& path);
    // item's sub-folders have all been read and shown.
    void folderRead(QTreeWidgetItem* item);
    // Volumes joined the top level; paths are their folders.
    void volumesAdded(const QStringList& paths);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

protected:
    QTreeWidgetItem* MakeItem(const QString& name, const QString& path, const QIcon& icon) const;
    // Starts reading item's sub-folders, once; an item without a path (a
    // place that is no folder) has none.
    void FillFolder(QTreeWidgetItem* item);
    // Reads item's sub-folders again when they were read before, keeping
    // the ones still there (and what is open below them).
    void RereadFolder(QTreeWidgetItem* item);
    QTreeWidgetItem* ChildNamed(QTreeWidgetItem* item, const QString& name) const;
    // A child for a folder the user reached or made, in its place by name;
    // the end of a read that did not see it keeps it.
    QTreeWidgetItem* AddChild(QTreeWidgetItem* item, const QString& name);
    QFileIconProvider& IconProvider() { return m_iconProvider; }

    // Folders whose names start with a dot are listed too.
    bool m_bShowHidden = false;

private:
    // What the tree knows of a read under way: the item it fills (lost when
    // the item is removed) and the names it brought so far.
    struct CRead
    {
        QPersistentModelIndex m_index;
        QSet<QString> m_seen;
    };
    void StartRead(QTreeWidgetItem* item);
    void CancelRead(QTreeWidgetItem* item);
    // A folder changed by the tree while it is read: the read may have
    // listed it before the change, so it starts again.
    void RestartReadOf(QTreeWidgetItem* item);
    quint64 ReadTicket(const QTreeWidgetItem* item) const; // 0 when not read now
    QTreeWidgetItem* ReadingItem(quint64 ticket) const;
    void OnFoldersRead(quint64 ticket, const QStringList& names);
    void OnReadFinished(quint64 ticket, bool ok);
    void OnItemCollapsed(QTreeWidgetItem* item);
    void OnVolumesRead(const QList<CVolume>& volumes);
    void InsertSorted(QTreeWidgetItem* item, const QStringList& names);
    void RemovePlaceholder(QTreeWidgetItem* item);
    QTreeWidgetItem* MakeFolderItem(QTreeWidgetItem* parent, const QString& name) const;
    QTreeWidgetItem* TopLevelHolding(const QString& path) const;
    void OnItemChanged(QTreeWidgetItem* item, int column);
    // Renames item's folder to newName; a refused name or a failed rename
    // puts oldName back on the label.
    void RenameFolder(QTreeWidgetItem* item, const QString& newName, const QString& oldName);
    // The item of a folder renamed to newPath, with its sub-folders to be
    // read again.
    void ShowRenamed(QTreeWidgetItem* item, const QString& newPath);
    // Watches the folders now open, once the current changes are done.
    void ScheduleWatchSync();
    void SyncWatches();
    void OnFolderChanged(const QString& folder);
    // The open items, each with the items open below it.
    QList<QTreeWidgetItem*> OpenItems() const;

    QFileIconProvider m_iconProvider;
    QIcon m_folderIcon;
    CSubfolderReader m_reader;
    CVolumeReader m_volumeReader;
    QHash<quint64, CRead> m_reads;
    CFolderWatcher m_watcher;
    bool m_bWatchSyncPending = false;
};
