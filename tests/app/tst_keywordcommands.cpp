#include "support/AppTestMain.h"
#include "support/TestFiles.h"

#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
#include "editor/ZentrelView.h"
#include "files/UserDataFolders.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "projects/KeywordsTreeCtrl.h"
#include "projects/ProjectBar.h"

#include <QDialog>
#include <QDropEvent>
#include <QMimeData>
#include <QTabWidget>
#include <QTextBlock>
#include <QTimer>

// The Keywords tab in the whole program: it shows the user's seeded
// Keywords folder, and a keyword dropped on a page lands where it was let go.
class TestKeywordCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void keywordDroppedIntoPage();
    void keywordDoubleClickedIntoPage_data();
    void keywordDoubleClickedIntoPage();
    void textFileDroppedOnPageOpens_data();
    void textFileDroppedOnPageOpens();
    void keysComeBackAfterAMessageOrDialog();

private:
    CZentrelApp* m_app = nullptr;
};

namespace {
// Drags data over the start of line of view and lets it go there; the
// action the drop took, or IgnoreAction when the drag was refused.
Qt::DropAction DropOnLine(CZentrelView* view, const QMimeData* data, int line)
{
    const QPoint point = view->cursorRect(QTextCursor(view->document()->findBlockByNumber(line))).center();
    QDragEnterEvent enter(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent drop(QPointF(point), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    return drop.dropAction();
}
} // namespace

void TestKeywordCommands::initTestCase()
{
    m_app = ZtApp();
    ZtTest::ShowMainFrame();
}

void TestKeywordCommands::keywordDroppedIntoPage()
{
    const QString path = ZtTest::WriteFile(ZtTest::SandboxDir() + "/page.html", "<BODY>\n\n</BODY>\n");
    m_app->OpenFileInEditor(path, false);
    auto* view = qobject_cast<CZentrelView*>(m_app->GetMainFrame()->GetActiveView()->GetWidget());
    QVERIFY(view);
    QApplication::processEvents();
    std::unique_ptr<QMimeData> data(CKeywordsTreeCtrl::MakeKeywordMimeData("<p></p>"));
    QCOMPARE(DropOnLine(view, data.get(), 1), Qt::CopyAction);
    QCOMPARE(view->toPlainText(), QStringLiteral("<BODY>\n<p></p>\n</BODY>\n"));
    view->undo();
    QCOMPARE(view->toPlainText(), QStringLiteral("<BODY>\n\n</BODY>\n"));
}

void TestKeywordCommands::keywordDoubleClickedIntoPage_data()
{
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("expected");
    QTest::newRow("at the caret") << 7 << 7 << "<BODY>\n<p></p>\n</BODY>\n";
    QTest::newRow("over a selection") << 8 << 11 << "<BODY>\n\n<p></p>\n</BODY>\n";
}

// A double click puts a keyword into the active page as a drop does, and the
// keys go back to the page.
void TestKeywordCommands::keywordDoubleClickedIntoPage()
{
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(QString, expected);
    const QString original = QStringLiteral("<BODY>\n\nold\n</BODY>\n").remove(anchor == position ? "old\n" : "");
    const QString path = ZtTest::WriteFile(ZtTest::SandboxDir() + "/dblclick " + QTest::currentDataTag() + ".html",
                                           original.toUtf8());
    m_app->OpenFileInEditor(path, false);
    auto* view = qobject_cast<CZentrelView*>(m_app->GetMainFrame()->GetActiveView()->GetWidget());
    QVERIFY(view);
    QTextCursor cursor = view->textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    view->setTextCursor(cursor);

    CProjectBar* bar = m_app->GetMainFrame()->ProjectBar();
    CKeywordsTreeCtrl* tree = bar->KeywordsTree();
    // The tab shows the user's seeded Keywords folder.
    QCOMPARE(tree->RootDirectory(), CUserDataFolders::Keywords());
    bar->SetCurrentTab(bar->TabControl()->indexOf(tree));
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
    ZtTest::CloseAllDocuments();
}

void TestKeywordCommands::textFileDroppedOnPageOpens_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("text") << "notes.txt";
    QTest::newRow("keywords") << "tags.kwd";
    QTest::newRow("template, upper case") << "PAGE.TPT";
    QTest::newRow("setup information") << "setup.inf";
    QTest::newRow("rich text") << "letter.rtf";
}

// A text file of the Keywords tree let go over a page opens in an editor of
// its own; the page gets no tag and no path.
void TestKeywordCommands::textFileDroppedOnPageOpens()
{
    QFETCH(QString, name);
    const QString page = ZtTest::WriteFile(ZtTest::SandboxDir() + "/drop.html", "<BODY>\n</BODY>\n");
    const QString file = ZtTest::WriteFile(CUserDataFolders::Keywords() + "/HTML/" + name, "text\n");
    m_app->OpenFileInEditor(page, false);
    auto* view = qobject_cast<CZentrelView*>(m_app->GetMainFrame()->GetActiveView()->GetWidget());
    QVERIFY(view);
    std::unique_ptr<QMimeData> data(CKeywordsTreeCtrl::MakeFileMimeData(file));
    QCOMPARE(DropOnLine(view, data.get(), 1), Qt::CopyAction);
    QTRY_COMPARE(m_app->GetMainFrame()->GetActiveView()->GetDocument()->GetPathName(), file);
    QCOMPARE(view->toPlainText(), QStringLiteral("<BODY>\n</BODY>\n"));
    m_app->CloseAllDocuments();
    QFile::remove(file);
}

// Without a window manager a closed box or dialog left no window active,
// so the next shortcut went nowhere.
void TestKeywordCommands::keysComeBackAfterAMessageOrDialog()
{
    CMainFrame* frame = m_app->GetMainFrame();
    CKeywordsTreeCtrl* tree = frame->ProjectBar()->KeywordsTree();
    frame->ProjectBar()->SetCurrentTab(frame->ProjectBar()->TabControl()->indexOf(tree));
    const std::function<void()> commands[] = {[tree] { tree->EditLabel(); }, [tree] { tree->NewKeywordsFile(); }};
    for (const auto& command : commands) {
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        tree->setFocus();
        QCOMPARE(QApplication::focusWidget(), tree);
        tree->SetHighlightedItem(tree->topLevelItem(0));
        QString shown;
        QTimer::singleShot(0, [&shown] {
            QWidget* modal = QApplication::activeModalWidget();
            shown = modal ? modal->windowTitle() : QString();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        });
        command();
        QVERIFY(!shown.isEmpty());
        QTRY_COMPARE(QApplication::activeWindow(), frame);
        QCOMPARE(QApplication::focusWidget(), tree);
    }
}

ZT_APP_TEST_MAIN(TestKeywordCommands)
#include "tst_keywordcommands.moc"
