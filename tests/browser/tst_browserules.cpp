#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "browser/BrowseRules.h"
#include "browser/BrowserView.h"
#include "browser/LinkBuilder.h"
#include "res/CommandIds.h"

using ZtTest::Row;

namespace {
// The browser's title and the current file after showing path, whose page
// is source, when /w/last.html was the current file.
QString Show(const QString& path, const QString& source)
{
    const CBrowseRules::ShowPlan plan = CBrowseRules::PlanShow(path, source, QStringLiteral("/w/last.html"));
    return plan.m_strTitle + QLatin1Char(' ') + plan.m_strCurrentFile;
}

QString Preview(const QString& path, bool modified)
{
    using Action = CBrowseRules::PreviewAction;
    switch (CBrowseRules::PlanPreview(path, modified)) {
    case Action::ShowTempPage: return QStringLiteral("temp page");
    case Action::ShowFile: return QStringLiteral("file");
    case Action::WrongFileType: return QStringLiteral("wrong type");
    }
    return QString();
}

QString SandboxProblem(bool root, const QByteArray& flags, bool disabled, const QStringList& arguments = {"zentrel"})
{
    return ZtTest::YesNo(!CBrowserView::SandboxProblem(root, flags, disabled, arguments).isEmpty());
}
} // namespace

// What showing a file does to the browser's title and the current file, what
// Show as Web Page does with a document, when the engine may start, and the
// tag a file dropped onto a page becomes.
class TestBrowseRules : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void keysThePageGivesUp();
};

void TestBrowseRules::results_data()
{
    ZtTest::ResultColumns();
    Row("show: saved page", Show("/w/site/page.html", "/w/site/page.html"), "page.html /w/site/page.html");
    Row("show: preview of a page", Show("/w/site/tempFile.html", "/w/site/Page.HTM"), "Page.HTM /w/last.html");
    Row("show: preview name in other case is a page", Show("/w/site/TempFile.html", "/w/site/page.html"),
        "TempFile.html /w/site/TempFile.html");
    Row("show: name ending like the preview", Show("/w/mytempFile.html", "/w/a.html"), "a.html /w/last.html");
    Row("show: bare names", Show("tempFile.html", "index.htm"), "index.htm /w/last.html");
    Row("show: picture", Show("/w/img/logo.gif", "/w/img/logo.gif"), "logo.gif /w/img/logo.gif");

    Row("preview: modified page", Preview("/w/page.html", true), "temp page");
    Row("preview: saved page", Preview("/w/page.html", false), "file");
    Row("preview: modified .HTM", Preview("/w/PAGE.HTM", true), "temp page");
    Row("preview: saved .htm", Preview("/w/page.htm", false), "file");
    Row("preview: modified gif", Preview("/w/a.gif", true), "file");
    Row("preview: jpg", Preview("/w/a.JPG", false), "file");
    Row("preview: jpeg", Preview("/w/a.jpeg", false), "wrong type");
    Row("preview: style sheet", Preview("/w/a.css", true), "wrong type");
    Row("preview: dot in folder only", Preview("/w.html/readme", false), "wrong type");
    Row("preview: untitled", Preview("", true), "wrong type");

    Row("sandbox: user", SandboxProblem(false, "", false), "no");
    Row("sandbox: root", SandboxProblem(true, "", false), "yes");
    Row("sandbox: root, flag among others", SandboxProblem(true, " --disable-gpu --no-sandbox", false), "no");
    Row("sandbox: root, look-alike flag", SandboxProblem(true, "--no-sandboxing", false), "yes");
    Row("sandbox: root, sandbox variable", SandboxProblem(true, "", true), "no");
    Row("sandbox: root, engine arguments",
        SandboxProblem(true, "", false, {"zentrel", "--webEngineArgs", "--no-sandbox"}), "no");
    Row("sandbox: root, program argument only", SandboxProblem(true, "", false, {"zentrel", "--no-sandbox"}), "yes");

    // A dropped file's path is made relative to the pages' folder.
    const auto tag = &CLinkBuilder::BuildTagForFile;
    Row("tag: page below", tag("/web/site/pages/News.html", "/web/site"), "<A HREF=\"pages/News.html\"> </A>\n");
    Row("tag: picture keeps its case", tag("/web/site/Images/Logo.GIF", "/web/site"),
        "<IMG SRC=\"Images/Logo.GIF\" BORDER=\"0\">");
    Row("tag: jpeg", tag("/web/site/a b.jpeg", "/web/site"), "<IMG SRC=\"a b.jpeg\" BORDER=\"0\">");
    Row("tag: elsewhere stays whole", tag("/other/x.htm", "/web/site"), "<A HREF=\"/other/x.htm\"> </A>\n");
    Row("tag: folder in another case", tag("/Web/site/x.htm", "/web/site"), "<A HREF=\"/Web/site/x.htm\"> </A>\n");
    Row("tag: no base", tag("/web/x.gif", ""), "<IMG SRC=\"/web/x.gif\" BORDER=\"0\">");
    Row("tag: root as base", tag("/x.gif", "/"), "<IMG SRC=\"x.gif\" BORDER=\"0\">");
    Row("tag: the base itself", tag("/web/site", "/web/site/longer"), "");
    Row("tag: other file", tag("/web/site/notes.txt", "/web/site"), "");
    Row("tag: no extension", tag("/web/site/README", "/web/site"), "");
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
