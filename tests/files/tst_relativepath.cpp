#include "support/TestMain.h"

#include "files/RelativePath.h"

// The references pages get for files: relative below the base, the path
// unchanged elsewhere, letter case always kept.
class TestRelativePath : public QObject
{
    Q_OBJECT
private slots:
    void makeRelativePath_data();
    void makeRelativePath();
};

void TestRelativePath::makeRelativePath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("expected");
    QTest::newRow("below, case kept") << "/Web/Site/Images/Logo.GIF" << "/Web/Site" << "Images/Logo.GIF";
    QTest::newRow("elsewhere") << "/Web/Site/Images/Logo.GIF" << "/other" << "/Web/Site/Images/Logo.GIF";
    QTest::newRow("in the base") << "/site/a.gif" << "/site" << "a.gif";
    QTest::newRow("one folder down") << "/site/img/a.gif" << "/site" << "img/a.gif";
    QTest::newRow("no base") << "/a.gif" << "" << "/a.gif";
    QTest::newRow("equal to the base") << "/Site" << "/Site" << "/Site";
    QTest::newRow("shorter than the base") << "/S" << "/Site" << "/S";
    // On a case-sensitive file system /web is not /Web.
    QTest::newRow("base in other case") << "/web/site/a.gif" << "/Web/Site" << "/web/site/a.gif";
    QTest::newRow("base ends in a slash") << "/a.gif" << "/" << "a.gif";
}

void TestRelativePath::makeRelativePath()
{
    QFETCH(QString, path);
    QFETCH(QString, base);
    QFETCH(QString, expected);
    QCOMPARE(MakeRelativePath(path, base), expected);
}

ZT_TEST_MAIN(TestRelativePath)
#include "tst_relativepath.moc"
