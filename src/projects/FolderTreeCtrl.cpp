#include "projects/FolderTreeCtrl.h"

#include "files/AtomicFile.h"
#include "files/FileName.h"
#include "files/PathParts.h"
#include "files/ShellFileOperation.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MenuBuilder.h"
#include "framework/MessageBox.h"
#include "projects/LabelDelegate.h"
#include "projects/ProjectTreeRules.h"
#include "projects/InsertAtPlaces.h"
#include "projects/ReadTicket.h"
#include "projects/TreeLines.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDirIterator>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>
#include <QStyle>

#include <memory>

namespace {

const QDir::Filters kAllEntries = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;

// A folder item shows the closed folder, and the open one while it is
// selected; the view draws an icon's Selected pictures for a selected item.
QIcon FolderIcon(const QIcon& closed, const QIcon& open)
{
    QList<QSize> sizes = closed.availableSizes();
    if (sizes.isEmpty())
        sizes = {QSize(16, 16), QSize(32, 32)};
    QIcon icon;
    for (const QSize& size : std::as_const(sizes)) {
        icon.addPixmap(closed.pixmap(size), QIcon::Normal);
        icon.addPixmap(open.pixmap(size), QIcon::Selected);
    }
    return icon;
}

} // namespace

CFolderTreeCtrl::CFolderTreeCtrl(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(true);
    // Labels are edited only from the commands.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The label editor takes the longest text this tree lets the label take.
    setItemDelegate(
        new CLabelDelegate([this](const QModelIndex& index) { return LabelMaxLength(itemFromIndex(index)); }, this));
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    m_buttonDown.start();
    // Looked up once: a folder of thousands of entries shares a few pictures.
    m_icons.insert(ImageRoot, style()->standardIcon(QStyle::SP_DirHomeIcon));
    m_icons.insert(ImageFile, style()->standardIcon(QStyle::SP_FileIcon));
    m_icons.insert(ImageFolderSelected, style()->standardIcon(QStyle::SP_DirOpenIcon));
    m_icons.insert(ImageFolder, FolderIcon(style()->standardIcon(QStyle::SP_DirIcon), m_icons.value(ImageFolderSelected)));
    m_icons.insert(ImageKeyword, style()->standardIcon(QStyle::SP_FileDialogDetailedView));

    connect(this, &QTreeWidget::itemExpanded, this, &CFolderTreeCtrl::OnItemExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CFolderTreeCtrl::OnItemCollapsed);
    connect(itemDelegate(), &QAbstractItemDelegate::closeEditor, this, &CFolderTreeCtrl::OnEditorClosed,
            Qt::QueuedConnection);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { OnCurrentItemChanged(current); });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        SetHighlightedItem(item);
        OpenItem();
    });
    connect(&m_reader, &CTreeFolderReader::folderListed, this, &CFolderTreeCtrl::OnFolderListed);
    connect(&m_watcher, &CFolderWatcher::folderChanged, this, &CFolderTreeCtrl::OnFolderChanged);
    // Items added, removed, renamed or all cleared change the folders shown.
    connect(model(), &QAbstractItemModel::rowsInserted, this, &CFolderTreeCtrl::ScheduleWatchSync);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &CFolderTreeCtrl::ScheduleWatchSync);
    connect(model(), &QAbstractItemModel::modelReset, this, &CFolderTreeCtrl::ScheduleWatchSync);
    connect(model(), &QAbstractItemModel::dataChanged, this, &CFolderTreeCtrl::ScheduleWatchSync);
}

CFolderTreeCtrl::~CFolderTreeCtrl()
{
    // The items go after this part of the tree is gone: their removal must
    // not reach it.
    disconnect(model(), nullptr, this, nullptr);
}

// ---- Commands and the context menu ------------------------------------------

void CFolderTreeCtrl::AddCommandActions(const QList<std::pair<int, std::function<void()>>>& commands)
{
    for (const auto& [id, run] : commands) {
        auto* action = new QAction(this);
        connect(action, &QAction::triggered, this, run);
        m_actions.insert(id, action);
    }
}

QMenu* CFolderTreeCtrl::BuildContextMenu(int menuId, const std::function<void()>& beforeShow)
{
    // The tree's commands are its own; the others (the bar commands, Java)
    // are the main frame's, so they take its routing.
    auto* frame = qobject_cast<CMDIFrameWnd*>(window());
    auto lookup = [this, frame](int id) -> QAction* {
        if (QAction* own = m_actions.value(id))
            return own;
        return frame ? frame->Action(id) : nullptr;
    };
    auto update = [frame, beforeShow](QMenu* shown) {
        if (frame)
            frame->UpdateMenu(shown);
        if (beforeShow)
            beforeShow();
    };
    if (beforeShow)
        beforeShow();
    return CMenuBuilder::BuildContextMenu(menuId, lookup, update, this);
}

void CFolderTreeCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    // The right-clicked item becomes the one the menu acts on, while the
    // highlighted item stays as it is; the menu key opens the menu of the
    // highlighted item.
    SetHighlightedItem(event->reason() == QContextMenuEvent::Mouse ? itemAt(event->pos()) : currentItem());
    QMenu* menu = CreateContextMenu();
    menu->exec(event->globalPos());
    delete menu;
    event->accept();
    // Once the menu is gone, commands act on the highlighted item again.
    SetHighlightedItem(currentItem());
}

// ---- Items and paths ------------------------------------------------------

int CFolderTreeCtrl::ImageOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kImageRole).toInt() : -1;
}

bool CFolderTreeCtrl::IsFolderImage(int image)
{
    return image == ImageFolder || image == ImageFolderSelected;
}

bool CFolderTreeCtrl::IsMarker(const QTreeWidgetItem* item)
{
    return item && item->flags() == Qt::NoItemFlags;
}

QTreeWidgetItem* CFolderTreeCtrl::NewItem(const QString& name, EImage image) const
{
    auto* item = new QTreeWidgetItem(QStringList{name});
    item->setData(0, kImageRole, int(image));
    item->setIcon(0, m_icons.value(image));
    return item;
}

QTreeWidgetItem* CFolderTreeCtrl::AddRoot(const QString& text, EImage image)
{
    QTreeWidgetItem* root = NewItem(text, image);
    QFont font = root->font(0);
    font.setBold(true);
    root->setFont(0, font);
    addTopLevelItem(root);
    return root;
}

QString CFolderTreeCtrl::GetItemPath(const QTreeWidgetItem* item) const
{
    QStringList names;
    for (; item && item->parent(); item = item->parent())
        names.prepend(item->text(0));
    return CProjectTreeRules::ItemPath(m_strRootDirectory, names);
}

QTreeWidgetItem* CFolderTreeCtrl::HighlightedItem() const
{
    return m_highlightedIndex.isValid() ? itemFromIndex(m_highlightedIndex) : nullptr;
}

void CFolderTreeCtrl::SetHighlightedItem(QTreeWidgetItem* item)
{
    if (item == HighlightedItem())
        return;
    m_previousIndex = m_highlightedIndex;
    m_highlightedIndex = item ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
}

QTreeWidgetItem* CFolderTreeCtrl::FolderOf(QTreeWidgetItem* item) const
{
    if (!item || IsMarker(item))
        return nullptr;
    if (!item->parent() || IsFolderImage(ImageOf(item)))
        return item;
    return item->parent();
}

QTreeWidgetItem* CFolderTreeCtrl::FindChild(QTreeWidgetItem* parent, const QString& name) const
{
    for (int i = 0; parent && i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == name)
            return parent->child(i);
    }
    return nullptr;
}

QTreeWidgetItem* CFolderTreeCtrl::ItemForPath(const QString& folder) const
{
    if (!HasRoot() || topLevelItemCount() == 0)
        return nullptr;
    QTreeWidgetItem* item = topLevelItem(0);
    const QString root = GetItemPath(item);
    if (folder == root)
        return item;
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    if (!folder.startsWith(prefix))
        return nullptr;
    for (const QString& name : folder.mid(prefix.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QTreeWidgetItem* child = FindChild(item, name);
        if (!child || !IsFolderImage(ImageOf(child)))
            return nullptr;
        item = child;
    }
    return item;
}

// ---- Filling ---------------------------------------------------------------

void CFolderTreeCtrl::RemoveChildren(QTreeWidgetItem* item)
{
    const QList<QTreeWidgetItem*> children = item->takeChildren();
    qDeleteAll(children);
}

bool CFolderTreeCtrl::AddChildMarker(QTreeWidgetItem* item, const QString& directory)
{
    QDirIterator entries(directory, kAllEntries);
    if (!entries.hasNext())
        return false;
    AddMarker(item);
    return true;
}

void CFolderTreeCtrl::AddMarker(QTreeWidgetItem* item) const
{
    QTreeWidgetItem* marker = NewItem(QString(), ImageFolder);
    // The marker is never picked: it only gives the folder its button.
    marker->setFlags(Qt::NoItemFlags);
    item->addChild(marker);
}

int CFolderTreeCtrl::FillFolder(QTreeWidgetItem* item, const QString& directory)
{
    QVector<CTreeEntry> entries;
    if (!CTreeFolderReader::ReadAll(directory, &entries)) {
        if (!item->parent())
            AddMarker(item);
        return 0;
    }
    return AddEntries(item, directory, entries);
}

CProjectTreeRules::CListing CFolderTreeCtrl::OrderedListing(const QVector<CTreeEntry>& entries,
                                                            QSet<QString>* withEntries) const
{
    QVector<CProjectTreeRules::CEntry> named;
    named.reserve(entries.size());
    for (const CTreeEntry& entry : entries) {
        named.append({entry.m_strName, entry.m_bFolder});
        if (entry.m_bHasEntries)
            withEntries->insert(entry.m_strName);
    }
    return CProjectTreeRules::OrderEntries(named, HiddenFileName());
}

int CFolderTreeCtrl::AddEntries(QTreeWidgetItem* item, const QString& directory, const QVector<CTreeEntry>& entries)
{
    // A link to a folder is shown as the folder; a link that loops or
    // leads nowhere is shown as a file.
    QSet<QString> withEntries;
    const CProjectTreeRules::CListing listing = OrderedListing(entries, &withEntries);

    QList<QTreeWidgetItem*> children;
    children.reserve(listing.m_folders.size() + listing.m_files.size());
    for (const QString& name : listing.m_folders)
        children << NewItem(name, ImageFolder);
    for (const QString& name : listing.m_files)
        children << NewItem(name, ImageFile);
    item->addChildren(children);
    for (qsizetype i = 0; i < listing.m_folders.size(); ++i) {
        if (withEntries.contains(listing.m_folders.at(i)))
            AddMarker(children.at(i));
    }
    OnFolderFilled(item, directory, listing.m_files);
    return int(listing.m_folders.size());
}

void CFolderTreeCtrl::OnFolderFilled(QTreeWidgetItem*, const QString&, const QStringList&)
{
}

void CFolderTreeCtrl::MergeEntries(QTreeWidgetItem* item, const QVector<CTreeEntry>& entries)
{
    QSet<QString> withEntries;
    const CProjectTreeRules::CListing listing = OrderedListing(entries, &withEntries);
    // A file and a folder of one name are different entries: a file that
    // became a folder is replaced.
    const auto keyOf = [](bool bFolder, const QString& name) -> QString {
        return (bFolder ? QStringLiteral("d:") : QStringLiteral("f:")) + name;
    };
    const auto keyOfItem = [&keyOf](const QTreeWidgetItem* child) -> QString {
        return keyOf(IsFolderImage(ImageOf(child)), child->text(0));
    };
    QSet<QString> wanted;
    for (const QString& name : listing.m_folders)
        wanted.insert(keyOf(true, name));
    for (const QString& name : listing.m_files)
        wanted.insert(keyOf(false, name));
    for (int i = item->childCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* child = item->child(i);
        if (IsMarker(child) || !wanted.contains(keyOfItem(child)))
            delete child;
    }

    QHash<QString, QTreeWidgetItem*> shown;
    for (int i = 0; i < item->childCount(); ++i)
        shown.insert(keyOfItem(item->child(i)), item->child(i));
    // The kept children are in the listing's order, so one walk finds each
    // new entry's place; the places count the children before any insert.
    QList<std::pair<int, QTreeWidgetItem*>> places;
    int at = 0;
    const auto place = [&](const QString& name, bool bFolder) {
        if (QTreeWidgetItem* kept = shown.value(keyOf(bFolder, name))) {
            const int index = at < item->childCount() && item->child(at) == kept ? at : item->indexOfChild(kept);
            at = qMax(at, index + 1);
            // A closed folder's button says whether it holds anything now.
            if (bFolder && !kept->isExpanded()) {
                const bool bMarked = kept->childCount() > 0;
                if (withEntries.contains(name) && !bMarked)
                    AddMarker(kept);
                else if (!withEntries.contains(name) && bMarked && IsMarker(kept->child(0)))
                    RemoveChildren(kept);
            }
            return;
        }
        QTreeWidgetItem* child = NewItem(name, bFolder ? ImageFolder : ImageFile);
        if (bFolder && withEntries.contains(name))
            AddMarker(child);
        places.append({at, child});
    };
    for (const QString& name : listing.m_folders)
        place(name, true);
    for (const QString& name : listing.m_files)
        place(name, false);
    InsertAtPlaces(item, places);
}

void CFolderTreeCtrl::ShowSavedFile(const QString& path)
{
    const QFileInfo info(path);
    QTreeWidgetItem* folder = ItemForPath(info.absolutePath());
    if (!folder || info.fileName() == HiddenFileName())
        return;
    const bool bEntriesShown = folder->childCount() > 0 && !IsMarker(folder->child(0));
    if (bEntriesShown) {
        if (!FindChild(folder, info.fileName()))
            InsertInOrder(folder, NewItem(info.fileName(), ImageFile));
    } else if (folder->childCount() == 0) {
        // It was empty: now it can be opened.
        AddMarker(folder);
    }
}

void CFolderTreeCtrl::ScheduleWatchSync()
{
    if (m_bWatchSyncPending || !ReadsInBackground())
        return;
    m_bWatchSyncPending = true;
    QMetaObject::invokeMethod(this, [this] { SyncWatches(); }, Qt::QueuedConnection);
}

void CFolderTreeCtrl::SyncWatches()
{
    m_bWatchSyncPending = false;
    QStringList folders;
    QTreeWidgetItem* root = HasRoot() && topLevelItemCount() > 0 ? topLevelItem(0) : nullptr;
    QList<QTreeWidgetItem*> open;
    if (root && root->isExpanded())
        open.append(root);
    while (!open.isEmpty()) {
        QTreeWidgetItem* item = open.takeLast();
        folders.append(GetItemPath(item));
        // The closed folders shown too: whether they get an expand button
        // depends on what they hold.
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem* child = item->child(i);
            if (!IsFolderImage(ImageOf(child)))
                continue;
            if (child->isExpanded())
                open.append(child);
            else
                folders.append(GetItemPath(child));
        }
    }
    m_watcher.SetFolders(folders);
}

void CFolderTreeCtrl::OnFolderChanged(const QString& folder)
{
    QTreeWidgetItem* item = ItemForPath(folder);
    if (!item)
        return;
    // A closed folder's expand button comes from its open parent's read.
    if (!item->isExpanded())
        item = item->parent();
    if (item && item->isExpanded())
        StartRead(item);
}

void CFolderTreeCtrl::RereadFolder(QTreeWidgetItem* folder)
{
    if (ReadsInBackground()) {
        StartRead(folder);
        return;
    }
    RemoveChildren(folder);
    FillFolder(folder, GetItemPath(folder));
}

void CFolderTreeCtrl::SelectWhenRead(QTreeWidgetItem* folder, const QString& name)
{
    if (const quint64 ticket = ReadTicket(folder)) {
        m_reads[ticket].m_strSelect = name;
        return;
    }
    if (QTreeWidgetItem* child = FindChild(folder, name))
        setCurrentItem(child);
}

void CFolderTreeCtrl::StartRead(QTreeWidgetItem* folder)
{
    // The shown entries stay until the new ones arrive; the child that read
    // under way was to select is selected by this one.
    const quint64 previous = ReadTicket(folder);
    const QString select = previous ? m_reads.value(previous).m_strSelect : QString();
    CancelRead(folder);
    const QString path = GetItemPath(folder);
    m_reads.insert(m_reader.Start(path), {QPersistentModelIndex(indexFromItem(folder)), path, select});
}

void CFolderTreeCtrl::CancelRead(QTreeWidgetItem* folder)
{
    if (const quint64 ticket = ReadTicket(folder)) {
        m_reader.Cancel(ticket);
        m_reads.remove(ticket);
    }
}

quint64 CFolderTreeCtrl::ReadTicket(const QTreeWidgetItem* folder) const
{
    return ReadTicketOf(m_reads, indexFromItem(folder));
}

void CFolderTreeCtrl::OnFolderListed(quint64 ticket, const QVector<CTreeEntry>& entries, bool ok)
{
    const CRead read = m_reads.take(ticket);
    // A removed item's index is no longer valid: nobody wants its entries.
    QTreeWidgetItem* item = read.m_index.isValid() ? itemFromIndex(read.m_index) : nullptr;
    if (!item)
        return;
    if (IsEditingChildOf(item)) {
        // Rebuilding would take the edited item away under the editor.
        m_deferredReads.append(read.m_index);
        return;
    }
    if (GetItemPath(item) != read.m_strFolder) {
        // Renamed meanwhile: the entries are those of a path gone.
        StartRead(item);
        m_reads[ReadTicket(item)].m_strSelect = read.m_strSelect;
        return;
    }
    // The entries are made anew: the highlighted one stays highlighted.
    QString select = read.m_strSelect;
    if (select.isEmpty() && currentItem() && currentItem()->parent() == item)
        select = currentItem()->text(0);
    const bool bEntriesShown = item->childCount() > 0 && !IsMarker(item->child(0));
    if (ok && bEntriesShown) {
        MergeEntries(item, entries);
    } else {
        RemoveChildren(item);
        if (ok)
            AddEntries(item, read.m_strFolder, entries);
        else if (!item->parent())
            AddMarker(item);
    }
    if (!select.isEmpty()) {
        if (QTreeWidgetItem* child = FindChild(item, select))
            setCurrentItem(child);
    }
    emit folderRead(item);
}

bool CFolderTreeCtrl::IsEditingChildOf(const QTreeWidgetItem* folder) const
{
    if (!IsEditingLabel() || !m_editIndex.isValid())
        return false;
    const QTreeWidgetItem* edited = itemFromIndex(m_editIndex);
    return edited && edited->parent() == folder;
}

void CFolderTreeCtrl::RefreshCurrentFolder(bool updateList)
{
    if (!HasRoot())
        return;
    QTreeWidgetItem* folder = FolderOf(HighlightedItem());
    if (!folder)
        return;
    const bool bShown = folder == currentItem() || folder == HighlightedItem();
    RereadFolder(folder);
    if (updateList && bShown)
        emit folderRefreshed(GetItemPath(folder));
}

void CFolderTreeCtrl::InsertInOrder(QTreeWidgetItem* parent, QTreeWidgetItem* child)
{
    const bool bFolder = IsFolderImage(ImageOf(child));
    const QByteArray bytes = QFile::encodeName(child->text(0));
    int at = 0;
    for (; at < parent->childCount(); ++at) {
        const QTreeWidgetItem* sibling = parent->child(at);
        if (IsMarker(sibling) || ImageOf(sibling) == ImageKeyword)
            break;
        const bool bSiblingFolder = IsFolderImage(ImageOf(sibling));
        if (bFolder != bSiblingFolder) {
            if (bFolder)
                break;
            continue;
        }
        const bool bBefore = bFolder ? CProjectTreeRules::FolderNameLess(child->text(0), sibling->text(0))
                                     : bytes < QFile::encodeName(sibling->text(0));
        if (bBefore)
            break;
    }
    parent->insertChild(at, child);
}

void CFolderTreeCtrl::OnItemExpanded(QTreeWidgetItem* item)
{
    RereadFolder(item);
    ScheduleWatchSync();
}

void CFolderTreeCtrl::OnItemCollapsed(QTreeWidgetItem* item)
{
    ScheduleWatchSync();
    if (ReadsInBackground()) {
        // What it showed says whether it holds anything; the disk is read
        // again only when it is opened.
        CancelRead(item);
        const bool bHadEntries = item->childCount() > 0;
        RemoveChildren(item);
        if (bHadEntries || !item->parent())
            AddMarker(item);
        return;
    }
    RemoveChildren(item);
    if (item->parent())
        AddChildMarker(item, GetItemPath(item));
    else
        AddMarker(item);
}

// ---- Mouse, labels, paste ---------------------------------------------------

void CFolderTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    // A click beside the items keeps the highlighted item, and commands keep
    // acting on it rather than on none.
    QTreeWidgetItem* clicked = itemAt(event->position().toPoint());
    if (!clicked) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    SetHighlightedItem(clicked);
    // A right click picks the item for its menu only: the highlight stays.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    m_buttonDown.restart();
    QTreeWidget::mousePressEvent(event);
}

void CFolderTreeCtrl::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    QTreeWidget::drawBranches(painter, rect, index);
    if (isRightToLeft())
        return;
    CTreeLines::CRow row;
    row.m_branches = rect;
    row.m_nIndentation = indentation();
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        row.m_continues.prepend(up.sibling(up.row() + 1, 0).isValid());
    row.m_bFirstAtTop = !index.parent().isValid() && index.row() == 0;
    row.m_bNextSibling = index.sibling(index.row() + 1, 0).isValid();
    row.m_bChildren = model()->hasChildren(index);
    QPen pen(palette().color(QPalette::Dark), 0);
    pen.setDashPattern({1, 1});
    painter->save();
    painter->setPen(pen);
    painter->drawLines(CTreeLines::Segments(row));
    painter->restore();
}

void CFolderTreeCtrl::ShowDropTarget(QTreeWidgetItem* item)
{
    CLabelDelegate::ShowDropTarget(this, item ? indexFromItem(item) : QModelIndex());
}

void CFolderTreeCtrl::dragLeaveEvent(QDragLeaveEvent* event)
{
    ShowDropTarget(nullptr);
    QTreeWidget::dragLeaveEvent(event);
}

bool CFolderTreeCtrl::DragMayStart() const
{
    // A press that turns into a movement this quickly is a sloppy click.
    return m_buttonDown.elapsed() >= CProjectTreeRules::kDragDelayMs;
}

void CFolderTreeCtrl::StartLabelEdit(QTreeWidgetItem* item, int kind)
{
    m_nEditKind = kind;
    m_editIndex = QPersistentModelIndex(indexFromItem(item));
    m_strEditPath = GetItemPath(item);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    scrollToItem(item);
    editItem(item, 0);
}

void CFolderTreeCtrl::OnEditorClosed()
{
    const int kind = std::exchange(m_nEditKind, 0);
    QTreeWidgetItem* item = m_editIndex.isValid() ? itemFromIndex(m_editIndex) : nullptr;
    if (item && kind != 0) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        FinishLabelEdit(item, kind, m_strEditPath);
    }
    // Reads that arrived during the edit are done again, now that nothing
    // below their folders is being edited.
    const QList<QPersistentModelIndex> deferred = std::exchange(m_deferredReads, {});
    for (const QPersistentModelIndex& index : deferred) {
        if (index.isValid())
            StartRead(itemFromIndex(index));
    }
}

bool CFolderTreeCtrl::PasteInto(QTreeWidgetItem* target)
{
    if (!target || !HasRoot())
        return false;
    const QString destination = GetItemPath(target) + QLatin1Char('/');
    const CFileName fileName;
    const bool bCopyList = !m_listCopy.isEmpty();
    const CProjectTreeRules::CPasteSource clipboard =
        CProjectTreeRules::PasteSourceOf(QApplication::clipboard()->mimeData());
    // The List bar's cut wins over whatever the clipboard holds now.
    const QStringList cut = bCopyList ? QStringList() : m_listCut;
    CShellFileOperation* job = nullptr;
    if (bCopyList) {
        job = fileName.ShellCopyList(this, m_listCopy, destination, CFileOperationPlan::EMode::Copy);
        m_listCopy.clear();
    } else if (!cut.isEmpty()) {
        job = fileName.ShellMoveFiles(this, cut, destination);
    } else {
        job = clipboard.m_bCut ? fileName.ShellMoveFiles(this, clipboard.m_paths, destination)
                               : fileName.ShellCopyFiles(this, clipboard.m_paths, destination);
    }
    const QPersistentModelIndex targetIndex(indexFromItem(target));
    // Moved files cannot be pasted again: the clipboard forgets them too,
    // unless something else was copied since the cut or during the move.
    const bool bForgetClipboard = !cut.isEmpty() && clipboard.m_bCut && clipboard.m_paths == cut;
    auto clipboardChanged = std::make_shared<bool>(false);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, job, [clipboardChanged] { *clipboardChanged = true; });
    connect(job, &CShellFileOperation::finished, this,
            [this, targetIndex, cut, bCopyList, bForgetClipboard, clipboardChanged](bool bDone) {
        if (bDone && !cut.isEmpty()) {
            if (bForgetClipboard && !*clipboardChanged)
                QApplication::clipboard()->clear();
            if (m_listCut == cut)
                m_listCut.clear();
        }
        if (targetIndex.isValid())
            RereadFolder(itemFromIndex(targetIndex));
        viewport()->update();
        emit filesPasted(bDone, bCopyList, cut);
    });
    return true;
}

// ---- New folders, renames, deletes -------------------------------------------

void CFolderTreeCtrl::ShowInvalidName(const QString& name)
{
    ZtMessageBox::Show(QStringLiteral("'%1' is not a valid name for a file or folder.").arg(name),
                       QMessageBox::Warning);
}

bool CFolderTreeCtrl::WriteIndexFile(const QString& directory)
{
    return CAtomicFile::Write(directory + QStringLiteral("/Index.txt"), CProjectTreeRules::IndexFileBytes());
}

void CFolderTreeCtrl::FinishNewFolder(QTreeWidgetItem* item)
{
    const QString name = item->text(0);
    const QString path = GetItemPath(item);
    QTreeWidgetItem* parent = item->parent();
    if (!CProjectTreeRules::IsValidItemName(name)) {
        ShowInvalidName(name);
        delete item;
        return;
    }
    if (!ZtFileName::CreateNewDirectory(path)) {
        // Only a folder that exists stays in the tree.
        ZtMessageBox::Show(QStringLiteral("Cannot create the folder '%1'.").arg(path), QMessageBox::Warning);
        delete item;
        return;
    }
    // "Index.txt" is written before the folder becomes the current item:
    // making it current starts the List bar's reading of the folder, which
    // would otherwise catch the save's temporary file instead.
    const bool indexWritten = WriteIndexFile(path);
    parent->removeChild(item);
    InsertInOrder(parent, item);
    setCurrentItem(item);
    RestartReadUnderWay(parent);
    // The folder holds its "Index.txt" now: it gets its expand button.
    if (indexWritten)
        AddMarker(item);
}

void CFolderTreeCtrl::RenameOnDisk(QTreeWidgetItem* item, const QString& oldPath,
                                   std::function<void(QTreeWidgetItem*)> onRenamed)
{
    const QString oldName = ZtPath::NameOf(oldPath);
    const QString name = item->text(0);
    if (name == oldName)
        return;
    if (!CProjectTreeRules::IsValidItemName(name)) {
        ShowInvalidName(name);
        item->setText(0, oldName);
        return;
    }
    const QString newPath = GetItemPath(item);
    const CFileName fileName;
    CShellFileOperation* job = IsFolderImage(ImageOf(item)) ? fileName.ShellRenameDirectory(this, oldPath, newPath)
                                                            : fileName.ShellRenameFiles(this, oldPath, newPath);
    const QPersistentModelIndex index(indexFromItem(item));
    connect(job, &CShellFileOperation::finished, this, [this, index, oldName, onRenamed](bool bDone) {
        QTreeWidgetItem* renamed = index.isValid() ? itemFromIndex(index) : nullptr;
        if (!renamed)
            return;
        if (!bDone) {
            // The shell operation told the user why; the label names the disk again.
            renamed->setText(0, oldName);
            return;
        }
        RestartReadUnderWay(renamed->parent());
        if (onRenamed)
            onRenamed(renamed);
    });
}

void CFolderTreeCtrl::RestartReadUnderWay(QTreeWidgetItem* folder)
{
    // A listing taken before the tree changed the folder would put back what
    // was just renamed or made.
    if (folder && ReadTicket(folder))
        StartRead(folder);
}

void CFolderTreeCtrl::DeleteFromDisk(QTreeWidgetItem* item, QWidget* owner)
{
    const QString path = GetItemPath(item);
    const bool bFolder = IsFolderImage(ImageOf(item));
    if (bFolder && RefusesFolderDelete())
        return;
    CShellFileOperation* job = CFileName().ShellDeleteItems(owner, {path});
    const QPersistentModelIndex index(indexFromItem(item));
    connect(job, &CShellFileOperation::finished, this, [this, index, path, bFolder] {
        // Still there: the user said no, or the helper reported why not.
        if (ZtFileName::Exist(path) || !index.isValid())
            return;
        delete itemFromIndex(index);
        if (bFolder)
            viewport()->update();
        else
            RefreshCurrentFolder(true);
    });
}

bool CFolderTreeCtrl::RefusesFolderDelete() const
{
    if (m_nShellVersionLevel >= 2)
        return false;
    ZtMessageBox::Show(QStringLiteral(
        "The version of Shell32.dll on your computer\nappears to be an older version than "
        "nec. to safely complete this action.\nIf you delete this folder from here your "
        "machine may close Zentrel.\nTo safely send this folder to recycle-bin, delete it "
        "from Desktop tab."));
    return true;
}
