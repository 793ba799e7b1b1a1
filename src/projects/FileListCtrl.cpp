#include "projects/FileListCtrl.h"

#include "files/FileName.h"
#include "files/ShellFileOperation.h"
#include "files/FolderReader.h"
#include "files/FolderWatcher.h"
#include "files/ShellExecute.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MenuBuilder.h"
#include "framework/MessageBox.h"
#include "projects/FileDrag.h"
#include "projects/FileListModel.h"
#include "projects/FileListRules.h"
#include "projects/ProjectTreeRules.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QSet>
#include <QUrl>

namespace {

// The clipboard's form of files a file manager copied or cut: the paths as
// URLs, as text, and in the copied-files format that says which it was.
QMimeData* FilesForClipboard(const QStringList& paths, bool bCut)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    QByteArray copied = bCut ? "cut" : "copy";
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
        copied += '\n' + QUrl::fromLocalFile(path).toEncoded();
    }
    data->setUrls(urls);
    data->setText(paths.join(QLatin1Char('\n')));
    data->setData(QStringLiteral("x-special/gnome-copied-files"), copied);
    return data;
}

bool PathGone(const QString& path)
{
    return !ZtFileName::Exist(path);
}

} // namespace

CFileListCtrl::CFileListCtrl(QWidget* parent)
    : CKVListCtrl(QString::fromLatin1(kProfileSection), parent)
    , m_pModel(new CFileListModel(this))
    , m_pReader(new CFolderReader(this))
    , m_pWatcher(new CFolderWatcher(this))
{
    setObjectName(QString::number(kControlId));
    setModel(m_pModel);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setFrameShadow(QFrame::Sunken);
    SetDefaultColumnWidths(DefaultColumnWidths());
    LoadColumnWidths();
    m_buttonDown.start();
    connect(m_pReader, &CFolderReader::rowsRead, this, [this](const QVector<CFileRow>& rows) {
        if (!m_bRefreshing)
            m_pModel->AppendRows(rows);
    });
    connect(m_pReader, &CFolderReader::sorted, m_pModel, &CFileListModel::ReplaceRows);
    connect(m_pReader, &CFolderReader::finished, this, &CFileListCtrl::OnReadFinished);
    connect(m_pWatcher, &CFolderWatcher::folderChanged, this, [this](const QString& folder) {
        if (folder == m_strFilling)
            Refresh();
    });
}

CFileListCtrl::~CFileListCtrl() = default;

// ---- Filling -------------------------------------------------------------------

void CFileListCtrl::ShowFolder(const QString& path)
{
    m_strRequestedPath = path;
    if (path.isEmpty())
        return;
    m_strFolder = path;
    // The listed folder is where a bare name, and the next file dialog,
    // start from; a folder that cannot be entered leaves it where it was.
    QDir::setCurrent(path);
    FillList(path);
}

void CFileListCtrl::FillList(const QString& folder)
{
    m_bBottomReached = false;
    m_bTopReached = false;
    m_pModel->Clear();
    m_strFilling = folder;
    m_bRefreshing = false;
    SetReadFailure({});
    m_pReader->Start(folder);
    m_pWatcher->SetFolders({folder});
}

void CFileListCtrl::Refresh()
{
    if (m_strFilling.isEmpty())
        return;
    // A first listing under way may have passed the change: it starts
    // again, and its rows come all at once.
    m_bRefreshing = true;
    m_pReader->Start(m_strFilling);
}

void CFileListCtrl::OnReadFinished(bool ok)
{
    // Said in the list itself, not in a message box: a folder is listed
    // on every selection in a tree.
    const bool bRefreshed = std::exchange(m_bRefreshing, false);
    // A folder gone while shown is said like one that cannot be read.
    if (!ok && bRefreshed)
        m_pModel->Clear();
    if (!ok)
        SetReadFailure(m_pReader->Failure());
    ShowCutLook();
    emit listFilled(ok);
}

QString CFileListCtrl::ReadError() const
{
    return ReadErrorText(m_strFilling);
}

QString CFileListCtrl::ReadErrorText(const QString& folder) const
{
    if (m_strReadFailure.isEmpty())
        return {};
    return QStringLiteral("Cannot read %1: %2").arg(folder, m_strReadFailure);
}

void CFileListCtrl::SetReadFailure(const QString& failure)
{
    m_strReadFailure = failure;
    setToolTip(ReadError());
    viewport()->update();
}

void CFileListCtrl::paintEvent(QPaintEvent* event)
{
    CKVListCtrl::paintEvent(event);
    if (m_strReadFailure.isEmpty() || RowCount() > 0)
        return;
    QPainter painter(viewport());
    const QRect line = viewport()->rect().adjusted(4, 2, -4, 0);
    // A narrow bar shortens the folder from the left, never past its own
    // name, before it cuts the reason.
    const QFontMetrics metrics = fontMetrics();
    const int nameWidth = metrics.horizontalAdvance(QStringLiteral("\u2026/") + QFileInfo(m_strFilling).fileName());
    const int spare = line.width() - metrics.horizontalAdvance(ReadErrorText(QString()));
    const QString folder = metrics.elidedText(m_strFilling, Qt::ElideLeft, qMax(spare, nameWidth));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, ReadErrorText(folder));
}

int CFileListCtrl::RowCount() const
{
    return m_pModel->rowCount();
}

QString CFileListCtrl::FullPath(int row) const
{
    const QString base = m_strFolder.endsWith(QLatin1Char('/')) ? m_strFolder : m_strFolder + QLatin1Char('/');
    return base + m_pModel->Name(row);
}

QStringList CFileListCtrl::SelectedPaths() const
{
    QStringList paths;
    for (int row : SelectedRows())
        paths << FullPath(row);
    return paths;
}

QString CFileListCtrl::FirstSelectedName() const
{
    const int row = FirstSelectedRow();
    return row < 0 ? QString() : m_pModel->Name(row);
}

bool CFileListCtrl::IsInFolder(const QString& path) const
{
    return QDir::cleanPath(QFileInfo(path).path()) == QDir::cleanPath(m_strFolder);
}

// ---- Opening ---------------------------------------------------------------------

void CFileListCtrl::OpenListFile(const QString& path, bool allowRun)
{
    const QFileInfo info(path);
    switch (CFileListRules::OpenActionFor(path, allowRun, info.isFile() && info.isExecutable())) {
    case CFileListRules::EOpen::Edit:
        emit openFileRequested(path, false);
        break;
    case CFileListRules::EOpen::Run:
        // The program gets its own path as its argument and starts in the
        // root of the file system it lives on.
        if (!CShellExecute::Open(path, path, ZtFileName::GetRoot(path)))
            ZtMessageBox::Show(QStringLiteral("Cannot start '%1'.").arg(path), QMessageBox::Warning);
        break;
    case CFileListRules::EOpen::Nothing:
        break;
    }
}

void CFileListCtrl::OpenFirstSelected()
{
    const int row = FirstSelectedRow();
    OpenListFile(row < 0 ? m_strFolder + QLatin1Char('/') : FullPath(row), true);
}

// ---- Copy, cut, delete -------------------------------------------------------------

int CFileListCtrl::CopySelection()
{
    const QStringList paths = SelectedPaths();
    const int taken = m_state.Copy(paths);
    if (taken == 0)
        return 0;
    // Every copied file reaches the clipboard, for a file manager's paste;
    // several wait in the copy list as well, which a tree's paste prefers.
    QApplication::clipboard()->setMimeData(FilesForClipboard(paths, false));
    emit copyListChanged(m_state.CopyList());
    return taken;
}

void CFileListCtrl::CutSelection()
{
    const QStringList paths = SelectedPaths();
    m_state.Cut(paths);
    ShowCutLook();
    if (!paths.isEmpty())
        QApplication::clipboard()->setMimeData(FilesForClipboard(paths, true));
    emit copyListChanged({});
    // The trees hold the cut themselves: whatever is copied to the clipboard
    // before the paste, the paste still moves these files.
    emit cutSourceChanged(m_state.CutSource());
}

void CFileListCtrl::ShowCutLook()
{
    QSet<QString> names;
    for (const QString& path : m_state.CutSource()) {
        if (IsInFolder(path))
            names.insert(QFileInfo(path).fileName());
    }
    m_pModel->SetCutNames(names);
}

void CFileListCtrl::DeleteSelection()
{
    const bool bCopyWasWaiting = m_state.IsCopyWaiting();
    m_state.Deleted();
    if (bCopyWasWaiting)
        emit copyListChanged({});
    const QStringList paths = SelectedPaths();
    if (paths.isEmpty())
        return;
    CShellFileOperation* job = CFileName().ShellDeleteItems(this, paths);
    connect(job, &CShellFileOperation::finished, this, [this, paths] {
        const int before = RowCount();
        // A path still there was kept: the user said no, or it could not go.
        RemoveRowsOfGonePaths(paths);
        const int removed = before - RowCount();
        if (removed < paths.size())
            ZtMessageBox::Show(paths.size() == 1 ? QStringLiteral("delete file canceled.")
                                                 : QStringLiteral("delete files canceled."),
                               QMessageBox::NoIcon);
    });
}

void CFileListCtrl::RemoveRowsOfGonePaths(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (!PathGone(path) || !IsInFolder(path))
            continue;
        m_pModel->RemoveRow(m_pModel->RowOf(QFileInfo(path).fileName()));
    }
}

bool CFileListCtrl::CompleteMove(const QStringList& movedCut)
{
    RemoveRowsOfGonePaths(movedCut);
    if (m_state.CutSource() != movedCut)
        return false;
    m_state.MoveCompleted();
    ShowCutLook();
    emit cutSourceChanged({});
    return true;
}

void CFileListCtrl::CopyListTaken()
{
    m_state.CopyListTaken();
}

// ---- Stepping -------------------------------------------------------------------------

bool CFileListCtrl::CanStep(bool up) const
{
    return FirstSelectedRow() >= 0 && RowCount() >= 2 && !(up ? m_bTopReached : m_bBottomReached);
}

void CFileListCtrl::StepToFile(const QString& name, bool up, bool browserActive)
{
    m_bBottomReached = false;
    m_bTopReached = false;
    const int target = CFileListRules::StepTarget(m_pModel->Names(), name, up);
    if (target < 0)
        return;
    const QString path = FullPath(target);
    const bool textFile = ZtFileName::IsTextFile(path);
    switch (CFileListRules::StepActionFor(m_pModel->Name(target), browserActive, textFile)) {
    case CFileListRules::EStep::ShowInBrowser:
        emit showInBrowserRequested(path);
        break;
    case CFileListRules::EStep::EditText:
        emit openFileRequested(path, true);
        break;
    case CFileListRules::EStep::Open:
        OpenListFile(path, false);
        break;
    case CFileListRules::EStep::Nothing:
        break;
    }
    SelectRow(target);
    if (up)
        m_bTopReached = target == 0;
    else
        m_bBottomReached = target == RowCount() - 1;
}

// ---- Mouse, keys, menu, drag ----------------------------------------------------------

void CFileListCtrl::mousePressEvent(QMouseEvent* event)
{
    m_buttonDown.restart();
    CKVListCtrl::mousePressEvent(event);
}

void CFileListCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    CKVListCtrl::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        OpenFirstSelected();
}

void CFileListCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OpenFirstSelected();
        return;
    }
    CKVListCtrl::keyPressEvent(event);
}

QMenu* CFileListCtrl::CreateContextMenu()
{
    // Every command of the menu is the main frame's, so it takes its
    // routing and its enable rules.
    auto* frame = qobject_cast<CMDIFrameWnd*>(window());
    auto lookup = [frame](int id) -> QAction* { return frame ? frame->Action(id) : nullptr; };
    auto update = [frame](QMenu* shown) {
        if (frame)
            frame->UpdateMenu(shown);
    };
    return CMenuBuilder::BuildContextMenu(ZtCmd::IDR_LIST_CONTEXT, lookup, update, this);
}

void CFileListCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5))
                                                                      : event->globalPos();
    QMenu* menu = CreateContextMenu();
    menu->exec(at);
    delete menu;
    event->accept();
}

void CFileListCtrl::startDrag(Qt::DropActions)
{
    // A press that turns into a movement this quickly is a sloppy click.
    if (m_buttonDown.elapsed() < CProjectTreeRules::kDragDelayMs)
        return;
    const int dragged = currentIndex().isValid() ? currentIndex().row() : FirstSelectedRow();
    if (dragged < 0)
        return;
    // The row under the pointer first: a page editor links to it.
    QStringList paths = SelectedPaths();
    const QString draggedPath = FullPath(dragged);
    paths.removeAll(draggedPath);
    paths.prepend(draggedPath);
    m_state.DragStarted(paths);
    const QIcon icon = m_pModel->data(m_pModel->index(dragged, 0), Qt::DecorationRole).value<QIcon>();
    const CFileDrag::CResult result =
        CFileDrag::Exec(this, paths, icon.pixmap(16, 16), Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
    m_state.DragEnded();
    // Let go over another window of the program that took nothing: an
    // editable file opens in the editor, and nothing is ever started.
    if (result.m_action == Qt::IgnoreAction && result.m_pTarget && result.m_pTarget != viewport())
        OpenListFile(draggedPath, false);
}
