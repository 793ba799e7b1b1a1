#include "projects/ShellTree.h"

#include "files/FileName.h"
#include "framework/MessageBox.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {
enum EItemRole { PathRole = Qt::UserRole, FilledRole };

bool IsFolderOrParentOf(const QString& folder, const QString& path)
{
    if (folder == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// A typed path made absolute and plain: "~" is the home folder, a relative
// path starts in the current directory.
QString AbsoluteFolderPath(QString path)
{
    path = path.trimmed();
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        path.replace(0, 1, QDir::homePath());
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}
} // namespace

CShellTree::CShellTree(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    connect(this, &QTreeWidget::itemExpanded, this, &CShellTree::FillFolder);
    connect(this, &QTreeWidget::itemChanged, this, &CShellTree::OnItemChanged);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            emit folderSelected(ItemPath(item));
    });
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
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !IsUserVolume(volume.rootPath(), volume.device(), volume.fileSystemType()))
            continue;
        const QString name = volume.name().isEmpty() ? QFileInfo(volume.rootPath()).fileName() : volume.name();
        add(name, volume.rootPath(), QFileIconProvider::Drive);
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
    clear();
    for (const CShellPlace& place : TopLevelPlaces())
        addTopLevelItem(MakeItem(place.m_strName, place.m_strPath, m_iconProvider.icon(place.m_icon)));
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

void CShellTree::FillFolder(QTreeWidgetItem* item)
{
    if (item->data(0, FilledRole).toBool() || ItemPath(item).isEmpty())
        return;
    item->setData(0, FilledRole, true);
    const QDir folder(ItemPath(item));
    const QDir::Filters filters =
        QDir::Dirs | QDir::NoDotAndDotDot | (m_bShowHidden ? QDir::Hidden : QDir::Filters());
    const QStringList names = folder.entryList(filters, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    QList<QTreeWidgetItem*> children;
    children.reserve(names.size());
    const QIcon icon = m_iconProvider.icon(QFileIconProvider::Folder);
    for (const QString& name : names) {
        QTreeWidgetItem* child = MakeItem(name, folder.filePath(name), icon);
        child->setFlags(child->flags() | Qt::ItemIsEditable);
        children.append(child);
    }
    item->addChildren(children);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void CShellTree::RereadFolder(QTreeWidgetItem* item)
{
    if (!item->data(0, FilledRole).toBool())
        return;
    const bool bExpanded = item->isExpanded();
    const QSignalBlocker blocker(this);
    qDeleteAll(item->takeChildren());
    item->setData(0, FilledRole, false);
    FillFolder(item);
    item->setExpanded(bExpanded);
}

QTreeWidgetItem* CShellTree::ChildNamed(QTreeWidgetItem* item, const QString& name) const
{
    for (int i = 0; i < item->childCount(); ++i) {
        if (QFileInfo(ItemPath(item->child(i))).fileName() == name)
            return item->child(i);
    }
    return nullptr;
}

QTreeWidgetItem* CShellTree::AddChild(QTreeWidgetItem* item, const QString& name)
{
    QTreeWidgetItem* child = MakeItem(name, QDir(ItemPath(item)).filePath(name),
                                      m_iconProvider.icon(QFileIconProvider::Folder));
    child->setFlags(child->flags() | Qt::ItemIsEditable);
    item->addChild(child);
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
    QTreeWidgetItem* item = TopLevelHolding(target);
    if (!item)
        return false;
    const QStringList names = target.mid(ItemPath(item).size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    bool reached = true;
    for (const QString& name : names) {
        FillFolder(item);
        QTreeWidgetItem* child = ChildNamed(item, name);
        // Hidden folders are not listed, but one typed by name is shown.
        if (!child && QFileInfo(QDir(ItemPath(item)).filePath(name)).isDir())
            child = AddChild(item, name);
        if (!child) {
            reached = false;
            break;
        }
        item->setExpanded(true);
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
    if (!item)
        return;
    setCurrentItem(item);
    QMenu* menu = CreateContextMenu(item);
    menu->exec(event->globalPos());
    delete menu;
}

QTreeWidgetItem* CShellTree::NewFolder(QTreeWidgetItem* item)
{
    const QDir folder(ItemPath(item));
    QString name = QStringLiteral("New Folder");
    for (int number = 2; CFileName().Exist(folder.filePath(name)); ++number)
        name = QStringLiteral("New Folder (%1)").arg(number);
    if (!CFileName().CreateNewDirectory(folder.filePath(name))) {
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

bool CShellTree::DeleteItem(QTreeWidgetItem* item)
{
    const QString path = ItemPath(item);
    CFileName().ShellDeleteItems(this, path);
    // Still there: the user said no, or the helper reported why not.
    if (CFileName().Exist(path))
        return false;
    delete item;
    return true;
}

void CShellTree::OnItemChanged(QTreeWidgetItem* item, int column)
{
    const QString oldName = QFileInfo(ItemPath(item)).fileName();
    if (column != 0 || !item->parent() || item->text(0) == oldName)
        return;
    if (!RenameFolder(item, item->text(0))) {
        const QSignalBlocker blocker(this);
        item->setText(0, oldName);
    }
}

bool CShellTree::RenameFolder(QTreeWidgetItem* item, const QString& newName)
{
    if (newName.isEmpty() || newName.contains(QLatin1Char('/')) || newName.contains(QChar(0))
        || newName == QLatin1String(".") || newName == QLatin1String("..")) {
        ZtMessageBox::Show(QStringLiteral("\"%1\" is not a valid folder name.").arg(newName), QMessageBox::Warning);
        return false;
    }
    const QString oldPath = ItemPath(item);
    const QString newPath = QDir(ItemPath(item->parent())).filePath(newName);
    if (!CFileName().ShellRenameDirectory(this, oldPath, newPath))
        return false;
    {
        const QSignalBlocker blocker(this);
        item->setData(0, PathRole, newPath);
        item->setToolTip(0, newPath);
        // The sub-folders' paths changed with it: read them again when opened.
        qDeleteAll(item->takeChildren());
        item->setData(0, FilledRole, false);
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        item->setExpanded(false);
    }
    if (currentItem() == item)
        emit folderSelected(newPath);
    return true;
}
