#include "support/ResultTable.h"
#include "support/ShellJob.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FileOperationJob.h"
#include "files/ShellFileOperation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDirIterator>
#include <QLineEdit>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using ZtTest::Row;

namespace {

// Answers a job the way a test script says, on the test's own thread.
class CScriptedHost : public CFileOperationJob::CHost
{
public:
    int m_nStopAtStep = -1;  // Step says stop on this step
    int m_nCancelAtCheck = -1; // IsCancelled says yes from this call on
    QStringList m_steps;     // "done/total" of every step

    EFileAnswer Ask(EFileQuestion, const QString&) override { return EFileAnswer::Cancel; }
    bool Step(int done, int total, const QString&) override
    {
        m_steps << QStringLiteral("%1/%2").arg(done).arg(total);
        return done != m_nStopAtStep;
    }
    bool IsCancelled() override { return m_nCancelAtCheck > 0 && ++m_nChecks >= m_nCancelAtCheck; }

private:
    int m_nChecks = 0;
};

// A shell operation whose replace question checks where and when it is
// asked: on the UI thread, while the worker waits for the answer. The test
// may cancel it from that question, or destroy it there or at its first
// progress step, as a window closing during a job destroys it.
class CWatchingOperation : public CShellFileOperation
{
public:
    QString m_strWaitingFile; // must not exist yet while the question is open
    bool m_bCancelInQuestion = false;
    std::function<void()> m_destroyInQuestion;
    std::function<void()> m_destroyInStep;
    QStringList m_seen;

protected:
    EAnswer Confirm(EQuestion, const QString&) override
    {
        m_seen << (QThread::currentThread() == thread() ? QStringLiteral("ui") : QStringLiteral("worker"));
        // The worker's next step needs this answer: one that went on without
        // it took Cancel instead of Yes, which shows in what it copied.
        m_seen << (QFileInfo::exists(m_strWaitingFile) ? QStringLiteral("ran on") : QStringLiteral("waited"));
        if (m_bCancelInQuestion)
            Cancel();
        Run(m_destroyInQuestion);
        return EAnswer::Yes;
    }
    bool StepProgress(int, const QString&) override
    {
        Run(m_destroyInStep);
        return true;
    }
    void ShowError(const QString& message) override { m_seen << message; }
    void BeginProgress(const QString&, int) override {}
    void EndProgress() override {}

private:
    // A function that destroys this object runs from a copy.
    static void Run(std::function<void()> function)
    {
        if (function)
            function();
    }
};

// The operation's own boxes, which the test answers.
class CBoxOperation : public CShellFileOperation
{
public:
    using CShellFileOperation::CShellFileOperation;
    using CShellFileOperation::Confirm;
    using CShellFileOperation::ShowError;
};

// Paths below folder, relative and sorted.
QString TreeOf(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names.join(QLatin1Char(' '));
}

// Frees a job that opened the pipe at path for reading and now waits for a
// writer: if the test has not ended long after it should have, this opens
// and closes the write end, so that a wrong result fails instead of hanging.
class CPipeRescue
{
public:
    explicit CPipeRescue(const QByteArray& path)
        : m_thread([this, path] {
            std::unique_lock lock(m_lock);
            if (!m_ended.wait_for(lock, std::chrono::seconds(30), [this] { return m_bEnded; })) {
                const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
            }
        })
    {
    }
    ~CPipeRescue()
    {
        {
            std::lock_guard lock(m_lock);
            m_bEnded = true;
        }
        m_ended.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_ended;
    bool m_bEnded = false;
    std::thread m_thread;
};

// Copies or moves every entry of src into dest: a.txt, big.bin (three blocks
// and a byte), and sub holding c.txt and d.txt; the host stops at a step or
// says cancelled from a check on. Describes dest | src | steps | result.
QString Transfer(bool copy, int stopAtStep = -1, int cancelAtCheck = -1)
{
    const QString root = ZtTest::FreshDir(QStringLiteral("job"));
    const QByteArray big(3 * CFileOperationJob::kBlockBytes + 1, 'b');
    ZtTest::WriteFile(root + "/src/a.txt", "a");
    ZtTest::WriteFile(root + "/src/big.bin", big);
    ZtTest::WriteFile(root + "/src/sub/c.txt", "c");
    ZtTest::WriteFile(root + "/src/sub/d.txt", "d");
    QDir().mkpath(root + "/dest");
    CScriptedHost host;
    host.m_nStopAtStep = stopAtStep;
    host.m_nCancelAtCheck = cancelAtCheck;
    CFileOperationJob job(&host, copy);
    const bool ok = job.RunTransfers(CFileOperationPlan::PlanTransfers({root + "/src/*"}, root + "/dest/", copy));
    QString result = job.WasCancelled() ? QStringLiteral("cancelled") : QStringLiteral("ok");
    if (ok == job.WasCancelled() || !job.Error().isEmpty())
        result += QStringLiteral(" but ") + job.Error();
    if (ok && ZtTest::ReadFile(root + "/dest/big.bin") != big)
        result += QStringLiteral(" big.bin differs");
    return QStringList{TreeOf(root + "/dest"), TreeOf(root + "/src"), host.m_steps.join(' '), result}.join(" | ");
}

// Copies a.txt onto an older one and b.txt beside it, the question answered
// Yes or cancelled from the window: what the question saw | dest/a.txt |
// dest/b.txt | result.
QString Question(bool cancelInQuestion)
{
    const QString root = ZtTest::FreshDir(QStringLiteral("question"));
    ZtTest::WriteFile(root + "/src/a.txt", "new a");
    ZtTest::WriteFile(root + "/src/b.txt", "b");
    ZtTest::WriteFile(root + "/dest/a.txt", "old a");
    CWatchingOperation operation;
    operation.m_strWaitingFile = root + "/dest/b.txt";
    operation.m_bCancelInQuestion = cancelInQuestion;
    operation.Copy({root + "/src/a.txt", root + "/src/b.txt"}, root + "/dest/");
    const bool ok = ZtTest::Finished(&operation);
    QString result = ok ? QStringLiteral("ok") : QStringLiteral("cancelled");
    if (ok == operation.WasCancelled() || TreeOf(root + "/dest").contains(QLatin1String("zt-part")))
        result += QStringLiteral(" but ") + TreeOf(root + "/dest");
    return QStringList{operation.m_seen.join(' '), QString::fromUtf8(ZtTest::ReadFile(root + "/dest/a.txt")),
                       QString::fromUtf8(ZtTest::ReadFile(root + "/dest/b.txt")), result}.join(" | ");
}

// Copies source below src, which holds a.txt and sub/pipe: dest | skipped
// below src | result.
QString CopyWithPipe(const QString& source)
{
    const QString root = ZtTest::FreshDir(QStringLiteral("pipe"));
    ZtTest::WriteFile(root + "/src/a.txt", "a");
    QDir().mkpath(root + "/src/sub");
    QDir().mkpath(root + "/dest");
    const QByteArray pipe = QFile::encodeName(root + "/src/sub/pipe");
    if (::mkfifo(pipe.constData(), 0600) != 0)
        return QStringLiteral("no pipe");
    CScriptedHost host;
    CFileOperationJob job(&host, true);
    bool ok = false;
    {
        CPipeRescue rescue(pipe);
        ok = job.RunTransfers(CFileOperationPlan::PlanTransfers({root + "/src/" + source}, root + "/dest/", true));
    }
    QStringList skipped;
    for (const QString& path : job.Skipped())
        skipped << QDir(root + "/src").relativeFilePath(path);
    return QStringList{TreeOf(root + "/dest"), skipped.join(' '), ok ? QStringLiteral("ok") : job.Error()}.join(" | ");
}

} // namespace

// Copies, moves and deletes as jobs: what a cancel leaves behind, what the
// progress counts, and how a question reaches the user from the worker.
class TestFileOperationJob : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void destroyedDuringJob_data();
    void destroyedDuringJob();
    void boxesGiveKeysBack_data();
    void boxesGiveKeysBack();
};

void TestFileOperationJob::results_data()
{
    ZtTest::ResultColumns();
    Row("copy runs through, counting files first", Transfer(true),
        "a.txt big.bin sub sub/c.txt sub/d.txt | a.txt big.bin sub sub/c.txt sub/d.txt | 1/4 2/4 3/4 4/4 | ok");
    Row("cancel on the second file keeps the first", Transfer(true, 2),
        "a.txt | a.txt big.bin sub sub/c.txt sub/d.txt | 1/4 2/4 | cancelled");
    // Checks: one before the transfer, one after a.txt's block, then big.bin's.
    Row("cancel inside a file removes its part", Transfer(true, -1, 4),
        "a.txt | a.txt big.bin sub sub/c.txt sub/d.txt | 1/4 2/4 | cancelled");
    // A plain rename never walks the folder it moves.
    Row("move by rename counts items, not files", Transfer(false),
        "a.txt big.bin sub sub/c.txt sub/d.txt |  | 1/3 2/3 3/3 | ok");
    // A rename is done when its step comes: the stop is for what follows.
    Row("cancelled move leaves the rest where it was", Transfer(false, 2),
        "a.txt big.bin | sub sub/c.txt sub/d.txt | 1/3 2/3 | cancelled");

    Row("question: yes replaces and goes on", Question(false), "ui waited | new a | b | ok");
    Row("question: cancel from the window stops the worker", Question(true),
        "ui waited | old a | (unreadable) | cancelled");

    Row("pipe in a copied folder", CopyWithPipe("*"), "a.txt sub | sub/pipe | ok");
    Row("pipe copied itself", CopyWithPipe("sub/pipe"), " | sub/pipe | ok");
}

void TestFileOperationJob::destroyedDuringJob_data()
{
    QTest::addColumn<bool>("inQuestion");
    QTest::newRow("while it copies") << false;
    QTest::newRow("while it waits for an answer") << true;
}

void TestFileOperationJob::destroyedDuringJob()
{
    QFETCH(bool, inQuestion);
    const QString root = ZtTest::FreshDir(QStringLiteral("destroyed"));
    const QByteArray big(3 * CFileOperationJob::kBlockBytes + 1, 'b');
    ZtTest::WriteFile(root + "/src/a.txt", "new a");
    ZtTest::WriteFile(root + "/src/big.bin", big);
    if (inQuestion)
        ZtTest::WriteFile(root + "/dest/a.txt", "old a");
    QVERIFY(QDir().mkpath(root + "/dest"));

    auto operation = std::make_unique<CWatchingOperation>();
    (inQuestion ? operation->m_destroyInQuestion : operation->m_destroyInStep) = [&operation] { operation.reset(); };
    bool bFinished = false;
    connect(operation.get(), &CShellFileOperation::finished, this, [&bFinished] { bFinished = true; });
    operation->Copy({root + "/src/a.txt", root + "/src/big.bin"}, root + "/dest/");
    QTRY_VERIFY(!operation || bFinished);
    // A worker still waiting for the answer would hang here.
    CShellFileOperation::WaitForJobs();
    QCoreApplication::processEvents();
    QVERIFY(!bFinished);

    const QString tree = TreeOf(root + "/dest");
    QVERIFY2(!tree.contains(QLatin1String("zt-part")), qPrintable(tree));
    if (inQuestion) {
        // The answer came after the window went: nothing more was copied.
        QCOMPARE(tree, QStringLiteral("a.txt"));
        QCOMPARE(ZtTest::ReadFile(root + "/dest/a.txt"), QByteArray("old a"));
    } else if (tree.contains(QLatin1String("big.bin"))) {
        QCOMPARE(ZtTest::ReadFile(root + "/dest/big.bin"), big);
    }
}

void TestFileOperationJob::boxesGiveKeysBack_data()
{
    QTest::addColumn<int>("box");
    QTest::newRow("delete question") << 0;
    QTest::newRow("replace question") << 1;
    QTest::newRow("error") << 2;
}

// A box closing leaves no window active where no window manager picks the
// next one; the owner's window must get the keys back, its focus where it was.
void TestFileOperationJob::boxesGiveKeysBack()
{
    QFETCH(int, box);
    QWidget window;
    auto* list = new QLineEdit;
    auto* other = new QLineEdit;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(other);
    layout->addWidget(list);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    list->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), list);

    CBoxOperation operation(list);
    QTimer::singleShot(0, this, [] {
        auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(shown);
        shown->button(shown->buttons().size() > 1 ? QMessageBox::No : QMessageBox::Ok)->click();
        // What the window system does when the box goes.
        QApplication::setActiveWindow(nullptr);
    });
    if (box == 0)
        QCOMPARE(operation.Confirm(EFileQuestion::Delete, QStringLiteral("a")), CShellFileOperation::EAnswer::No);
    else if (box == 1)
        QCOMPARE(operation.Confirm(EFileQuestion::ReplaceFile, QStringLiteral("a")), CShellFileOperation::EAnswer::No);
    else
        operation.ShowError(QStringLiteral("a"));
    QCOMPARE(QApplication::activeWindow(), &window);
    QCOMPARE(QApplication::focusWidget(), list);
}

ZT_TEST_MAIN(TestFileOperationJob)
#include "tst_fileoperationjob.moc"
