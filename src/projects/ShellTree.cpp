#include "projects/ShellTree.h"

#include "files/FileName.h"
#include "files/PathParts.h"
#include "files/ShellFileOperation.h"
#include "files/TypedPath.h"
#include "framework/MessageBox.h"
#include "projects/InsertAtPlaces.h"
#include "projects/LabelDelegate.h"
#include "projects/ReadTicket.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardPaths>

namespace {
enum EItemRole { PathRole = Qt::UserRole, FilledRole, PlaceholderRole, PinnedRole };

bool IsPlaceholder(const QTreeWidgetItem* item)
{
    return item->data(0, PlaceholderRole).toBool();
}

// The last part of a folder path; a child's path always has one.
QString ChildName(const QTreeWidgetItem* child)
{
    return ZtPath::NameOf(CShellTree::ItemPath(child));
}

QString ChildPath(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool IsFolderOrParentOf(const QString& folder, const QString& path)
{
    if (folder == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// A path made plain: "~" is the home folder; a relative path leads nowhere,
// since the folder it would start in is the caller's to give.
QString AbsoluteFolderPath(const QString& path)
{
    const QString resolved = ResolveTypedPath(path, QString());
    return QDir::isAbsolutePath(resolved) ? QDir::cleanPath(resolved) : QString();
}
} // namespace

CShellTree::CShellTree(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_folderIcon = m_iconProvider.icon(QFileIconProvider::Folder);
    connect(this, &QTreeWidget::itemExpanded, this, &CShellTree::FillFolder);
    connect(this, &QTreeWidget::itemCollapsed, this, &CShellTree::OnItemCollapsed);
    connect(this, &QTreeWidget::itemChanged, this, &CShellTree::OnItemChanged);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && !IsPlaceholder(item))
            emit folderSelected(ItemPath(item));
    });
    connect(&m_reader, &CSubfolderReader::foldersRead, this, &CShellTree::OnFoldersRead);
    connect(&m_reader, &CSubfolderReader::finished, this, &CShellTree::OnReadFinished);
    connect(&m_volumeReader, &CVolumeReader::volumesRead, this, &CShellTree::OnVolumesRead);
    connect(&m_watcher, &CFolderWatcher::folderChanged, this, &CShellTree::OnFolderChanged);
    connect(this, &QTreeWidget::itemExpanded, this, &CShellTree::ScheduleWatchSync);
    connect(this, &QTreeWidget::itemCollapsed, this, &CShellTree::ScheduleWatchSync);
    // Items removed, renamed or all cleared may take open folders with them.
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &CShellTree::ScheduleWatchSync);
    connect(model(), &QAbstractItemModel::modelReset, this, &CShellTree::ScheduleWatchSync);
    connect(model(), &QAbstractItemModel::dataChanged, this, &CShellTree::ScheduleWatchSync);
}

CShellTree::~CShellTree()
{
    // The items go after this part of the tree is gone: their removal must
    // not reach it.
    disconnect(model(), nullptr, this, nullptr);
}

void CShellTree::ScheduleWatchSync()
{
    if (m_bWatchSyncPending)
        return;
    m_bWatchSyncPending = true;
    QMetaObject::invokeMethod(this, [this] { SyncWatches(); }, Qt::QueuedConnection);
}

QList<QTreeWidgetItem*> CShellTree::OpenItems() const
{
    QList<QTreeWidgetItem*> open;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->isExpanded())
            open.append(topLevelItem(i));
    }
    for (qsizetype next = 0; next < open.size(); ++next) {
        const QTreeWidgetItem* item = open.at(next);
        for (int i = 0; i < item->childCount(); ++i) {
            if (item->child(i)->isExpanded())
                open.append(item->child(i));
        }
    }
    return open;
}

void CShellTree::SyncWatches()
{
    m_bWatchSyncPending = false;
    QStringList folders;
    for (const QTreeWidgetItem* item : OpenItems()) {
        if (item->data(0, FilledRole).toBool() && !ItemPath(item).isEmpty())
            folders.append(ItemPath(item));
    }
    m_watcher.SetFolders(folders);
}

void CShellTree::OnFolderChanged(const QString& folder)
{
    // A folder may be open in several places: under Home and under the
    // file system.
    for (QTreeWidgetItem* item : OpenItems()) {
        if (ItemPath(item) == folder)
            RereadFolder(item);
    }
}

QList<CShellPlace> CShellTree::TopLevelPlaces()
{
    QList<CShellPlace> places;
    const auto add = [&places](const QString& name, const QString& path, QFileIconProvider::IconType icon) {
        const QString folder = QDir::cleanPath(path);
        if (path.isEmpty() || !QFileInfo(folder).isDir())
            return;
        for (const CShellPlace& place : std::as_const(places)) {
            if (place.m_strPath == folder)
                return;
        }
        places.append({name, folder, icon});
    };
    add(QStringLiteral("Home"), QDir::homePath(), QFileIconProvider::Folder);
    add(QStringLiteral("Desktop"), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
        QFileIconProvider::Desktop);
    for (const auto location : {QStandardPaths::DocumentsLocation, QStandardPaths::DownloadLocation,
                                QStandardPaths::MusicLocation, QStandardPaths::PicturesLocation,
                                QStandardPaths::MoviesLocation, QStandardPaths::TemplatesLocation,
                                QStandardPaths::PublicShareLocation}) {
        const QString path = QStandardPaths::writableLocation(location);
        add(QFileInfo(path).fileName(), path, QFileIconProvider::Folder);
    }
    add(QStringLiteral("File System"), QStringLiteral("/"), QFileIconProvider::Computer);
    return places;
}

QList<CShellPlace> CShellTree::VolumePlaces(const QList<CVolume>& volumes)
{
    QList<CShellPlace> places;
    for (const CVolume& volume : volumes) {
        if (!IsUserVolume(volume.m_strRootPath, volume.m_device, volume.m_fileSystemType))
            continue;
        const QString path = QDir::cleanPath(volume.m_strRootPath);
        const QString name = volume.m_strName.isEmpty() ? QFileInfo(path).fileName() : volume.m_strName;
        places.append({name, path, QFileIconProvider::Drive});
    }
    return places;
}

bool CShellTree::IsUserVolume(const QString& rootPath, const QByteArray& device,
                              const QByteArray& fileSystemType)
{
    // Where desktops and users mount sticks, disks and shares.
    for (const char* parent : {"/media/", "/run/media/", "/mnt/"}) {
        if (rootPath.startsWith(QLatin1String(parent)))
            return true;
    }
    if (rootPath == QLatin1String("/"))
        return false; // listed as the file system
    for (const char* system : {"/boot", "/efi", "/snap", "/proc", "/sys", "/dev", "/run", "/var", "/usr", "/etc"}) {
        if (IsFolderOrParentOf(QLatin1String(system), rootPath))
            return false;
    }
    static const QList<QByteArray> networkTypes = {"nfs", "nfs4", "cifs", "smb3", "fuse.sshfs"};
    return device.startsWith("/dev/") || networkTypes.contains(fileSystemType);
}

void CShellTree::PopulateTree()
{
    m_reader.CancelAll();
    m_reads.clear();
    clear();
    for (const CShellPlace& place : TopLevelPlaces())
        addTopLevelItem(MakeItem(place.m_strName, place.m_strPath, m_iconProvider.icon(place.m_icon)));
    m_volumeReader.Start();
}

void CShellTree::OnVolumesRead(const QList<CVolume>& volumes)
{
    // After the last place that is a folder, before places that are none
    // (the trash); a volume already shown as a place is not shown twice.
    int at = topLevelItemCount();
    while (at > 0 && ItemPath(topLevelItem(at - 1)).isEmpty())
        --at;
    QStringList added;
    for (const CShellPlace& place : VolumePlaces(volumes)) {
        bool bShown = false;
        for (int i = 0; i < topLevelItemCount() && !bShown; ++i)
            bShown = ItemPath(topLevelItem(i)) == place.m_strPath;
        if (bShown)
            continue;
        insertTopLevelItem(at++, MakeItem(place.m_strName, place.m_strPath, m_iconProvider.icon(place.m_icon)));
        added.append(place.m_strPath);
    }
    if (!added.isEmpty())
        emit volumesAdded(added);
}

QTreeWidgetItem* CShellTree::MakeItem(const QString& name, const QString& path, const QIcon& icon) const
{
    auto* item = new QTreeWidgetItem({name});
    item->setData(0, PathRole, path);
    item->setIcon(0, icon);
    item->setToolTip(0, path);
    // Whether a folder has sub-folders is known only once it is read.
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

QString CShellTree::ItemPath(const QTreeWidgetItem* item)
{
    return item ? item->data(0, PathRole).toString() : QString();
}

QTreeWidgetItem* CShellTree::MakeFolderItem(QTreeWidgetItem* parent, const QString& name) const
{
    QTreeWidgetItem* child = MakeItem(name, ChildPath(ItemPath(parent), name), m_folderIcon);
    child->setFlags(child->flags() | Qt::ItemIsEditable);
    return child;
}

void CShellTree::FillFolder(QTreeWidgetItem* item)
{
    if (item->data(0, FilledRole).toBool() || ItemPath(item).isEmpty())
        return;
    item->setData(0, FilledRole, true);
    StartRead(item);
}

void CShellTree::RereadFolder(QTreeWidgetItem* item)
{
    if (item->data(0, FilledRole).toBool())
        StartRead(item);
}

void CShellTree::StartRead(QTreeWidgetItem* item)
{
    CancelRead(item);
    const quint64 ticket = m_reader.Start(ItemPath(item), m_bShowHidden);
    m_reads.insert(ticket, {QPersistentModelIndex(indexFromItem(item)), {}});
    // Stands in until the first names come, so an open folder never looks
    // empty while it is read.
    if (item->childCount() == 0) {
        auto* placeholder = new QTreeWidgetItem({QStringLiteral("...")});
        placeholder->setData(0, PlaceholderRole, true);
        placeholder->setFlags(Qt::NoItemFlags);
        item->addChild(placeholder);
    }
}

void CShellTree::CancelRead(QTreeWidgetItem* item)
{
    const quint64 ticket = ReadTicket(item);
    if (!ticket)
        return;
    m_reader.Cancel(ticket);
    m_reads.remove(ticket);
    RemovePlaceholder(item);
}

void CShellTree::RestartReadOf(QTreeWidgetItem* item)
{
    if (item && ReadTicket(item))
        StartRead(item);
}

quint64 CShellTree::ReadTicket(const QTreeWidgetItem* item) const
{
    // The item's data is left alone: changing it would reset an open
    // rename editor. Few reads run at a time.
    return ReadTicketOf(m_reads, indexFromItem(item));
}

QTreeWidgetItem* CShellTree::ReadingItem(quint64 ticket) const
{
    // A removed item's index is no longer valid, so its names go nowhere.
    const auto read = m_reads.constFind(ticket);
    if (read == m_reads.cend() || !read->m_index.isValid())
        return nullptr;
    return itemFromIndex(read->m_index);
}

void CShellTree::OnFoldersRead(quint64 ticket, const QStringList& names)
{
    QTreeWidgetItem* item = ReadingItem(ticket);
    if (!item) {
        // Its item is gone: nobody wants the rest.
        m_reader.Cancel(ticket);
        m_reads.remove(ticket);
        return;
    }
    CRead& read = m_reads[ticket];
    for (const QString& name : names)
        read.m_seen.insert(name);
    InsertSorted(item, names);
}

void CShellTree::OnReadFinished(quint64 ticket, bool /*ok*/)
{
    QTreeWidgetItem* item = ReadingItem(ticket);
    const CRead read = m_reads.take(ticket);
    if (!item)
        return;
    RemovePlaceholder(item);
    // Folders gone since the last read, and hidden ones no longer wanted; a
    // folder that cannot be read shows none.
    for (int i = item->childCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* child = item->child(i);
        if (!child->data(0, PinnedRole).toBool() && !read.m_seen.contains(ChildName(child)))
            delete child;
    }
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    emit folderRead(item);
}

void CShellTree::OnItemCollapsed(QTreeWidgetItem* item)
{
    // What was read so far stays; opening it again reads it afresh.
    if (!ReadTicket(item))
        return;
    CancelRead(item);
    item->setData(0, FilledRole, false);
}

void CShellTree::InsertSorted(QTreeWidgetItem* item, const QStringList& names)
{
    RemovePlaceholder(item);
    QSet<QString> shown;
    shown.reserve(item->childCount());
    for (int i = 0; i < item->childCount(); ++i)
        shown.insert(ChildName(item->child(i)));
    // The children are in name order, and so are the names: one walk finds
    // every new name's place.
    QList<std::pair<int, QTreeWidgetItem*>> places;
    const int count = item->childCount();
    int at = 0;
    for (const QString& name : names) {
        if (shown.contains(name))
            continue;
        while (at < count && CSubfolderReader::NameLess(ChildName(item->child(at)), name))
            ++at;
        places.append({at, MakeFolderItem(item, name)});
    }
    InsertAtPlaces(item, places);
}

void CShellTree::RemovePlaceholder(QTreeWidgetItem* item)
{
    if (item->childCount() > 0 && IsPlaceholder(item->child(0)))
        delete item->child(0);
}

QTreeWidgetItem* CShellTree::ChildNamed(QTreeWidgetItem* item, const QString& name) const
{
    for (int i = 0; i < item->childCount(); ++i) {
        if (!IsPlaceholder(item->child(i)) && ChildName(item->child(i)) == name)
            return item->child(i);
    }
    return nullptr;
}

QTreeWidgetItem* CShellTree::AddChild(QTreeWidgetItem* item, const QString& name)
{
    RemovePlaceholder(item);
    QTreeWidgetItem* child = MakeFolderItem(item, name);
    child->setData(0, PinnedRole, true);
    int at = 0;
    while (at < item->childCount() && CSubfolderReader::NameLess(ChildName(item->child(at)), name))
        ++at;
    item->insertChild(at, child);
    return child;
}

QTreeWidgetItem* CShellTree::TopLevelHolding(const QString& path) const
{
    // The deepest place wins: a file in Documents opens under Documents, not
    // under Home or the file system.
    QTreeWidgetItem* best = nullptr;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QString place = ItemPath(topLevelItem(i));
        if (IsFolderOrParentOf(place, path) && (!best || place.size() > ItemPath(best).size()))
            best = topLevelItem(i);
    }
    return best;
}

bool CShellTree::TunnelTree(const QString& path)
{
    const QString target = AbsoluteFolderPath(path);
    QTreeWidgetItem* item = target.isEmpty() ? nullptr : TopLevelHolding(target);
    if (!item)
        return false;
    const QStringList names = target.mid(ItemPath(item).size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    bool reached = true;
    for (const QString& name : names) {
        // The way down is made of the folders named, without waiting for
        // the reads that fill in their neighbours. Hidden folders are not
        // listed, but one typed by name is shown.
        QTreeWidgetItem* child = ChildNamed(item, name);
        if (!child && QFileInfo(ChildPath(ItemPath(item), name)).isDir())
            child = AddChild(item, name);
        if (!child) {
            reached = false;
            break;
        }
        item->setExpanded(true);
        FillFolder(item);
        item = child;
    }
    setCurrentItem(item);
    scrollToItem(item);
    return reached;
}

QMenu* CShellTree::CreateContextMenu(QTreeWidgetItem* item)
{
    auto* menu = new QMenu(this);
    const bool isPlace = item && !item->parent();
    menu->addAction(QStringLiteral("New &Folder"), this, [this, item] { NewFolder(item); })->setEnabled(item);
    menu->addAction(QStringLiteral("&Rename"), this, [this, item] { editItem(item); })->setEnabled(item && !isPlace);
    menu->addAction(QStringLiteral("Move to &Trash"), this, [this, item] { DeleteItem(item); })
        ->setEnabled(item && !isPlace);
    return menu;
}

void CShellTree::contextMenuEvent(QContextMenuEvent* event)
{
    // The position is the viewport's; the menu key asks about the current item.
    QTreeWidgetItem* item = event->reason() == QContextMenuEvent::Keyboard ? currentItem() : itemAt(event->pos());
    if (!item || IsPlaceholder(item))
        return;
    // The menu's folder is marked while the menu is open; the selection,
    // and with it the folder listed or the path chosen, stays as it is.
    CLabelDelegate::ShowDropTarget(this, indexFromItem(item));
    QMenu* menu = CreateContextMenu(item);
    menu->exec(event->globalPos());
    delete menu;
    CLabelDelegate::ShowDropTarget(this, QModelIndex());
}

void CShellTree::mousePressEvent(QMouseEvent* event)
{
    // A right click picks a folder for its menu only.
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

QTreeWidgetItem* CShellTree::NewFolder(QTreeWidgetItem* item)
{
    const QDir folder(ItemPath(item));
    QString name = QStringLiteral("New Folder");
    for (int number = 2; ZtFileName::Exist(folder.filePath(name)); ++number)
        name = QStringLiteral("New Folder (%1)").arg(number);
    if (!ZtFileName::CreateNewDirectory(folder.filePath(name))) {
        ZtMessageBox::Show(QStringLiteral("Could not create the folder \"%1\".").arg(folder.filePath(name)),
                           QMessageBox::Warning);
        return nullptr;
    }
    FillFolder(item);
    QTreeWidgetItem* child = ChildNamed(item, name);
    if (!child)
        child = AddChild(item, name);
    item->setExpanded(true);
    setCurrentItem(child);
    editItem(child);
    return child;
}

void CShellTree::DeleteItem(QTreeWidgetItem* item)
{
    const QString path = ItemPath(item);
    CShellFileOperation* job = CFileName().ShellDeleteItems(this, {path});
    const QPersistentModelIndex index(indexFromItem(item));
    connect(job, &CShellFileOperation::finished, this, [this, index, path] {
        // Still there: the user said no, or the helper reported why not.
        if (ZtFileName::Exist(path) || !index.isValid())
            return;
        QTreeWidgetItem* gone = itemFromIndex(index);
        QTreeWidgetItem* parent = gone->parent();
        delete gone;
        RestartReadOf(parent);
    });
}

void CShellTree::OnItemChanged(QTreeWidgetItem* item, int column)
{
    if (IsPlaceholder(item))
        return;
    const QString oldName = QFileInfo(ItemPath(item)).fileName();
    if (column != 0 || !item->parent() || item->text(0) == oldName)
        return;
    RenameFolder(item, item->text(0), oldName);
}

void CShellTree::RenameFolder(QTreeWidgetItem* item, const QString& newName, const QString& oldName)
{
    if (newName.isEmpty() || newName.contains(QLatin1Char('/')) || newName.contains(QChar(0))
        || newName == QLatin1String(".") || newName == QLatin1String("..")) {
        ZtMessageBox::Show(QStringLiteral("\"%1\" is not a valid folder name.").arg(newName), QMessageBox::Warning);
        const QSignalBlocker blocker(this);
        item->setText(0, oldName);
        return;
    }
    const QString oldPath = ItemPath(item);
    const QString newPath = QDir(ItemPath(item->parent())).filePath(newName);
    CShellFileOperation* job = CFileName().ShellRenameDirectory(this, oldPath, newPath);
    const QPersistentModelIndex index(indexFromItem(item));
    connect(job, &CShellFileOperation::finished, this, [this, index, newPath, oldName](bool bDone) {
        if (!index.isValid())
            return;
        QTreeWidgetItem* renamed = itemFromIndex(index);
        if (bDone) {
            ShowRenamed(renamed, newPath);
            return;
        }
        const QSignalBlocker blocker(this);
        renamed->setText(0, oldName);
    });
}

void CShellTree::ShowRenamed(QTreeWidgetItem* item, const QString& newPath)
{
    {
        const QSignalBlocker blocker(this);
        // A read of the parent that listed the folder after it was renamed on
        // disk, but before the rename reported back, shows it already under
        // its new name as an item of its own: that item is this one.
        QTreeWidgetItem* parent = item->parent();
        for (int i = parent ? parent->childCount() - 1 : -1; i >= 0; --i) {
            QTreeWidgetItem* sibling = parent->child(i);
            if (sibling != item && !IsPlaceholder(sibling) && ItemPath(sibling) == newPath)
                delete sibling;
        }
        CancelRead(item);
        item->setData(0, PathRole, newPath);
        item->setToolTip(0, newPath);
        // The sub-folders' paths changed with it: read them again when opened.
        qDeleteAll(item->takeChildren());
        item->setData(0, FilledRole, false);
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        item->setExpanded(false);
    }
    RestartReadOf(item->parent());
    if (currentItem() == item)
        emit folderSelected(newPath);
}
