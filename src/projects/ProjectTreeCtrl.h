#pragma once

#include "projects/FolderTreeCtrl.h"

// The Project tree: the folders and files of the open project's main
// directory, read lazily as folders are expanded, and the commands that
// manage them (new folder, rename, delete to the trash, copy a path, paste,
// open, move by dragging). The root is the project's name; the mechanics
// of items, paths and filling are CFolderTreeCtrl's.
class CProjectTreeCtrl : public CFolderTreeCtrl
{
    Q_OBJECT
public:
    static constexpr int kControlId = 139;

    explicit CProjectTreeCtrl(QWidget* parent = nullptr);

    // Resets the tree to the "No Open Project" root.
    void ShowNoProject();
    // Takes the project file's path: main directory and project name.
    void SetProjectPath(const QString& projectFile);
    // Rebuilds the tree from the main directory; the root is not expanded,
    // and its entries are read when it is.
    void FillTree();

    QString MainDirectory() const { return RootDirectory(); }
    QString ProjectName() const { return m_strProjectName; }

    // The commands of the context menu; each acts on the current item.
    void NewFolder();
    void RenameItem();
    void DeleteItem();
    void CopyItemPath();
    // Emits filesPasted with the result once the job is over.
    bool PasteFiles();
    void OpenItem() override;
    void ShowPage();
    // Moves dragged into the folder the drop item stands for (the root, a
    // folder, or a file's folder), on disk and in the tree once the move
    // is done; false when there is nothing to move.
    bool MoveItem(QTreeWidgetItem* dragged, QTreeWidgetItem* dropItem);
    // Copies files dragged from elsewhere (the List bar, another program)
    // into the folder the drop item stands for, and shows them once copied;
    // false (the user was told) when there is nothing to copy into.
    bool DropFiles(const QStringList& paths, QTreeWidgetItem* dropItem);

    // The context menu (menu 104) for the current item, owned by the caller.
    QMenu* CreateContextMenu() override;

signals:
    // A page is to be shown in the browser.
    void showPageRequested(const QString& path);

protected:
    bool HasRoot() const override { return !m_strProjectFile.isEmpty(); }
    QString HiddenFileName() const override;
    // A project may lie on a slow or stalled network mount.
    bool ReadsInBackground() const override { return true; }
    void FinishLabelEdit(QTreeWidgetItem* item, int kind, const QString& oldPath) override;
    void OnCurrentItemChanged(QTreeWidgetItem* current) override;
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum EEdit { EditRename = 1, EditNewFolder };

    void CreateActions();
    void UpdateActions();
    bool NeedsProject() const;
    void FinishRename(QTreeWidgetItem* item, const QString& oldPath);
    bool IsForeignFileDrop(const QDropEvent* event) const;

    QString m_strProjectFile;
    QString m_strProjectName;
};
