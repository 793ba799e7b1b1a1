#pragma once

#include "projects/ShellTree.h"

#include <QPersistentModelIndex>

// The tree on the "Desktop" tab: every folder of the machine, the way a
// Linux desktop presents them. The home folder comes first, opened and in
// bold; then the desktop folder, the personal (XDG user) folders that exist,
// the file system root, each mounted volume, and the trash. Only folders are
// shown, hidden ones only when the user asks.
//
// Selecting a folder shows its files in the List bar. The context menu opens
// a folder in the List bar or the desktop's file manager, makes a new folder
// (with its "Index.txt"), renames, copies the path and moves to the trash.
// Files dragged here from the List bar or another program are copied into
// the folder they are let go on.
class CDesktopTreeCtrl : public CShellTree
{
    Q_OBJECT
public:
    static constexpr int kControlId = 138;

    explicit CDesktopTreeCtrl(QWidget* parent = nullptr);

    void PopulateTree() override;
    QMenu* CreateContextMenu(QTreeWidgetItem* item) override;

    // The desktop's trash, where deleted files go.
    static QString TrashFolder();
    // The trash's item; null when the tree has none.
    QTreeWidgetItem* TrashItem() const;

    // File > New Folder: a folder named "New_Folder" (or the next free
    // "New_Folder (n)") with its "Index.txt", in the current folder, its
    // name open for editing. Null when it could not be made. The current
    // folder is the one last right-clicked, until the selection moves, and
    // else the selected one.
    QTreeWidgetItem* NewFolder();
    void CopyItemPath(QTreeWidgetItem* item);
    void OpenInFileManager(QTreeWidgetItem* item);
    void SetShowHidden(bool bShow);
    bool IsShowingHidden() const { return m_bShowHidden; }
    // Copies paths into item's folder and shows them once copied; false
    // (the user was told) when there was nothing to copy.
    bool DropFiles(const QStringList& paths, QTreeWidgetItem* item);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // A right click makes its folder current without selecting it (the List
    // bar keeps its folder); a new selection takes over again.
    QPersistentModelIndex m_rightClickedFolder;
};
