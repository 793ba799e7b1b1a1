#include "support/TestMain.h"

#include "framework/JobChannel.h"

#include <QCoreApplication>
#include <QTest>

// What reaches a job's receiver: posts of the run under way only, even those
// queued before the run was ended.
class TestJobChannel : public QObject
{
    Q_OBJECT
private slots:
    void deliversOnlyWhatIsStillWanted();
};

void TestJobChannel::deliversOnlyWhatIsStillWanted()
{
    QObject receiver;
    CJobChannel channel(&receiver);
    QStringList got;
    const auto post = [&got](const std::shared_ptr<CJobChannel::CRun>& run, const QString& what) {
        return run->Post([&got, what] { got << what; });
    };

    const auto first = channel.Start();
    QVERIFY(post(first, QStringLiteral("first, queued before the restart")));
    const auto second = channel.Start();
    QVERIFY(first->IsCancelled());
    QVERIFY(!post(first, QStringLiteral("first, after the restart")));
    QVERIFY(post(second, QStringLiteral("second")));
    QCoreApplication::processEvents();
    QCOMPARE(got, QStringList{QStringLiteral("second")});

    QVERIFY(post(second, QStringLiteral("second, queued before the cancel")));
    channel.Cancel();
    QVERIFY(!channel.IsRunning());
    QVERIFY(*second->CancelledFlag());
    QVERIFY(!post(second, QStringLiteral("second, after the cancel")));
    QCoreApplication::processEvents();
    QCOMPARE(got, QStringList{QStringLiteral("second")});

    // A last post ends its run before it is delivered: what it sets off may
    // start the next run, which goes on, and the ended run posts no more.
    const auto third = channel.Start();
    std::shared_ptr<CJobChannel::CRun> fourth;
    QVERIFY(third->PostLast([&] {
        QVERIFY(!channel.IsRunning());
        fourth = channel.Start();
    }));
    QCoreApplication::processEvents();
    QVERIFY(fourth && channel.IsRunning());
    QVERIFY(!post(third, QStringLiteral("third, after its last post")));
    QVERIFY(post(fourth, QStringLiteral("fourth")));
    QCoreApplication::processEvents();
    QCOMPARE(got.last(), QStringLiteral("fourth"));
}

ZT_TEST_MAIN(TestJobChannel)
#include "tst_jobchannel.moc"
