#include "projects/KeywordsTreeCtrl.h"

#include "editor/SourceEditView.h"
#include "files/AtomicFile.h"
#include "files/FileKinds.h"
#include "files/FileName.h"
#include "files/PathParts.h"
#include "files/ShellFileOperation.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MenuBuilder.h"
#include "framework/MessageBox.h"
#include "projects/FileDrag.h"
#include "projects/KeywordFile.h"
#include "projects/NewKeywordsFileDlg.h"
#include "projects/ProjectTreeRules.h"
#include "res/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

#include <algorithm>

using namespace ZtCmd;

namespace {

// The largest keyword file the tree reads; anything bigger is no list of snippets.
constexpr qint64 kMaxKeywordFileBytes = 64 * 1024 * 1024;

QString NoKeywordsFileText()
{
    return CKeywordsTreeCtrl::tr("This folder does not have an keywords file");
}

bool IsKeywordFileName(const QString& name)
{
    return name.endsWith(QLatin1String(".kwd"), Qt::CaseInsensitive);
}

CKeywordsTreeCtrl::NameAsker& InstalledNameAsker()
{
    static CKeywordsTreeCtrl::NameAsker asker;
    return asker;
}

} // namespace

CKeywordsTreeCtrl::CKeywordsTreeCtrl(QWidget* parent)
    : CFolderTreeCtrl(parent)
{
    setObjectName(QStringLiteral("KeywordsTree"));
    CreateActions();
}

void CKeywordsTreeCtrl::SetNameAsker(NameAsker asker)
{
    InstalledNameAsker() = std::move(asker);
}

bool CKeywordsTreeCtrl::OpensOnDrop(const QString& name)
{
    static const QStringList kinds{".inf", ".rtf", ".txt", ".tpt", ".kwd"};
    return kinds.contains(name.right(4).toLower());
}

QMimeData* CKeywordsTreeCtrl::MakeKeywordMimeData(const QString& keyword)
{
    auto* data = new QMimeData;
    data->setText(keyword);
    data->setData(CSourceEditView::KeywordDragFormat(), keyword.toUtf8());
    return data;
}

QMimeData* CKeywordsTreeCtrl::MakeFileMimeData(const QString& path)
{
    QMimeData* data = CFileDrag::MakeMimeData({path});
    if (OpensOnDrop(path)) {
        data->removeFormat(CSourceEditView::ProgramFileDragFormat());
        data->setData(CSourceEditView::OpenFileDragFormat(), QFile::encodeName(path));
    }
    return data;
}

void CKeywordsTreeCtrl::CreateActions()
{
    AddCommandActions({
        {ID_KEYWORDS_NEW_FOLDER, [this] { NewFolder(); }},
        {ID_KEYWORDS_NEW_KEYWORD, [this] { NewKeyword(); }},
        {ID_KEYWORDS_NEW_FILE, [this] { NewKeywordsFile(); }},
        {ID_KEYWORDS_COPY, [this] { CopyItemPath(); }},
        {ID_KEYWORDS_PASTE, [this] { PasteFiles(); }},
        {ID_KEYWORDS_EDIT_LABEL, [this] { EditLabel(); }},
        {ID_KEYWORDS_DELETE_ITEM, [this] { DeleteItem(); }},
    });
}

QMenu* CKeywordsTreeCtrl::CreateContextMenu()
{
    return BuildContextMenu(IDR_KEYWORDS_CONTEXT);
}

// ---- Filling ---------------------------------------------------------------

void CKeywordsTreeCtrl::FillTree(const QString& folder)
{
    clear();
    SetRootDirectory(folder);
    QTreeWidgetItem* root = AddRoot(QStringLiteral("Keywords"), ImageFolder);
    AddChildMarker(root, folder);
}

void CKeywordsTreeCtrl::OnFolderFilled(QTreeWidgetItem* item, const QString& directory, const QStringList& files)
{
    QList<QTreeWidgetItem*> keywords;
    for (const QString& name : files) {
        if (!IsKeywordFileName(name))
            continue;
        QFile file(directory + QLatin1Char('/') + name);
        if (QFileInfo(file).size() > kMaxKeywordFileBytes || !file.open(QIODevice::ReadOnly))
            continue;
        const QStringList lines = CKeywordFile::Keywords(file.readAll());
        keywords.reserve(keywords.size() + lines.size());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QTreeWidgetItem* keyword = NewItem(lines.at(i), ImageKeyword);
            keyword->setData(0, kFileRole, name);
            keyword->setData(0, kLineRole, int(i));
            keywords << keyword;
        }
    }
    item->addChildren(keywords);
}

QString CKeywordsTreeCtrl::KeywordsFileOf(const QTreeWidgetItem* folder) const
{
    if (!folder)
        return QString();
    const QString path = GetItemPath(folder);
    QStringList names = QDir(path).entryList(QDir::Files | QDir::Hidden);
    names.erase(std::remove_if(names.begin(), names.end(), [](const QString& n) { return !IsKeywordFileName(n); }),
                names.end());
    if (names.isEmpty())
        return QString();
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return QFile::encodeName(a) < QFile::encodeName(b); });
    return path + QLatin1Char('/') + names.first();
}

QString CKeywordsTreeCtrl::KeywordFilePath(const QTreeWidgetItem* keyword) const
{
    return GetItemPath(keyword->parent()) + QLatin1Char('/') + keyword->data(0, kFileRole).toString();
}

bool CKeywordsTreeCtrl::EditKeywordFile(const QString& path, QTreeWidgetItem* folder,
                                        const std::function<std::optional<QByteArray>(const QByteArray&)>& edit)
{
    QFile file(path);
    if (!file.exists()) {
        ZtMessageBox::Show(tr("File not found\n"), QMessageBox::Information);
        return false;
    }
    if (QFileInfo(file).size() > kMaxKeywordFileBytes || !file.open(QIODevice::ReadOnly)) {
        ZtMessageBox::Show(tr("Cannot read the keywords file %1.").arg(path), QMessageBox::Warning);
        return false;
    }
    const std::optional<QByteArray> bytes = edit(file.readAll());
    file.close();
    QString reason;
    bool bDone = false;
    if (!bytes)
        ZtMessageBox::Show(tr("%1 changed since the tree read it.\nIts keywords are shown again as they are now; "
                              "nothing was written.")
                               .arg(path),
                           QMessageBox::Warning);
    else if (!(bDone = CAtomicFile::Write(path, *bytes, &reason)))
        ZtMessageBox::Show(tr("Cannot write the keywords file %1.\n%2").arg(path, reason), QMessageBox::Warning);
    RereadFolder(folder);
    return bDone;
}

// ---- Selection -----------------------------------------------------------------

void CKeywordsTreeCtrl::OnCurrentItemChanged(QTreeWidgetItem* current)
{
    SetHighlightedItem(current);
    if (!current || IsKeyword(current) || IsMarker(current))
        return;
    const QString path = GetItemPath(current);
    const bool bFolder = QFileInfo(path).isDir();
    if (bFolder)
        QDir::setCurrent(path);
    emit currentPathChanged(path);
    if (bFolder)
        emit folderSelected(path);
}

void CKeywordsTreeCtrl::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_F2)) {
        SetHighlightedItem(currentItem());
        event->key() == Qt::Key_Delete ? DeleteItem() : EditLabel();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CKeywordsTreeCtrl::focusInEvent(QFocusEvent* event)
{
    if (currentIndex().isValid()) {
        CFolderTreeCtrl::focusInEvent(event);
        return;
    }
    // Qt's view would make its first item current here, and so list the
    // Keywords folder and make it the wizards' folder whenever the tab is
    // shown: the user picks the folder.
    QWidget::focusInEvent(event);
    viewport()->update();
}

void CKeywordsTreeCtrl::OpenItem()
{
    const QTreeWidgetItem* item = HighlightedItem();
    if (item && IsKeyword(item))
        emit keywordActivated(item->text(0));
    if (ImageOf(item) != ImageFile)
        return;
    if (IsEditableFileType(FileExtension(item->text(0))))
        emit openFileRequested(GetItemPath(item));
}

// ---- New folder, keyword, keywords file ----------------------------------------

void CKeywordsTreeCtrl::NewFolder()
{
    QTreeWidgetItem* parent = FolderOf(HighlightedItem());
    if (!parent)
        return;
    // Expanding first reads the folder, so the new item is not swept away.
    parent->setExpanded(true);
    QTreeWidgetItem* item = NewItem(QStringLiteral("New_Folder"), ImageFolder);
    parent->insertChild(0, item);
    setCurrentItem(item);
    StartLabelEdit(item, EditNewFolder);
}

void CKeywordsTreeCtrl::NewKeyword()
{
    QTreeWidgetItem* folder = FolderOf(HighlightedItem());
    if (!folder)
        return;
    const QString keywordsFile = KeywordsFileOf(folder);
    if (keywordsFile.isEmpty()) {
        ZtMessageBox::Show(NoKeywordsFileText(), QMessageBox::Information);
        return;
    }
    folder->setExpanded(true);
    QTreeWidgetItem* item = NewItem(QStringLiteral("New_keyword"), ImageKeyword);
    item->setData(0, kFileRole, QFileInfo(keywordsFile).fileName());
    item->setData(0, kLineRole, -1);
    folder->insertChild(0, item);
    setCurrentItem(item);
    m_strOldKeyword.clear();
    StartLabelEdit(item, EditNewKeyword);
}

void CKeywordsTreeCtrl::NewKeywordsFile()
{
    QTreeWidgetItem* folder = FolderOf(HighlightedItem());
    if (!folder)
        return;
    const std::optional<QString> answer =
        InstalledNameAsker() ? InstalledNameAsker()(this) : CNewKeywordsFileDlg::Ask(this);
    if (!answer)
        return;
    QString name = answer->trimmed();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty()) {
        ZtMessageBox::Show(tr("You didn't name the new file."), QMessageBox::Information);
        return;
    }
    name += QStringLiteral(".kwd");
    if (!CProjectTreeRules::IsValidItemName(name)) {
        ShowInvalidName(name);
        return;
    }
    const QString path = GetItemPath(folder) + QLatin1Char('/') + name;
    // A file of that name is emptied: the user asked for a new, empty one.
    QString reason;
    if (!CAtomicFile::Write(path, QByteArray(), &reason)) {
        ZtMessageBox::Show(tr("Cannot create the keywords file %1.\n%2").arg(path, reason), QMessageBox::Warning);
        return;
    }
    RereadFolder(folder);
    folder->setExpanded(true);
}

// ---- Label edits ------------------------------------------------------------------

void CKeywordsTreeCtrl::EditLabel()
{
    QTreeWidgetItem* item = HighlightedItem();
    if (!item || IsMarker(item))
        return;
    if (!item->parent()) {
        ZtMessageBox::Show(
            tr("Editing this folder's name is not an option! It is sharedby all your projects"),
            QMessageBox::Information);
        return;
    }
    m_strOldKeyword = item->text(0);
    StartLabelEdit(item, EditRename);
}

int CKeywordsTreeCtrl::LabelMaxLength(const QTreeWidgetItem* item) const
{
    return item && IsKeyword(item) ? std::max(kMaxLabelLength, int(item->text(0).size())) : kMaxLabelLength;
}

void CKeywordsTreeCtrl::FinishLabelEdit(QTreeWidgetItem* item, int kind, const QString& oldPath)
{
    if (kind == EditNewFolder)
        FinishNewFolder(item);
    else if (IsKeyword(item))
        FinishKeywordEdit(item, kind, m_strOldKeyword);
    else
        FinishRenameOnDisk(item, oldPath);
}

void CKeywordsTreeCtrl::FinishRenameOnDisk(QTreeWidgetItem* item, const QString& oldPath)
{
    const QString oldName = ZtPath::NameOf(oldPath);
    RenameOnDisk(item, oldPath, [this, oldName](QTreeWidgetItem* renamed) {
        // A renamed keywords file brings its keywords along under the new name.
        if (IsKeywordFileName(renamed->text(0)) || IsKeywordFileName(oldName))
            RereadFolder(renamed->parent());
    });
}

void CKeywordsTreeCtrl::FinishKeywordEdit(QTreeWidgetItem* item, int kind, const QString& oldText)
{
    const QString text = item->text(0);
    QTreeWidgetItem* folder = item->parent();
    const QString path = KeywordFilePath(item);
    const int line = item->data(0, kLineRole).toInt();
    if (kind == EditRename && text == oldText)
        return;
    if (text.isEmpty()) {
        ZtMessageBox::Show(tr("A keyword needs a text: an empty one is not written.\n"
                              "To remove a keyword, delete it."),
                           QMessageBox::Information);
        if (kind == EditNewKeyword)
            delete item;
        else
            item->setText(0, oldText);
        return;
    }
    if (kind == EditNewKeyword)
        EditKeywordFile(path, folder, [&](const QByteArray& bytes) {
            return std::optional<QByteArray>(CKeywordFile::InsertLine(bytes, 0, text));
        });
    else
        EditKeywordFile(path, folder, [&](const QByteArray& bytes) {
            return CKeywordFile::RenameLine(bytes, line, oldText, text);
        });
}

// ---- Copy, paste, delete ------------------------------------------------------------

void CKeywordsTreeCtrl::CopyItemPath()
{
    const QTreeWidgetItem* item = HighlightedItem();
    const int image = ImageOf(item);
    if (item && item->parent() && !IsMarker(item) && (image == ImageFile || IsFolderImage(image)))
        QApplication::clipboard()->setText(GetItemPath(item));
}

bool CKeywordsTreeCtrl::PasteFiles()
{
    return PasteInto(FolderOf(HighlightedItem()));
}

void CKeywordsTreeCtrl::DeleteItem()
{
    QTreeWidgetItem* item = HighlightedItem();
    if (!item || !item->parent() || IsMarker(item))
        return;
    QTreeWidgetItem* parent = item->parent();
    SetHighlightedItem(parent);
    if (IsKeyword(item)) {
        const QString text = item->text(0);
        const int line = item->data(0, kLineRole).toInt();
        EditKeywordFile(KeywordFilePath(item), parent,
                        [&](const QByteArray& bytes) { return CKeywordFile::DeleteLine(bytes, line, text); });
        return;
    }
    // A deleted keywords file takes its keywords along: its folder is read again.
    DeleteFromDisk(item, this);
}

// ---- Dragging ------------------------------------------------------------------------

void CKeywordsTreeCtrl::startDrag(Qt::DropActions)
{
    QTreeWidgetItem* dragged = HighlightedItem();
    if (!DragMayStart() || !dragged || !dragged->parent() || IsMarker(dragged))
        return;
    if (IsKeyword(dragged)) {
        auto* drag = new QDrag(this);
        drag->setMimeData(MakeKeywordMimeData(dragged->text(0)));
        drag->setPixmap(dragged->icon(0).pixmap(16, 16));
        drag->exec(Qt::CopyAction, Qt::CopyAction);
        return;
    }
    const QString path = GetItemPath(dragged);
    emit currentPathChanged(path);
    const bool bOpens = ImageOf(dragged) == ImageFile && OpensOnDrop(path);
    QMimeData* data = bOpens ? MakeFileMimeData(path) : CFileDrag::MakeMimeData({path});
    const CFileDrag::CResult result =
        CFileDrag::Exec(this, data, dragged->icon(0).pixmap(16, 16), Qt::CopyAction, Qt::CopyAction);
    // A page editor opens such a file itself. Let go over another window
    // of the program that took nothing, it opens in the editor too.
    if (bOpens && result.m_action == Qt::IgnoreAction && result.m_pTarget && result.m_pTarget != viewport())
        emit openFileRequested(path);
}

void CKeywordsTreeCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this || !CFileDrag::DroppedPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CKeywordsTreeCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (!item || IsMarker(item) || (event->source() != this && CFileDrag::DroppedPaths(event->mimeData()).isEmpty())) {
        ShowDropTarget(nullptr);
        event->ignore();
        return;
    }
    // The item under the cursor is highlighted as the drop place.
    ShowDropTarget(item);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CKeywordsTreeCtrl::dropEvent(QDropEvent* event)
{
    ShowDropTarget(nullptr);
    QTreeWidgetItem* dropItem = itemAt(event->position().toPoint());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    if (event->source() != this) {
        QTreeWidgetItem* folder = FolderOf(dropItem);
        if (!folder) {
            CFileDrag::ShowDropOnItem();
            return;
        }
        const QPersistentModelIndex folderIndex(indexFromItem(folder));
        CFileDrag::CopyInto(this, CFileDrag::DroppedPaths(event->mimeData()), GetItemPath(folder), [this, folderIndex] {
            if (folderIndex.isValid())
                RereadFolder(itemFromIndex(folderIndex));
        });
        return;
    }
    DropItem(HighlightedItem(), dropItem);
}

bool CKeywordsTreeCtrl::DropItem(QTreeWidgetItem* dragged, QTreeWidgetItem* dropItem)
{
    QTreeWidgetItem* target = FolderOf(dropItem);
    if (!dragged || !target || dragged == dropItem)
        return false;
    if (IsKeyword(dragged)) {
        const QString text = dragged->text(0);
        const QString path = KeywordFilePath(dragged);
        if (IsKeyword(dropItem) && KeywordFilePath(dropItem) == path) {
            const int from = dragged->data(0, kLineRole).toInt();
            const int to = dropItem->data(0, kLineRole).toInt();
            return EditKeywordFile(path, target, [&](const QByteArray& bytes) {
                return CKeywordFile::MoveLine(bytes, from, text, to);
            });
        }
        const QString keywordsFile = KeywordsFileOf(target);
        if (keywordsFile.isEmpty()) {
            ZtMessageBox::Show(NoKeywordsFileText(), QMessageBox::Information);
            return false;
        }
        return EditKeywordFile(keywordsFile, target, [&](const QByteArray& bytes) {
            return std::optional<QByteArray>(
                CKeywordFile::InsertLine(bytes, CKeywordFile::Lines(bytes).size(), text));
        });
    }
    const QPersistentModelIndex targetIndex(indexFromItem(target));
    return dragged->parent() != target
           && CFileDrag::CopyInto(this, {GetItemPath(dragged)}, GetItemPath(target), [this, targetIndex] {
                  if (!targetIndex.isValid())
                      return;
                  QTreeWidgetItem* folder = itemFromIndex(targetIndex);
                  RereadFolder(folder);
                  folder->setExpanded(true);
              });
}
