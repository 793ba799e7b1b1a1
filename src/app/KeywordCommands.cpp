#include "app/KeywordCommands.h"

#include "app/FileBarCommands.h"
#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
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
CKeywordsTreeCtrl* TreeOf(CZentrelApp& app)
{
    CMainFrame* frame = app.GetMainFrame();
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
            if (CKeywordsTreeCtrl* tree = TreeOf(m_app))
                (tree->*run)();
        });
    }
    onCommand(ID_KEYWORDS_PASTE, [this] {
        if (CKeywordsTreeCtrl* tree = TreeOf(m_app))
            tree->PasteFiles();
    });
}

void CKeywordCommands::Connect(CMainFrame* frame)
{
    if (!frame || !frame->ProjectBar())
        return;
    CKeywordsTreeCtrl* tree = frame->ProjectBar()->KeywordsTree();
    tree->SetShellVersionLevel(m_app.GetShellVersionLevel());
    tree->FillTree(CUserDataFolders::Keywords());
    CZentrelApp* app = &m_app;
    QObject::connect(tree, &CKeywordsTreeCtrl::folderSelected, app, [app](const QString& folder) {
        app->SetSelectedPath(folder);
        app->GetMainFrame()->ShowFolderInListBar(folder);
    });
    QObject::connect(tree, &CKeywordsTreeCtrl::openFileRequested, app,
                     [app](const QString& path) { app->OpenFileInEditor(path, false); });
    // A text file of the tree let go over a page opens like one let go
    // anywhere else.
    CZentrelView::SetFileOpenHandler([app](const QString& path) { app->OpenFileInEditor(path, false); });
    QObject::connect(tree, &CKeywordsTreeCtrl::keywordActivated, app,
                     [this](const QString& keyword) { InsertKeyword(keyword); });
    QObject::connect(tree, &CKeywordsTreeCtrl::currentPathChanged, app,
                     [app](const QString& path) { app->m_strCurrentFile = path; });
    QObject::connect(tree, &CKeywordsTreeCtrl::folderRefreshed, app,
                     [app](const QString& folder) { app->GetMainFrame()->ShowFolderInListBar(folder); });
    QObject::connect(tree, &CKeywordsTreeCtrl::filesPasted, app, [app](bool done, bool usedCopyList) {
        app->FileBarCommands().OnTreePasted(done, usedCopyList);
    });
    if (frame->ListBar()) {
        QObject::connect(frame->ListBar()->List(), &CFileListCtrl::copyListChanged, tree,
                         &CKeywordsTreeCtrl::SetListCopy);
        QObject::connect(frame->ListBar()->List(), &CFileListCtrl::cutSourceChanged, tree,
                         &CKeywordsTreeCtrl::SetListCut);
    }
}

void CKeywordCommands::InsertKeyword(const QString& keyword)
{
    CZentrelView* view = ActiveWizardView(m_app.GetMainFrame());
    if (!view)
        return;
    view->ReplaceSelection(keyword);
    view->setFocus(Qt::OtherFocusReason);
}
