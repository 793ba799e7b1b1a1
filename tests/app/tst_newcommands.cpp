#include "support/AppTestMain.h"
#include "support/Dialogs.h"
#include "support/TestFiles.h"

#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
#include "editor/PlainTextDoc.h"
#include "editor/SyntaxColorizer.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "files/UserDataFolders.h"
#include "framework/DocTemplate.h"
#include "framework/MessageBox.h"
#include "framework/RecentFileList.h"
#include "res/CommandIds.h"
#include "wizards/FileButton.h"
#include "wizards/NewDlg.h"
#include "wizards/NewPageDlg.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

using namespace ZtCmd;

namespace {
void FailOnAnyMessage()
{
    ZtMessageBox::SetHandler([](const QString& text, QMessageBox::StandardButtons) {
        qFatal("unexpected message %s", qPrintable(text));
        return QMessageBox::Ok;
    });
}

// Acts on the modal dialog titled caption once it is open.
void WhenOpen(const QString& caption, const std::function<void(QDialog*)>& act)
{
    QTimer::singleShot(0, [caption, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->windowTitle() != caption)
            qFatal("no dialog %s", qPrintable(caption));
        act(dialog);
    });
}
} // namespace

// File > New in the whole program: a page from a template, plain text, and
// what Cancel leaves.
class TestNewCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void pageFromTemplate();
    void cancelledPageIsUntitledAndEmpty();
    void plainTextAsksNoPageDialog();
    void pathStartsInTheOpenProject_data();
    void pathStartsInTheOpenProject();

private:
    CZentrelApp* m_app = nullptr;
};

void TestNewCommands::initTestCase()
{
    m_app = ZtApp();
    ZtTest::ShowMainFrame();
    m_app->WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"), 1);
    m_app->WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 1000000);
    FailOnAnyMessage();
}

void TestNewCommands::pageFromTemplate()
{
    const QString site = ZtTest::SandboxDir() + "/My Site";
    QDir().mkpath(site);
    const QString shipped = CUserDataFolders::Templates() + "/html5.tpt";
    QString startedIn;
    CFileButton::SetChooser([&](QWidget*, const QString&, const QString&) {
        startedIn = QDir::currentPath();
        return shipped;
    });
    WhenOpen(CNewDlg::Caption(), [site](QDialog* dialog) {
        WhenOpen(CNewPageDlg::Caption(), [site](QDialog* page) {
            ZtTest::Find<QLineEdit>(page, CNewPageDlg::IDC_TITLE)->setText("Start");
            ZtTest::Find<QLineEdit>(page, CNewPageDlg::IDC_PATH)->setText(site);
            ZtTest::Find<QAbstractButton>(page, CNewPageDlg::IDC_GET_TEMPLATE)->click();
            page->accept();
        });
        dialog->accept();
    });
    QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_FILE_NEW));
    CFileButton::SetChooser(nullptr);

    QCOMPARE(startedIn, CUserDataFolders::Templates());
    auto* page = qobject_cast<CZentrelDoc*>(m_app->WebPageTemplate()->Documents().last());
    QVERIFY(page);
    QCOMPARE(page->GetPathName(), site + "/Start.html");
    QCOMPARE(page->GetTitle(), QStringLiteral("Start.html"));
    QVERIFY(page->IsModified());
    QVERIFY(!QFile::exists(site + "/Start.html"));
    const QString text = page->GetView()->toPlainText();
    QVERIFY(text.startsWith("<!---Created with Zentrel I.D.E--->\n<!DOCTYPE html>\n<html lang=\"en\">\n"));
    QVERIFY(page->GetView()->IsSyntaxColoring());
    QCOMPARE(page->GetView()->Colorizer()->PrimaryList().isEmpty(), false);
    // A file that appeared under that name meanwhile is replaced only after
    // asking, and only on the first save. Saved, the page is the marker and
    // the template's lines, each ended by CR LF.
    ZtTest::WriteFile(site + "/Start.html", "someone else's page");
    QStringList asked;
    ZtMessageBox::SetHandler([&asked](const QString& text, QMessageBox::StandardButtons) {
        asked.append(text);
        return QMessageBox::Yes;
    });
    QVERIFY(page->DoFileSave());
    QVERIFY(page->DoFileSave());
    QCOMPARE(asked, QStringList{site + "/Start.html already exists.\nDo you want to replace it?"});
    FailOnAnyMessage();
    QByteArray expected = "<!---Created with Zentrel I.D.E--->\n" + ZtTest::ReadFile(shipped);
    QCOMPARE(ZtTest::ReadFile(site + "/Start.html"), expected.replace("\n", "\r\n"));
    // The keys go back to the new page's editor.
    QTRY_COMPARE(QApplication::activeWindow(), m_app->GetMainFrame());
    QCOMPARE(QApplication::focusWidget(), page->GetView());
    QVERIFY(m_app->RecentFileList().Entries().contains(site + "/Start.html"));
}

void TestNewCommands::cancelledPageIsUntitledAndEmpty()
{
    const int before = int(m_app->WebPageTemplate()->Documents().size());
    WhenOpen(CNewDlg::Caption(), [](QDialog* dialog) {
        WhenOpen(CNewPageDlg::Caption(), [](QDialog* page) { page->reject(); });
        dialog->accept();
    });
    QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_FILE_NEW));
    QCOMPARE(m_app->WebPageTemplate()->Documents().size(), before + 1);
    auto* page = qobject_cast<CZentrelDoc*>(m_app->WebPageTemplate()->Documents().last());
    QVERIFY(page->GetPathName().isEmpty());
    QVERIFY(page->GetView()->toPlainText().isEmpty());
    QVERIFY(!page->IsModified());
}

void TestNewCommands::plainTextAsksNoPageDialog()
{
    const int pages = int(m_app->WebPageTemplate()->Documents().size());
    WhenOpen(CNewDlg::Caption(), [](QDialog* dialog) {
        ZtTest::Find<QRadioButton>(dialog, CNewDlg::IDC_NEW_TEXT)->setChecked(true);
        dialog->accept();
    });
    QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_FILE_NEW));
    QCOMPARE(m_app->WebPageTemplate()->Documents().size(), pages);
    QVERIFY(qobject_cast<CPlainTextDoc*>(m_app->TextTemplate()->Documents().last()));
}

void TestNewCommands::pathStartsInTheOpenProject_data()
{
    QTest::addColumn<bool>("project");
    QTest::addColumn<QString>("edited"); // a page open in an editor, or none
    QTest::addColumn<QString>("picked"); // the folder last picked in a tree, or none
    QTest::addColumn<QString>("expected"); // below the test's folder; empty for that folder

    // The second page of a site made while its first one is edited.
    QTest::newRow("project, its page edited") << true << "Web/Site/index.html" << "" << "Web/Site";
    QTest::newRow("project, nothing edited") << true << "" << "" << "Web/Site";
    QTest::newRow("project, its folder picked") << true << "Web/Site/index.html" << "Web/Site/pages"
                                                << "Web/Site/pages";
    // A folder picked elsewhere, or no project: the folder above the
    // wizards' base directory.
    QTest::newRow("project, other folder picked") << true << "" << "Web/Other" << "";
    QTest::newRow("no project, a page edited") << false << "Web/Other/x.html" << "" << "Web";
}

void TestNewCommands::pathStartsInTheOpenProject()
{
    QFETCH(bool, project);
    QFETCH(QString, edited);
    QFETCH(QString, picked);
    QFETCH(QString, expected);
    const QString sandbox = ZtTest::SandboxDir() + "/new";
    ZtTest::WriteFile(sandbox + "/Web/Site/Site.ztp", "Site\r\r\n");
    ZtTest::WriteFile(sandbox + "/Web/Site/index.html", "<html></html>");
    ZtTest::WriteFile(sandbox + "/Web/Other/x.html", "<html></html>");
    ZtTest::CloseAllDocuments();
    m_app->SetSelectedPath(picked.isEmpty() ? QString() : sandbox + "/" + picked);
    if (project)
        m_app->OpenProject(sandbox + "/Web/Site/Site.ztp");
    if (!edited.isEmpty())
        m_app->OpenFileInEditor(sandbox + "/" + edited, false);

    QString path;
    WhenOpen(CNewDlg::Caption(), [&path](QDialog* dialog) {
        WhenOpen(CNewPageDlg::Caption(), [&path](QDialog* page) {
            path = ZtTest::Find<QLineEdit>(page, CNewPageDlg::IDC_PATH)->text();
            page->reject();
        });
        dialog->accept();
    });
    QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_FILE_NEW));
    QCOMPARE(path, expected.isEmpty() ? sandbox : sandbox + "/" + expected);
    if (project)
        QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_PROJECT_CLOSE));
}

ZT_APP_TEST_MAIN(TestNewCommands)
#include "tst_newcommands.moc"
