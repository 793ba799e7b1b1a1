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

QString Key(QKeyCombination key)
{
    return QString::number(CBrowserView::CommandForKey(key));
}
} // namespace

// What showing a file does to the browser's title and the current file, what
// Show as Web Page does with a document, when the engine may start, the tag
// a file dropped onto a page becomes, and the keys a page gives up.
class TestBrowseRules : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
};

void TestBrowseRules::results_data()
{
    ZtTest::ResultColumns();
    Row("show: saved page", Show("/w/site/page.html", "/w/site/page.html"), "page.html /w/site/page.html");
    Row("show: preview of a page", Show("/w/site/tempFile.html", "/w/site/Page.HTM"), "Page.HTM /w/last.html");
    Row("show: preview name in other case is a page", Show("/w/site/TempFile.html", "/w/site/page.html"),
        "TempFile.html /w/site/TempFile.html");
    Row("show: name ending like the preview", Show("/w/mytempFile.html", "/w/a.html"), "a.html /w/last.html");

    Row("preview: modified page", Preview("/w/page.html", true), "temp page");
    Row("preview: saved page", Preview("/w/page.html", false), "file");
    Row("preview: modified jpg", Preview("/w/a.JPG", true), "file");
    Row("preview: jpeg", Preview("/w/a.jpeg", false), "wrong type");
    Row("preview: style sheet", Preview("/w/a.css", true), "wrong type");
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
    Row("tag: other file", tag("/web/site/notes.txt", "/web/site"), "");

    // The keys a page hands to the main window; the editors' own keys stay
    // the page's: Ctrl+A selects the page's text.
    Row("key: Ctrl+Alt+E", Key(Qt::ControlModifier | Qt::AltModifier | Qt::Key_E),
        QString::number(ZtCmd::ID_EDIT_DOCUMENT));
    Row("key: Ctrl+A", Key(Qt::ControlModifier | Qt::Key_A), "0");
    Row("key: E alone", Key(QKeyCombination(Qt::Key_E)), "0");
}

ZT_TEST_MAIN(TestBrowseRules)
#include "tst_browserules.moc"
