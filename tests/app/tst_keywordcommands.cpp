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
    void tabShowsTheSeededFolder();
    void keywordDroppedIntoPage();
    void textFileDroppedOnPageOpens_data();
    void textFileDroppedOnPageOpens();
    void keysComeBackAfterAMessageOrDialog();

private:
    CZentrelApp* m_app = nullptr;
};

void TestKeywordCommands::initTestCase()
{
    m_app = ZtApp();
    ZtTest::ShowMainFrame();
}

void TestKeywordCommands::tabShowsTheSeededFolder()
{
    CKeywordsTreeCtrl* tree = m_app->GetMainFrame()->ProjectBar()->KeywordsTree();
    QCOMPARE(tree->RootDirectory(), CUserDataFolders::Keywords());
    QTreeWidgetItem* root = tree->topLevelItem(0);
    root->setExpanded(true);
    QTreeWidgetItem* html = tree->findItems("HTML", Qt::MatchExactly | Qt::MatchRecursive).value(0);
    QVERIFY(html);
    html->setExpanded(true);
    QVERIFY(!tree->findItems("<p></p>", Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
}

void TestKeywordCommands::keywordDroppedIntoPage()
{
    const QString path = ZtTest::WriteFile(ZtTest::SandboxDir() + "/page.html", "<BODY>\n\n</BODY>\n");
    m_app->OpenFileInEditor(path, false);
    auto* view = qobject_cast<CZentrelView*>(m_app->GetMainFrame()->GetActiveView()->GetWidget());
    QVERIFY(view);
    QApplication::processEvents();
    const QPoint point = view->cursorRect(QTextCursor(view->document()->findBlockByNumber(1))).center();
    std::unique_ptr<QMimeData> data(CKeywordsTreeCtrl::MakeKeywordMimeData("<p></p>"));
    QDragEnterEvent enter(point, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(point), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    QCOMPARE(view->toPlainText(), QStringLiteral("<BODY>\n<p></p>\n</BODY>\n"));
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
    view->undo();
    QCOMPARE(view->toPlainText(), QStringLiteral("<BODY>\n\n</BODY>\n"));
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
    const QPoint point = view->cursorRect(QTextCursor(view->document()->findBlockByNumber(1))).center();
    std::unique_ptr<QMimeData> data(CKeywordsTreeCtrl::MakeFileMimeData(file));
    QDragEnterEvent enter(point, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(point), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
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
        tree->SetCurrentItem(tree->topLevelItem(0));
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
