#include "support/AppTestMain.h"

#include "app/HelpEngine.h"
#include "app/HelpWindow.h"
#include "app/MainFrame.h"
#include "framework/ContextHelp.h"
#include "projects/ChooseDirectoryDlg.h"
#include "projects/NewKeywordsFileDlg.h"
#include "projects/ProjectWizSheet.h"
#include "res/CommandIds.h"
#include "res/HelpFile.h"
#include "tools/ConsoleCommandDlg.h"
#include "tools/JavaOptionsDlg.h"
#include "tools/JavaPathDlg.h"
#include "tools/PerlArgsDlg.h"
#include "tools/PerlPathDlg.h"
#include "wizards/AlignWizDlg.h"
#include "wizards/BodyWizDlg.h"
#include "wizards/ColorWizDlg.h"
#include "wizards/FontWizDlg.h"
#include "wizards/ImageWizDlg.h"
#include "wizards/ListWizDlg.h"
#include "wizards/NewDlg.h"
#include "wizards/NewPageDlg.h"
#include "wizards/TableWizSheet.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

using namespace ZtCmd;

namespace {
using DialogFactory = std::function<QDialog*()>;

// The help table a dialog installed, found the way a user finds it: a right
// click on each control that carries an id.
QList<int> HelpTableOf(QDialog* dialog)
{
    QList<int> shown;
    CContextHelp::SetHandler([&shown](int topic, QWidget*) { shown.append(topic); });
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        bool isId = false;
        control->objectName().toInt(&isId);
        if (!isId)
            continue;
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(1, 1), control->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(control, &click);
    }
    CHelpEngine::Install();
    return shown;
}

QLabel* ShownPopup()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("helpPopup") && widget->isVisible())
            return static_cast<QLabel*>(widget);
    }
    return nullptr;
}
} // namespace

Q_DECLARE_METATYPE(DialogFactory)

class TestHelp : public QObject
{
    Q_OBJECT
private slots:
    void everyHelpTableIdHasATopic_data();
    void everyHelpTableIdHasATopic();
    void helpFileTopicsAreUnique();
    void rightClickShowsTheTopic();
    void helpCommandsOpenTheHelpWindow();
};

void TestHelp::everyHelpTableIdHasATopic_data()
{
    // One row for every dialog that installs context help.
    QTest::addColumn<DialogFactory>("makeDialog");
    QTest::newRow("Choose Directory") << DialogFactory([] { return new CChooseDirectoryDlg; });
    QTest::newRow("Project wizard") << DialogFactory([] { return new CProjectWizSheet(QDir::tempPath()); });
    QTest::newRow("Java path") << DialogFactory([] { return new CJavaPathDlg(QString()); });
    QTest::newRow("Java options") << DialogFactory([] { return new CJavaOptionsDlg; });
    QTest::newRow("Perl path") << DialogFactory([] { return new CPerlPathDlg(QString()); });
    QTest::newRow("Perl parameters") << DialogFactory([] { return new CPerlArgsDlg(QString(), QDir::tempPath()); });
    QTest::newRow("Console command") << DialogFactory([] { return new CConsoleCommandDlg; });
    QTest::newRow("Body tag") << DialogFactory([] { return new CBodyWizDlg(QString()); });
    QTest::newRow("Choose font") << DialogFactory([] { return new CFontWizDlg; });
    QTest::newRow("Get Color") << DialogFactory([] { return new CColorWizDlg; });
    QTest::newRow("Positional") << DialogFactory([] { return new CAlignWizDlg; });
    QTest::newRow("List Wizard") << DialogFactory([] { return new CListWizDlg; });
    QTest::newRow("New") << DialogFactory([] { return new CNewDlg; });
    QTest::newRow("New Keywords file") << DialogFactory([] { return new CNewKeywordsFileDlg; });
    QTest::newRow("New Page") << DialogFactory([] { return new CNewPageDlg(QString(), QString(), QString()); });
    QTest::newRow("Table wizard") << DialogFactory([] { return new CTableWizSheet(QString(), QString()); });
    QTest::newRow("Image tag") << DialogFactory([] { return new CImageWizDlg(QString()); });
}

void TestHelp::everyHelpTableIdHasATopic()
{
    QFETCH(DialogFactory, makeDialog);
    std::unique_ptr<QDialog> dialog(makeDialog());
    const QList<int> table = HelpTableOf(dialog.get());
    QVERIFY(!table.isEmpty());
    for (const int id : table) {
        const CHelpTopic* topic = CHelpFile::Program().Topic(id);
        QVERIFY2(topic && !topic->m_strTitle.isEmpty() && !topic->m_strBody.isEmpty(),
                 qPrintable(QStringLiteral("no topic for control %1").arg(id)));
    }
}

void TestHelp::helpFileTopicsAreUnique()
{
    // A topic copied under a second heading with the same id would never show.
    QList<int> ids;
    for (const CHelpTopic& topic : CHelpFile::Program().Topics()) {
        QVERIFY2(topic.m_nId == 0 || !ids.contains(topic.m_nId), qPrintable(topic.m_strTitle));
        ids.append(topic.m_nId);
    }
}

void TestHelp::rightClickShowsTheTopic()
{
    CChooseDirectoryDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* pathEdit = dialog.PathBox()->lineEdit();

    // A right click on a part of the control (the combo box's line edit).
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), pathEdit->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(pathEdit, &click);
    QLabel* popup = ShownPopup();
    QVERIFY(popup);
    QVERIFY2(popup->text().contains(QStringLiteral("Chosen directory")), qPrintable(popup->text()));
    QTest::keyClick(popup, Qt::Key_Escape);
    QTRY_VERIFY(!ShownPopup());
}

void TestHelp::helpCommandsOpenTheHelpWindow()
{
    CMainFrame* frame = ZtTest::ShowMainFrame();
    for (const int id : {ID_HELP_FINDER, ID_HELP, ID_CONTEXT_HELP})
        QVERIFY(frame->ExecuteCommand(id));
    // One window, opened at the contents.
    const QList<CHelpWindow*> windows = frame->findChildren<CHelpWindow*>();
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.first()->isVisible());
    QVERIFY(windows.first()->PageText().startsWith(QStringLiteral("# Zentrel Help")));
    windows.first()->ShowTopic(1009);
    QVERIFY(windows.first()->PageText().startsWith(QStringLiteral("## Project name")));
}

ZT_APP_TEST_MAIN(TestHelp)
#include "tst_help.moc"
