#include "support/TestMain.h"

#include "files/BackgroundPool.h"

#include <QProcess>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <cstdio>
#include <cstring>

class TestBackgroundPool : public QObject
{
    Q_OBJECT
private slots:
    void eachApplicationWaitsForThePool();
};

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
