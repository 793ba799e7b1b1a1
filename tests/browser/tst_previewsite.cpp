#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "browser/CaretElement.h"
#include "browser/PreviewSite.h"

#include <QDir>
#include <QFile>

using ZtTest::Row;
using ZtTest::YesNo;

// Which files a previewed page may load (the site rule, with links, "..",
// escapes and awkward folder names on a real disk), the preview's addresses,
// and which element of a page's source holds the caret.
class TestPreviewSite : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void results_data();
    void results() { ZtTest::CompareResult(); }

private:
    QString m_root;    // holds the sites and the user's other files
    QString m_site;    // a page's folder, with "#", "%", "?" and spaces in its name
    QString m_project; // a project folder with pages in a subfolder
};

void TestPreviewSite::initTestCase()
{
    m_root = ZtTest::SandboxDir();
    m_site = m_root + QStringLiteral("/my site #1 %41?");
    m_project = m_root + QStringLiteral("/project");
    ZtTest::WriteFile(m_site + QStringLiteral("/page.html"), "<P>page</P>\n");
    ZtTest::WriteFile(m_site + QStringLiteral("/css/s.css"), "P {}\n");
    ZtTest::WriteFile(m_root + QStringLiteral("/secret.txt"), "secret\n");
    ZtTest::WriteFile(m_site + QStringLiteral("-evil/x.txt"), "x\n");
    ZtTest::WriteFile(m_project + QStringLiteral("/pages/page.html"), "<P>page</P>\n");
    ZtTest::WriteFile(m_project + QStringLiteral("/img/a.gif"), "GIF89a");
    QVERIFY(QFile::link(m_root + QStringLiteral("/secret.txt"), m_site + QStringLiteral("/secret-link.txt")));
    QVERIFY(QFile::link(m_root, m_site + QStringLiteral("/out")));
    QVERIFY(QFile::link(m_site + QStringLiteral("/css"), m_site + QStringLiteral("/styles")));
}

void TestPreviewSite::results_data()
{
    ZtTest::ResultColumns();
    const QUrl page = QUrl::fromLocalFile(m_site + QStringLiteral("/page.html"));
    const QUrl livePage = CPreviewSite::PreviewUrl(m_site + QStringLiteral("/page.html"));
    const QUrl projectPage = QUrl::fromLocalFile(m_project + QStringLiteral("/pages/page.html"));
    auto may = [](const QUrl& url, const QUrl& pageUrl, const QString& project = QString()) {
        return YesNo(CPreviewSite::MayLoad(url, pageUrl, project));
    };
    auto file = [this](const QString& relative) { return QUrl::fromLocalFile(m_site + relative); };
    auto live = [this](const QString& relative) { return CPreviewSite::PreviewUrl(m_site + relative); };
    // The encoded form of the site folder, to write escapes after it by hand.
    const QString encodedSite = live(QString()).toString(QUrl::FullyEncoded);

    Row("a style sheet of the site", may(file("/css/s.css"), page), "yes");
    Row("a picture not made yet", may(file("/new.gif"), page), "yes");
    Row("the site folder itself", may(file(QString()), page), "yes");
    Row("through the preview's address", may(live("/css/s.css"), livePage), "yes");
    Row("a link that stays inside", may(file("/styles/s.css"), page), "yes");
    Row("out by ..", may(file("/../secret.txt"), page), "no");
    Row("out by an escaped ..", may(QUrl(encodedSite + QStringLiteral("/%2e%2e/secret.txt")), livePage), "no");
    Row("out by an escaped slash", may(QUrl(encodedSite + QStringLiteral("%2F..%2Fsecret.txt")), livePage), "no");
    Row("a link to a file outside", may(file("/secret-link.txt"), page), "no");
    Row("a folder link leading out", may(file("/out/secret.txt"), page), "no");
    Row("a folder whose name begins like the site's", may(QUrl::fromLocalFile(m_site + "-evil/x.txt"), page), "no");
    Row("a folder that does not exist", may(file("/none/x.css"), page), "no");
    Row("a CDN's style sheet", may(QUrl("https://cdn.example.com/x.css"), livePage), "yes");
    Row("a local file into a remote page", may(file("/css/s.css"), QUrl("https://example.com/")), "no");
    Row("a project page reads the project", may(QUrl::fromLocalFile(m_project + "/img/a.gif"), projectPage, m_project),
        "yes");
    Row("without the project, its own folder only", may(QUrl::fromLocalFile(m_project + "/img/a.gif"), projectPage),
        "no");
    Row("a page outside the project keeps to its folder",
        may(QUrl::fromLocalFile(m_project + "/img/a.gif"), page, m_project), "no");

    // There and back through the text the engine sees.
    auto roundTrip = [](const QString& path) {
        const QUrl url = CPreviewSite::PreviewUrl(path);
        return CPreviewSite::PathOfPreviewUrl(QUrl(url.toString(QUrl::FullyEncoded)));
    };
    for (const char* path : {"/w/my site #1 %41?/page.html", "/w/\xc3\xa9t\xc3\xa9/x#y?z.html"})
        Row(path, roundTrip(QString::fromUtf8(path)), QString::fromUtf8(path));
    Row("a file address is none of the preview's",
        CPreviewSite::PathOfPreviewUrl(QUrl::fromLocalFile(QStringLiteral("/w/x.html"))), QString());

    // "|" marks the caret.
    auto at = [](const char* marked) {
        QString text = QString::fromUtf8(marked);
        const qsizetype caret = text.indexOf(QLatin1Char('|'));
        text.remove(caret, 1);
        const CCaretElement element = CCaretElement::At(text, caret);
        return element.tag.isEmpty() ? QStringLiteral("none")
                                      : element.tag + QLatin1Char('#') + QString::number(element.index);
    };
    Row("in the second paragraph", at("<p>one</p><P>t|wo</P>"), "p#1");
    Row("inside a start tag", at("<p>a</p><p cla|ss=x>b</p>"), "p#1");
    Row("after an element closed inside another", at("<div><span>x</span> y|</div>"), "div#0");
    Row("text in the body after a paragraph", at("<body><p>a</p> |"), "p#0");
    Row("no element yet", at("<html><body>|text"), "none");
    Row("inside a script", at("<p>a</p><script>va|r</script>"), "none");
    Row("tags in a comment do not count", at("<!-- <p> --><p>x|"), "p#0");
    Row("tags in a script do not count", at("<script>if (a<b) s='<p>';</script><p>|"), "p#0");
    Row("tags in a style sheet do not count", at("<style>p:after{content:'<p>'}</style><p>|"), "p#0");
    Row("a quoted '>' in a value", at("<div title='a>b'><p>x</p>|</div>"), "div#0");
    Row("void elements stay closed", at("<p><img src=a><img src=b>|</p>"), "p#0");
    Row("after void elements in the body", at("<img src=a><br/><img src=b> |"), "img#1");
}

ZT_TEST_MAIN(TestPreviewSite)
#include "tst_previewsite.moc"
