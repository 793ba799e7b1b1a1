#include "support/Dialogs.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/UserDataFolders.h"
#include "wizards/FileButton.h"
#include "wizards/NewDlg.h"
#include "wizards/NewPageDlg.h"
#include "wizards/NewPageText.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace ZtNewPage;
using ZtTest::Find;
using ZtTest::Row;

// The New Page dialog's text from a template and prologue, the file its
// Title and Path name, and templates saved and loaded again.
class TestNewPage : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void okTakesPathFromTheStartDirectory_data();
    void okTakesPathFromTheStartDirectory();
    void savedTemplateReloadsWithOneMarker();
    void badTemplatesLeaveTheText_data();
    void badTemplatesLeaveTheText();
    void okNeedsATitle();
    void keyboard();
    void seedingKeepsTheUsersFiles();
};

namespace {

// The text of a template's bytes under the prologue of that index (-1: none),
// "M" standing for the page marker.
QString Template(const QByteArray& bytes, int prologue = -1)
{
    return TemplateText(bytes, prologue < 0 ? QString() : PrologueIdentifiers().at(prologue))
        .replace(PageMarker(), QStringLiteral("M"));
}

// "name in folder" for a Title and Path from the start directory /start/dir,
// HOME for the home folder; or the error.
QString Target(const QString& title, const QString& path, bool pathIsFolder)
{
    const CPageTarget target = ResolvePageTarget(title, path, pathIsFolder, QStringLiteral("/start/dir"));
    if (target.m_eError != CPageTarget::None)
        return target.m_eError == CPageTarget::NoTitle ? QStringLiteral("NoTitle") : QStringLiteral("SlashInTitle");
    QString got = target.m_strFileName + " in " + target.m_strFolder;
    if (target.m_strFullPath != target.m_strFolder + target.m_strFileName)
        got += QStringLiteral(" but ") + target.m_strFullPath;
    return got.replace(QDir::homePath(), QStringLiteral("HOME"));
}

} // namespace

void TestNewPage::results_data()
{
    ZtTest::ResultColumns();
    Row("CR LF, no prologue", Template("<HTML>\r\n</HTML>\r\n"), "M\n<HTML>\n</HTML>\n");
    Row("CR CR LF of a saved template", Template("<!---Created with Zentrel I.D.E--->\r\r\n<P>\r\r\n"), "M\n<P>\n");
    Row("prologue 2 keeps two blanks", Template("<P>", 1), "M\n<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML//EN\">\n<P>\n");
    Row("any marker line dropped", Template("<!---Created by hand\na\n<!---Created\n"), "M\na\n");
    Row("empty lines kept, last one has no line", Template("a\n\nb"), "M\na\n\nb\n");
    Row("Windows-1252 when not UTF-8", Template("caf\xe9\n"), QString::fromUtf8("M\ncafé\n"));
    Row("empty file", Template(QByteArray(), 0), "M\n<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\n");

    Row("title gets .html, case kept", Target("Index", "/web/Site", true), "Index.html in /web/Site/");
    Row("extension kept", Target("About.HTM", "/web/", true), "About.HTM in /web/");
    Row("dot only at the start", Target(".profile", "/web", true), ".profile.html in /web/");
    Row("file named in Path", Target("", "/web/site/about.htm", false), "about.htm in /web/site/");
    Row("title wins over Path's file", Target("x", "/web/site/about.htm", false), "x.html in /web/site/");
    Row("folder with a dot stays a folder", Target("a", "/home/me/site.v2", true), "a.html in /home/me/site.v2/");
    Row("no path: start directory", Target("a", "", false), "a.html in /start/dir/");
    Row("relative path", Target("a", "pages", false), "a.html in /start/dir/pages/");
    Row("relative file", Target("", "../about.htm", false), "about.htm in /start/dir/../");
    Row("home", Target("a", "~", true), "a.html in HOME/");
    Row("below home", Target("a", "~/web", true), "a.html in HOME/web/");
    Row("file below home", Target("", "~/web/about.htm", false), "about.htm in HOME/web/");
    Row("tilde starting a name", Target("a", "~web", false), "a.html in /start/dir/~web/");
    // Blanks are part of a Linux name.
    Row("blanks kept", Target(" a ", "/web/my site ", true), " a .html in /web/my site /");
    Row("no title", Target("", "/web/site", true), "NoTitle");
    Row("slash in title", Target("sub/a", "/web", true), "SlashInTitle");
}

void TestNewPage::okTakesPathFromTheStartDirectory_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected"); // START: the start directory, HOME: the home folder
    QTest::newRow("relative") << "pages" << "START/pages/page.html";
    QTest::newRow("a home folder with a dot") << "~/site.v2" << "HOME/site.v2/page.html";
    QTest::newRow("blanks kept") << " my site " << "START/ my site /page.html";
}

// Getting a template makes the Templates folder current; the page still
// goes where Path leads from the start directory.
void TestNewPage::okTakesPathFromTheStartDirectory()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    ZtTest::CMessageLog messages;
    const QString start = ZtTest::SandboxDir() + "/start";
    const QString templates = ZtTest::SandboxDir() + "/Templates";
    const QString source = ZtTest::WriteFile(templates + "/t.tpt", "<P>\n");
    QVERIFY(QDir().mkpath(start) && QDir::home().mkpath("site.v2"));
    CNewPageDlg dialog(templates, QString(), start);
    CFileButton::SetChooser([&](QWidget*, const QString&, const QString&) { return source; });
    Find<QAbstractButton>(&dialog, CNewPageDlg::IDC_GET_TEMPLATE)->click();
    CFileButton::SetChooser(nullptr);
    Find<QLineEdit>(&dialog, CNewPageDlg::IDC_TITLE)->setText("page");
    Find<QLineEdit>(&dialog, CNewPageDlg::IDC_PATH)->setText(path);
    dialog.accept();
    QCOMPARE(dialog.FullPath(), QString(expected).replace("START", start).replace("HOME", QDir::homePath()));
    QVERIFY(messages.texts.isEmpty());
}

void TestNewPage::savedTemplateReloadsWithOneMarker()
{
    ZtTest::CMessageLog messages;
    const QString dir = ZtTest::SandboxDir();
    const QString source = ZtTest::WriteFile(dir + "/t.tpt", "<HTML>\r\n<BODY>\r\n");
    CNewPageDlg dialog(dir, QString(), dir);
    Find<QComboBox>(&dialog, CNewPageDlg::IDC_PROLOGUE)->setEditText("<!DOCTYPE x>");
    QVERIFY(dialog.LoadTemplate(source));
    QVERIFY(dialog.SaveTemplate(dir + "/saved.tpt"));
    QCOMPARE(ZtTest::ReadFile(dir + "/saved.tpt"),
             QByteArray("<!---Created with Zentrel I.D.E--->\r\r\n<!DOCTYPE x>\r\r\n<HTML>\r\r\n<BODY>\r\r\n"));
    Find<QComboBox>(&dialog, CNewPageDlg::IDC_PROLOGUE)->setEditText(QString());
    QVERIFY(dialog.LoadTemplate(dir + "/saved.tpt"));
    auto* text = Find<QPlainTextEdit>(&dialog, CNewPageDlg::IDC_TEMPLATE_TEXT);
    QCOMPARE(text->toPlainText(), PageMarker() + "\n<!DOCTYPE x>\n<HTML>\n<BODY>\n");
    QVERIFY(messages.texts.isEmpty());
}

void TestNewPage::badTemplatesLeaveTheText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "gone.tpt" << QByteArray() << "File not found\n";
    QTest::newRow("binary") << "image.tpt" << QByteArray("GIF89a\0\0\x01", 9) << "holds binary data";
    QTest::newRow("a folder") << "folder.tpt" << QByteArray() << "cannot be read";
}

void TestNewPage::badTemplatesLeaveTheText()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    ZtTest::CMessageLog messages;
    const QString path = ZtTest::SandboxDir() + "/bad/" + name;
    if (!bytes.isEmpty())
        ZtTest::WriteFile(path, bytes);
    else if (name.startsWith("folder"))
        QDir().mkpath(path);
    CNewPageDlg dialog{QString(), QString(), QString()};
    auto* text = Find<QPlainTextEdit>(&dialog, CNewPageDlg::IDC_TEMPLATE_TEXT);
    text->setPlainText("kept");
    QVERIFY(!dialog.LoadTemplate(path));
    QCOMPARE(text->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.first().contains(message), qPrintable(messages.texts.first()));
}

void TestNewPage::okNeedsATitle()
{
    ZtTest::CMessageLog messages;
    const QString dir = ZtTest::SandboxDir() + "/site";
    ZtTest::WriteFile(dir + "/index.html", "old");
    CNewPageDlg dialog(QString(), dir + "/pages", dir);
    dialog.accept();
    QCOMPARE(messages.texts, QStringList{"You must give this new file a title."});
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    // A page named like an existing file is taken without a question; the
    // file is replaced only when the page is saved.
    Find<QLineEdit>(&dialog, CNewPageDlg::IDC_TITLE)->setText("index");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(messages.texts.size(), 1);
    QCOMPARE(dialog.FullPath(), dir + "/index.html");
    QCOMPARE(ZtTest::ReadFile(dir + "/index.html"), QByteArray("old"));
}

// The dialogs as a user types: Alt+T and Return at once make plain text;
// the New Page dialog opens on Title, Tab visits its controls in their
// order, Down picks the prologues from the first, Return presses a focused
// picture button and then means OK again, and the page's lines end with CR LF.
void TestNewPage::keyboard()
{
    ZtTest::CMessageLog messages;
    CNewDlg choice;
    choice.show();
    QVERIFY(QTest::qWaitForWindowActive(&choice));
    QCOMPARE(choice.focusWidget(), Find(&choice, CNewDlg::IDC_NEW_PAGE));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(choice.result(), int(QDialog::Accepted));
    QCOMPARE(choice.Choice(), CNewDlg::PlainText);

    const QString dir = ZtTest::SandboxDir() + "/keys";
    const QString source = ZtTest::WriteFile(dir + "/t.tpt", "<P>\r\n</P>\r\n");
    CNewPageDlg dialog(dir, QString(), dir);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    for (int id : {CNewPageDlg::IDC_TITLE, CNewPageDlg::IDC_PATH_BUTTON, CNewPageDlg::IDC_PATH, CNewPageDlg::IDC_PROLOGUE,
                   CNewPageDlg::IDC_GET_TEMPLATE, CNewPageDlg::IDC_SAVE_TEMPLATE, CNewPageDlg::IDC_TEMPLATE_TEXT}) {
        QCOMPARE(QApplication::focusWidget(), Find(&dialog, id));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    Find(&dialog, CNewPageDlg::IDC_TITLE)->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), "Keys");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), dir);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QVERIFY(dialog.LoadTemplate(source));
    // Return on a picture button presses it, not OK.
    CNewPageDlg::SetSaveChooser([&dir](QWidget*, const QString&, const QString&) { return dir + "/saved.tpt"; });
    Find(&dialog, CNewPageDlg::IDC_SAVE_TEMPLATE)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    CNewPageDlg::SetSaveChooser(nullptr);
    QVERIFY(dialog.isVisible());
    QVERIFY(ZtTest::ReadFile(dir + "/saved.tpt").endsWith("<P>\r\r\n</P>\r\r\n"));
    // Then Return is OK again.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.FullPath(), dir + "/Keys.html");
    QCOMPARE(dialog.TemplateText(), PageMarker() + "\r\n" + PrologueIdentifiers().at(1) + "\r\n<P>\r\n</P>\r\n");
    QVERIFY(messages.texts.isEmpty());
}

void TestNewPage::seedingKeepsTheUsersFiles()
{
    const QString seed = ZtTest::SandboxDir() + "/seed";
    ZtTest::WriteFile(seed + "/a.tpt", "shipped");
    ZtTest::WriteFile(seed + "/sub/b.kwd", "x\n");
    const QString folder = ZtTest::SandboxDir() + "/user/Templates";
    QCOMPARE(CUserDataFolders::EnsureSeeded(folder, seed), folder);
    QCOMPARE(ZtTest::ReadFile(folder + "/sub/b.kwd"), QByteArray("x\n"));
    // The user edits one file and deletes the other: seeding again changes nothing.
    ZtTest::WriteFile(folder + "/a.tpt", "mine");
    QFile::remove(folder + "/sub/b.kwd");
    CUserDataFolders::EnsureSeeded(folder, seed);
    QCOMPARE(ZtTest::ReadFile(folder + "/a.tpt"), QByteArray("mine"));
    QVERIFY(!QFile::exists(folder + "/sub/b.kwd"));
}

ZT_TEST_MAIN(TestNewPage)
#include "tst_newpage.moc"
