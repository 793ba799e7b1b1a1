#pragma once

#include "files/FolderWatcher.h"
#include "files/TreeFolderReader.h"
#include "projects/ProjectTreeRules.h"

#include <QElapsedTimer>
#include <QHash>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QSet>
#include <QStringList>
#include <QTreeWidget>

#include <functional>
#include <utility>

class QAction;
class QMenu;

// A tree of one folder on disk, shared by the Project tree and the Keywords
// tree: items carry only their names and the picture that says what they
// are, an item's path is worked out from its place below the root, folders
// are read only when expanded (a folder with entries that has not been read
// holds one nameless marker child, so it shows an expand button), labels
// are edited only from commands, and a drag starts only once the button
// has been down a moment.
//
// A tree may read its folders on worker threads (ReadsInBackground): an
// opened folder then keeps its marker until its entries arrive, and a read
// whose folder was collapsed, removed or read again meanwhile is dropped.
// Such a tree also watches the folders it shows: when an open folder's
// entries change on disk it is read again, and what is open or highlighted
// below it stays so; a closed one gets or loses its expand button.
class CFolderTreeCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    // The pictures of the bars' image list; an item's picture is also its kind.
    enum EImage {
        ImageRoot = 0,
        ImageFile = 2,
        ImageFolder = 5,
        ImageFolderSelected = 6,
        ImageKeyword = 8,
    };
    static constexpr int kImageRole = Qt::UserRole;
    // The longest name the label editor takes.
    static constexpr int kMaxLabelLength = 256;

    explicit CFolderTreeCtrl(QWidget* parent = nullptr);
    ~CFolderTreeCtrl() override;

    // The folder the root item stands for.
    QString RootDirectory() const { return m_strRootDirectory; }
    QString GetItemPath(const QTreeWidgetItem* item) const;
    // Adds the marker when directory holds any entry; true when added.
    bool AddChildMarker(QTreeWidgetItem* item, const QString& directory);
    // Adds directory's folders (each with its marker) and then its files
    // under item; returns the number of folders.
    int FillFolder(QTreeWidgetItem* item, const QString& directory);
    // Re-reads the folder of the current item; with updateList, and when
    // that folder is the one shown, announces it again.
    void RefreshCurrentFolder(bool updateList);
    // Whether some folder's read, or the watch of an opened folder, is
    // still being set up.
    bool IsReading() const { return !m_reads.isEmpty() || m_bWatchSyncPending || m_watcher.IsSettingUp(); }
    // The folders watched for changes: the open ones, and the closed ones
    // shown in them.
    QStringList WatchedFolders() const { return m_watcher.Folders(); }
    // A file this program wrote: it shows at once in its folder when that
    // folder is open, and gives a closed folder its expand button.
    void ShowSavedFile(const QString& path);

    // The item the commands act on: the last one clicked with either button,
    // or selected. A right click highlights an item without moving Qt's
    // current item, so the two can differ.
    QTreeWidgetItem* HighlightedItem() const;
    void SetHighlightedItem(QTreeWidgetItem* item);
    static int ImageOf(const QTreeWidgetItem* item);
    static bool IsFolderImage(int image);
    static bool IsMarker(const QTreeWidgetItem* item);

    // Files the List bar copied, pasted by the next paste.
    void SetListCopy(const QStringList& paths) { m_listCopy = paths; }
    // Files the List bar cut, moved by the next paste; they wait here, not
    // only on the clipboard, so copying anything else meanwhile loses no
    // move.
    void SetListCut(const QStringList& paths) { m_listCut = paths; }

    // Writes "Index.txt" into a new folder; false when it cannot.
    static bool WriteIndexFile(const QString& directory);

    // Opens the current item; a double click runs it too.
    virtual void OpenItem() = 0;

    // The shell's capability level; at 1 or less folders are not deleted
    // from here. Linux always has 2.
    void SetShellVersionLevel(int level) { m_nShellVersionLevel = level; }

    // The context menu for the current item, owned by the caller.
    virtual QMenu* CreateContextMenu() = 0;
    // The tree's own action of a context menu command, or null.
    QAction* CommandAction(int id) const { return m_actions.value(id); }

    // The longest text the label editor takes for item: a name, unless a
    // tree's items hold other texts.
    virtual int LabelMaxLength(const QTreeWidgetItem*) const { return kMaxLabelLength; }

signals:
    // A folder was selected: the List bar shows it.
    void folderSelected(const QString& folder);
    // A file is to be opened in the editor.
    void openFileRequested(const QString& path);
    // The item picked (selected or dragged) is now path: the current file.
    void currentPathChanged(const QString& path);
    // A folder was re-read after a change; the List bar shows it again.
    void folderRefreshed(const QString& folder);
    // A paste ended; done when it was carried out. The copy list, if one
    // was waiting, has been used up either way. movedCut is the List bar's
    // cut this paste moved, empty when it took no such cut.
    void filesPasted(bool done, bool usedCopyList, const QStringList& movedCut);
    // item's entries were read and are shown.
    void folderRead(QTreeWidgetItem* item);

protected:
    void SetRootDirectory(const QString& directory) { m_strRootDirectory = directory; }
    // False while the tree stands for no folder (no project open).
    virtual bool HasRoot() const { return !m_strRootDirectory.isEmpty(); }
    // The file a folder listing leaves out; none by default.
    virtual QString HiddenFileName() const { return QString(); }
    // Whether folders are read on worker threads rather than at once.
    virtual bool ReadsInBackground() const { return false; }
    // Called after FillFolder added directory's folders and files (in that
    // order) under item.
    virtual void OnFolderFilled(QTreeWidgetItem* item, const QString& directory, const QStringList& files);
    // A label edit that a command started has ended; kind is what that
    // command passed to StartLabelEdit, oldPath the item's path before.
    virtual void FinishLabelEdit(QTreeWidgetItem* item, int kind, const QString& oldPath) = 0;
    // The highlighted item changed (also to none).
    virtual void OnCurrentItemChanged(QTreeWidgetItem* current) = 0;

    // Makes the tree's own command actions, each running its function.
    void AddCommandActions(const QList<std::pair<int, std::function<void()>>>& commands);
    // Builds context menu menuId from the tree's own actions and the main
    // frame's; beforeShow runs when the menu's commands are brought up to date.
    QMenu* BuildContextMenu(int menuId, const std::function<void()>& beforeShow = {});

    static void ShowInvalidName(const QString& name);
    // Finishes a new folder's label edit: creates the folder on disk (with
    // its "Index.txt") and puts the item in its place, or removes it.
    void FinishNewFolder(QTreeWidgetItem* item);
    // Renames item's file or folder on disk after a label edit; once the
    // rename is done, onRenamed gets the item (if it is still shown). A
    // refused name or a failed rename puts the old name back.
    void RenameOnDisk(QTreeWidgetItem* item, const QString& oldPath,
                      std::function<void(QTreeWidgetItem*)> onRenamed = {});
    // Starts again a read of folder under way, whose listing may predate a
    // change the tree itself just made there.
    void RestartReadUnderWay(QTreeWidgetItem* folder);
    // True, after telling the user, when the shell is too old to delete
    // folders from the tree.
    bool RefusesFolderDelete() const;
    // Moves item's file or folder to the trash as a job (the user confirms
    // first; owner, null for none, owns that question) and, once the job is
    // over and the path is gone, takes the item out of the tree: a file's
    // folder is read again and, when shown, the List bar shows it anew.
    // Nothing happens for a folder on a shell too old.
    void DeleteFromDisk(QTreeWidgetItem* item, QWidget* owner);

    QTreeWidgetItem* NewItem(const QString& name, EImage image) const;
    QTreeWidgetItem* AddRoot(const QString& text, EImage image);
    static void RemoveChildren(QTreeWidgetItem* item);
    void AddMarker(QTreeWidgetItem* item) const;
    // Puts child among parent's children: folders in the tree's
    // alphabetical order, files in byte order after them, before any
    // keyword or marker.
    void InsertInOrder(QTreeWidgetItem* parent, QTreeWidgetItem* child);
    // The folder item an item stands in: itself for the root and folders,
    // the parent for anything else; null for a marker.
    QTreeWidgetItem* FolderOf(QTreeWidgetItem* item) const;
    QTreeWidgetItem* FindChild(QTreeWidgetItem* parent, const QString& name) const;
    // The root or folder item that stands for folder; null when the tree
    // does not show it.
    QTreeWidgetItem* ItemForPath(const QString& folder) const;
    void RereadFolder(QTreeWidgetItem* folder);
    // Selects folder's child name once folder's entries are shown: at once,
    // or when the read under way brings them.
    void SelectWhenRead(QTreeWidgetItem* folder, const QString& name);

    void StartLabelEdit(QTreeWidgetItem* item, int kind);
    bool IsEditingLabel() const { return m_nEditKind != 0; }

    // Copies or moves what the List bar or the clipboard offers into the
    // folder target stands for: the List bar's copy list first, then its
    // cut, then the clipboard. When the job is over it re-reads the folder
    // and emits filesPasted. False when there is nowhere to paste.
    bool PasteInto(QTreeWidgetItem* target);
    // True when the left button has been down long enough for a drag.
    bool DragMayStart() const;

    // Highlights item as the place a drag would drop on (none for null),
    // leaving the selection as it is.
    void ShowDropTarget(QTreeWidgetItem* item);

    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The expand buttons, and the dotted lines that join items to their
    // parents and siblings.
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;

private:
    // A read under way: the folder item it fills (lost when the item is
    // removed), the folder's path when it started, and the child to select
    // when it has been shown.
    struct CRead
    {
        QPersistentModelIndex m_index;
        QString m_strFolder;
        QString m_strSelect;
    };

    void OnItemExpanded(QTreeWidgetItem* item);
    void OnItemCollapsed(QTreeWidgetItem* item);
    void OnEditorClosed();
    // The entries in the order the tree shows them, the hidden file left out;
    // withEntries gets the names of the folders that hold something.
    CProjectTreeRules::CListing OrderedListing(const QVector<CTreeEntry>& entries, QSet<QString>* withEntries) const;
    // Shows directory's entries under item, after its folders' markers.
    int AddEntries(QTreeWidgetItem* item, const QString& directory, const QVector<CTreeEntry>& entries);
    // Brings item's shown entries in line with entries read again: new
    // ones are added in their places, gone ones removed, and the ones kept
    // keep what is open, highlighted or edited below them.
    void MergeEntries(QTreeWidgetItem* item, const QVector<CTreeEntry>& entries);
    // Watches the folders now open, once the current changes are done.
    void ScheduleWatchSync();
    void SyncWatches();
    void OnFolderChanged(const QString& folder);
    void StartRead(QTreeWidgetItem* folder);
    void CancelRead(QTreeWidgetItem* folder);
    quint64 ReadTicket(const QTreeWidgetItem* folder) const; // 0 when not read now
    void OnFolderListed(quint64 ticket, const QVector<CTreeEntry>& entries, bool ok);
    // True when a label edit is open on one of folder's children.
    bool IsEditingChildOf(const QTreeWidgetItem* folder) const;

    QString m_strRootDirectory;
    QPersistentModelIndex m_previousIndex;
    QPersistentModelIndex m_highlightedIndex;
    QElapsedTimer m_buttonDown;
    QString m_strEditPath;
    QPersistentModelIndex m_editIndex;
    int m_nEditKind = 0;
    QStringList m_listCopy;
    QStringList m_listCut;
    QHash<int, QIcon> m_icons;
    int m_nShellVersionLevel = 2;
    QHash<int, QAction*> m_actions;
    CTreeFolderReader m_reader;
    QHash<quint64, CRead> m_reads;
    // Folders whose read arrived during a label edit below them; they are
    // read again when the edit ends.
    QList<QPersistentModelIndex> m_deferredReads;
    CFolderWatcher m_watcher;
    bool m_bWatchSyncPending = false;
};
