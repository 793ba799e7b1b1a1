#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

// Files whose names the program chooses (the preview page beside a page):
// whatever stands in their place, a file elsewhere is never written.
class TestScratchFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void onlyTheNameIsWritten_data();
    void onlyTheNameIsWritten();

private:
    QString m_dir;
    int m_nCase = 0;
};

void TestScratchFile::init()
{
    m_dir = ZtTest::FreshDir(QStringLiteral("scratch %1").arg(++m_nCase));
}

void TestScratchFile::onlyTheNameIsWritten_data()
{
    // What is in the scratch file's place; "link" points to "victim", which
    // holds "mine" and must keep it.
    QTest::addColumn<QString>("occupant");
    QTest::addColumn<bool>("written");

    QTest::newRow("nothing") << "" << true;
    QTest::newRow("an older page") << "file" << true;
    QTest::newRow("a link to a file") << "link" << false;
    QTest::newRow("a link to nothing") << "dangling" << false;
    QTest::newRow("a pipe") << "fifo" << false;
    QTest::newRow("a folder") << "folder" << false;
}

void TestScratchFile::onlyTheNameIsWritten()
{
    QFETCH(QString, occupant);
    QFETCH(bool, written);
    const QString path = m_dir + QStringLiteral("/tempFile.html");
    const QString victim = ZtTest::WriteFile(m_dir + QStringLiteral("/other/victim"), "mine");
    if (occupant == QLatin1String("file"))
        ZtTest::WriteFile(path, "old page");
    else if (occupant == QLatin1String("link"))
        QVERIFY(QFile::link(victim, path));
    else if (occupant == QLatin1String("dangling"))
        QVERIFY(QFile::link(m_dir + QStringLiteral("/other/new"), path));
    else if (occupant == QLatin1String("fifo"))
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    else if (occupant == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(path));

    QString reason;
    QCOMPARE(CAtomicFile::WriteScratch(path, "<P>preview</P>", &reason), written);
    QCOMPARE(reason.isEmpty(), written);
    QCOMPARE(CAtomicFile::ScratchProblem(path).isEmpty(), written);
    if (written)
        QCOMPARE(ZtTest::ReadFile(path), QByteArray("<P>preview</P>"));
    QCOMPARE(ZtTest::ReadFile(victim), QByteArray("mine"));
    QVERIFY(!QFileInfo::exists(m_dir + QStringLiteral("/other/new")));
    // The user's own saves still go through a link to the file it names.
    if (occupant == QLatin1String("link")) {
        QVERIFY(CAtomicFile::Write(path, "saved"));
        QCOMPARE(ZtTest::ReadFile(victim), QByteArray("saved"));
        QVERIFY(QFileInfo(path).isSymLink());
    }
}

ZT_TEST_MAIN(TestScratchFile)
#include "tst_scratchfile.moc"
