#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QStringList>
#include <QTreeWidget>

class QAction;
class QMenu;

// The Project tree: the folders and files of the open project's main
// directory, read lazily as folders are expanded, and the commands that
// manage them (new folder, rename, delete to the trash, copy a path, paste,
// open, move by dragging).
//
// Items carry only their names (the root the project name) and the picture
// that says what they are; an item's path is worked out from its place in
// the tree. A folder that has entries but has not been expanded holds one
// nameless marker child, so it shows an expand button.
class CProjectTreeCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    // The pictures of the Project bar's image list; an item's picture is
    // also its kind.
    enum EImage { ImageRoot = 0, ImageFile = 2, ImageFolder = 5, ImageFolderSelected = 6 };
    static constexpr int kControlId = 139;
    static constexpr int kImageRole = Qt::UserRole;
    // The longest name the label editor takes.
    static constexpr int kMaxLabelLength = 256;

    explicit CProjectTreeCtrl(QWidget* parent = nullptr);

    // Resets the tree to the "No Open Project" root.
    void ShowNoProject();
    // Takes the project file's path: main directory and project name.
    void SetProjectPath(const QString& projectFile);
    // Rebuilds the tree from the main directory; the root is not expanded.
    void FillTree();

    QString MainDirectory() const { return m_strMainDirectory; }
    QString ProjectName() const { return m_strProjectName; }

    QString GetItemPath(const QTreeWidgetItem* item) const;
    // Adds the marker when directory holds any entry; true when added.
    bool AddChildMarker(QTreeWidgetItem* item, const QString& directory);
    // Adds directory's folders (each with its marker) and then its files
    // under item; returns the number of folders.
    int FillFolder(QTreeWidgetItem* item, const QString& directory);
    // Re-reads the folder of the current item.
    void RefreshCurrentFolder(bool updateList);

    // The commands of the context menu; each acts on the current item.
    void NewFolder();
    void RenameItem();
    void DeleteItem();
    void CopyItemPath();
    // Emits filesPasted with the result.
    bool PasteFiles();
    void OpenItem();
    void ShowPage();
    // Moves dragged into the folder the drop item stands for (the root, a
    // folder, or a file's folder), on disk and in the tree.
    bool MoveItem(QTreeWidgetItem* dragged, QTreeWidgetItem* dropItem);
    // Copies files dragged from elsewhere (the List bar, another program)
    // into the folder the drop item stands for.
    bool DropFiles(const QStringList& paths, QTreeWidgetItem* dropItem);

    // Writes "Index.txt" into a new folder; false when it cannot.
    static bool WriteIndexFile(const QString& directory);

    // The item the commands act on: the last one clicked with either button,
    // or selected.
    QTreeWidgetItem* CurrentItem() const;
    void SetCurrentItem(QTreeWidgetItem* item);
    static int ImageOf(const QTreeWidgetItem* item);

    // The shell's capability level; at 1 or less folders are not deleted
    // from here. Linux always has 2.
    void SetShellVersionLevel(int level) { m_nShellVersionLevel = level; }
    // Files the List bar copied, pasted by the next PasteFiles.
    void SetListCopy(const QStringList& paths) { m_listCopy = paths; }

    // The context menu (menu 104) for the current item, owned by the caller.
    QMenu* CreateContextMenu();
    // The tree's own action of a context menu command, or null.
    QAction* CommandAction(int id) const { return m_actions.value(id); }

signals:
    // A folder was selected: the List bar shows it.
    void folderSelected(const QString& folder);
    // A file is to be opened in the editor.
    void openFileRequested(const QString& path);
    // A page is to be shown in the browser.
    void showPageRequested(const QString& path);
    // The item picked (selected or dragged) is now path: the current file.
    void currentPathChanged(const QString& path);
    // A folder was re-read after a change; the List bar shows it again.
    void folderRefreshed(const QString& folder);
    // A paste ended; done when it was carried out. The copy list, if one
    // was waiting, has been used up either way.
    void filesPasted(bool done, bool usedCopyList);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class EEdit { None, Rename, NewFolder };

    void CreateActions();
    void UpdateActions();
    QTreeWidgetItem* NewItem(const QString& name, EImage image) const;
    QTreeWidgetItem* AddRoot(const QString& text);
    static void RemoveChildren(QTreeWidgetItem* item);
    void AddMarker(QTreeWidgetItem* item) const;
    void InsertInOrder(QTreeWidgetItem* parent, QTreeWidgetItem* child);
    QTreeWidgetItem* FolderOf(QTreeWidgetItem* item) const;
    QTreeWidgetItem* FindChild(QTreeWidgetItem* parent, const QString& name) const;
    void RereadFolder(QTreeWidgetItem* folder);
    bool NeedsProject() const;
    void StartLabelEdit(QTreeWidgetItem* item, EEdit kind);
    void OnEditorClosed();
    void FinishNewFolder(QTreeWidgetItem* item);
    void FinishRename(QTreeWidgetItem* item);
    void OnItemExpanded(QTreeWidgetItem* item);
    void OnItemCollapsed(QTreeWidgetItem* item);
    void OnCurrentItemChanged(QTreeWidgetItem* current);
    bool IsForeignFileDrop(const QDropEvent* event) const;

    QString m_strProjectFile;
    QString m_strMainDirectory;
    QString m_strProjectName;

    QPersistentModelIndex m_previousIndex;
    QPersistentModelIndex m_currentIndex;
    QElapsedTimer m_buttonDown;
    QString m_strEditPath;
    QPersistentModelIndex m_editIndex;
    EEdit m_edit = EEdit::None;
    int m_nShellVersionLevel = 2;
    QStringList m_listCopy;
    QHash<int, QAction*> m_actions;
    QHash<int, QIcon> m_icons;
};
