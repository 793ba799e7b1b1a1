#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FolderReader.h"
#include "files/FolderWatcher.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

using ZtTest::Row;

// The rows a file list shows, and the reader that makes them off the
// window's thread; the folder watcher while its watches are being set up,
// held there so that the folder can change before the system watch is in
// place.
class TestFileRow : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { CFolderWatcher::SetSetUpGate({}); }
    void rowTexts_data();
    void rowTexts() { ZtTest::CompareResult(); }
    void readerDeliversOnlyTheLatestFolder();
    void changeWhileSettingUp_data();
    void changeWhileSettingUp();
};


// The row of a file holding bytes (-1: a folder; -2: a link to nothing); a
// file's row also shows its time, set to 2021-03-04 05:06:59, in local time
// and minutes without seconds.
static QString RowOf(const QString& name, int bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (bytes == -1)
        QDir().mkdir(path);
    else if (bytes == -2)
        QFile::link(dir.filePath(QStringLiteral("missing")), path);
    else
        ZtTest::WriteFile(path, QByteArray(bytes, 'x'));
    QFile file(path);
    if (bytes >= 0 && file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime(QDate(2021, 3, 4), QTime(5, 6, 59)), QFileDevice::FileModificationTime);
    file.close();
    const CFileRow row = CFileRowMaker().Make(QFileInfo(path));
    return QStringLiteral("%1|%2|%3%4").arg(row.m_strName, row.m_strSize, row.m_strType,
                                            row.m_bFolder ? QStringLiteral("|dir") : QString())
           + (bytes >= 0 ? QLatin1Char('|') + row.m_strModified : QString());
}

void TestFileRow::rowTexts_data()
{
    ZtTest::ResultColumns();
    Row("empty page", RowOf("a.HTML", 0), "a.HTML|0 KB|HTML document|2021-03-04 05:06");
    Row("rounded up", RowOf("b.txt", 1025), "b.txt|2 KB|Plain text document|2021-03-04 05:06");
    Row("thousands", RowOf("big.txt", 1300 * 1024), "big.txt|1,300 KB|Plain text document|2021-03-04 05:06");
    Row("no extension", RowOf("notes", 1), "notes|1 KB|File|2021-03-04 05:06");
    Row("unknown extension", RowOf("x.zzq", 1), "x.zzq|1 KB|ZZQ File|2021-03-04 05:06");
    Row("hidden, no extension", RowOf(".htpasswd", 1), ".htpasswd|1 KB|File|2021-03-04 05:06");
    Row("folder has no size", RowOf("sub.d", -1), "sub.d||Folder|dir");
    Row("broken link", RowOf("gone.html", -2), "gone.html||Broken link");
}

void TestFileRow::readerDeliversOnlyTheLatestFolder()
{
    QTemporaryDir first;
    QTemporaryDir second;
    for (int i = 0; i < 3000; ++i)
        ZtTest::WriteFile(first.filePath(QStringLiteral("f%1.htm").arg(i)), "");
    ZtTest::WriteFile(second.filePath(QStringLiteral("only.txt")), "x");

    CFolderReader reader;
    QStringList names;
    connect(&reader, &CFolderReader::rowsRead, this, [&names](const QVector<CFileRow>& rows) {
        for (const CFileRow& row : rows)
            names << row.m_strName;
    });
    QSignalSpy finished(&reader, &CFolderReader::finished);
    // A second folder asked for at once: nothing of the first may arrive.
    reader.Start(first.path());
    reader.Start(second.path());
    QVERIFY(finished.wait(5000));
    QCoreApplication::processEvents();
    QCOMPARE(names, QStringList{QStringLiteral("only.txt")});
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toBool(), true);

    // A folder that cannot be listed ends at once, with no rows.
    names.clear();
    reader.Start(second.filePath(QStringLiteral("only.txt")));
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.last().first().toBool(), false);
    QCOMPARE(reader.Failure(), QStringLiteral("Not a directory"));
    QVERIFY(names.isEmpty());
}

void TestFileRow::changeWhileSettingUp_data()
{
    // What happens to the folder while set-up is held, whether it is still
    // watched when set-up goes on, and how often it is told.
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("watched");
    QTest::addColumn<int>("told");
    QTest::newRow("file made") << "make" << true << 1;
    QTest::newRow("nothing") << "" << true << 0;
    QTest::newRow("made, folder no longer watched") << "make" << false << 0;
}

void TestFileRow::changeWhileSettingUp()
{
    QFETCH(QString, change);
    QFETCH(bool, watched);
    QFETCH(int, told);
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("watched"));
    ZtTest::WriteFile(folder + QStringLiteral("/a.htm"), "a");
    // Made an hour ago, as far as its time says: only what happens next
    // counts as a change.
    struct timespec times[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0) == 0);

    // Once released, every set-up passes.
    QSemaphore held;
    CFolderWatcher::SetSetUpGate([&held] {
        held.acquire();
        held.release();
    });
    CFolderWatcher watcher;
    QSignalSpy spy(&watcher, &CFolderWatcher::folderChanged);
    watcher.SetFolders({folder});
    if (change == QLatin1String("make"))
        ZtTest::WriteFile(folder + QStringLiteral("/b.htm"), "b");
    if (!watched)
        watcher.SetFolders({});
    QVERIFY(watcher.IsSettingUp());
    held.release();
    QTRY_VERIFY(!watcher.IsSettingUp());
    // Told before set-up is done, and only once: a second report would
    // have come by now too.
    QCOMPARE(spy.size(), told);
    QTest::qWait(200);
    QCOMPARE(spy.size(), told);
    if (told > 0)
        QCOMPARE(spy.first().first().toString(), folder);

    // The watch is in place: a change now is told through it.
    if (watched) {
        ZtTest::WriteFile(folder + QStringLiteral("/d.htm"), "d");
        QTRY_COMPARE(spy.size(), told + 1);
    }
}

ZT_TEST_MAIN(TestFileRow)
#include "tst_filerow.moc"
