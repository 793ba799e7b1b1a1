#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/AtomicFile.h"
#include "files/FolderCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

using ZtTest::Row;

namespace {

// Copies from/<source> holding bytes into a folder that holds present
// ("name=bytes", or "name/" for a folder): the copy's name, then what the
// folder's files hold afterwards.
QString CopyInto(const QString& source, const QByteArray& bytes, const QStringList& present = {})
{
    QTemporaryDir root;
    const QDir to(root.filePath("to"));
    QDir().mkpath(to.path());
    for (const QString& entry : present) {
        if (entry.endsWith('/'))
            QDir().mkpath(to.filePath(entry));
        else
            ZtTest::WriteFile(to.filePath(entry.section('=', 0, 0)), entry.section('=', 1).toUtf8());
    }
    QString reason;
    const QString copy = ZtFolderCopy::CopyInto(ZtTest::WriteFile(root.filePath("from/" + source), bytes), to.path(), &reason);
    QStringList held;
    for (const QString& name : to.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        held << name + '=' + QString::fromUtf8(ZtTest::ReadFile(to.filePath(name)));
    return to.relativeFilePath(copy) + reason + QStringLiteral(" | ") + held.join(' ');
}

} // namespace

// Copying a file into a folder never replaces what the folder holds. Files
// whose names the program chooses (the preview page beside a page): whatever
// stands in their place, a file elsewhere is never written.
class TestFolderCopy : public QObject
{
    Q_OBJECT
private slots:
    void copyInto_data();
    void copyInto() { ZtTest::CompareResult(); }
    void failureLeavesNothing_data();
    void failureLeavesNothing();
    void onlyTheNameIsWritten_data();
    void onlyTheNameIsWritten();
};

void TestFolderCopy::copyInto_data()
{
    ZtTest::ResultColumns();
    Row("free name", CopyInto("logo.png", "png"), "logo.png | logo.png=png");
    Row("same bytes there", CopyInto("logo.png", "png", {"logo.png=png"}), "logo.png | logo.png=png");
    Row("other bytes there", CopyInto("logo.png", "png", {"logo.png=old"}), "logo-2.png | logo-2.png=png logo.png=old");
    Row("only the numbered one holds it", CopyInto("logo.png", "png", {"logo.png=a", "logo-2.png=png"}),
        "logo-3.png | logo-2.png=png logo-3.png=png logo.png=a");
    Row("no extension", CopyInto("README", "r", {"README=x"}), "README-2 | README=x README-2=r");
    Row("dot file", CopyInto(".logo", "r", {".logo=x"}), ".logo-2 | .logo=x .logo-2=r");
    Row("two dots", CopyInto("a.b.gif", "g", {"a.b.gif=x"}), "a.b-2.gif | a.b-2.gif=g a.b.gif=x");
    Row("a folder takes the name", CopyInto("pics", "p", {"pics/"}), "pics-2 | pics-2=p");
    Row("empty file", CopyInto("empty.gif", QByteArray()), "empty.gif | empty.gif=");
}

void TestFolderCopy::failureLeavesNothing_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("folder");
    QTest::newRow("source gone") << "from/gone.png" << "to";
    QTest::newRow("source is a folder") << "from" << "to";
    QTest::newRow("folder gone") << "from/a.png" << "to/gone";
}

void TestFolderCopy::failureLeavesNothing()
{
    QFETCH(QString, source);
    QFETCH(QString, folder);
    QTemporaryDir root;
    const QDir dir(root.path());
    QVERIFY(dir.mkpath("to"));
    ZtTest::WriteFile(dir.filePath("from/a.png"), "png");
    QString reason;
    QCOMPARE(ZtFolderCopy::CopyInto(dir.filePath(source), dir.filePath(folder), &reason), QString());
    QVERIFY(!reason.isEmpty());
    QCOMPARE(QDir(dir.filePath("to")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

void TestFolderCopy::onlyTheNameIsWritten_data()
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
}

void TestFolderCopy::onlyTheNameIsWritten()
{
    QFETCH(QString, occupant);
    QFETCH(bool, written);
    const QString dir = ZtTest::FreshDir(QStringLiteral("scratch"));
    const QString path = dir + QStringLiteral("/tempFile.html");
    const QString victim = ZtTest::WriteFile(dir + QStringLiteral("/other/victim"), "mine");
    if (occupant == QLatin1String("file"))
        ZtTest::WriteFile(path, "old page");
    else if (occupant == QLatin1String("link"))
        QVERIFY(QFile::link(victim, path));
    else if (occupant == QLatin1String("dangling"))
        QVERIFY(QFile::link(dir + QStringLiteral("/other/new"), path));
    else if (occupant == QLatin1String("fifo"))
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);

    QString reason;
    QCOMPARE(CAtomicFile::WriteScratch(path, "<P>preview</P>", &reason), written);
    QCOMPARE(reason.isEmpty(), written);
    if (written)
        QCOMPARE(ZtTest::ReadFile(path), QByteArray("<P>preview</P>"));
    QCOMPARE(ZtTest::ReadFile(victim), QByteArray("mine"));
    QVERIFY(!QFileInfo::exists(dir + QStringLiteral("/other/new")));
    // The user's own saves still go through a link to the file it names.
    if (occupant == QLatin1String("link")) {
        QVERIFY(CAtomicFile::Write(path, "saved"));
        QCOMPARE(ZtTest::ReadFile(victim), QByteArray("saved"));
        QVERIFY(QFileInfo(path).isSymLink());
    }
}

ZT_TEST_MAIN(TestFolderCopy)
#include "tst_foldercopy.moc"
