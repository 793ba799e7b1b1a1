#include "support/TestMain.h"

#include "browser/BrowseRules.h"
#include "browser/BrowserView.h"
#include "res/CommandIds.h"

// What showing a file does to the browser's title and the current file, what
// Show as Web Page does with a document, and when the engine may start.
class TestBrowseRules : public QObject
{
    Q_OBJECT
private slots:
    void planShow_data();
    void planShow();
    void planPreview_data();
    void planPreview();
    void sandboxProblem_data();
    void sandboxProblem();
    void keysThePageGivesUp();
};

void TestBrowseRules::planShow_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("currentFile"); // before: /w/last.html

    QTest::newRow("saved page") << "/w/site/page.html" << "/w/site/page.html" << "page.html" << "/w/site/page.html";
    QTest::newRow("preview of a page") << "/w/site/tempFile.html" << "/w/site/Page.HTM" << "Page.HTM" << "/w/last.html";
    QTest::newRow("preview name in other case is a page")
        << "/w/site/TempFile.html" << "/w/site/page.html" << "TempFile.html" << "/w/site/TempFile.html";
    QTest::newRow("name ending like the preview") << "/w/mytempFile.html" << "/w/a.html" << "a.html" << "/w/last.html";
    QTest::newRow("bare names") << "tempFile.html" << "index.htm" << "index.htm" << "/w/last.html";
    QTest::newRow("picture") << "/w/img/logo.gif" << "/w/img/logo.gif" << "logo.gif" << "/w/img/logo.gif";
}

void TestBrowseRules::planShow()
{
    QFETCH(QString, path);
    QFETCH(QString, source);
    QFETCH(QString, title);
    QFETCH(QString, currentFile);
    const CBrowseRules::ShowPlan plan = CBrowseRules::PlanShow(path, source, QStringLiteral("/w/last.html"));
    QCOMPARE(plan.m_strTitle, title);
    QCOMPARE(plan.m_strCurrentFile, currentFile);
}

void TestBrowseRules::planPreview_data()
{
    using Action = CBrowseRules::PreviewAction;
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("action");

    QTest::newRow("modified page") << "/w/page.html" << true << int(Action::ShowTempPage);
    QTest::newRow("saved page") << "/w/page.html" << false << int(Action::ShowFile);
    QTest::newRow("modified .HTM") << "/w/PAGE.HTM" << true << int(Action::ShowTempPage);
    QTest::newRow("saved .htm") << "/w/page.htm" << false << int(Action::ShowFile);
    QTest::newRow("modified gif") << "/w/a.gif" << true << int(Action::ShowFile);
    QTest::newRow("jpg") << "/w/a.JPG" << false << int(Action::ShowFile);
    QTest::newRow("jpeg") << "/w/a.jpeg" << false << int(Action::WrongFileType);
    QTest::newRow("style sheet") << "/w/a.css" << true << int(Action::WrongFileType);
    QTest::newRow("dot in folder only") << "/w.html/readme" << false << int(Action::WrongFileType);
    QTest::newRow("untitled") << "" << true << int(Action::WrongFileType);
}

void TestBrowseRules::planPreview()
{
    QFETCH(QString, path);
    QFETCH(bool, modified);
    QFETCH(int, action);
    QCOMPARE(int(CBrowseRules::PlanPreview(path, modified)), action);
}

void TestBrowseRules::sandboxProblem_data()
{
    QTest::addColumn<bool>("root");
    QTest::addColumn<QByteArray>("flags");
    QTest::addColumn<bool>("disabled");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("problem");

    const QStringList plain{"zentrel"};
    QTest::newRow("user") << false << QByteArray() << false << plain << false;
    QTest::newRow("root") << true << QByteArray() << false << plain << true;
    QTest::newRow("root, flag among others") << true << QByteArray(" --disable-gpu --no-sandbox") << false << plain
                                             << false;
    QTest::newRow("root, look-alike flag") << true << QByteArray("--no-sandboxing") << false << plain << true;
    QTest::newRow("root, sandbox variable") << true << QByteArray() << true << plain << false;
    QTest::newRow("root, engine arguments")
        << true << QByteArray() << false << QStringList{"zentrel", "--webEngineArgs", "--no-sandbox"} << false;
    QTest::newRow("root, program argument only")
        << true << QByteArray() << false << QStringList{"zentrel", "--no-sandbox"} << true;
}

void TestBrowseRules::sandboxProblem()
{
    QFETCH(bool, root);
    QFETCH(QByteArray, flags);
    QFETCH(bool, disabled);
    QFETCH(QStringList, arguments);
    QFETCH(bool, problem);
    QCOMPARE(!CBrowserView::SandboxProblem(root, flags, disabled, arguments).isEmpty(), problem);
}

void TestBrowseRules::keysThePageGivesUp()
{
    using namespace ZtCmd;
    QCOMPARE(CBrowserView::CommandForKey(Qt::ControlModifier | Qt::AltModifier | Qt::Key_E), int(ID_EDIT_DOCUMENT));
    QCOMPARE(CBrowserView::CommandForKey(Qt::ControlModifier | Qt::Key_P), int(ID_FILE_PRINT));
    // The editors' own keys stay the page's: Ctrl+A selects the page's text.
    QCOMPARE(CBrowserView::CommandForKey(Qt::ControlModifier | Qt::Key_A), 0);
    QCOMPARE(CBrowserView::CommandForKey(QKeyCombination(Qt::Key_E)), 0);
}

ZT_TEST_MAIN(TestBrowseRules)
#include "tst_browserules.moc"
