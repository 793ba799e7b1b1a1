#include "support/AppTestMain.h"
#include "support/ScriptedShell.h"

#include "app/ProjectCommands.h"
#include "editor/ZentrelView.h"
#include "files/UserDataFolders.h"
#include "projects/DesktopTreeCtrl.h"
#include "projects/KeywordsTreeCtrl.h"
#include "projects/ListBar.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectDoc.h"
#include "projects/ProjectTreeCtrl.h"
#include "projects/ProjectView.h"
#include "projects/ProjectWizPage1.h"
#include "projects/ProjectWizSheet.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMimeData>
#include <QTabWidget>
#include <QUrl>

using namespace ZtCmd;

// The project commands with the whole program: their enable rules, what
// opening, saving, closing and copying a project do to the open documents,
// the Project tree and the profile. And the Keywords tab: it shows the
// user's seeded Keywords folder, and a keyword dropped on a page lands where
// it was let go.
class TestProjectCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_app = ZtApp();
        ZtTest::ShowMainFrame();
        ZtTest::CScriptedShell::Install(&m_messages, QMessageBox::No);
    }

    void init()
    {
        m_dir = ZtTest::FreshDir(QStringLiteral("web \"sites\""));
        m_messages.clear();
        m_app->SetProjectPath(QString());
    }

    void cleanup()
    {
        ZtTest::CloseAllDocuments();
        m_app->GetMainFrame()->ProjectBar()->ProjectTree()->ShowNoProject();
        // The Project tab, whose item the bar hands to the commands.
        m_app->GetMainFrame()->ProjectBar()->SetCurrentTab(0);
    }

    void enableRulesSaveAndClose()
    {
        for (int id : {ID_PROJECT_SAVE, ID_PROJECT_SAVE_AS, ID_PROJECT_CLOSE})
            QVERIFY2(!ZtTest::Run(id), QByteArray::number(id).constData());
        const QString path = ZtTest::WriteFile(Path(QStringLiteral("Site/Site.ztp")), "Site\r\r\n");
        m_app->OpenProject(path);
        QVERIFY(Project());
        QVERIFY(!ZtTest::Run(ID_PROJECT_SAVE)); // nothing typed yet
        Project()->ProjectView()->insertPlainText(QStringLiteral("Notes "));
        QVERIFY(ZtTest::Run(ID_PROJECT_SAVE));
        QCOMPARE(ZtTest::ReadFile(path), QByteArray("Site\r\r\nNotes "));
        QVERIFY(ZtTest::Run(ID_PROJECT_CLOSE));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(State(), QStringLiteral("project: tree:No Open Project pages:0 texts:0 said:Project save complete."));
        QCOMPARE(m_app->GetProfileString(QStringLiteral("Startup"), QStringLiteral("ProjectOnExit")), QStringLiteral("no"));
        // With no project, closing still keeps the next start from reopening one.
        m_app->WriteProfileString(QStringLiteral("Startup"), QStringLiteral("ProjectOnExit"), QStringLiteral("yes"));
        m_app->ProjectCommands().OnProjectClose();
        QCOMPARE(m_app->GetProfileString(QStringLiteral("Startup"), QStringLiteral("ProjectOnExit")), QStringLiteral("no"));
    }

    // A project opens only where its file is named after its folder, and
    // closes the pages but not the plain texts.
    void openingClosesPagesButNotText()
    {
        QVERIFY(m_app->OpenDocumentFile(ZtTest::WriteFile(Path(QStringLiteral("page.html")), "<P>")));
        QVERIFY(m_app->OpenDocumentFile(ZtTest::WriteFile(Path(QStringLiteral("notes.txt")), "text")));
        m_app->OpenProject(ZtTest::WriteFile(Path(QStringLiteral("Other/Site.ztp")), "x"));
        // A folder in its place: refused too.
        QVERIFY(QDir().mkpath(Path(QStringLiteral("Dir/Dir.ztp"))));
        m_app->OpenProject(Path(QStringLiteral("Dir/Dir.ztp")));
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(m_messages.first().contains(QLatin1String("not named after its folder")));
        QCOMPARE(State().section(QLatin1Char(':'), 0, 4), QStringLiteral("project: tree:No Open Project pages:1 texts:1 said"));
        QVERIFY(m_app->ProjectPath().isEmpty());
        m_messages.clear();
        m_app->OpenProject(ZtTest::WriteFile(Path(QStringLiteral("Site/Site.ztp")), "x"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(State(), QStringLiteral("project:Site/Site.ztp tree:Site pages:0 texts:1 said:"));
    }

    void saveAsCopiesTheProject()
    {
        ZtTest::WriteFile(Path(QStringLiteral("Site/pages/index.html")), "<P>");
        m_app->OpenProject(ZtTest::WriteFile(Path(QStringLiteral("Site/Site.ztp")), "Site\r\r\n"));
        m_app->ProjectCommands().SaveAsTo(Path(QStringLiteral("Shop.ztp")));
        QTRY_VERIFY(ZtTest::JobsDone());
        QCOMPARE(ZtTest::ReadFile(Path(QStringLiteral("Shop/Shop.ztp"))), QByteArray("Site\r\r\n"));
        QCOMPARE(ZtTest::FilesBelow(m_dir), QStringLiteral("Shop/Shop.ztp Shop/pages/index.html Site/Site.ztp Site/pages/index.html"));
        QCOMPARE(State(), QStringLiteral("project:Shop/Shop.ztp tree:Shop pages:0 texts:0 said:"));
        // Under the same name in another folder: the copied file keeps its
        // name, and nothing is reported.
        QVERIFY(QDir().mkpath(Path(QStringLiteral("backup"))));
        m_app->ProjectCommands().SaveAsTo(Path(QStringLiteral("backup/Shop.ztp")));
        QTRY_VERIFY(ZtTest::JobsDone());
        QCOMPARE(State(), QStringLiteral("project:backup/Shop/Shop.ztp tree:Shop pages:0 texts:0 said:"));
        QVERIFY(QFileInfo::exists(Path(QStringLiteral("backup/Shop/pages/index.html"))));
        // Onto a folder that exists, and into the project's own folder.
        m_app->ProjectCommands().SaveAsTo(Path(QStringLiteral("Site.ztp")));
        QCOMPARE(m_messages, QStringList{"OOOPs"});
        m_app->ProjectCommands().SaveAsTo(Path(QStringLiteral("backup/Shop/Inner.ztp")));
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("backup/Shop/Inner"))));
    }

    // What the project holds, and the messages, have their rows in
    // tst_projects; here, that the wizard's project is the one open.
    void wizardOpensTheNewProject()
    {
        const QString parent = Path(QStringLiteral("new/parent"));
        RunProjectWizard(parent);
        QCOMPARE(m_messages.join('|'), "Site project directory copy canceled!");
        QCOMPARE(m_app->ProjectPath(), parent + QStringLiteral("/Site/Site.ztp"));
        QCOMPARE(TreeRoot(), QStringLiteral("Site"));
        QCOMPARE(m_app->ProjectTemplate()->Documents().size(), 1);
        ZtTest::CloseAllDocuments();

        // Cancelling the wizard leaves the tree empty.
        const auto seen = ZtTest::WhenModal({}, false);
        QVERIFY(ZtTest::Run(ID_PROJECT_WIZARD));
        QVERIFY(*seen);
        QCOMPARE(TreeRoot(), QString());
    }

    // Picking a folder in the Project tree makes it the current directory; a
    // new project still goes where its parent leads from the start directory.
    // (How each kind of typed parent leads has its rows in tst_projects.)
    void wizardParentIsNotTheFolderPickedInTheTree()
    {
        const QString project = Path(QStringLiteral("new/Site/Site.ztp"));
        const QString startBefore = m_app->StartDirectory();
        m_app->SetStartDirectory(m_dir);
        QVERIFY(QDir().mkpath(Path(QStringLiteral("Old/pages"))));
        CProjectTreeCtrl* tree = ZtTest::OpenProjectTree(ZtTest::WriteFile(Path(QStringLiteral("Old/Old.ztp")), "Old"));
        const QList<QTreeWidgetItem*> pages =
            tree->findItems(QStringLiteral("pages"), Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(pages.size(), 1);
        tree->setCurrentItem(pages.first());
        RunProjectWizard(QStringLiteral("new"));
        m_app->SetStartDirectory(startBefore);
        QCOMPARE(m_app->ProjectPath(), project);
        QCOMPARE(QDir(Path(QStringLiteral("Old/pages"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void treeRequestsReachListAndEditor()
    {
        // Each tree request reaches its service in tst_commandservices; here,
        // that the program wires its own trees. Picking an item in the tree makes
        // it the current file, and the bar gives its path to the commands.
        const QString page = ZtTest::WriteFile(Path(QStringLiteral("w/page.html")), "<P>");
        CProjectTreeCtrl* tree = ZtTest::OpenProjectTree(ZtTest::WriteFile(Path(QStringLiteral("w/w.ztp")), "w"));
        tree->setCurrentItem(ZtTest::ProjectTreeItem(QStringLiteral("page.html")));
        QCOMPARE(m_app->CurrentFile(), page);
        QCOMPARE(m_app->GetMainFrame()->ProjectBar()->GetCurrentItemPath(), page);
        // A page opened from the bar floating on its own goes to the page
        // with the keys.
        CProjectBar* bar = m_app->GetMainFrame()->ProjectBar();
        bar->setFloating(true);
        QApplication::setActiveWindow(bar);
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(bar));
        emit tree->openFileRequested(page);
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(m_app->GetMainFrame()));
        bar->setFloating(false);
        ZtTest::CloseAllDocuments();

        // A folder picked in the Desktop tree is the current file and the
        // current directory too; the trash, no folder, changes neither.
        CDesktopTreeCtrl* desktop = m_app->GetMainFrame()->ProjectBar()->DesktopTree();
        desktop->setCurrentItem(desktop->TrashItem());
        QCOMPARE(m_app->CurrentFile(), page);
        desktop->setCurrentItem(desktop->topLevelItem(0));
        QCOMPARE(m_app->CurrentFile(), QDir::homePath());
        QCOMPARE(m_app->SelectedPath(), QDir::homePath());
        QCOMPARE(m_app->GetMainFrame()->ListBar()->Folder(), QDir::homePath());
        QCOMPARE(QDir::currentPath(), QDir(QDir::homePath()).canonicalPath());
    }

    void droppedFilesBecomeTags()
    {
        const QString page = ZtTest::WriteFile(Path(QStringLiteral("site/index.html")), "<BODY>\n</BODY>\n");
        m_app->OpenFileInEditor(page, false);
        auto* view = dynamic_cast<CZentrelView*>(m_app->GetMainFrame()->GetActiveView());
        QVERIFY(view);
        const auto drop = [view](const QString& path, bool fromProgram) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            data.setText(path);
            if (fromProgram)
                data.setData(CSourceEditView::ProgramFileDragFormat(), path.toUtf8());
            ZtTest::DropOnLine(view, &data, 1, Qt::CopyAction | Qt::MoveAction);
        };
        drop(Path(QStringLiteral("site/images/Logo.gif")), true);
        QCOMPARE(view->toPlainText(), QStringLiteral("<BODY>\n<IMG SRC=\"images/Logo.gif\" BORDER=\"0\"></BODY>\n"));
        // One edit: one undo takes the whole tag back.
        view->undo();
        QCOMPARE(view->toPlainText(), QStringLiteral("<BODY>\n</BODY>\n"));
        // A file of another kind adds nothing; a file dragged in from outside
        // the program is left to the main window, which opens it.
        drop(Path(QStringLiteral("site/notes.txt")), true);
        drop(Path(QStringLiteral("site/other.html")), false);
        QCOMPARE(view->toPlainText(), QStringLiteral("<BODY>\n</BODY>\n"));
    }

    // A keyword let go over a page lands where it was let go; a double click
    // puts it into the active page at the caret, and the keys go back to
    // the page. One undo takes it back.
    void keywordIntoPage_data()
    {
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("expected");
        QTest::newRow("dropped on a line") << true << 0 << 0 << "<BODY>\n<p></p>\n</BODY>\n";
        QTest::newRow("at the caret") << false << 7 << 7 << "<BODY>\n<p></p>\n</BODY>\n";
        QTest::newRow("over a selection") << false << 8 << 11 << "<BODY>\n\n<p></p>\n</BODY>\n";
    }
    void keywordIntoPage()
    {
        QFETCH(bool, dropped);
        QFETCH(int, anchor);
        QFETCH(int, position);
        QFETCH(QString, expected);
        const QString original = QStringLiteral("<BODY>\n\nold\n</BODY>\n").remove(anchor == position ? "old\n" : "");
        CZentrelView* view = OpenPage(QStringLiteral("keyword %1.html").arg(QTest::currentDataTag()), original.toUtf8());
        QVERIFY(view);
        QTextCursor cursor = view->textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        view->setTextCursor(cursor);
        if (dropped) {
            QApplication::processEvents();
            std::unique_ptr<QMimeData> data(CKeywordsTreeCtrl::MakeKeywordMimeData("<p></p>"));
            QCOMPARE(ZtTest::DropOnLine(view, data.get(), 1), Qt::CopyAction);
        } else {
            CKeywordsTreeCtrl* tree = ShowKeywordsTab();
            // The tab shows the user's seeded Keywords folder.
            QCOMPARE(tree->RootDirectory(), CUserDataFolders::Keywords());
            tree->topLevelItem(0)->setExpanded(true);
            QTreeWidgetItem* html = tree->findItems("HTML", Qt::MatchExactly | Qt::MatchRecursive).value(0);
            QVERIFY(html);
            html->setExpanded(true);
            QTreeWidgetItem* keyword = tree->findItems("<p></p>", Qt::MatchExactly | Qt::MatchRecursive).value(0);
            QVERIFY(keyword);
            tree->scrollToItem(keyword);
            tree->setFocus();
            QCoreApplication::processEvents(); // lays the expanded items out
            const QPoint point = tree->visualItemRect(keyword).center();
            // The click picks the item, the double click that follows inserts it.
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, point);
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, point);
            QCOMPARE(QApplication::focusWidget(), view);
        }
        QCOMPARE(view->toPlainText(), expected);
        view->undo();
        QCOMPARE(view->toPlainText(), original);
    }

    // A text file of the Keywords tree let go over a page opens in an editor
    // of its own; the page gets no tag and no path. The kinds of each name
    // have their rows in tst_filekinds.
    void textFileDroppedOnPageOpens_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("text") << "notes.txt";
        QTest::newRow("template, upper case") << "PAGE.TPT";
        QTest::newRow("rich text, editable but no text kind") << "letter.rtf";
    }
    void textFileDroppedOnPageOpens()
    {
        QFETCH(QString, name);
        const QString file = ZtTest::WriteFile(CUserDataFolders::Keywords() + "/HTML/" + name, "text\n");
        CZentrelView* view = OpenPage(QStringLiteral("drop.html"), "<BODY>\n</BODY>\n");
        QVERIFY(view);
        std::unique_ptr<QMimeData> data(CKeywordsTreeCtrl::MakeFileMimeData(file));
        QCOMPARE(ZtTest::DropOnLine(view, data.get(), 1), Qt::CopyAction);
        QTRY_COMPARE(ZtApp()->GetMainFrame()->GetActiveView()->GetDocument()->GetPathName(), file);
        QCOMPARE(view->toPlainText(), QStringLiteral("<BODY>\n</BODY>\n"));
        QFile::remove(file);
    }

    // Without a window manager a closed box or dialog left no window active,
    // so the next shortcut went nowhere.
    void keysComeBackAfterAMessageOrDialog()
    {
        CMainFrame* frame = ZtApp()->GetMainFrame();
        CKeywordsTreeCtrl* tree = ShowKeywordsTab();
        const std::function<void()> commands[] = {[tree] { tree->EditLabel(); }, [tree] { tree->NewKeywordsFile(); }};
        for (const auto& command : commands) {
            frame->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(frame));
            tree->setFocus();
            QCOMPARE(QApplication::focusWidget(), tree);
            tree->SetHighlightedItem(tree->topLevelItem(0));
            // A real message box, to see that it gives the keys back.
            ZtMessageBox::SetHandler(nullptr);
            const auto shown = ZtTest::WhenModal({}, false);
            command();
            ZtTest::CScriptedShell::Install(&m_messages, QMessageBox::No);
            QVERIFY(*shown);
            QTRY_COMPARE(QApplication::activeWindow(), frame);
            QCOMPARE(QApplication::focusWidget(), tree);
        }
    }

private:
    CKeywordsTreeCtrl* ShowKeywordsTab()
    {
        CProjectBar* bar = ZtApp()->GetMainFrame()->ProjectBar();
        bar->SetCurrentTab(bar->TabControl()->indexOf(bar->KeywordsTree()));
        return bar->KeywordsTree();
    }
    // Opens a page holding bytes; its editor.
    CZentrelView* OpenPage(const QString& name, const QByteArray& bytes)
    {
        return ZtTest::OpenPageEditor(ZtTest::SandboxDir() + QLatin1Char('/') + name, bytes);
    }

    QString Path(const QString& relative) const { return m_dir + QLatin1Char('/') + relative; }
    // The open project below the test folder, the Project tree's root, the
    // pages and plain texts open, and what the user was told.
    QString State() const
    {
        return QStringLiteral("project:%1 tree:%2 pages:%3 texts:%4 said:%5")
            .arg(Project() ? Project()->GetPathName().mid(m_dir.size() + 1) : QString(), TreeRoot())
            .arg(m_app->WebPageTemplate()->Documents().size())
            .arg(m_app->TextTemplate()->Documents().size())
            .arg(m_messages.join(QLatin1Char('|')));
    }
    QString TreeRoot() const
    {
        const CProjectTreeCtrl* tree = m_app->GetMainFrame()->ProjectBar()->ProjectTree();
        return tree->topLevelItemCount() ? tree->topLevelItem(0)->text(0) : QString();
    }

    // Runs the Project wizard for a project Site under parent.
    void RunProjectWizard(const QString& parent)
    {
        const auto seen = ZtTest::WhenModal<CProjectWizSheet>([parent](CProjectWizSheet* sheet) {
            sheet->Page1()->NameEdit()->setText(QStringLiteral("Site"));
            sheet->Page1()->ParentEdit()->setText(parent);
            sheet->next();
        });
        QVERIFY(ZtTest::Run(ID_PROJECT_WIZARD));
        QVERIFY(*seen);
    }

    CProjectDoc* Project() const { return m_app->ProjectCommands().OpenProjectDoc(); }

    CZentrelApp* m_app = nullptr;
    QString m_dir;
    QStringList m_messages;
};

ZT_APP_TEST_MAIN(TestProjectCommands)
#include "tst_projectcommands.moc"
