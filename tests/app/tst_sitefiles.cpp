#include "support/AppTestMain.h"
#include "support/ScriptedShell.h"
#include "support/Sites.h"

#include "app/SiteToolCommands.h"
#include "editor/SourceDoc.h"
#include "editor/SourceEditView.h"
#include "files/FileMoveNotifier.h"
#include "files/UserDataFolders.h"
#include "framework/View.h"
#include "projects/DesktopTreeCtrl.h"
#include "projects/FileListCtrl.h"
#include "projects/FileListModel.h"
#include "projects/ListBar.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"
#include "tools/FindInFilesDlg.h"
#include "tools/LinkCheckDlg.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextDocument>

using namespace ZtCmd;

// The files of a site in the running program: what a copy or a Move-Cut of
// the List bar leaves for the Project tree's paste, which folder the List
// bar lists, open pages that follow their files when the program renames
// or moves them, the links that follow a renamed page, and the Tools menu's
// site-wide commands.
class TestSiteFiles : public QObject
{
    Q_OBJECT
    QString m_strMain;
    QStringList m_messages;

    QString P(const QString& relative) const { return m_strMain + QLatin1Char('/') + relative; }
    CMainFrame* Frame() const { return ZtApp()->GetMainFrame(); }
    CFileListCtrl* List() const { return Frame()->ListBar()->List(); }
    CProjectTreeCtrl* Tree() const { return Frame()->ProjectBar()->ProjectTree(); }
    // A project Site under folder, with files each holding its own name; its
    // tree is open.
    CProjectTreeCtrl* OpenSite(const QString& folder, std::initializer_list<const char*> files)
    {
        m_strMain = ZtTest::FreshDir(folder + QStringLiteral("/Site"));
        return ZtTest::OpenProjectTree(ZtTest::WriteSite(m_strMain, files));
    }
    // The List bar's rows, a cut row's name followed by "*".
    QString Rows() const
    {
        QStringList rows;
        const CFileListModel* model = List()->Model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const bool cut = model->data(model->index(row, 0), Qt::ForegroundRole).isValid();
            rows << model->Name(row) + (cut ? QStringLiteral("*") : QString());
        }
        return rows.join(QLatin1Char(' '));
    }
    // The files of the site, then the List bar's rows.
    QString State() const { return ZtTest::FilesBelow(m_strMain) + QStringLiteral(" | ") + Rows(); }
    // Pastes into the first folder of the tree, and waits for the job.
    void PasteIntoFirstFolder()
    {
        Tree()->SetHighlightedItem(Tree()->topLevelItem(0)->child(0));
        QVERIFY(Tree()->PasteFiles());
        QTRY_VERIFY(ZtTest::JobsDone());
    }
    // Renames the item name below the tree's root to newName, as typed.
    void RenameInTree(const QString& name, const QString& newName)
    {
        QVERIFY(ZtTest::ProjectTreeItem(name));
        Tree()->SetHighlightedItem(ZtTest::ProjectTreeItem(name));
        Tree()->RenameItem();
        QVERIFY(ZtTest::TypeLabel(Tree(), newName));
        // The editor hands its text over, and the tree renames, a posted step later.
        QTRY_VERIFY(ZtTest::ProjectTreeItem(newName));
    }

private slots:
    void initTestCase() { ZtTest::ShowMainFrame(); }
    void init() { ZtTest::CScriptedShell::Install(&m_messages, QMessageBox::No); }
    void cleanup()
    {
        ZtTest::CloseAllDocuments();
        Tree()->ShowNoProject();
        m_messages.clear();
    }

    void moveCutWaitsBesideTheClipboard()
    {
        OpenSite(QStringLiteral("cut"), {"a.htm", "b.gif", "c.txt", "dest/keep.txt"});
        // Cut one file, copy two, and copy some text elsewhere.
        QVERIFY(ZtTest::ListFolder(m_strMain, {"c.txt"}));
        QVERIFY(ZtTest::Run(ID_LIST_MOVE_CUT));
        ZtTest::SelectListRows({"a.htm", "b.gif"});
        QVERIFY(ZtTest::Run(ID_LIST_COPY));
        QApplication::clipboard()->setText(QStringLiteral("some text"));
        QCOMPARE(Rows(), QStringLiteral("a.htm b.gif c.txt* dest Site.ztp"));

        // The first paste takes the copied files; the cut still waits.
        PasteIntoFirstFolder();
        QCOMPARE(State(), QStringLiteral("Site.ztp a.htm b.gif c.txt dest/a.htm dest/b.gif dest/keep.txt | "
                                         "a.htm b.gif c.txt* dest Site.ztp"));
        // The next paste moves the cut file, and its row goes.
        PasteIntoFirstFolder();
        QCOMPARE(State(), QStringLiteral("Site.ztp a.htm b.gif dest/a.htm dest/b.gif dest/c.txt dest/keep.txt | "
                                         "a.htm b.gif dest Site.ztp"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("some text"));

        // With the cut still on the clipboard, the clipboard forgets the moved
        // file too, so a second paste has nothing to move.
        ZtTest::SelectListRows({"a.htm"});
        QVERIFY(ZtTest::Run(ID_LIST_MOVE_CUT));
        PasteIntoFirstFolder();
        QCOMPARE(Rows(), QStringLiteral("b.gif dest Site.ztp"));
        QVERIFY(QApplication::clipboard()->text().isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    // The List bar lists the folder of the tab shown, never one of a hidden
    // tab; a page saved into the project shows in the tree at once, and in the
    // list showing its folder.
    void listFollowsTabsAndSavedPagesShow()
    {
        QTreeWidgetItem* root = OpenSite(QStringLiteral("tabs"), {"index.html", "pages/.keep"})->topLevelItem(0);
        CProjectBar* bar = Frame()->ProjectBar();
        const QString home = CShellTree::ItemPath(bar->DesktopTree()->currentItem());
        QVERIFY(!home.isEmpty());
        // The Keywords folder listed, then the Desktop tab shown.
        bar->SetCurrentTab(1);
        const QString keywords = CUserDataFolders::Keywords();
        ZtApp()->SetSelectedPath(keywords);
        Frame()->ShowFolderInListBar(keywords);
        bar->SetCurrentTab(2);
        QCOMPARE(Frame()->ListBar()->Folder(), home);
        QFocusEvent focusIn(QEvent::FocusIn);
        QCoreApplication::sendEvent(List(), &focusIn);
        QCOMPARE(Frame()->ListBar()->Folder(), home);
        // Showing a tab picks no folder for the wizards.
        QCOMPARE(ZtApp()->SelectedPath(), keywords);
        // The Project tab brings back the folder highlighted there.
        bar->SetCurrentTab(0);
        Tree()->setCurrentItem(root->child(0));
        QCOMPARE(Frame()->ListBar()->Folder(), P("pages"));
        bar->SetCurrentTab(2);
        QCOMPARE(Frame()->ListBar()->Folder(), home);
        bar->SetCurrentTab(0);
        QCOMPARE(Frame()->ListBar()->Folder(), P("pages"));

        // A page saved under a new name into the project's folder.
        QVERIFY(ZtTest::ListFolder(m_strMain));
        ZtApp()->OpenFileInEditor(P("index.html"), false);
        QVERIFY(ZtApp()->WebPageTemplate()->Documents().last()->DoSave(P("second.html")));
        QStringList shown;
        for (int i = 0; i < root->childCount(); ++i)
            shown << root->child(i)->text(0);
        QCOMPARE(shown, QStringList({"pages", "index.html", "second.html"}));
        QTRY_COMPARE(List()->Model()->Names(), QStringList({"index.html", "pages", "second.html", "Site.ztp"}));
        QVERIFY(m_messages.isEmpty());
    }

    // Open pages whose files the program itself renames or moves go along to
    // the new place; coming back to the program neither asks nor marks them
    // changed, and Save writes where the page is now.
    void openPagesFollowTheirFiles_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("pages");
        QTest::addColumn<bool>("typed");       // in the first page
        QTest::addColumn<QString>("expected"); // each page's path below the site and whether it is modified
        QTest::addRow("page renamed in the project tree")
            << "tree a.html b.html" << QStringList{"a.html"} << false << "b.html unmodified";
        QTest::addRow("folder of two pages, one typed in, renamed in the project tree")
            << "tree pages docs" << QStringList{"pages/x.html", "pages/y.html"} << true
            << "docs/x.html modified, docs/y.html unmodified";
        QTest::addRow("page moved with the List bar")
            << "list a.html pages" << QStringList{"a.html"} << false << "pages/a.html unmodified";
    }
    void openPagesFollowTheirFiles()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, pages);
        QFETCH(bool, typed);
        QFETCH(QString, expected);
        OpenSite(QStringLiteral("moved"), {"a.html", "pages/x.html", "pages/y.html"});
        QList<CDocument*> documents;
        QStringList oldPaths;
        for (const QString& page : pages) {
            documents << ZtApp()->OpenDocumentFile(P(page));
            QVERIFY(documents.last());
            oldPaths << documents.last()->GetPathName();
            if (typed && documents.size() == 1) {
                ZtTest::EditorOf(documents.last())->moveCursor(QTextCursor::End);
                QTest::keyClicks(ZtTest::EditorOf(documents.last()), QStringLiteral("typed"));
            }
        }
        const QStringList words = how.split(QLatin1Char(' '));
        QSignalSpy moved(CFileMoveNotifier::Instance(), &CFileMoveNotifier::pathMoved);
        if (words.at(0) == QLatin1String("tree")) {
            RenameInTree(words.at(1), words.at(2));
        } else {
            QVERIFY(ZtTest::ListFolder(m_strMain, {words.at(1)}));
            QVERIFY(ZtTest::Run(ID_LIST_MOVE_CUT));
            Tree()->SetHighlightedItem(ZtTest::ProjectTreeItem(words.at(2)));
            QVERIFY(Tree()->PasteFiles());
        }
        QTRY_VERIFY(!moved.isEmpty());
        ZtTest::LeaveAndComeBack();
        QCoreApplication::processEvents();
        QStringList seen;
        for (CDocument* page : std::as_const(documents))
            seen << page->GetPathName().mid(m_strMain.size() + 1) + (page->IsModified() ? " modified" : " unmodified");
        QCOMPARE(seen.join(QStringLiteral(", ")), expected);
        for (CDocument* document : std::as_const(documents)) {
            QVERIFY(document->DoFileSave());
            const bool typedIn = typed && document == documents.first();
            QCOMPARE(ZtTest::ReadFile(document->GetPathName()).endsWith("typed"), typedIn);
        }
        for (const QString& path : std::as_const(oldPaths))
            QVERIFY2(!QFile::exists(path), qPrintable(path));
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    }

    // A page renamed in the Project tree: the links to it, in files and in an
    // open page, follow when the user agrees. How each link is rewritten has
    // its rows in tst_links.
    void renameInTreeUpdatesLinks_data()
    {
        QTest::addColumn<bool>("answerYes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void renameInTreeUpdatesLinks()
    {
        QFETCH(bool, answerYes);
        ZtTest::CScriptedShell::Install(&m_messages, answerYes ? QMessageBox::Yes : QMessageBox::No);
        OpenLinkedSite();
        auto* open = qobject_cast<CSourceDoc*>(ZtApp()->OpenDocumentFile(P("pages/other.html")));
        QVERIFY(open && open->TextDocument());
        RenameInTree(QStringLiteral("a.html"), QStringLiteral("b.html"));
        QTRY_COMPARE(m_messages, QStringList{"Update 3 links in 2 pages?"});
        const QByteArray name = answerYes ? "b.html" : "a.html";
        QCOMPARE(ZtTest::ReadFile(P("index.html")),
                 "<p>Home\r\n<a href=\"" + name + "#top\">A</a> <a href=\"" + name + "\">again</a>\r\n");
        QCOMPARE(open->TextDocument()->toPlainText(), "<a href=\"../" + name + "\">back</a>\n");
        if (answerYes) {
            open->TextDocument()->undo();
            QCOMPARE(open->TextDocument()->toPlainText(), QStringLiteral("<a href=\"../a.html\">back</a>\n"));
        }
    }

    void findResultOpensTheMatch()
    {
        OpenLinkedSite();
        QVERIFY(ZtTest::Run(ID_FIND_IN_FILES));
        CFindInFilesDlg* dialog = ZtApp()->SiteToolCommands().FindDialog();
        QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
        QLineEdit* folder = nullptr;
        QLineEdit* what = nullptr;
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->text() == QLatin1String("In &folder"))
                folder = qobject_cast<QLineEdit*>(label->buddy());
            if (label->text() == QLatin1String("Find &what"))
                what = qobject_cast<QLineEdit*>(label->buddy());
        }
        QVERIFY(folder && what);
        QCOMPARE(folder->text(), m_strMain);
        what->setText("back");
        dialog->FindAll();
        QTRY_VERIFY(!dialog->IsSearching());
        QTreeWidgetItem* file = dialog->Results()->topLevelItem(0);
        QVERIFY(file && file->childCount() == 1);
        emit dialog->Results()->itemDoubleClicked(file->child(0), 0);
        auto* view = dynamic_cast<CSourceEditView*>(Frame()->GetActiveView());
        QVERIFY(view);
        QCOMPARE(view->GetDocument()->GetPathName(), P("pages/other.html"));
        QCOMPARE(view->textCursor().selectedText(), QStringLiteral("back"));
        dialog->close();
    }

    void checkLinksNeedsASite()
    {
        // No project and no page: nothing to check, and the user is told.
        QVERIFY(ZtTest::Run(ID_CHECK_LINKS));
        QCOMPARE(m_messages.size(), 1);
        OpenLinkedSite();
        ZtTest::WriteFile(P("broken.html"), "<img src=\"gone.png\">");
        QVERIFY(ZtTest::Run(ID_CHECK_LINKS));
        CLinkCheckDlg* dialog = ZtApp()->SiteToolCommands().LinkDialog();
        QVERIFY(dialog && dialog->isVisible());
        QTRY_VERIFY(!dialog->IsChecking());
        QCOMPARE(dialog->Results()->topLevelItem(0)->child(0)->text(2), QStringLiteral("gone.png"));
        dialog->close();
    }

private:
    // A site whose pages link to each other.
    void OpenLinkedSite()
    {
        m_strMain = ZtTest::FreshDir(QStringLiteral("tools/Site"));
        ZtTest::WriteFile(P("index.html"), "<p>Home\r\n<a href=\"a.html#top\">A</a> <a href=\"a.html\">again</a>\r\n");
        ZtTest::WriteFile(P("a.html"), "<a href=\"pages/other.html\">other</a>\n");
        ZtTest::WriteFile(P("pages/other.html"), "<a href=\"../a.html\">back</a>\n");
        ZtTest::OpenProjectTree(ZtTest::WriteFile(P("Site.ztp"), "Site\r\r\n"));
    }
};

ZT_APP_TEST_MAIN(TestSiteFiles)
#include "tst_sitefiles.moc"
