#include "support/AppTestMain.h"
#include "support/ScriptedShell.h"
#include "support/Sites.h"
#include "support/TestFiles.h"

#include "app/MainFrame.h"
#include "app/SiteToolCommands.h"
#include "app/ZentrelApp.h"
#include "editor/SourceDoc.h"
#include "editor/SourceEditView.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"
#include "res/CommandIds.h"
#include "tools/FindInFilesDlg.h"
#include "tools/LinkCheckDlg.h"

#include <QLabel>
#include <QTextDocument>
#include <QTreeWidget>

using namespace ZtCmd;

// The Tools menu's site-wide commands in the running program, and the links
// that follow a page renamed in the Project tree.
class TestSiteTools : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void renameInTreeUpdatesLinks_data();
    void renameInTreeUpdatesLinks();
    void findResultOpensTheMatch();
    void checkLinksNeedsASite();

private:
    QString P(const QString& relative) const { return m_strMain + QLatin1Char('/') + relative; }
    CProjectTreeCtrl* Tree() const { return m_app->GetMainFrame()->ProjectBar()->ProjectTree(); }
    QTreeWidgetItem* TreeItem(const QString& name) const;
    void OpenSite();

    CZentrelApp* m_app = nullptr;
    QString m_strMain;
    QStringList m_messages;
    QMessageBox::StandardButton m_answer = QMessageBox::Yes;
};

void TestSiteTools::initTestCase()
{
    m_app = ZtApp();
    ZtTest::ShowMainFrame();
}

void TestSiteTools::init()
{
    ZtTest::CScriptedShell::Install(&m_messages);
    ZtMessageBox::SetHandler([this](const QString& text, QMessageBox::StandardButtons) {
        m_messages << text;
        return m_answer;
    });
}

void TestSiteTools::cleanup()
{
    ZtTest::CloseAllDocuments();
    Tree()->ShowNoProject();
    m_messages.clear();
}

QTreeWidgetItem* TestSiteTools::TreeItem(const QString& name) const
{
    const QTreeWidgetItem* root = Tree()->topLevelItem(0);
    return root ? ZtTest::ChildNamed(root, name) : nullptr;
}

void TestSiteTools::OpenSite()
{
    m_strMain = ZtTest::FreshDir(QStringLiteral("tools/Site"));
    ZtTest::WriteFile(P("Site.ztp"), "Site\r\r\n");
    ZtTest::WriteFile(P("index.html"), "<p>Home\r\n<a href=\"a.html#top\">A</a> <a href=\"a.html\">again</a>\r\n");
    ZtTest::WriteFile(P("a.html"), "<a href=\"pages/other.html\">other</a>\n");
    ZtTest::WriteFile(P("pages/other.html"), "<a href=\"../a.html\">back</a>\n");
    m_app->OpenProject(P("Site.ztp"));
    Tree()->topLevelItem(0)->setExpanded(true);
    QTRY_VERIFY(!Tree()->IsReading());
}

void TestSiteTools::renameInTreeUpdatesLinks_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestSiteTools::renameInTreeUpdatesLinks()
{
    QFETCH(bool, answerYes);
    m_answer = answerYes ? QMessageBox::Yes : QMessageBox::No;
    OpenSite();
    auto* open = qobject_cast<CSourceDoc*>(m_app->OpenDocumentFile(P("pages/other.html")));
    QVERIFY(open && open->TextDocument());

    Tree()->SetHighlightedItem(TreeItem("a.html"));
    Tree()->RenameItem();
    QVERIFY(ZtTest::TypeLabel(Tree(), QStringLiteral("b.html")));
    QTRY_VERIFY(TreeItem("b.html"));
    QTRY_COMPARE(m_messages, QStringList{"Update 3 links in 2 pages?"});

    const QByteArray index = ZtTest::ReadFile(P("index.html"));
    const QString other = open->TextDocument()->toPlainText();
    if (answerYes) {
        QCOMPARE(index, QByteArray("<p>Home\r\n<a href=\"b.html#top\">A</a> <a href=\"b.html\">again</a>\r\n"));
        QCOMPARE(other, QStringLiteral("<a href=\"../b.html\">back</a>\n"));
        open->TextDocument()->undo();
        QCOMPARE(open->TextDocument()->toPlainText(), QStringLiteral("<a href=\"../a.html\">back</a>\n"));
    } else {
        QCOMPARE(index, QByteArray("<p>Home\r\n<a href=\"a.html#top\">A</a> <a href=\"a.html\">again</a>\r\n"));
        QCOMPARE(other, QStringLiteral("<a href=\"../a.html\">back</a>\n"));
    }
    // The renamed page's own link to the page that stayed needs no change.
    QCOMPARE(ZtTest::ReadFile(P("b.html")), QByteArray("<a href=\"pages/other.html\">other</a>\n"));
}

void TestSiteTools::findResultOpensTheMatch()
{
    OpenSite();
    QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_FIND_IN_FILES));
    CFindInFilesDlg* dialog = m_app->SiteToolCommands().FindDialog();
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
    auto* view = dynamic_cast<CSourceEditView*>(m_app->GetMainFrame()->GetActiveView());
    QVERIFY(view);
    QCOMPARE(view->GetDocument()->GetPathName(), P("pages/other.html"));
    QCOMPARE(view->textCursor().selectedText(), QStringLiteral("back"));
    dialog->close();
}

void TestSiteTools::checkLinksNeedsASite()
{
    // No project and no page: nothing to check, and the user is told.
    QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_CHECK_LINKS));
    QCOMPARE(m_messages.size(), 1);
    OpenSite();
    ZtTest::WriteFile(P("broken.html"), "<img src=\"gone.png\">");
    QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_CHECK_LINKS));
    CLinkCheckDlg* dialog = m_app->SiteToolCommands().LinkDialog();
    QVERIFY(dialog && dialog->isVisible());
    QTRY_VERIFY(!dialog->IsChecking());
    QCOMPARE(dialog->Results()->topLevelItem(0)->childCount(), 1);
    QCOMPARE(dialog->Results()->topLevelItem(0)->child(0)->text(2), QStringLiteral("gone.png"));
    dialog->close();
}

ZT_APP_TEST_MAIN(TestSiteTools)
#include "tst_sitetools.moc"
