#include "support/AppTestMain.h"
#include "support/ScriptedShell.h"

#include "app/ToolCommands.h"
#include "browser/BrowserView.h"
#include "framework/SingleInstance.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"
#include "tools/AppletPage.h"
#include "tools/ConsoleLauncher.h"
#include "tools/JavaOptionsDlg.h"
#include "tools/JavaPathDlg.h"
#include "tools/PerlArgsDlg.h"
#include "tools/PerlPathDlg.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocalSocket>
#include <QRadioButton>
#include <QToolButton>

using namespace ZtCmd;

namespace {
const QString kSettings = QStringLiteral("Settings");

} // namespace

// The outside tool commands with the whole program: the path settings, the
// compile of the active Java file with its applet page, the Perl run of the
// active script, and their messages. The console runner runs for real inside
// a stand-in terminal emulator.
class TestToolCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_app = ZtApp();
        ZtTest::ShowMainFrame();
        ZtTest::CScriptedShell::Install(&m_messages, QMessageBox::No);
    }

    void init()
    {
        m_dir = ZtTest::FreshDir(QStringLiteral("web; \"site\""));
        m_messages.clear();
        m_app->SetStartDirectory(m_dir);
        const QString terminal = ZtTest::WriteScript(Path(QStringLiteral("term")),
                                             "[ \"$1\" = -e ] && shift\nexec \"$@\" </dev/null >>console.log 2>&1\n");
        CConsoleLauncher::SetRunnerPath(QStringLiteral(ZT_RUNCON));
        CConsoleLauncher::SetTerminalFinder([terminal] { return CTerminalEmulator{terminal, {QStringLiteral("-e")}}; });
    }

    void cleanup()
    {
        ZtTest::CloseAllDocuments();
        m_app->WriteProfileString(kSettings, QStringLiteral("Java path"), QString());
        m_app->WriteProfileString(kSettings, QStringLiteral("Perl path"), QString());
        CConsoleLauncher::SetRunnerStartGraceMs(0);
    }

    // How a typed path is read has its rows in tst_filekinds; here, that both
    // commands store what their dialog gives under their own key.
    void pathSettings_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed"); // null: OK without typing
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("stored");
        QTest::newRow("java untouched") << int(ID_JAVA_PATH) << "Java path" << QString() << true << "JAVA path not set";
        QTest::newRow("perl untouched") << int(ID_PERL_PATH) << "Perl path" << QString() << true << "PERL\\BIN path not set";
        QTest::newRow("perl typed from home") << int(ID_PERL_PATH) << "Perl path" << "~/bin/perl" << true
                                              << QDir::homePath() + "/bin/perl";
        QTest::newRow("perl cancelled") << int(ID_PERL_PATH) << "Perl path" << "/x" << false << "";
    }

    void pathSettings()
    {
        QFETCH(int, command);
        QFETCH(QString, key);
        QFETCH(QString, typed);
        QFETCH(bool, accept);
        QFETCH(QString, stored);
        ZtTest::WhenModal<QDialog>([typed](QDialog* dialog) {
            if (!typed.isNull())
                dialog->findChild<QLineEdit*>()->setText(typed);
        }, accept);
        QVERIFY(Frame()->ExecuteCommand(command));
        QCOMPARE(m_app->GetProfileString(kSettings, key), stored);
    }

    void compileWritesClassAndPage()
    {
        // A stand-in compiler: notes its arguments and makes the class.
        ZtTest::WriteScript(Path(QStringLiteral("jdk bin/javac")),
                    "for a; do printf '[%s]' \"$a\" >>\"$HOME/javac.log\"; last=$a; done\n"
                    "touch \"${last%.*}.class\"\n");
        m_app->WriteProfileString(kSettings, QStringLiteral("Java path"), Path(QStringLiteral("jdk bin")));
        const QString source = ZtTest::WriteFile(Path(QStringLiteral("src/Hello.JAVA")), "class Hello {}\n");
        QFile::remove(QDir::homePath() + QStringLiteral("/javac.log"));
        m_app->OpenFileInEditor(source, false);
        ZtTest::WhenModal<CJavaOptionsDlg>([](CJavaOptionsDlg* dialog) {
            QCOMPARE(dialog->ProgramEdit()->text(), QStringLiteral("javac"));
            QVERIFY(!dialog->WidthBox()->isEnabled());
            QCOMPARE(dialog->focusWidget(), dialog->JustCompileButton());
            dialog->CreateHtmlButton()->click();
            dialog->WidthBox()->setEditText(QStringLiteral("400"));
            dialog->SwitchesEdit()->setText(QStringLiteral("-g \"-Xlint:all\""));
        });
        QVERIFY(Frame()->ExecuteCommand(ID_COMPILE_JAVA));
        QCOMPARE(m_messages, QStringList());
        QCOMPARE(ZtTest::ReadFile(QDir::homePath() + QStringLiteral("/javac.log")),
                 QStringLiteral("[-g][-Xlint:all][%1]").arg(source).toUtf8());
        QCOMPARE(ZtTest::ReadFile(Path(QStringLiteral("src/html_Hello.html"))),
                 ZtAppletPage::PageBytes(QStringLiteral("Hello"), QStringLiteral("400"), QStringLiteral("200")));
        QCOMPARE(QDir::currentPath(), Path(QStringLiteral("src")));
    }

    void compileMessages_data()
    {
        QTest::addColumn<QString>("file");     // opened first; empty for none
        QTest::addColumn<QString>("javaPath");
        QTest::addColumn<bool>("runnerStuck"); // the options accepted, asking for a page
        QTest::addColumn<QStringList>("expected");
        const QString noJava = QStringLiteral("No active .java document!");
        const QString problem = QStringLiteral("Problem encountered compiling java document!");
        QTest::newRow("no window") << "" << "/jdk" << false << QStringList{noJava};
        QTest::newRow("not java") << "page.html" << "/jdk" << false << QStringList{noJava};
        QTest::newRow("no java path") << "A.java" << "" << false
                                      << QStringList{QStringLiteral(
                                             "Zentrel has no path information for your \"\\java\\bin\" directory. Close "
                                             "all opened Zentrel files and go to the \"Settings\" menu item and register "
                                             "the path there."),
                                                     problem};
        QTest::newRow("options cancelled") << "A.java" << "/jdk" << false << QStringList{problem};
        // An emulator that stays open without ever running the runner: the
        // compile gives up after the grace time, and an older class gets no page.
        QTest::newRow("runner never starts") << "A.java" << "/jdk" << true
                                             << QStringList{QStringLiteral("CreateProcess failed."), problem};
    }

    void compileMessages()
    {
        QFETCH(QString, file);
        QFETCH(QString, javaPath);
        QFETCH(bool, runnerStuck);
        QFETCH(QStringList, expected);
        m_app->WriteProfileString(kSettings, QStringLiteral("Java path"), javaPath);
        if (runnerStuck) {
            const QString terminal = ZtTest::WriteScript(Path(QStringLiteral("stuck-term")), "exec sleep 120\n");
            CConsoleLauncher::SetTerminalFinder([terminal] { return CTerminalEmulator{terminal, {QStringLiteral("-e")}}; });
            CConsoleLauncher::SetRunnerStartGraceMs(300);
            ZtTest::WriteFile(Path(QStringLiteral("A.class")), "old");
        }
        if (!file.isEmpty())
            m_app->OpenFileInEditor(ZtTest::WriteFile(Path(file), "x\n"), false);
        if (!javaPath.isEmpty() && file.endsWith(QLatin1String(".java"))) {
            ZtTest::WhenModal<CJavaOptionsDlg>([](CJavaOptionsDlg* dialog) { dialog->CreateHtmlButton()->click(); },
                                               runnerStuck);
        }
        m_app->ToolCommands().OnCompileJava();
        QCOMPARE(m_messages, expected);
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("html_A.html"))));
    }

    void treeMenuCompilesTheActiveFile()
    {
        // Compile Java file from the menu of a right-clicked source, while
        // another item stays highlighted: no window is open to compile.
        ZtTest::WriteFile(Path(QStringLiteral("site/Hello.java")), "class Hello {}\n");
        CProjectTreeCtrl* tree = ZtTest::OpenProjectTree(ZtTest::WriteFile(Path(QStringLiteral("site/site.ztp")), "project"));
        QTreeWidgetItem* source = ZtTest::ProjectTreeItem(QStringLiteral("Hello.java"));
        QVERIFY(source);
        tree->setCurrentItem(tree->topLevelItem(0));
        QTimer::singleShot(0, this, [] {
            if (QWidget* popup = QApplication::activePopupWidget())
                QTest::keyClick(popup, Qt::Key_J);
        });
        const QPoint at = tree->visualItemRect(source).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
        QApplication::sendEvent(tree->viewport(), &click);
        QCOMPARE(m_messages, QStringList{QStringLiteral("No active .java document!")});
    }

    void perlRunsTheActiveScript()
    {
        if (!QFileInfo(QStringLiteral("/usr/bin/perl")).isExecutable())
            QSKIP("no /usr/bin/perl on this machine");
        const QString script = ZtTest::WriteFile(Path(QStringLiteral("x; touch pwned.pl")), "print \"hello @ARGV\\n\";\n");
        m_app->OpenFileInEditor(script, false);
        // Without a Perl path nothing runs.
        QVERIFY(Frame()->ExecuteCommand(ID_RUN_PERL));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.first().startsWith(QStringLiteral("You must first set the PERL path.")));

        m_app->WriteProfileString(kSettings, QStringLiteral("Perl path"), QStringLiteral("/usr/bin/perl"));
        ZtTest::WhenModal<CPerlArgsDlg>([](CPerlArgsDlg* dialog) {
            QCOMPARE(dialog->InterpreterLabel()->text(), QStringLiteral("/usr/bin/perl"));
            // Both browse buttons show the folder-open picture.
            const QImage folderOpen = QIcon(QStringLiteral(":/icons/folder-open.svg")).pixmap(16).toImage();
            const QList<QToolButton*> browse = dialog->findChildren<QToolButton*>();
            QCOMPARE(browse.size(), 2);
            for (const QToolButton* button : browse)
                QCOMPARE(button->icon().pixmap(16).toImage(), folderOpen);
            dialog->OutputFileEdit()->setText(QStringLiteral(">  out put.txt"));
        });
        QVERIFY(Frame()->ExecuteCommand(ID_RUN_PERL));
        QCOMPARE(ZtTest::ReadFile(Path(QStringLiteral("out put.txt"))), QByteArray("hello \n"));
        QVERIFY(QDir(m_dir).entryList({QStringLiteral("pwned*")}).isEmpty());
        QCOMPARE(m_messages.size(), 1);
    }

    void nothingOpensABoxDuringTheRun()
    {
        // Another "zentrel --open" hands over a page and a missing file while
        // the console runs, and a previewed page's script asks its questions.
        CSingleInstance running;
        QVERIFY(running.Listen());
        connect(&running, &CSingleInstance::filesRequested, m_app, &CZentrelApp::OpenRequestedFiles);
        const QString page = ZtTest::WriteFile(Path(QStringLiteral("handed.html")), "<P>\n");
        const QString missing = Path(QStringLiteral("missing.html"));
        // The console's program runs until this file exists.
        const QString release = Path(QStringLiteral("release"));
        QLocalSocket secondStart;
        QStringList during;
        const auto openPages = [this] { return m_app->WebPageTemplate()->Documents().size(); };
        QTimer::singleShot(0, this, [&] {
            during << QStringLiteral("alert %1, confirm %2")
                          .arg(CBrowserView::ShowScriptDialog(QStringLiteral("Hello"), false))
                          .arg(CBrowserView::ShowScriptDialog(QStringLiteral("Leave?"), true));
            secondStart.connectToServer(CSingleInstance::ServerName());
            secondStart.write((page + QLatin1Char('\n') + missing + QStringLiteral("\n\n")).toUtf8());
        });
        connect(&secondStart, &QLocalSocket::readyRead, this, [&] {
            during << QStringLiteral("pages %1, messages %2").arg(openPages()).arg(m_messages.size());
            ZtTest::WriteFile(release, "");
        });
        const CCommandLine waitForRelease{QStringLiteral("/bin/sh"),
                                          {QStringLiteral("-c"), QStringLiteral("while [ ! -e \"$0\" ]; do sleep 0.05; done"),
                                           release},
                                          false,
                                          {}};
        QVERIFY(m_app->ToolCommands().RunConsoleProcess(waitForRelease));
        QCOMPARE(during, (QStringList{QStringLiteral("alert 0, confirm 0"), QStringLiteral("pages 0, messages 0")}));
        QTRY_COMPARE(openPages(), 1);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.first().contains(QStringLiteral("missing.html")), qPrintable(m_messages.first()));
    }

    void consoleWindowOpensInTheCurrentFolder()
    {
        const QString terminal = ZtTest::WriteScript(Path(QStringLiteral("pwd-term")), "pwd >\"$HOME/terminal-folder\"\n");
        CConsoleLauncher::SetTerminalFinder([terminal] { return CTerminalEmulator{terminal, {}}; });
        const QString marker = QDir::homePath() + QStringLiteral("/terminal-folder");
        QFile::remove(marker);
        m_app->SetCurrentFile(Path(QStringLiteral("pages/index.html")));
        QDir().mkpath(Path(QStringLiteral("pages")));
        QVERIFY(Frame()->ExecuteCommand(ID_OPEN_CONSOLE_WINDOW));
        QTRY_COMPARE(ZtTest::ReadFile(marker), Path(QStringLiteral("pages\n")).toUtf8());

        // Without an emulator the runner's own window holds the shell there.
        QFile::remove(marker);
        CConsoleLauncher::SetTerminalFinder([] { return CTerminalEmulator{}; });
        CConsoleLauncher::SetRunnerPath(ZtTest::WriteScript(
            Path(QStringLiteral("runner")), "printf '%s|' \"$PWD\" \"$@\" >\"$HOME/terminal-folder\"\n"));
        QVERIFY(Frame()->ExecuteCommand(ID_OPEN_CONSOLE_WINDOW));
        // The console window took the keys; once it has gone they come back.
        QApplication::setActiveWindow(nullptr);
        QTRY_COMPARE(ZtTest::ReadFile(marker), Path(QStringLiteral("pages|--window|--|/bin/sh|-i|")).toUtf8());
        QTRY_COMPARE(QApplication::activeWindow(), Frame());
        QCOMPARE(m_messages, QStringList());

        CConsoleLauncher::SetRunnerPath(Path(QStringLiteral("no-runner")));
        QVERIFY(Frame()->ExecuteCommand(ID_OPEN_CONSOLE_WINDOW));
        QCOMPARE(m_messages.size(), 1);
    }

private:
    QString Path(const QString& name) const { return m_dir + QLatin1Char('/') + name; }
    CMainFrame* Frame() const { return m_app->GetMainFrame(); }

    CZentrelApp* m_app = nullptr;
    QString m_dir;
    QStringList m_messages;
};

ZT_APP_TEST_MAIN(TestToolCommands)
#include "tst_toolcommands.moc"
