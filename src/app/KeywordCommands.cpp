#include "app/KeywordCommands.h"

#include "app/FolderTreeServices.h"
#include "app/MainFrame.h"
#include "editor/ZentrelView.h"
#include "files/UserDataFolders.h"
#include "projects/FileListCtrl.h"
#include "projects/KeywordsTreeCtrl.h"
#include "projects/ListBar.h"
#include "projects/ProjectBar.h"
#include "res/CommandIds.h"
#include "wizards/WizardTarget.h"

#include <QObject>

using namespace ZtCmd;

namespace {
CKeywordsTreeCtrl* TreeOf(const CFolderTreeServices& services)
{
    CMainFrame* frame = services.GetMainFrame();
    return frame && frame->ProjectBar() ? frame->ProjectBar()->KeywordsTree() : nullptr;
}
} // namespace

void CKeywordCommands::Map(const CommandMapper& onCommand)
{
    const QList<std::pair<int, void (CKeywordsTreeCtrl::*)()>> commands{
        {ID_KEYWORDS_NEW_FOLDER, &CKeywordsTreeCtrl::NewFolder},
        {ID_KEYWORDS_NEW_KEYWORD, &CKeywordsTreeCtrl::NewKeyword},
        {ID_KEYWORDS_NEW_FILE, &CKeywordsTreeCtrl::NewKeywordsFile},
        {ID_KEYWORDS_COPY, &CKeywordsTreeCtrl::CopyItemPath},
        {ID_KEYWORDS_EDIT_LABEL, &CKeywordsTreeCtrl::EditLabel},
        {ID_KEYWORDS_DELETE_ITEM, &CKeywordsTreeCtrl::DeleteItem},
    };
    for (const auto& [id, run] : commands) {
        onCommand(id, [this, run = run] {
            if (CKeywordsTreeCtrl* tree = TreeOf(m_services))
                (tree->*run)();
        });
    }
    onCommand(ID_KEYWORDS_PASTE, [this] {
        if (CKeywordsTreeCtrl* tree = TreeOf(m_services))
            tree->PasteFiles();
    });
}

void CKeywordCommands::Connect(CMainFrame* frame)
{
    if (!frame || !frame->ProjectBar())
        return;
    CKeywordsTreeCtrl* tree = frame->ProjectBar()->KeywordsTree();
    // Copy, move and delete to the trash are all there on this platform,
    // whatever the age of the libraries' files: the highest level.
    tree->SetShellVersionLevel(2);
    tree->FillTree(CUserDataFolders::Keywords());
    ConnectFolderTree(tree, m_services, tree);
    // A text file of the tree let go over a page opens like one let go
    // anywhere else.
    CFolderTreeServices* services = &m_services;
    CZentrelView::SetFileOpenHandler(
        [services](const QString& path) { services->OpenFileInEditor(path, false); });
    QObject::connect(tree, &CKeywordsTreeCtrl::keywordActivated, tree,
                     [this](const QString& keyword) { InsertKeyword(keyword); });
    if (frame->ListBar()) {
        QObject::connect(frame->ListBar()->List(), &CFileListCtrl::copyListChanged, tree,
                         &CKeywordsTreeCtrl::SetListCopy);
        QObject::connect(frame->ListBar()->List(), &CFileListCtrl::cutSourceChanged, tree,
                         &CKeywordsTreeCtrl::SetListCut);
    }
}

void CKeywordCommands::InsertKeyword(const QString& keyword)
{
    CZentrelView* view = ActiveWizardView(m_services.GetMainFrame());
    if (!view)
        return;
    view->ReplaceSelection(keyword);
    view->setFocus(Qt::OtherFocusReason);
}
