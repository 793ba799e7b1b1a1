#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "tools/AppletPage.h"
#include "tools/ShellWords.h"
#include "tools/ToolCommandLines.h"
#include "tools/ToolRules.h"

using namespace ZtToolCommandLines;

namespace {
// A command line as one string: its words joined with "|", then the
// redirection.
QString Describe(const CCommandLine& line)
{
    QString text = line.Words().join(QLatin1Char('|'));
    if (line.m_bRedirectOutput)
        text += QStringLiteral(" > ") + line.m_strOutputFile;
    return text;
}
} // namespace

// The command lines of the outside tools, the shell-like word splitting of
// their switches, the applet page and which files the tools accept.
class TestCommandLines : public QObject
{
    Q_OBJECT
private slots:
    void javaCompile_data();
    void javaCompile();
    void perlRun_data();
    void perlRun();
    void consoleCommand_data();
    void consoleCommand();
    void splitSwitches_data();
    void splitSwitches();
    void quotedWordsReadBackWhole();
    void appletPage();
    void enableRules_data();
    void enableRules();
};

void TestCommandLines::javaCompile_data()
{
    QTest::addColumn<QString>("javaPath");
    QTest::addColumn<QString>("switches");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "/opt/jdk/bin" << "" << "/web/Hello.java" << "/opt/jdk/bin/javac|/web/Hello.java";
    QTest::newRow("trailing slash kept once") << "/opt/jdk/bin/" << "" << "/web/Hello.java"
                                              << "/opt/jdk/bin/javac|/web/Hello.java";
    QTest::newRow("no slash at all") << "jdk" << "" << "/web/Hello.java" << "jdk/javac|/web/Hello.java";
    QTest::newRow("switches before the source") << "/opt/jdk/bin" << "-g -deprecation" << "/web/Hello.java"
                                                << "/opt/jdk/bin/javac|-g|-deprecation|/web/Hello.java";
    QTest::newRow("source with blanks and quotes") << "/usr/bin" << "" << "/my \"web\" site/Hello.java"
                                                   << "/usr/bin/javac|/my \"web\" site/Hello.java";
}

void TestCommandLines::javaCompile()
{
    QFETCH(QString, javaPath);
    QFETCH(QString, switches);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    QCOMPARE(Describe(JavaCompile(javaPath, QStringLiteral("javac"), switches, source)), expected);
}

void TestCommandLines::perlRun_data()
{
    QTest::addColumn<QString>("switches");
    QTest::addColumn<QString>("workFile");
    QTest::addColumn<QString>("outputFile");
    QTest::addColumn<QString>("expected");
    QTest::newRow("switches, work and output file") << "-w" << "/in.txt" << "/out.txt"
                                                    << "/usr/bin/perl|-w|/s/t.pl|/in.txt|/out.txt";
    QTest::newRow("> and blanks redirect") << "" << "" << ">  out.txt" << "/usr/bin/perl|/s/t.pl > out.txt";
    QTest::newRow("output without > dropped") << "" << "" << "out.txt" << "/usr/bin/perl|/s/t.pl";
    QTest::newRow("> with a work file is a name") << "" << "/in.txt" << ">x" << "/usr/bin/perl|/s/t.pl|/in.txt|>x";
    QTest::newRow("work file alone") << "-T -w" << "/a b.txt" << "" << "/usr/bin/perl|-T|-w|/s/t.pl|/a b.txt";
}

void TestCommandLines::perlRun()
{
    QFETCH(QString, switches);
    QFETCH(QString, workFile);
    QFETCH(QString, outputFile);
    QFETCH(QString, expected);
    const CCommandLine line = PerlRun(QStringLiteral("/usr/bin/perl"), switches, QStringLiteral("/s/t.pl"),
                                      workFile, outputFile);
    QCOMPARE(Describe(line), expected);
}

void TestCommandLines::consoleCommand_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("switches");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QString>("expected");
    QTest::newRow("parameters are one word") << "notepad" << "" << "/a b.txt" << "notepad|/a b.txt";
    QTest::newRow("switches then parameters") << "ls" << "-l -a" << "/tmp" << "ls|-l|-a|/tmp";
    QTest::newRow("executable alone") << " ls " << "" << "" << "ls";
    QTest::newRow("no executable runs nothing") << "" << "-l" << "/tmp" << "(empty)";
    QTest::newRow("nothing at all") << "" << "" << "" << "(none)";
}

void TestCommandLines::consoleCommand()
{
    QFETCH(QString, executable);
    QFETCH(QString, switches);
    QFETCH(QString, parameters);
    QFETCH(QString, expected);
    const std::optional<CCommandLine> line = ConsoleCommand(executable, switches, parameters);
    const QString shown = !line ? QStringLiteral("(none)") : line->IsEmpty() ? QStringLiteral("(empty)") : Describe(*line);
    QCOMPARE(shown, expected);
}

void TestCommandLines::splitSwitches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("blanks") << " -a \t -b\n" << QStringList{"-a", "-b"};
    QTest::newRow("single quotes") << "'-I/a b' '\\n'" << QStringList{"-I/a b", "\\n"};
    QTest::newRow("double quotes") << "\"a \\\"b\\\" \\x\"" << QStringList{"a \"b\" \\x"};
    QTest::newRow("backslash outside quotes") << "a\\ b c\\'" << QStringList{"a b", "c'"};
    QTest::newRow("joined pieces") << "-D'x y'\"z\"" << QStringList{"-Dx yz"};
    QTest::newRow("empty quotes are a word") << "'' \"\"" << QStringList{"", ""};
    QTest::newRow("nothing is expanded") << "$HOME ~ *.txt $(touch x) `id`"
                                         << QStringList{"$HOME", "~", "*.txt", "$(touch", "x)", "`id`"};
    QTest::newRow("unclosed quote runs to the end") << "-e 'print 1" << QStringList{"-e", "print 1"};
}

void TestCommandLines::splitSwitches()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QCOMPARE(ZtShellWords::Split(text), words);
}

void TestCommandLines::quotedWordsReadBackWhole()
{
    // The runner shows this quoting for the user to paste into a shell.
    const QStringList words{"plain/path.pl", "a b", "it's", "x; touch pwned", "$(id)", "`id`", "", "line\nbreak",
                            "a|b&c>d"};
    QCOMPARE(ZtShellWords::Split(ZtShellWords::Join(words)), words);
    QCOMPARE(ZtShellWords::Join({"/usr/bin/perl", "it's"}), QStringLiteral("/usr/bin/perl 'it'\\''s'"));
}

void TestCommandLines::appletPage()
{
    const QByteArray expected = "<HTML>\r\n<!-- This file was generated by Zentrel.-->\r\n<HEAD>\r\n\t<TITLE>Hello.java"
                                "</TITLE>\r\n</HEAD>\r\n<BODY>\r\n<HR>\r\n<APPLET CODEBASE=\".\" CODE=Hello.class "
                                "WIDTH=400 HEIGHT=300 VSPACE=10 HSPACE=10 ></APPLET>\r\n<BR>\r\n<P>\r\n<HR>\r\n<HR>\r\n"
                                "</BODY>\r\n</HTML>\r\n";
    const QString folder = ZtTest::SandboxDir() + QStringLiteral("/my web");
    QDir().mkpath(folder);
    const QString classFile = ZtAppletPage::ClassFileFor(folder + QStringLiteral("/Hello.JAVA"));
    QCOMPARE(classFile, folder + QStringLiteral("/Hello.class"));
    QCOMPARE(ZtAppletPage::WriteAppletPage(classFile, QStringLiteral("400"), QStringLiteral("300")), 1);
    QCOMPARE(ZtTest::ReadFile(folder + QStringLiteral("/html_Hello.html")), expected);
    // A folder that cannot take the page: no page, no complaint.
    QCOMPARE(ZtAppletPage::WriteAppletPage(QStringLiteral("/proc/none/Hello.class"), QString(), QString()), 1);
}

void TestCommandLines::enableRules_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected"); // compile, tree compile, Perl
    QTest::newRow("Hello.JAVA") << "/w/Hello.JAVA" << "java tree -";
    QTest::newRow("Hello.jav") << "/w/Hello.jav" << "- tree -";
    QTest::newRow("Tool.PM") << "/w/Tool.PM" << "- - perl";
    QTest::newRow("Tool.pll") << "/w/Tool.pll" << "- - perl";
    QTest::newRow("Tool.prl") << "/w/Tool.prl" << "- - perl";
    QTest::newRow("Tool.cgi") << "/w/Tool.cgi" << "- - -";
    QTest::newRow("dot in the folder only") << "/w/x.pl/Tool" << "- - -";
}

void TestCommandLines::enableRules()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    const QString shown = QStringList{ZtToolRules::IsJavaSource(path) ? "java" : "-",
                                      ZtToolRules::IsTreeJavaFile(path) ? "tree" : "-",
                                      ZtToolRules::IsPerlScript(path) ? "perl" : "-"}
                              .join(QLatin1Char(' '));
    QCOMPARE(shown, expected);
}

ZT_TEST_MAIN(TestCommandLines)
#include "tst_commandlines.moc"
