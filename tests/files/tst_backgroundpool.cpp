#include "support/GlobalPoolHeld.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/BackgroundPool.h"
#include "files/FolderReader.h"
#include "files/SubfolderReader.h"
#include "files/TreeFolderReader.h"

#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <cstdio>
#include <cstring>

class TestBackgroundPool : public QObject
{
    Q_OBJECT
private slots:
    void foldersAreListedWhileQtsPoolIsHeld();
    void eachApplicationWaitsForThePool();
};

// Qt's painter waits for its parts on the global pool, so listings never run
// there: with that pool held by long tasks, every reader still finishes.
void TestBackgroundPool::foldersAreListedWhileQtsPoolIsHeld()
{
    const QString folder = ZtTest::FreshDir("site");
    ZtTest::WriteFile(folder + "/index.html", "<p>");
    ZtTest::WriteFile(folder + "/images/logo.png", "png");
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

    QTRY_COMPARE_WITH_TIMEOUT(filesDone.size(), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(subfoldersDone.size(), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(treeDone.size(), 1, 10000);
    QCOMPARE(filesDone.first().at(0).toBool(), true);
    QCOMPARE(treeDone.first().at(1).value<QVector<CTreeEntry>>().size(), 2);
}

namespace {
// Run as a process of its own (--apps-in-turn): two application objects one
// after the other, each gone while a task it started still runs. Prints how
// many tasks had ended as each went.
int AppsInTurn(int argc, char** argv)
{
    static std::atomic<int> ended{0};
    for (int app = 0; app < 2; ++app) {
        {
            QCoreApplication application(argc, argv);
            ZtBackgroundPool().start([] {
                QThread::msleep(300);
                ++ended;
            });
        }
        std::printf("%d ", ended.load());
    }
    return 0;
}
} // namespace

// The pool is waited for whenever an application object goes, not only the
// first: Qt runs a post routine once.
void TestBackgroundPool::eachApplicationWaitsForThePool()
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--apps-in-turn")});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(process.readAllStandardOutput(), QByteArray("1 2 "));
}

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--apps-in-turn") == 0)
        return AppsInTurn(argc, argv);
    ZtTest::IsolateEnvironment();
    return ZtTest::RunWithApp(argc, argv, [] { return std::unique_ptr<QObject>(new TestBackgroundPool); });
}
#include "tst_backgroundpool.moc"
