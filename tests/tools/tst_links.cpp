#include "support/GlobalPoolHeld.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FolderReader.h"
#include "files/SubfolderReader.h"
#include "files/TreeFolderReader.h"
#include "tools/LinkCheckDlg.h"
#include "tools/LinkCheckJob.h"
#include "tools/LinkParser.h"
#include "tools/LinkResolver.h"
#include "tools/LinkUpdater.h"
#include "tools/SiteSearchJob.h"
#include "tools/ValidateJob.h"

#include <QSignalSpy>
#include <QTreeWidget>

using ZtTest::Row;

namespace {
// The links as "url@line", then the base when there is one.
QString Links(const QVector<CPageLink>& links, const QString& base = QString())
{
    QStringList parts;
    for (const CPageLink& link : links)
        parts << QStringLiteral("%1@%2").arg(link.url).arg(link.line);
    if (!base.isEmpty())
        parts << QStringLiteral("base=") + base;
    return parts.join(QLatin1String(" | "));
}

QString Html(const QString& text)
{
    const CParsedPage page = ZtLinkParser::ParseHtml(text);
    return Links(page.links, page.baseHref);
}

// The written values, cut from the text by their offsets, so that a rewrite
// can trust them.
QString Cut(const QString& text)
{
    QStringList parts;
    for (const CPageLink& link : ZtLinkParser::ParseHtml(text).links)
        parts << text.mid(link.start, link.length);
    return parts.join(QLatin1Char('|'));
}

QString Resolved(const QString& url, const QString& base = QString())
{
    const CLinkTarget target = ZtLinkResolver::Resolve("/s/sub/page.html", base, url, "/s");
    switch (target.kind) {
    case CLinkTarget::LocalFile:
        return target.path;
    case CLinkTarget::SamePage:
        return QStringLiteral("(same page)");
    case CLinkTarget::External:
        return QStringLiteral("(external)");
    }
    return QString();
}

// The page's text after the move of from to to (both below the site), its
// links rewritten; the site's files are already where the move put them.
QString AfterMove(const QString& site, const QString& page, const QString& text, const QString& from, const QString& to)
{
    const QVector<CLinkEdit> edits = ZtLinkUpdater::EditsForMove(text, !page.endsWith(".css"), site + '/' + page,
                                                                 site + '/' + from, site + '/' + to, site);
    QString result = text;
    for (qsizetype i = edits.size() - 1; i >= 0; --i)
        result.replace(edits[i].start, edits[i].length, edits[i].text);
    return result;
}

QString Describe(const CLinkReport& report, const QString& folder)
{
    const QDir site(folder);
    QStringList lines;
    for (const CLinkProblem& problem : report.problems) {
        static const char* const kinds[] = {"broken", "case", "orphan"};
        QString line = QStringLiteral("%1 %2").arg(QLatin1String(kinds[problem.kind]), site.relativeFilePath(problem.page));
        if (problem.line > 0)
            line += QStringLiteral(":%1:%2 %3").arg(problem.line).arg(problem.column).arg(problem.link);
        if (!problem.actual.isEmpty())
            line += QStringLiteral(" -> ") + site.relativeFilePath(problem.actual);
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}
} // namespace

class TestLinks : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void checkSmallSite();
    void checkWindowListsFindings();
    void backgroundJobsRunWhileQtsPoolIsHeld();
};

void TestLinks::results_data()
{
    ZtTest::ResultColumns();
    Row("quoted both ways and not at all",
        Html("<a href=\"a.html\">A</a><IMG SRC='b.png'><body background=c.gif><form action = \"/send.php\" >"),
        "a.html@1 | b.png@1 | c.gif@1 | /send.php@1");
    Row("line numbers", Html("<p>\n<a\n href=\"a.html\">\r\n<img src=b.png>"), "a.html@3 | b.png@4");
    Row("comments hold no links", Html("<!-- <a href=\"x.html\"> --><a href=y.html>"), "y.html@1");
    Row("scripts hold no links", Html("<script>w('<a href=\"x.html\">')</script><img src=y.png>"), "y.png@1");
    Row("style element", Html("<style>\nbody { background: url( \"bg.png\" ) }\n</style>"), "bg.png@2");
    Row("style attribute", Html("<div style=\"background:url(d.png)\">"), "d.png@1");
    Row("base href", Html("<base href=\"sub/\"><a href=x.html>"), "x.html@1 | base=sub/");
    Row("character references", Html("<a href=\"p.php?a=1&amp;b=2\">"), "p.php?a=1&b=2@1");
    Row("other attributes are no links", Html("<a data-href=\"x\" title=\"href=z.html\" hreflang=en>"), "");
    Row("unclosed quote", Html("<a href=\"a.html>"), "a.html>@1");
    Row("offsets", Cut("<a href = 'one.html' ><img src=two.png><div style=\"x:url('three.png')\">"),
        "one.html|two.png|three.png");
    Row("css", Links(ZtLinkParser::ParseCss(QStringLiteral("a{b:url(a.png)}\n@font-face{src:url('b c.woff') url(\"d.svg\")}"))),
        "a.png@1 | b c.woff@2 | d.svg@2");

    Row("same folder", Resolved("a.html"), "/s/sub/a.html");
    Row("parent", Resolved("../a.html"), "/s/a.html");
    Row("site root", Resolved("/img/x.png"), "/s/img/x.png");
    Row("blanks around", Resolved("  a.html  "), "/s/sub/a.html");
    Row("query and fragment", Resolved("a.html?x=1#top"), "/s/sub/a.html");
    Row("fragment only", Resolved("#top"), "(same page)");
    Row("mailto", Resolved("mailto:ann@example.org"), "(external)");
    Row("scheme in capitals", Resolved("HTTPS://example.org/"), "(external)");
    Row("protocol-relative", Resolved("//cdn.example.org/x.js"), "(external)");
    Row("file URL", Resolved("file:///tmp/x.html#a"), "/tmp/x.html");
    Row("percent-encoded UTF-8", Resolved("%C3%A9t%C3%A9.html"), QStringLiteral("/s/sub/\u00e9t\u00e9.html"));
    Row("percent-encoded mark is a name", Resolved("a%3Fb.html"), "/s/sub/a?b.html");
    Row("base folder", Resolved("x.html", "../other/"), "/s/other/x.html");
    Row("base file", Resolved("x.html", "other/index.html"), "/s/sub/other/x.html");
    Row("absolute base", Resolved("x.html", "http://example.org/"), "(external)");
    Row("absolute link under a base", Resolved("mailto:a@b", "../other/"), "(external)");

    // The site as it is after each move.
    const QString s = ZtTest::FreshDir("moved/Site");
    for (const char* file : {"index.html", "b.html", "pages/a.html", "images/logo.png", "pics/logo.png",
                             "our page.html", "manual/x.html", "manual/y.html", "images/bg.png", "style.css",
                             "caf\xc3\xa9.html", "manual/deep/a.html"})
        ZtTest::WriteFile(s + '/' + QString::fromUtf8(file), "x");
    Row("query and fragment kept", AfterMove(s, "index.html", "<a href='a.html?x=1&amp;y=2#t'>", "a.html", "pages/a.html"),
        "<a href='pages/a.html?x=1&amp;y=2#t'>");
    Row("folder renamed", AfterMove(s, "index.html", "<img src=img/logo.png>", "img", "images"), "<img src=images/logo.png>");
    Row("letter case as on disk", AfterMove(s, "index.html", "<img src=\"IMG/Logo.PNG\">", "img", "pics"),
        "<img src=\"pics/logo.png\">");
    Row("from the root stays from the root", AfterMove(s, "pages/a.html", "<img src=\"/img/logo.png\">", "img", "images"),
        "<img src=\"/images/logo.png\">");
    Row("moved page's own links", AfterMove(s, "pages/a.html",
                                            "<a href=index.html>i</a><a href=#top>t</a><a href=mailto:a@b>m</a>"
                                            "<a href=http://example.org/>e</a><a href=pages/a.html>self</a>",
                                            "a.html", "pages/a.html"),
        "<a href=../index.html>i</a><a href=#top>t</a><a href=mailto:a@b>m</a><a href=http://example.org/>e</a>"
        "<a href=a.html>self</a>");
    Row("moved together", AfterMove(s, "manual/x.html", "<a href=\"y.html\">", "docs", "manual"), "<a href=\"y.html\">");
    Row("percent-encoded", AfterMove(s, "index.html", "<a href=\"my%20page.html\">", "my page.html", "our page.html"),
        "<a href=\"our%20page.html\">");
    Row("style sheet", AfterMove(s, "site.css", "body{background:url('img/bg.png')}", "img", "images"),
        "body{background:url('images/bg.png')}");
    Row("page with a base href left alone", AfterMove(s, "index.html", "<base href=x/><a href=a.html>", "a.html", "b.html"),
        "<base href=x/><a href=a.html>");
    Row("untouched links stay as written", AfterMove(s, "index.html", "<a href=\"./b.html\"><a href=\"index.html\">", "a.html", "z.html"),
        "<a href=\"./b.html\"><a href=\"index.html\">");
    Row("renamed page keeps links that still lead where they did",
        AfterMove(s, "b.html", "<a href=\"/\">h</a><a href=\"./index.html\">i</a><link href=\"../Site/style.css\">"
                               "<a href=\"caf%C3%A9.html\">c</a>", "a.html", "b.html"),
        "<a href=\"/\">h</a><a href=\"./index.html\">i</a><link href=\"../Site/style.css\"><a href=\"caf%C3%A9.html\">c</a>");
    Row("page moved deeper",
        AfterMove(s, "manual/deep/a.html", "<a href=\"../\">up</a><a href=\"../caf%C3%A9.html\">c</a><a href=\"/\">r</a>"
                                           "<a href=\"./\">here</a><a href=\"/manual/x.html\">x</a>",
                  "manual/a.html", "manual/deep/a.html"),
        "<a href=\"../../\">up</a><a href=\"../../caf%C3%A9.html\">c</a><a href=\"/\">r</a>"
        "<a href=\"../\">here</a><a href=\"/manual/x.html\">x</a>");
}

// A small site with one of each finding; a symbolic link looping back to the
// site's folder must not trap the check.
void TestLinks::checkSmallSite()
{
    const QString folder = ZtTest::FreshDir("site");
    ZtTest::WriteFile(folder + "/index.html",
                      "<html><head><link rel=stylesheet href=\"style.css?v=2\"></head>\r\n"
                      "<body><a href=\"about.html#team\">About</a> <a href=\"missing.html\">x</a>\r\n"
                      "<img src=\"Images/Logo.png\"> <a href=\"my%20page.html\">p</a>\r\n"
                      "<a href=\"mailto:a@example.org\">m</a> <a href=\"http://example.org/\">e</a>"
                      " <a href=\"#top\">t</a> <a href=\"//cdn.example.org/j.js\">c</a></body></html>");
    ZtTest::WriteFile(folder + "/about.html", "<a href=\"index.html\">home</a><a href=\"/sub/\">sub</a>"
                                              "<a href=\"docs\">docs</a>");
    ZtTest::WriteFile(folder + "/style.css", "body { background: url(img/bg.png) }");
    ZtTest::WriteFile(folder + "/images/logo.png", "png");
    ZtTest::WriteFile(folder + "/my page.html", "<p>");
    ZtTest::WriteFile(folder + "/orphan.html", "<p>");
    ZtTest::WriteFile(folder + "/sub/notes.txt", "x");
    // Linked through their folders: each is the page a server sends for it.
    ZtTest::WriteFile(folder + "/sub/index.htm", "<p>");
    ZtTest::WriteFile(folder + "/docs/default.html", "<p>");
    ZtTest::WriteFile(folder + "/site.ztp", "[project]");
    QVERIFY(QFile::link(folder, folder + "/sub/loop"));

    const CLinkReport report = CLinkCheckJob::Check(folder);
    QCOMPARE(Describe(report, folder),
             QStringLiteral("broken index.html:2:51 missing.html\n"
                            "case index.html:3:10 Images/Logo.png -> images/logo.png\n"
                            "broken style.css:1:23 img/bg.png\n"
                            "orphan orphan.html\n"
                            "orphan sub/notes.txt"));
    QCOMPARE(report.pagesChecked, 7);
}

void TestLinks::checkWindowListsFindings()
{
    const QString folder = ZtTest::FreshDir("window");
    ZtTest::WriteFile(folder + "/index.html", "<p>\n  <a href=\"gone.html\">x</a>");
    CLinkCheckDlg dialog;
    QSignalSpy chosen(&dialog, &CLinkCheckDlg::linkChosen);
    dialog.Start(folder);
    QTRY_VERIFY(!dialog.IsChecking());
    QTreeWidget* results = dialog.Results();
    QTreeWidgetItem* broken = results->topLevelItem(0);
    QCOMPARE(broken->childCount(), 1);
    emit results->itemDoubleClicked(broken->child(0), 0);
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().at(0).toString(), folder + "/index.html");
    QCOMPARE(chosen.first().at(1).toInt(), 2);
    QCOMPARE(chosen.first().at(2).toLongLong(), 11);
    QCOMPARE(chosen.first().at(3).toLongLong(), 9);
}

// Qt's painter waits for its parts on the global pool, so the folder readers
// and the site tools never run there: with that pool held by long tasks, each
// still finishes.
void TestLinks::backgroundJobsRunWhileQtsPoolIsHeld()
{
    const QString folder = ZtTest::FreshDir("held");
    ZtTest::WriteFile(folder + "/index.html", "<a href=\"gone.html\">old</a>");
    ZtTest::CGlobalPoolHeld held;
    QVERIFY(held.IsHeld());

    CFolderReader files;
    QSignalSpy filesDone(&files, &CFolderReader::finished);
    files.Start(folder);
    CSubfolderReader subfolders;
    QSignalSpy subfoldersDone(&subfolders, &CSubfolderReader::finished);
    subfolders.Start(folder, false);
    CTreeFolderReader tree;
    QSignalSpy treeDone(&tree, &CTreeFolderReader::folderListed);
    tree.Start(folder);
    CLinkCheckJob links;
    QSignalSpy linksDone(&links, &CLinkCheckJob::finished);
    links.Start(folder);
    CSiteSearchJob search;
    QSignalSpy searchDone(&search, &CSiteSearchJob::finished);
    CSiteSearchOptions options;
    options.pattern = QStringLiteral("old");
    search.StartFind(folder, QStringLiteral("*.html"), options, {});
    CValidateJob validation;
    QSignalSpy validationDone(&validation, &CValidateJob::finished);
    validation.Start(QStringLiteral("<p>"));

    // Each job in turn, named when it never ends.
    const std::pair<const char*, QSignalSpy*> jobs[] = {{"files", &filesDone},   {"subfolders", &subfoldersDone},
                                                        {"tree", &treeDone},     {"links", &linksDone},
                                                        {"search", &searchDone}, {"validation", &validationDone}};
    for (const auto& [name, done] : jobs)
        QTRY_VERIFY2_WITH_TIMEOUT(done->size() == 1, name, 10000);
    QCOMPARE(filesDone.first().at(0).toBool(), true);
    QCOMPARE(treeDone.first().at(1).value<QVector<CTreeEntry>>().size(), 1);
    QCOMPARE(linksDone.first().at(0).value<CLinkReport>().problems.size(), 1);
    QCOMPARE(searchDone.first().at(0).value<CSiteSearchSummary>().matches, 1);
}

ZT_TEST_MAIN(TestLinks)
#include "tst_links.moc"
