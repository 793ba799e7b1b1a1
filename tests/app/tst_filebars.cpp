#include "support/AppTestMain.h"
#include "support/ScriptedShell.h"
#include "support/Sites.h"
#include "support/TestFiles.h"

#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
#include "files/UserDataFolders.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "projects/DesktopTreeCtrl.h"
#include "projects/FileListCtrl.h"
#include "projects/FileListModel.h"
#include "projects/ListBar.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QSignalSpy>

using namespace ZtCmd;

// The List bar's commands with the whole program: what a copy or a
// Move-Cut leaves for the Project tree's paste.
class TestFileBars : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void moveCutWaitsBesideTheClipboard();
    void listFollowsTabsAndSavedPagesShow();

private:
    QString P(const QString& relative) const { return m_strMain + QLatin1Char('/') + relative; }
    CFileListCtrl* List() const { return m_app->GetMainFrame()->ListBar()->List(); }
    CProjectTreeCtrl* Tree() const { return m_app->GetMainFrame()->ProjectBar()->ProjectTree(); }
    void Select(const QStringList& names);
    // The rows' names, a cut row's followed by "*".
    QString Rows() const;

    CZentrelApp* m_app = nullptr;
    QString m_strMain;
    QStringList m_messages;
};

void TestFileBars::initTestCase()
{
    m_app = ZtApp();
    ZtTest::ShowMainFrame();
    ZtTest::CScriptedShell::Install(&m_messages);
}

void TestFileBars::cleanup()
{
    ZtTest::CloseAllDocuments();
    Tree()->ShowNoProject();
}

void TestFileBars::Select(const QStringList& names)
{
    List()->clearSelection();
    for (const QString& name : names) {
        const QModelIndex index = List()->Model()->index(List()->Model()->RowOf(name), 0);
        List()->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

QString TestFileBars::Rows() const
{
    QStringList rows;
    const CFileListModel* model = List()->Model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const bool bCut = model->data(model->index(row, 0), Qt::ForegroundRole).isValid();
        rows << model->Name(row) + (bCut ? QStringLiteral("*") : QString());
    }
    return rows.join(QLatin1Char(' '));
}

void TestFileBars::moveCutWaitsBesideTheClipboard()
{
    m_strMain = ZtTest::FreshDir(QStringLiteral("cut/Site"));
    m_app->OpenProject(ZtTest::WriteSite(m_strMain, {"a.htm", "b.gif", "c.txt", "dest/keep.txt"}));
    QTreeWidgetItem* root = Tree()->topLevelItem(0);
    root->setExpanded(true);
    QSignalSpy filled(List(), &CFileListCtrl::listFilled);
    m_app->GetMainFrame()->ShowFolderInListBar(m_strMain);
    QVERIFY(filled.wait(5000));
    CMainFrame* frame = m_app->GetMainFrame();

    // Cut one file, copy two, and copy some text elsewhere.
    Select({"c.txt"});
    QVERIFY(frame->ExecuteCommand(ID_LIST_MOVE_CUT));
    Select({"a.htm", "b.gif"});
    QVERIFY(frame->ExecuteCommand(ID_LIST_COPY));
    QApplication::clipboard()->setText(QStringLiteral("some text"));
    QCOMPARE(Rows(), QStringLiteral("a.htm b.gif c.txt* dest Site.ztp"));

    // The first paste takes the copied files; the cut still waits.
    Tree()->SetHighlightedItem(root->child(0));
    QVERIFY(Tree()->PasteFiles());
    QTRY_VERIFY(ZtTest::JobsDone());
    QCOMPARE(ZtTest::ReadFile(P("dest/b.gif")), QByteArray("b.gif"));
    QVERIFY(QFile::exists(P("c.txt")));
    QCOMPARE(Rows(), QStringLiteral("a.htm b.gif c.txt* dest Site.ztp"));

    // The next paste moves the cut file, and its row goes.
    Tree()->SetHighlightedItem(Tree()->topLevelItem(0)->child(0));
    QVERIFY(Tree()->PasteFiles());
    QTRY_VERIFY(ZtTest::JobsDone());
    QCOMPARE(ZtTest::ReadFile(P("dest/c.txt")), QByteArray("c.txt"));
    QVERIFY(!QFile::exists(P("c.txt")));
    QCOMPARE(Rows(), QStringLiteral("a.htm b.gif dest Site.ztp"));
    QVERIFY(!m_app->FileBarCommands().IsMovePending());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("some text"));

    // With the cut still on the clipboard, the clipboard forgets the moved
    // file too, so a second paste has nothing to move.
    Select({"a.htm"});
    QVERIFY(frame->ExecuteCommand(ID_LIST_MOVE_CUT));
    Tree()->SetHighlightedItem(Tree()->topLevelItem(0)->child(0));
    QVERIFY(Tree()->PasteFiles());
    QTRY_VERIFY(ZtTest::JobsDone());
    QCOMPARE(Rows(), QStringLiteral("b.gif dest Site.ztp"));
    QVERIFY(QApplication::clipboard()->text().isEmpty());
    QVERIFY(m_messages.isEmpty());
}

// The List bar lists the folder of the tab shown, never one of a hidden
// tab; a page saved into the project shows in the tree at once, and in the
// list showing its folder.
void TestFileBars::listFollowsTabsAndSavedPagesShow()
{
    m_strMain = ZtTest::FreshDir(QStringLiteral("tabs/Site"));
    QDir().mkpath(P("pages"));
    m_app->OpenProject(ZtTest::WriteSite(m_strMain, {"index.html"}));
    QTreeWidgetItem* root = Tree()->topLevelItem(0);
    root->setExpanded(true);
    QTRY_VERIFY(!Tree()->IsReading());
    CMainFrame* frame = m_app->GetMainFrame();
    CProjectBar* bar = frame->ProjectBar();
    const QString home = CShellTree::ItemPath(bar->DesktopTree()->currentItem());
    QVERIFY(!home.isEmpty());

    // The Keywords folder listed, then the Desktop tab shown.
    bar->SetCurrentTab(1);
    const QString keywords = CUserDataFolders::Keywords();
    m_app->SetSelectedPath(keywords);
    frame->ShowFolderInListBar(keywords);
    bar->SetCurrentTab(2);
    QCOMPARE(frame->ListBar()->Folder(), home);
    QFocusEvent focusIn(QEvent::FocusIn);
    QCoreApplication::sendEvent(List(), &focusIn);
    QCOMPARE(frame->ListBar()->Folder(), home);
    // Showing a tab picks no folder for the wizards.
    QCOMPARE(m_app->SelectedPath(), keywords);

    // The Project tab brings back the folder highlighted there.
    bar->SetCurrentTab(0);
    Tree()->setCurrentItem(root->child(0));
    QCOMPARE(frame->ListBar()->Folder(), P("pages"));
    bar->SetCurrentTab(2);
    QCOMPARE(frame->ListBar()->Folder(), home);
    bar->SetCurrentTab(0);
    QCOMPARE(frame->ListBar()->Folder(), P("pages"));

    // A page saved under a new name into the project's folder.
    QSignalSpy filled(List(), &CFileListCtrl::listFilled);
    frame->ShowFolderInListBar(m_strMain);
    QVERIFY(filled.wait(5000));
    m_app->OpenFileInEditor(P("index.html"), false);
    CDocument* page = m_app->WebPageTemplate()->Documents().last();
    QVERIFY(page->DoSave(P("second.html")));
    QStringList shown;
    for (int i = 0; i < root->childCount(); ++i)
        shown << root->child(i)->text(0);
    QCOMPARE(shown, QStringList({"pages", "index.html", "second.html"}));
    QTRY_COMPARE(List()->Model()->Names(), QStringList({"index.html", "pages", "second.html", "Site.ztp"}));
    QVERIFY(m_messages.isEmpty());
}

ZT_APP_TEST_MAIN(TestFileBars)
#include "tst_filebars.moc"
