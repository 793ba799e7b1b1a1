#include "projects/ProjectTreeCtrl.h"

#include "files/AtomicFile.h"
#include "editor/SourceEditView.h"
#include "files/FileName.h"
#include "files/ShellFileOperation.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MenuBuilder.h"
#include "framework/MessageBox.h"
#include "projects/FileDrag.h"
#include "projects/ProjectTreeRules.h"
#include "res/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QDirIterator>
#include <QDrag>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QUrl>

using namespace ZtCmd;

namespace {

void ShowNoProjectMessage()
{
    ZtMessageBox::Show(QStringLiteral("No open project, command canceled!"), QMessageBox::Information);
}

} // namespace

CProjectTreeCtrl::CProjectTreeCtrl(QWidget* parent)
    : CFolderTreeCtrl(parent)
{
    setObjectName(QStringLiteral("ProjectTree"));
    CreateActions();
    ShowNoProject();
}

void CProjectTreeCtrl::CreateActions()
{
    AddCommandActions({
        {ID_PROJTREE_EDIT, [this] { OpenItem(); }},
        {ID_PROJTREE_SHOW_PAGE, [this] { ShowPage(); }},
        {ID_PROJTREE_NEW_FOLDER, [this] { NewFolder(); }},
        {ID_PROJTREE_COPY, [this] { CopyItemPath(); }},
        {ID_PROJTREE_PASTE, [this] { PasteFiles(); }},
        {ID_PROJTREE_RENAME, [this] { RenameItem(); }},
        {ID_PROJTREE_DELETE_ITEM, [this] { DeleteItem(); }},
    });
}

void CProjectTreeCtrl::UpdateActions()
{
    const QTreeWidgetItem* item = HighlightedItem();
    const bool bFile = item && ImageOf(item) == ImageFile;
    const QString path = bFile ? GetItemPath(item) : QString();
    CommandAction(ID_PROJTREE_EDIT)->setEnabled(bFile && CProjectTreeRules::IsEditEnabled(path));
    CommandAction(ID_PROJTREE_SHOW_PAGE)->setEnabled(bFile && CProjectTreeRules::IsShowPageEnabled(path));
}

QMenu* CProjectTreeCtrl::CreateContextMenu()
{
    // Edit and Show Page depend on the item the menu is for.
    return BuildContextMenu(IDR_PROJTREE_CONTEXT, [this] { UpdateActions(); });
}

// ---- Filling ---------------------------------------------------------------

void CProjectTreeCtrl::ShowNoProject()
{
    clear();
    m_strProjectFile.clear();
    SetRootDirectory(QString());
    m_strProjectName.clear();
    AddRoot(QStringLiteral("No Open Project"), ImageRoot);
}

void CProjectTreeCtrl::SetProjectPath(const QString& projectFile)
{
    m_strProjectFile = projectFile;
    SetRootDirectory(CProjectTreeRules::MainDirectoryOf(projectFile));
    m_strProjectName = CProjectTreeRules::ProjectNameOf(projectFile);
    if (QTreeWidgetItem* root = topLevelItem(0))
        root->setText(0, m_strProjectName);
    QDir::setCurrent(RootDirectory());
}

void CProjectTreeCtrl::FillTree()
{
    clear();
    QTreeWidgetItem* root = AddRoot(m_strProjectName, ImageRoot);
    // The main directory holds the project file at least; nothing more
    // is read before the root is opened.
    AddMarker(root);
}

// ---- Selection and mouse ----------------------------------------------------

void CProjectTreeCtrl::OnCurrentItemChanged(QTreeWidgetItem* current)
{
    SetHighlightedItem(current);
    if (!current || m_strProjectFile.isEmpty())
        return;
    const QString path = GetItemPath(current);
    const bool bFolder = QFileInfo(path).isDir();
    if (bFolder)
        QDir::setCurrent(path);
    emit currentPathChanged(path);
    if (bFolder && current->parent())
        emit folderSelected(path);
    else
        viewport()->update();
}

void CProjectTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && state() != EditingState) {
        SetHighlightedItem(currentItem());
        DeleteItem();
        return;
    }
    if (event->key() == Qt::Key_F2 && state() != EditingState) {
        SetHighlightedItem(currentItem());
        RenameItem();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

// ---- Label editing -----------------------------------------------------------

bool CProjectTreeCtrl::NeedsProject() const
{
    if (!m_strProjectFile.isEmpty())
        return false;
    ShowNoProjectMessage();
    return true;
}

void CProjectTreeCtrl::NewFolder()
{
    if (NeedsProject())
        return;
    QTreeWidgetItem* parent = FolderOf(HighlightedItem());
    if (!parent)
        return;
    // Expanding first reads the folder, so the new item is not swept away.
    parent->setExpanded(true);
    QTreeWidgetItem* item = NewItem(QStringLiteral("New_Folder"), ImageFolder);
    InsertInOrder(parent, item);
    setCurrentItem(item);
    StartLabelEdit(item, EditNewFolder);
}

void CProjectTreeCtrl::RenameItem()
{
    if (NeedsProject())
        return;
    QTreeWidgetItem* item = HighlightedItem();
    // The root stands for the main directory, which is renamed only with
    // the project closed.
    if (!item || !item->parent())
        return;
    StartLabelEdit(item, EditRename);
}

void CProjectTreeCtrl::FinishLabelEdit(QTreeWidgetItem* item, int kind, const QString& oldPath)
{
    if (kind == EditNewFolder)
        FinishNewFolder(item);
    else
        FinishRename(item, oldPath);
}

QString CProjectTreeCtrl::HiddenFileName() const
{
    return m_strProjectName + QStringLiteral(".ztp");
}

void CProjectTreeCtrl::FinishRename(QTreeWidgetItem* item, const QString& oldPath)
{
    RenameOnDisk(item, oldPath, [this](QTreeWidgetItem* renamed) {
        // The new name may belong elsewhere among the folder's entries.
        QTreeWidgetItem* parent = renamed->parent();
        const bool bExpanded = renamed->isExpanded();
        parent->removeChild(renamed);
        InsertInOrder(parent, renamed);
        renamed->setExpanded(bExpanded);
        setCurrentItem(renamed);
    });
}

// ---- Delete, copy, paste, open -----------------------------------------------

void CProjectTreeCtrl::DeleteItem()
{
    if (NeedsProject())
        return;
    QTreeWidgetItem* item = HighlightedItem();
    // The root is the main directory itself: the project is closed before
    // it goes.
    if (!item || !item->parent() || item->flags() == Qt::NoItemFlags)
        return;
    SetHighlightedItem(item->parent());
    // A folder's question has no owner window.
    DeleteFromDisk(item, IsFolderImage(ImageOf(item)) ? nullptr : this);
}

void CProjectTreeCtrl::CopyItemPath()
{
    const QTreeWidgetItem* item = HighlightedItem();
    const int image = ImageOf(item);
    if (image != ImageFile && !IsFolderImage(image))
        return;
    if (item->flags() == Qt::NoItemFlags)
        return;
    QApplication::clipboard()->setText(GetItemPath(item));
}

bool CProjectTreeCtrl::PasteFiles()
{
    return PasteInto(FolderOf(HighlightedItem()));
}

void CProjectTreeCtrl::OpenItem()
{
    const QTreeWidgetItem* item = HighlightedItem();
    if (ImageOf(item) != ImageFile)
        return;
    const QString path = GetItemPath(item);
    if (CProjectTreeRules::IsOpenable(path))
        emit openFileRequested(path);
}

void CProjectTreeCtrl::ShowPage()
{
    const QTreeWidgetItem* item = HighlightedItem();
    if (ImageOf(item) != ImageFile)
        return;
    const QString path = GetItemPath(item);
    if (CProjectTreeRules::IsShowablePage(path))
        emit showPageRequested(path);
}

// ---- Dragging -------------------------------------------------------------------

void CProjectTreeCtrl::startDrag(Qt::DropActions)
{
    // A press that turns into a movement this quickly is a sloppy click.
    if (!DragMayStart())
        return;
    QTreeWidgetItem* dragged = HighlightedItem();
    if (!dragged || !dragged->parent() || dragged->flags() == Qt::NoItemFlags)
        return;
    const QString path = GetItemPath(dragged);
    emit currentPathChanged(path);

    const QPersistentModelIndex draggedIndex(indexFromItem(dragged));
    // Other programs are offered a copy only: a file manager that took a
    // move would carry the file out of the project. A drop inside the tree
    // moves all the same, since the tree does that move itself.
    const CFileDrag::CResult result = CFileDrag::Exec(this, {path}, dragged->icon(0).pixmap(16, 16),
                                                      Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
    // Dropped on another window of the program that took nothing: an
    // editable file opens in the editor.
    QObject* target = result.m_pTarget;
    if (result.m_action == Qt::IgnoreAction && target && target != viewport() && draggedIndex.isValid()) {
        SetHighlightedItem(itemFromIndex(draggedIndex));
        if (CProjectTreeRules::IsEditEnabled(path))
            emit openFileRequested(path);
    }
    setFocus();
}

bool CProjectTreeCtrl::IsForeignFileDrop(const QDropEvent* event) const
{
    return event->source() != this && !CFileDrag::DroppedPaths(event->mimeData()).isEmpty();
}

void CProjectTreeCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this || IsForeignFileDrop(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CProjectTreeCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    const bool bForeign = IsForeignFileDrop(event);
    if (event->source() != this && !bForeign) {
        event->ignore();
        return;
    }
    // The item under the cursor is highlighted as the drop place.
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item && item->flags() != Qt::NoItemFlags) {
        ShowDropTarget(item);
        // The drag offers no move to the outside, so a move inside the
        // tree is accepted as the copy action too (dropEvent moves).
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else if (bForeign) {
        // Files let go off the items are told where to go.
        ShowDropTarget(nullptr);
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        ShowDropTarget(nullptr);
        event->ignore();
    }
}

void CProjectTreeCtrl::dropEvent(QDropEvent* event)
{
    ShowDropTarget(nullptr);
    QTreeWidgetItem* dropItem = itemAt(event->position().toPoint());
    if (IsForeignFileDrop(event)) {
        // The copy is done here; the drag source keeps its files.
        event->setDropAction(Qt::CopyAction);
        event->accept();
        DropFiles(CFileDrag::DroppedPaths(event->mimeData()), dropItem);
        return;
    }
    QTreeWidgetItem* dragged = HighlightedItem();
    if (event->source() != this || !dropItem || !dragged) {
        event->ignore();
        return;
    }
    // The move is done here; the drag source must not remove anything.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    MoveItem(dragged, dropItem);
}

bool CProjectTreeCtrl::DropFiles(const QStringList& paths, QTreeWidgetItem* dropItem)
{
    if (!dropItem || dropItem->flags() == Qt::NoItemFlags || m_strProjectFile.isEmpty()) {
        CFileDrag::ShowDropOnItem();
        return false;
    }
    QTreeWidgetItem* folder = FolderOf(dropItem);
    const QPersistentModelIndex dropIndex(indexFromItem(dropItem));
    return folder && CFileDrag::CopyInto(this, paths, GetItemPath(folder), [this, dropIndex] {
        if (!dropIndex.isValid())
            return;
        SetHighlightedItem(itemFromIndex(dropIndex));
        RefreshCurrentFolder(false);
        // The drop place was only highlighted: commands act on the selection.
        SetHighlightedItem(currentItem());
    });
}

bool CProjectTreeCtrl::MoveItem(QTreeWidgetItem* dragged, QTreeWidgetItem* dropItem)
{
    QTreeWidgetItem* newParent = FolderOf(dropItem);
    if (!dragged || !dragged->parent() || !newParent || dragged->flags() == Qt::NoItemFlags)
        return false;
    const QString name = dragged->text(0);
    const QString path = GetItemPath(dragged);
    CShellFileOperation* job = CFileName().MoveDirectory(this, path, GetItemPath(newParent));
    const QPersistentModelIndex draggedIndex(indexFromItem(dragged));
    const QPersistentModelIndex parentIndex(indexFromItem(newParent));
    connect(job, &CShellFileOperation::finished, this, [this, draggedIndex, parentIndex, name](bool bDone) {
        if (!bDone)
            return;
        if (draggedIndex.isValid())
            delete itemFromIndex(draggedIndex);
        QTreeWidgetItem* folder = parentIndex.isValid() ? itemFromIndex(parentIndex) : nullptr;
        if (!folder)
            return;
        if (folder->isExpanded()) {
            RereadFolder(folder);
        } else {
            // A collapsed folder reads its entries when it is opened; it
            // holds the moved one now.
            RemoveChildren(folder);
            AddMarker(folder);
            folder->setExpanded(true);
        }
        SelectWhenRead(folder, name);
        viewport()->update();
    });
    return true;
}
