#include "projects/DesktopTreeCtrl.h"

#include "files/FileName.h"
#include "files/ShellExecute.h"
#include "framework/MessageBox.h"
#include "projects/FileDrag.h"
#include "projects/LabelDelegate.h"
#include "projects/ProjectTreeCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QMenu>
#include <QStandardPaths>
#include <QUrl>

namespace {
enum { TrashRole = Qt::UserRole + 10 };

// The longest name a folder's label takes while it is edited.
constexpr int kMaxLabelLength = 127;
} // namespace

CDesktopTreeCtrl::CDesktopTreeCtrl(QWidget* parent)
    : CShellTree(parent)
{
    setObjectName(QString::number(kControlId));
    // Any folder's label is edited by clicking it again, or with F2.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setItemDelegate(new CLabelDelegate([](const QModelIndex&) { return kMaxLabelLength; }, this));
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    // Any new pick takes over from a right-clicked folder, a click on the
    // folder already selected too.
    connect(this, &QTreeWidget::currentItemChanged, this, [this] { m_rightClickedFolder = QPersistentModelIndex(); });
    connect(this, &QAbstractItemView::pressed, this, [this] { m_rightClickedFolder = QPersistentModelIndex(); });
    PopulateTree();
}

QString CDesktopTreeCtrl::TrashFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash");
}

void CDesktopTreeCtrl::PopulateTree()
{
    CShellTree::PopulateTree();
    // The trash is no folder to browse: its files keep their names and
    // places in records beside them, which only a file manager reads.
    QIcon trashIcon = QIcon::fromTheme(QStringLiteral("user-trash"));
    if (trashIcon.isNull())
        trashIcon = IconProvider().icon(QFileIconProvider::Trashcan);
    QTreeWidgetItem* trash = MakeItem(QStringLiteral("Trash"), QString(), trashIcon);
    trash->setData(0, TrashRole, true);
    trash->setToolTip(0, TrashFolder());
    trash->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    addTopLevelItem(trash);

    QTreeWidgetItem* home = topLevelItem(0);
    if (!home || home == trash)
        return;
    QFont bold = home->font(0);
    bold.setBold(true);
    home->setFont(0, bold);
    home->setExpanded(true);
    setCurrentItem(home);
}

QTreeWidgetItem* CDesktopTreeCtrl::TrashItem() const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->data(0, TrashRole).toBool())
            return topLevelItem(i);
    }
    return nullptr;
}

QMenu* CDesktopTreeCtrl::CreateContextMenu(QTreeWidgetItem* item)
{
    auto* menu = new QMenu(this);
    const QString path = ItemPath(item);
    const bool bFolder = !path.isEmpty();
    // A place without a folder (the trash) cannot hold a new folder.
    m_rightClickedFolder = bFolder ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
    const bool bPlace = item && !item->parent();
    menu->addAction(QStringLiteral("Show in &List Bar"), this, [this, path] { emit folderSelected(path); })
        ->setEnabled(bFolder);
    menu->addAction(QStringLiteral("Open in File &Manager"), this, [this, item] { OpenInFileManager(item); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("New &Folder"), this, [this, item] {
        setCurrentItem(item);
        NewFolder();
    })->setEnabled(bFolder);
    menu->addAction(QStringLiteral("&Rename"), this, [this, item] { editItem(item); })->setEnabled(bFolder && !bPlace);
    menu->addAction(QStringLiteral("&Copy Path"), this, [this, item] { CopyItemPath(item); })->setEnabled(bFolder);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Move to &Trash"), this, [this, item] { DeleteItem(item); })
        ->setEnabled(bFolder && !bPlace);
    menu->addSeparator();
    QAction* hidden = menu->addAction(QStringLiteral("Show &Hidden Folders"), this,
                                      [this](bool bShow) { SetShowHidden(bShow); });
    hidden->setCheckable(true);
    hidden->setChecked(m_bShowHidden);
    return menu;
}

QTreeWidgetItem* CDesktopTreeCtrl::NewFolder()
{
    QTreeWidgetItem* parent = m_rightClickedFolder.isValid() ? itemFromIndex(m_rightClickedFolder) : currentItem();
    const QString folder = ItemPath(parent);
    if (folder.isEmpty())
        return nullptr;
    QString name = QStringLiteral("New_Folder");
    for (int number = 2; ZtFileName::Exist(QDir(folder).filePath(name)); ++number)
        name = QStringLiteral("New_Folder (%1)").arg(number);
    const QString path = QDir(folder).filePath(name);
    if (!ZtFileName::CreateNewDirectory(path)) {
        ZtMessageBox::Show(QStringLiteral("Could not create the folder \"%1\".").arg(path), QMessageBox::Warning);
        return nullptr;
    }
    CProjectTreeCtrl::WriteIndexFile(path);
    FillFolder(parent);
    QTreeWidgetItem* child = ChildNamed(parent, name);
    if (!child)
        child = AddChild(parent, name);
    parent->setExpanded(true);
    setCurrentItem(child);
    scrollToItem(child);
    editItem(child);
    return child;
}

void CDesktopTreeCtrl::CopyItemPath(QTreeWidgetItem* item)
{
    const QString path = ItemPath(item);
    if (!path.isEmpty())
        QApplication::clipboard()->setText(path);
}

void CDesktopTreeCtrl::OpenInFileManager(QTreeWidgetItem* item)
{
    if (item && item->data(0, TrashRole).toBool()) {
        CShellExecute::Open(QStringLiteral("trash:///"), QString(), QString());
        return;
    }
    const QString path = ItemPath(item);
    if (!path.isEmpty())
        CShellExecute::Open(path, QString(), path);
}

void CDesktopTreeCtrl::SetShowHidden(bool bShow)
{
    if (bShow == m_bShowHidden)
        return;
    m_bShowHidden = bShow;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        // Opened folders are read again at once, closed ones when opened.
        QList<QTreeWidgetItem*> pending{topLevelItem(i)};
        while (!pending.isEmpty()) {
            QTreeWidgetItem* item = pending.takeFirst();
            RereadFolder(item);
            for (int c = 0; c < item->childCount(); ++c) {
                if (item->child(c)->isExpanded())
                    pending << item->child(c);
            }
        }
    }
}

bool CDesktopTreeCtrl::DropFiles(const QStringList& paths, QTreeWidgetItem* item)
{
    const QString folder = ItemPath(item);
    if (folder.isEmpty()) {
        CFileDrag::ShowDropOnItem();
        return false;
    }
    const QPersistentModelIndex index(indexFromItem(item));
    return CFileDrag::CopyInto(this, paths, folder, [this, index] {
        // A copied folder shows among the sub-folders.
        if (index.isValid())
            RereadFolder(itemFromIndex(index));
    });
}

void CDesktopTreeCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    if (!CFileDrag::DroppedPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CDesktopTreeCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    if (CFileDrag::DroppedPaths(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    // The item under the cursor is highlighted as the drop place; the
    // selection stays with the folder the List bar shows.
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    CLabelDelegate::ShowDropTarget(this, item ? indexFromItem(item) : QModelIndex());
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CDesktopTreeCtrl::dragLeaveEvent(QDragLeaveEvent* event)
{
    CLabelDelegate::ShowDropTarget(this, QModelIndex());
    CShellTree::dragLeaveEvent(event);
}

void CDesktopTreeCtrl::dropEvent(QDropEvent* event)
{
    CLabelDelegate::ShowDropTarget(this, QModelIndex());
    const QStringList paths = CFileDrag::DroppedPaths(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    // The copy is done here; the drag source keeps its files.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    DropFiles(paths, itemAt(event->position().toPoint()));
}
