#include "support/Dialogs.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "tools/AppletPage.h"
#include "tools/ShellWords.h"
#include "tools/ToolCommandLines.h"
#include "tools/ToolRules.h"

using namespace ZtToolCommandLines;
using ZtTest::Row;

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
// their switches, the applet page and which files the tools accept.
class TestCommandLines : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void quotedWordsReadBackWhole();
    void appletPage();
};

void TestCommandLines::results_data()
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
    Row("split: double quotes", split("\"a \\\"b\\\" \\x\""), "a \"b\" \\x");
    Row("split: backslash outside quotes", split("a\\ b c\\'"), "a b|c'");
    Row("split: joined pieces", split("-D'x y'\"z\""), "-Dx yz");
    Row("split: empty quotes are a word", split("'' \"\""), "|");
    Row("split: nothing is expanded", split("$HOME ~ *.txt $(touch x) `id`"), "$HOME|~|*.txt|$(touch|x)|`id`");
    Row("split: unclosed quote runs to the end", split("-e 'print 1"), "-e|print 1");

    Row("accepts: Hello.JAVA", Accepting("/w/Hello.JAVA"), "java tree -");
    Row("accepts: Hello.jav", Accepting("/w/Hello.jav"), "- tree -");
    Row("accepts: Tool.PM", Accepting("/w/Tool.PM"), "- - perl");
    Row("accepts: Tool.pll", Accepting("/w/Tool.pll"), "- - perl");
    Row("accepts: Tool.prl", Accepting("/w/Tool.prl"), "- - perl");
    Row("accepts: Tool.cgi", Accepting("/w/Tool.cgi"), "- - -");
    Row("accepts: dot in the folder only", Accepting("/w/x.pl/Tool"), "- - -");
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

ZT_TEST_MAIN(TestCommandLines)
#include "tst_commandlines.moc"
