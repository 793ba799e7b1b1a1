#include "support/AppTestMain.h"

#include "editor/ZentrelView.h"
#include "files/UserDataFolders.h"
#include "projects/KeywordsTreeCtrl.h"
#include "projects/ProjectBar.h"

#include <QMimeData>
#include <QTabWidget>

// The Keywords tab in the whole program: it shows the user's seeded
// Keywords folder, and a keyword dropped on a page lands where it was let go.
class TestKeywordCommands : public QObject
{
    Q_OBJECT
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

private slots:
    void initTestCase() { ZtTest::ShowMainFrame(); }
    void cleanup() { ZtTest::CloseAllDocuments(); }

    void keywordDroppedIntoPage()
    {
        CZentrelView* view = OpenPage(QStringLiteral("page.html"), "<BODY>\n\n</BODY>\n");
        QVERIFY(view);
        QApplication::processEvents();
        std::unique_ptr<QMimeData> data(CKeywordsTreeCtrl::MakeKeywordMimeData("<p></p>"));
        QCOMPARE(ZtTest::DropOnLine(view, data.get(), 1), Qt::CopyAction);
        QCOMPARE(view->toPlainText(), QStringLiteral("<BODY>\n<p></p>\n</BODY>\n"));
        view->undo();
        QCOMPARE(view->toPlainText(), QStringLiteral("<BODY>\n\n</BODY>\n"));
    }

    // A double click puts a keyword into the active page as a drop does, and
    // the keys go back to the page.
    void keywordDoubleClickedIntoPage_data()
    {
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("expected");
        QTest::newRow("at the caret") << 7 << 7 << "<BODY>\n<p></p>\n</BODY>\n";
        QTest::newRow("over a selection") << 8 << 11 << "<BODY>\n\n<p></p>\n</BODY>\n";
    }
    void keywordDoubleClickedIntoPage()
    {
        QFETCH(int, anchor);
        QFETCH(int, position);
        QFETCH(QString, expected);
        const QString original = QStringLiteral("<BODY>\n\nold\n</BODY>\n").remove(anchor == position ? "old\n" : "");
        CZentrelView* view = OpenPage(QStringLiteral("dblclick %1.html").arg(QTest::currentDataTag()), original.toUtf8());
        QVERIFY(view);
        QTextCursor cursor = view->textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        view->setTextCursor(cursor);

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
        QCOMPARE(view->toPlainText(), expected);
        QCOMPARE(QApplication::focusWidget(), view);
        view->undo();
        QCOMPARE(view->toPlainText(), original);
    }

    // A text file of the Keywords tree let go over a page opens in an editor
    // of its own; the page gets no tag and no path. Which names are text
    // files has its rows in tst_filekinds.
    void textFileDroppedOnPageOpens_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("text") << "notes.txt";
        QTest::newRow("template, upper case") << "PAGE.TPT";
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
            const auto shown = ZtTest::WhenModal({}, false);
            command();
            QVERIFY(*shown);
            QTRY_COMPARE(QApplication::activeWindow(), frame);
            QCOMPARE(QApplication::focusWidget(), tree);
        }
    }
};

ZT_APP_TEST_MAIN(TestKeywordCommands)
#include "tst_keywordcommands.moc"
