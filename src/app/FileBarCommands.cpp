#include "app/FileBarCommands.h"

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/PlainTextChildFrame.h"
#include "framework/CmdUI.h"
#include "projects/DesktopTreeCtrl.h"
#include "projects/FileListCtrl.h"
#include "projects/FileListRules.h"
#include "projects/KeywordsTreeCtrl.h"
#include "projects/ListBar.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"
#include "res/CommandIds.h"

#include <QObject>

using namespace ZtCmd;

void CFileBarCommands::Map(const CommandMapper& onCommand, const UpdateMapper& onUpdate)
{
    onCommand(ID_LIST_EDIT_ITEM, [this] { OnEditItem(); });
    onCommand(ID_LIST_SHOW_IN_BROWSER, [this] { OnShowInBrowser(); });
    onCommand(ID_LIST_COPY, [this] { OnCopy(); });
    onCommand(ID_LIST_MOVE_CUT, [this] { OnMoveCut(); });
    onCommand(ID_LIST_DELETE, [this] { OnDelete(); });
    onCommand(ID_DIRECTORY_MOVE_DOWN, [this] { OnDirectoryStep(false); });
    onCommand(ID_DIRECTORY_MOVE_UP, [this] { OnDirectoryStep(true); });
    onCommand(ID_FILE_NEW_FOLDER, [this] { OnNewFolder(); });

    onUpdate(ID_LIST_EDIT_ITEM, [this](CCmdUI* cmdUI) {
        cmdUI->Enable(List() && CFileListRules::IsEditItemEnabled(List()->FirstSelectedName()));
    });
    onUpdate(ID_LIST_MOVE_CUT,
                    [this](CCmdUI* cmdUI) { cmdUI->Enable(List() && List()->FirstSelectedRow() >= 0); });
    onUpdate(ID_DIRECTORY_MOVE_DOWN, [this](CCmdUI* cmdUI) { cmdUI->Enable(List() && List()->CanStep(false)); });
    onUpdate(ID_DIRECTORY_MOVE_UP, [this](CCmdUI* cmdUI) { cmdUI->Enable(List() && List()->CanStep(true)); });
}

void CFileBarCommands::Connect(CMainFrame* frame)
{
    if (!frame || !frame->ListBar() || !frame->ProjectBar())
        return;
    CFileListCtrl* list = frame->ListBar()->List();
    CProjectTreeCtrl* projectTree = frame->ProjectBar()->ProjectTree();
    CDesktopTreeCtrl* desktopTree = frame->ProjectBar()->DesktopTree();
    CServices* services = &m_services;
    QObject::connect(list, &CFileListCtrl::openFileRequested, list, [services](const QString& path, bool closeCurrent) {
        services->OpenFileInEditor(path, closeCurrent);
    });
    QObject::connect(list, &CFileListCtrl::showInBrowserRequested, list,
                     [services](const QString& path) { services->ShowInBrowser(path, path); });
    QObject::connect(list, &CFileListCtrl::copyListChanged, projectTree, &CProjectTreeCtrl::SetListCopy);
    QObject::connect(list, &CFileListCtrl::cutSourceChanged, projectTree, &CProjectTreeCtrl::SetListCut);
    for (CFolderTreeCtrl* tree : {static_cast<CFolderTreeCtrl*>(projectTree),
                                  static_cast<CFolderTreeCtrl*>(frame->ProjectBar()->KeywordsTree())}) {
        QObject::connect(tree, &CFolderTreeCtrl::filesPasted, tree,
                         [this](bool done, bool usedCopyList, const QStringList& movedCut) {
                             OnTreePasted(done, usedCopyList, movedCut);
                         });
    }
    QObject::connect(desktopTree, &CShellTree::folderSelected, desktopTree,
                     [this](const QString& folder) { OnTreeFolderSelected(folder); });
    QObject::connect(frame->ProjectBar(), &CProjectBar::tabFolderShown, frame->ProjectBar(),
                     [this](const QString& folder) { OnTabFolderShown(folder); });
}

void CFileBarCommands::OnTabFolderShown(const QString& folder)
{
    // Showing a tab picks nothing: the wizards keep the folder last picked.
    CListBar* listBar = m_services.GetMainFrame()->ListBar();
    listBar->SetSelectedFolder(folder);
    if (listBar->Folder() != folder)
        m_services.GetMainFrame()->ShowFolderInListBar(folder);
}

CFileListCtrl* CFileBarCommands::List() const
{
    CMainFrame* frame = m_services.GetMainFrame();
    return frame && frame->ListBar() ? frame->ListBar()->List() : nullptr;
}

void CFileBarCommands::OnTreeFolderSelected(const QString& folder)
{
    // The trash and other places that are no folder leave the list alone.
    if (folder.isEmpty())
        return;
    // A folder picked in a tree is the current file, as a file picked in
    // the Project tree is.
    m_services.SetCurrentFile(folder);
    m_services.SetSelectedPath(folder);
    m_services.GetMainFrame()->ShowFolderInListBar(folder);
}

void CFileBarCommands::OnTreePasted(bool done, bool usedCopyList, const QStringList& movedCut)
{
    if (!List())
        return;
    if (usedCopyList)
        List()->CopyListTaken();
    // A paste of the copy list leaves a waiting move for the next paste, and
    // so does a move that ends after a newer Move-Cut.
    if (done && m_bMovePending && !usedCopyList && List()->CompleteMove(movedCut))
        m_bMovePending = false;
}

void CFileBarCommands::OnEditItem()
{
    if (CFileListCtrl* list = List()) {
        const int row = list->FirstSelectedRow();
        list->OpenListFile(row < 0 ? list->Folder() + QLatin1Char('/') : list->FullPath(row), true);
    }
}

void CFileBarCommands::OnShowInBrowser()
{
    CFileListCtrl* list = List();
    if (!list)
        return;
    const QString name = list->FirstSelectedName();
    if (CFileListRules::IsBrowserShowable(name, m_services.GetMainFrame()->ListBar()->ExtensionFilter())) {
        const QString path = list->FullPath(list->FirstSelectedRow());
        m_services.ShowInBrowser(path, path);
    }
}

void CFileBarCommands::OnCopy()
{
    if (List())
        List()->CopySelection();
}

void CFileBarCommands::OnMoveCut()
{
    if (!List())
        return;
    List()->CutSelection();
    m_bMovePending = true;
}

void CFileBarCommands::OnDelete()
{
    if (List())
        List()->DeleteSelection();
}

bool CFileBarCommands::IsBrowserOrProjectActive() const
{
    CMDIChildWnd* active = m_services.GetMainFrame()->MDIGetActive();
    return active && !qobject_cast<CChildFrame*>(active) && !qobject_cast<CPlainTextChildFrame*>(active);
}

void CFileBarCommands::OnDirectoryStep(bool up)
{
    CFileListCtrl* list = List();
    if (!list || list->RowCount() < 2)
        return;
    list->StepToFile(list->FirstSelectedName(), up, IsBrowserOrProjectActive());
}

void CFileBarCommands::OnNewFolder()
{
    CMainFrame* frame = m_services.GetMainFrame();
    if (frame && frame->ProjectBar())
        frame->ProjectBar()->DesktopTree()->NewFolder();
}
