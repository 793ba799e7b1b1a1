#include "support/Dialogs.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "tools/AppletPage.h"
#include "tools/ConsoleLauncher.h"
#include "tools/ConsoleRunner.h"
#include "tools/ConsoleWindow.h"
#include "tools/ShellWords.h"
#include "tools/ToolCommandLines.h"
#include "tools/ToolRules.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTimer>

using namespace ZtToolCommandLines;
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

// A command line as one string: its words joined with "|", then the
// redirection.
QString Describe(const CCommandLine& line)
{
    QString text = line.Words().join(QLatin1Char('|'));
    if (line.m_bRedirectOutput)
        text += QStringLiteral(" > ") + line.m_strOutputFile;
    return text;
}

// What the tools accept: compile, tree compile, Perl, "-" for no.
QString Accepting(const QString& path)
{
    return QStringList{ZtToolRules::IsJavaSource(path) ? "java" : "-", ZtToolRules::IsTreeJavaFile(path) ? "tree" : "-",
                       ZtToolRules::IsPerlScript(path) ? "perl" : "-"}
        .join(QLatin1Char(' '));
}

QString Console(const QString& executable, const QString& switches, const QString& parameters)
{
    const std::optional<CCommandLine> line = ConsoleCommand(executable, switches, parameters);
    return !line ? QStringLiteral("(none)") : line->IsEmpty() ? QStringLiteral("(empty)") : Describe(*line);
}
} // namespace

// The command lines of the outside tools, the shell-like word splitting of
// their switches, the applet page and which files the tools accept; the
// console runner and its launcher, headless: programs run with their
// arguments untouched, input reaches them, output goes where it is sent, and
// the launcher waits for the runner through a stand-in terminal emulator.
class TestConsoleRunner : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void quotedWordsReadBackWhole();
    void appletPage();
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

void TestConsoleRunner::results_data()
{
    ZtTest::ResultColumns();
    const QString javac = QStringLiteral("javac");
    Row("java: plain", Describe(JavaCompile("/opt/jdk/bin", javac, "", "/web/Hello.java")),
        "/opt/jdk/bin/javac|/web/Hello.java");
    Row("java: trailing slash kept once", Describe(JavaCompile("/opt/jdk/bin/", javac, "", "/web/Hello.java")),
        "/opt/jdk/bin/javac|/web/Hello.java");
    Row("java: no slash at all", Describe(JavaCompile("jdk", javac, "", "/web/Hello.java")), "jdk/javac|/web/Hello.java");
    Row("java: switches before the source", Describe(JavaCompile("/opt/jdk/bin", javac, "-g -deprecation", "/web/Hello.java")),
        "/opt/jdk/bin/javac|-g|-deprecation|/web/Hello.java");
    Row("java: source with blanks and quotes", Describe(JavaCompile("/usr/bin", javac, "", "/my \"web\" site/Hello.java")),
        "/usr/bin/javac|/my \"web\" site/Hello.java");

    const auto perl = [](const QString& switches, const QString& workFile, const QString& outputFile) {
        return Describe(PerlRun(QStringLiteral("/usr/bin/perl"), switches, QStringLiteral("/s/t.pl"), workFile, outputFile));
    };
    Row("perl: switches, work and output file", perl("-w", "/in.txt", "/out.txt"), "/usr/bin/perl|-w|/s/t.pl|/in.txt|/out.txt");
    Row("perl: > and blanks redirect", perl("", "", ">  out.txt"), "/usr/bin/perl|/s/t.pl > out.txt");
    Row("perl: > then the name at once", perl("", "", ">out.txt"), "/usr/bin/perl|/s/t.pl > out.txt");
    Row("perl: output without > dropped", perl("", "", "out.txt"), "/usr/bin/perl|/s/t.pl");
    Row("perl: > with a work file is a name", perl("", "/in.txt", ">x"), "/usr/bin/perl|/s/t.pl|/in.txt|>x");
    Row("perl: work file alone", perl("-T -w", "/a b.txt", ""), "/usr/bin/perl|-T|-w|/s/t.pl|/a b.txt");

    Row("console: parameters are one word", Console("notepad", "", "/a b.txt"), "notepad|/a b.txt");
    Row("console: switches then parameters", Console("ls", "-l -a", "/tmp"), "ls|-l|-a|/tmp");
    Row("console: executable alone", Console(" ls ", "", ""), "ls");
    Row("console: executable with its own switch", Console("perl -w", "-T", "/s/t.pl"), "perl|-w|-T|/s/t.pl");
    Row("console: quoted executable with blanks", Console("'/opt/my tools/run' -q", "", ""), "/opt/my tools/run|-q");
    const QString blankName = ZtTest::WriteFile(ZtTest::SandboxDir() + QStringLiteral("/my tools/run"), "");
    Row("console: existing file with blanks stays whole", Console(blankName, "", ""), blankName);
    Row("console: blanks typed around that file", Console(" " + blankName + "  ", "", ""), blankName);
    Row("console: no executable runs nothing", Console("", "-l", "/tmp"), "(empty)");
    Row("console: nothing at all", Console("", "", ""), "(none)");

    const auto split = [](const QString& text) { return ZtShellWords::Split(text).join(QLatin1Char('|')); };
    Row("split: blanks", split(" -a \t -b\n"), "-a|-b");
    Row("split: single quotes", split("'-I/a b' '\\n'"), "-I/a b|\\n");
    Row("split: double quotes", split("\"a \\\"b\\\" \\x \\$\\`\""), "a \"b\" \\x $`");
    Row("split: backslash outside quotes", split("a\\ b c\\'"), "a b|c'");
    Row("split: joined pieces", split("-D'x y'\"z\""), "-Dx yz");
    Row("split: empty quotes are a word", split("'' \"\""), "|");
    Row("split: nothing is expanded", split("$HOME ~ *.txt $(touch x) `id`"), "$HOME|~|*.txt|$(touch|x)|`id`");
    Row("split: unclosed quote runs to the end", split("-e 'print 1"), "-e|print 1");

    Row("accepts: Hello.JAVA", Accepting("/w/Hello.JAVA"), "java tree -");
    Row("accepts: Hello.jav", Accepting("/w/Hello.jav"), "- tree -");
    Row("accepts: Tool.PM", Accepting("/w/Tool.PM"), "- - perl");
    Row("accepts: dot in the folder only", Accepting("/w/x.pl/Tool"), "- - -");

    Row("run: echo", Run("/bin/echo", {"a  b"}), "0:a  b\n");
    Row("run: reads its input", Run("/bin/sh", {"-c", "read l; echo \"got $l\"; exit 3"}, "hello\n"), "3:got hello\n");
    Row("run: output to a file, errors shown", Run("/bin/sh", {"-c", "echo out; echo err >&2"}, {}, "out put.txt"),
        "0:err\n file:out\n");
    Row("run: missing program", Run("/no/such/program", {}), "127:Cannot start /no/such/program");
    Row("run: unwritable output file", Run("/bin/echo", {}, {}, "/proc/no/out.txt"),
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
            line = JavaCompile(m_dir + QStringLiteral("/bin"), QStringLiteral("javac"), "-g", file);
        else if (tool == QLatin1String("perl"))
            line = PerlRun(lister, "-w", file, file, file);
        else if (tool == QLatin1String("perl >"))
            line = PerlRun(lister, QString(), file, QString(), QStringLiteral("> ") + name);
        else
            line = *ConsoleCommand(lister, QString(), file);
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
    // windows.
    bool pressedDuringRun = false;
    QTimer::singleShot(0, &typedInto, [&] {
        QTest::keyClick(&typedInto, Qt::Key_A);
        pressedDuringRun = true;
    });

    const CCommandLine line{QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("echo \"$0\""),
                                                        kHostileName}, false, {}};
    QVERIFY(CConsoleLauncher::Run(line, m_dir));
    QVERIFY(pressedDuringRun);
    const QString console = QString::fromUtf8(ZtTest::ReadFile(m_dir + QStringLiteral("/console.log")));
    QCOMPARE(console, QStringLiteral("$ /bin/sh -c 'echo \"$0\"' 'x; touch pwned.pl'\n"
                                     "x; touch pwned.pl\n\nExit status: 0\nPress Enter to close\n"));
    QCOMPARE(typedInto.text(), QString());
}

void TestConsoleRunner::launcherReportsARunnerThatCannotStart_data()
{
    QTest::addColumn<QString>("runner");   // empty: the real one
    QTest::addColumn<QString>("terminal"); // stand-in emulator's script; empty: none
    QTest::newRow("no runner program") << "no-runner" << "";
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

void TestConsoleRunner::quotedWordsReadBackWhole()
{
    // The runner shows this quoting for the user to paste into a shell.
    const QStringList words{"plain/path.pl", "a b", "it's", "x; touch pwned", "$(id)", "`id`", "", "line\nbreak",
                            "a|b&c>d"};
    QCOMPARE(ZtShellWords::Split(ZtShellWords::Join(words)), words);
    QCOMPARE(ZtShellWords::Join({"/usr/bin/perl", "it's"}), QStringLiteral("/usr/bin/perl 'it'\\''s'"));
}

void TestConsoleRunner::appletPage()
{
    const QByteArray expected = "<HTML>\r\n<!-- This file was generated by Zentrel.-->\r\n<HEAD>\r\n\t<TITLE>Hello.java"
                                "</TITLE>\r\n</HEAD>\r\n<BODY>\r\n<HR>\r\n<APPLET CODEBASE=\".\" CODE=Hello.class "
                                "WIDTH=400 HEIGHT=300 VSPACE=10 HSPACE=10 ></APPLET>\r\n<BR>\r\n<P>\r\n<HR>\r\n<HR>\r\n"
                                "</BODY>\r\n</HTML>\r\n";
    const QString folder = ZtTest::SandboxDir() + QStringLiteral("/my web");
    QDir().mkpath(folder);
    const QString classFile = ZtAppletPage::ClassFileFor(folder + QStringLiteral("/Hello.JAVA"));
    QCOMPARE(classFile, folder + QStringLiteral("/Hello.class"));
    QVERIFY(ZtAppletPage::WriteAppletPage(classFile, QStringLiteral("400"), QStringLiteral("300")));
    QCOMPARE(ZtTest::ReadFile(folder + QStringLiteral("/html_Hello.html")), expected);
    // A folder that cannot take the page: no page, no complaint, but the
    // caller learns of it.
    ZtTest::CMessageLog messages;
    QVERIFY(!ZtAppletPage::WriteAppletPage(QStringLiteral("/proc/none/Hello.class"), QString(), QString()));
    QCOMPARE(messages.texts, QStringList());
    // A link in the page's place (an unpacked archive) is not written
    // through: the file it names keeps its text, and the user hears why.
    const QString victim = ZtTest::WriteFile(ZtTest::SandboxDir() + QStringLiteral("/bashrc"), "mine");
    const QString linkedFolder = ZtTest::FreshDir(QStringLiteral("linked"));
    QVERIFY(QFile::link(victim, linkedFolder + QStringLiteral("/html_Hello.html")));
    QVERIFY(!ZtAppletPage::WriteAppletPage(linkedFolder + QStringLiteral("/Hello.class"), QStringLiteral("400"),
                                           QStringLiteral("300")));
    QCOMPARE(ZtTest::ReadFile(victim), QByteArray("mine"));
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.first().startsWith(QStringLiteral("Cannot write the applet page")),
             qPrintable(messages.texts.first()));
}

ZT_TEST_MAIN(TestConsoleRunner)
#include "tst_consolerunner.moc"
