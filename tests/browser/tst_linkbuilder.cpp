#include "support/TestMain.h"

#include "browser/LinkBuilder.h"

// The tag a file dropped onto a page becomes, with its path made relative
// to the pages' folder.
class TestLinkBuilder : public QObject
{
    Q_OBJECT
private slots:
    void tagForFile_data();
    void tagForFile();
};

void TestLinkBuilder::tagForFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("tag");
    QTest::newRow("page below") << "/web/site/pages/News.html" << "/web/site"
                                << "<A HREF=\"pages/News.html\"> </A>\n";
    QTest::newRow("picture keeps its case") << "/web/site/Images/Logo.GIF" << "/web/site"
                                            << "<IMG SRC=\"Images/Logo.GIF\" BORDER=\"0\">";
    QTest::newRow("jpeg") << "/web/site/a b.jpeg" << "/web/site" << "<IMG SRC=\"a b.jpeg\" BORDER=\"0\">";
    QTest::newRow("elsewhere stays whole") << "/other/x.htm" << "/web/site" << "<A HREF=\"/other/x.htm\"> </A>\n";
    QTest::newRow("folder in another case") << "/Web/site/x.htm" << "/web/site" << "<A HREF=\"/Web/site/x.htm\"> </A>\n";
    QTest::newRow("no base") << "/web/x.gif" << "" << "<IMG SRC=\"/web/x.gif\" BORDER=\"0\">";
    QTest::newRow("root as base") << "/x.gif" << "/" << "<IMG SRC=\"x.gif\" BORDER=\"0\">";
    QTest::newRow("the base itself") << "/web/site" << "/web/site/longer" << "";
    QTest::newRow("other file") << "/web/site/notes.txt" << "/web/site" << "";
    QTest::newRow("no extension") << "/web/site/README" << "/web/site" << "";
}

void TestLinkBuilder::tagForFile()
{
    QFETCH(QString, path);
    QFETCH(QString, base);
    QFETCH(QString, tag);
    QCOMPARE(CLinkBuilder::BuildTagForFile(path, base), tag);
}

ZT_TEST_MAIN(TestLinkBuilder)
#include "tst_linkbuilder.moc"
