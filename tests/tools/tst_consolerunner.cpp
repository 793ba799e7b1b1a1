#include "support/Dialogs.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/MessageBox.h"
#include "tools/ConsoleLauncher.h"
#include "tools/ConsoleRunner.h"
#include "tools/ConsoleWindow.h"
#include "tools/ToolCommandLines.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTimer>

using ZtTest::Row;

namespace {
// Names a user might give a file, each of which a shell would read as more
// than a name.
const QString kHostileName = QStringLiteral("x; touch pwned.pl");
const QStringList kHostileNames{kHostileName, QStringLiteral("$(touch pwned2) `touch pwned3`"),
                                QStringLiteral("a | touch pwned4 & > pwned5\ntouch pwned6")};

struct CRunResult
{
    bool m_bStarted = false;
    int m_nStatus = -1;
    QString m_strOutput;
    QString m_strError;
};

// Runs line in folder the way the console window does, typing input.
CRunResult RunCaptured(const CCommandLine& line, const QString& folder, const QByteArray& input = {})
{
    CConsoleRunner runner(CConsoleRunner::EChannels::Captured);
    CRunResult result;
    QObject::connect(&runner, &CConsoleRunner::outputReady,
                     [&result](const QByteArray& bytes) { result.m_strOutput += QString::fromUtf8(bytes); });
    QSignalSpy finished(&runner, &CConsoleRunner::finished);
    result.m_bStarted = runner.Start(CConsoleRequest{line, folder});
    if (result.m_bStarted) {
        runner.WriteInput(input);
        runner.CloseInput();
        if (!finished.wait(30000))
            runner.Stop();
    }
    result.m_nStatus = runner.ExitStatus();
    result.m_strError = runner.ErrorText();
    return result;
}
} // namespace

// The console runner and its launcher, headless: programs run with their
// arguments untouched, input reaches them, output goes where it is sent, and
// the launcher waits for the runner through a stand-in terminal emulator.
class TestConsoleRunner : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void runs_data();
    void runs() { ZtTest::CompareResult(); }
    void fileNamesNeverRunCommands_data();
    void fileNamesNeverRunCommands();
    void launcherWaitsForTheRunnerInATerminal();
    void launcherReportsARunnerThatCannotStart_data();
    void launcherReportsARunnerThatCannotStart();
    void consoleWindowTakesInputAndCloses();
    void consoleWindowBreaksEndlessLines();

private:
    QString m_dir;
};

void TestConsoleRunner::init()
{
    m_dir = ZtTest::FreshDir(QStringLiteral("run 'here'"));
}

void TestConsoleRunner::cleanup()
{
    CConsoleLauncher::SetRunnerPath(QString());
    CConsoleLauncher::SetTerminalFinder({});
    CConsoleLauncher::SetRunnerStartGraceMs(0);
}

// Runs a program in a fresh folder, typing input, its output sent to
// outputFile when one is named: the exit status, then what was shown (the
// reason when it could not start), then what the output file holds.
static QString Run(const QString& program, const QStringList& arguments, const QByteArray& input = {},
                   const QString& outputFile = {})
{
    const QString folder = ZtTest::FreshDir(QStringLiteral("runs 'here'"));
    const CRunResult result = RunCaptured({program, arguments, !outputFile.isEmpty(), outputFile}, folder, input);
    QString shown = QStringLiteral("%1:%2").arg(result.m_nStatus)
                        .arg(result.m_bStarted ? result.m_strOutput : result.m_strError.section(QLatin1Char(':'), 0, 0));
    if (result.m_bStarted && !outputFile.isEmpty())
        shown += QStringLiteral(" file:") + QString::fromUtf8(ZtTest::ReadFile(folder + QLatin1Char('/') + outputFile));
    return shown;
}

void TestConsoleRunner::runs_data()
{
    ZtTest::ResultColumns();
    Row("echo", Run("/bin/echo", {"a  b"}), "0:a  b\n");
    Row("false", Run("/bin/false", {}), "1:");
    Row("reads its input", Run("/bin/sh", {"-c", "read l; echo \"got $l\"; exit 3"}, "hello\n"), "3:got hello\n");
    Row("output to a file, errors shown", Run("/bin/sh", {"-c", "echo out; echo err >&2"}, {}, "out put.txt"),
        "0:err\n file:out\n");
    Row("missing program", Run("/no/such/program", {}), "127:Cannot start /no/such/program");
    Row("unwritable output file", Run("/bin/echo", {}, {}, "/proc/no/out.txt"),
        "127:Cannot write the output file /proc/no/out.txt");
}

void TestConsoleRunner::fileNamesNeverRunCommands_data()
{
    // Each builder, with a stand-in program that lists its arguments one a
    // line between brackets.
    QTest::addColumn<QString>("tool");
    QTest::newRow("java") << "java";
    QTest::newRow("perl") << "perl";
    QTest::newRow("perl, redirected") << "perl >";
    QTest::newRow("console command") << "console";
}

void TestConsoleRunner::fileNamesNeverRunCommands()
{
    QFETCH(QString, tool);
    const QString lister = ZtTest::WriteScript(m_dir + QStringLiteral("/bin/javac"),
                                       "for a; do printf '[%s]\\n' \"$a\"; done\n");
    for (const QString& name : kHostileNames) {
        const QString file = m_dir + QLatin1Char('/') + name;
        CCommandLine line;
        if (tool == QLatin1String("java"))
            line = ZtToolCommandLines::JavaCompile(m_dir + QStringLiteral("/bin"), QStringLiteral("javac"), "-g", file);
        else if (tool == QLatin1String("perl"))
            line = ZtToolCommandLines::PerlRun(lister, "-w", file, file, file);
        else if (tool == QLatin1String("perl >"))
            line = ZtToolCommandLines::PerlRun(lister, QString(), file, QString(), QStringLiteral("> ") + name);
        else
            line = *ZtToolCommandLines::ConsoleCommand(lister, QString(), file);
        const CRunResult result = RunCaptured(line, m_dir);
        QVERIFY2(result.m_bStarted, qPrintable(result.m_strError));
        QCOMPARE(result.m_nStatus, 0);
        const QString shown = line.m_bRedirectOutput ? QString::fromUtf8(ZtTest::ReadFile(file)) : result.m_strOutput;
        QVERIFY2(shown.contains(QStringLiteral("[%1]\n").arg(file)), qPrintable(shown));
        const QStringList made = QDir(m_dir).entryList({QStringLiteral("pwned*")});
        QVERIFY2(made.isEmpty(), qPrintable(made.join(QLatin1Char(','))));
    }
}

void TestConsoleRunner::launcherWaitsForTheRunnerInATerminal()
{
    // A stand-in emulator in the manner of "xterm -e": it runs the command
    // with no keyboard (so "Press Enter" is answered by the end of input) and
    // keeps what the console showed.
    const QString terminal = ZtTest::WriteScript(m_dir + QStringLiteral("/term"),
                                         "[ \"$1\" = -e ] && shift\nexec \"$@\" </dev/null >console.log 2>&1\n");
    CConsoleLauncher::SetRunnerPath(QStringLiteral(ZT_RUNCON));
    CConsoleLauncher::SetTerminalFinder([terminal] { return CTerminalEmulator{terminal, {QStringLiteral("-e")}}; });
    QLineEdit typedInto;
    typedInto.show();
    // A key pressed while the runner runs must not reach the program's
    // windows, and a message must not open a box there.
    ZtTest::CMessageLog messages;
    bool pressedDuringRun = false;
    QStringList shownDuringRun;
    QTimer::singleShot(0, &typedInto, [&] {
        QTest::keyClick(&typedInto, Qt::Key_A);
        ZtMessageBox::Show(QStringLiteral("File not found"));
        shownDuringRun = messages.texts;
        pressedDuringRun = true;
    });

    const CCommandLine line{QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("echo \"$0\""),
                                                        kHostileName}, false, {}};
    QVERIFY(CConsoleLauncher::Run(line, m_dir));
    QVERIFY(pressedDuringRun);
    QCOMPARE(shownDuringRun, QStringList());
    QTRY_COMPARE(messages.texts, QStringList{"File not found"});
    const QString console = QString::fromUtf8(ZtTest::ReadFile(m_dir + QStringLiteral("/console.log")));
    QCOMPARE(console, QStringLiteral("$ /bin/sh -c 'echo \"$0\"' 'x; touch pwned.pl'\n"
                                     "x; touch pwned.pl\n\nExit status: 0\nPress Enter to close\n"));
    QCOMPARE(typedInto.text(), QString());
    QVERIFY(QDir(m_dir).entryList({QStringLiteral("pwned*")}).isEmpty());
}

void TestConsoleRunner::launcherReportsARunnerThatCannotStart_data()
{
    QTest::addColumn<QString>("runner");   // empty: the real one
    QTest::addColumn<QString>("terminal"); // stand-in emulator's script; empty: none
    QTest::newRow("no runner program") << "no-runner" << "";
    QTest::newRow("emulator stays open without running it") << "" << "exec sleep 120\n";
    QTest::newRow("emulator ends without running it") << "" << "exit 0\n";
}

void TestConsoleRunner::launcherReportsARunnerThatCannotStart()
{
    QFETCH(QString, runner);
    QFETCH(QString, terminal);
    ZtTest::CMessageLog messages;
    CConsoleLauncher::SetRunnerPath(runner.isEmpty() ? QStringLiteral(ZT_RUNCON) : m_dir + QLatin1Char('/') + runner);
    if (!terminal.isEmpty()) {
        const QString program = ZtTest::WriteScript(m_dir + QStringLiteral("/term"), terminal.toUtf8());
        CConsoleLauncher::SetTerminalFinder([program] { return CTerminalEmulator{program, {QStringLiteral("-e")}}; });
    }
    CConsoleLauncher::SetRunnerStartGraceMs(300);
    QVERIFY(!CConsoleLauncher::Run(CCommandLine{QStringLiteral("/bin/true"), {}, false, {}}, m_dir));
    QCOMPARE(messages.texts, QStringList{QStringLiteral("CreateProcess failed.")});
}

void TestConsoleRunner::consoleWindowTakesInputAndCloses()
{
    CConsoleWindow window;
    window.show();
    QVERIFY(window.Run(CConsoleRequest{{QStringLiteral("/bin/sh"), {QStringLiteral("-c"),
                                                                    QStringLiteral("read l; echo \"got $l\"; exit 4")},
                                        false, {}},
                                       m_dir}));
    QTest::keyClicks(window.Input(), QStringLiteral("hello"));
    QTest::keyClick(window.Input(), Qt::Key_Return);
    QTRY_VERIFY(window.IsFinished());
    QCOMPARE(window.Output()->toPlainText(),
             QStringLiteral("$ /bin/sh -c 'read l; echo \"got $l\"; exit 4'\nhello\ngot hello\n\nExit status: 4\n"
                            "Press Enter to close"));
    QCOMPARE(window.ExitStatus(), 4);
    QTest::keyClick(window.Input(), Qt::Key_Return);
    QVERIFY(!window.isVisible());
}

void TestConsoleRunner::consoleWindowBreaksEndlessLines()
{
    // A line with no end must not grow one block without bound: it goes on
    // in new lines, which the window's line limit then bounds.
    CConsoleWindow window;
    QVERIFY(window.Run(CConsoleRequest{{QStringLiteral("/bin/sh"),
                                        {QStringLiteral("-c"), QStringLiteral("head -c 2500 /dev/zero | tr '\\0' x; echo end")},
                                        false, {}},
                                       m_dir}));
    QTRY_VERIFY(window.IsFinished());
    const QStringList lines = window.Output()->toPlainText().split(QLatin1Char('\n'));
    const QString full(CConsoleWindow::kMaxLineLength, QLatin1Char('x'));
    QCOMPARE(lines.mid(1, 3), (QStringList{full, full, QString(500, QLatin1Char('x')) + QStringLiteral("end")}));
}

ZT_TEST_MAIN(TestConsoleRunner)
#include "tst_consolerunner.moc"
