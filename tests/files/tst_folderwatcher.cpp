#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FolderWatcher.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>

// The folder watcher while its watches are being set up, held there so that
// the folder can change before the system watch is in place.
class TestFolderWatcher : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { CFolderWatcher::SetSetUpGate({}); }

    void changeWhileSettingUp_data();
    void changeWhileSettingUp();
};

void TestFolderWatcher::changeWhileSettingUp_data()
{
    // What happens to the folder while set-up is held, whether it is still
    // watched when set-up goes on, and how often it is told.
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("watched");
    QTest::addColumn<int>("told");
    QTest::newRow("file made") << "make" << true << 1;
    QTest::newRow("file removed") << "remove" << true << 1;
    QTest::newRow("file renamed") << "rename" << true << 1;
    QTest::newRow("nothing") << "" << true << 0;
    QTest::newRow("made, folder no longer watched") << "make" << false << 0;
}

void TestFolderWatcher::changeWhileSettingUp()
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
    else if (change == QLatin1String("remove"))
        QVERIFY(QFile::remove(folder + QStringLiteral("/a.htm")));
    else if (change == QLatin1String("rename"))
        QVERIFY(QFile::rename(folder + QStringLiteral("/a.htm"), folder + QStringLiteral("/c.htm")));
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

ZT_TEST_MAIN(TestFolderWatcher)
#include "tst_folderwatcher.moc"
