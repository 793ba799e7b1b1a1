#include "support/AppTestMain.h"

#include "app/HelpEngine.h"
#include "app/HelpWindow.h"
#include "framework/ContextHelp.h"
#include "projects/ChooseDirectoryDlg.h"
#include "projects/NewKeywordsFileDlg.h"
#include "projects/ProjectWizSheet.h"
#include "res/Accelerators.h"
#include "res/HelpFile.h"
#include "res/MenuTables.h"
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
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextBrowser>
#include <QTreeWidget>

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

// Every menu path of the menu bars, as a reader sees it: "File > New",
// "View > Project bar window > Show / Hide Project bar".
QStringList MenuPaths(const QString& prefix, const QVector<ZtRes::MenuItem>& items)
{
    QStringList paths;
    for (const ZtRes::MenuItem& item : items) {
        const QString text = item.text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')).simplified();
        if (text.isEmpty())
            continue;
        const QString path = prefix.isEmpty() ? text : prefix + QStringLiteral(" > ") + text;
        paths << path << MenuPaths(path, item.items);
    }
    return paths;
}

// Whether text begins with a menu path ("File > Open" for "File > Open..."),
// followed by the end of a word.
bool StartsWithMenuPath(const QString& text, const QStringList& menuPaths)
{
    for (QString path : menuPaths) {
        path.remove(QStringLiteral("..."));
        if (path.contains(QStringLiteral(" > ")) && text.startsWith(path)
            && (text.size() == path.size() || !text.at(path.size()).isLetterOrNumber()))
            return true;
    }
    return false;
}

// The link addresses of a page, in their order on the page.
QStringList LinksOf(QTextBrowser* page)
{
    QStringList links;
    for (QTextBlock block = page->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString href = it.fragment().charFormat().anchorHref();
            if (!href.isEmpty())
                links << href;
        }
    }
    return links;
}

// The titles of the task topics, in their order.
QStringList TasksOf(const CHelpFile& helpFile)
{
    QStringList tasks;
    for (const CHelpTopic& topic : helpFile.Topics()) {
        if (topic.IsTask())
            tasks << topic.m_strTitle;
    }
    return tasks;
}

// The text of markdown as the reader sees it, on one line.
QString ShownText(const QString& markdown)
{
    QTextDocument shown;
    shown.setMarkdown(markdown);
    return shown.toPlainText().simplified();
}

QList<QWidget*> VisibleWindows()
{
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            windows << widget;
    }
    return windows;
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
    void everyHelpTableIdHasATopic_data()
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

    void everyHelpTableIdHasATopic()
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

    void helpFileTopicsAreUnique()
    {
        // A topic copied under a second heading with the same id would never show.
        QList<int> ids;
        for (const CHelpTopic& topic : CHelpFile::Program().Topics()) {
            QVERIFY2(topic.m_nId == 0 || !ids.contains(topic.m_nId), qPrintable(topic.m_strTitle));
            ids.append(topic.m_nId);
        }
    }

    void rightClickShowsTheTopic()
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

    void contentsPageLinksTheTasks()
    {
        // Topics before the first chapter are tasks; the contents page links
        // them, and only them, each to its own place among the topics.
        const CHelpFile helpFile = CHelpFile::Parse(QStringLiteral(
            "# Help\n\nIntro.\n\n### Getting started\n\nSteps.\n\n### Printing\n\nMore.\n\n"
            "## A dialog\n\nAbout it.\n\n### 2000 A field\n\nWhat it holds.\n"));
        QCOMPARE(TasksOf(helpFile), QStringList({QStringLiteral("Getting started"), QStringLiteral("Printing")}));
        QCOMPARE(helpFile.Topics().at(1).m_strBody, QStringLiteral("More."));
        QCOMPARE(helpFile.ContentsPage(),
                 QStringLiteral("# Help\n\nIntro.\n\n- [Getting started](topic:0)\n- [Printing](topic:1)\n"));
        QCOMPARE(CHelpFile::TopicIndexOfLink(CHelpFile::TopicLink(1)), 1);
        QCOMPARE(CHelpFile::TopicIndexOfLink(QStringLiteral("https://example.org/")), -1);
    }

    // The help commands open one window, at the contents page; each task is
    // one click away, on the page and in the contents tree.
    void helpCommandsReachEveryTask()
    {
        CMainFrame* frame = ZtTest::ShowMainFrame();
        for (const int id : {ID_HELP_FINDER, ID_HELP, ID_CONTEXT_HELP})
            QVERIFY2(frame->ExecuteCommand(id), QByteArray::number(id).constData());
        const QList<CHelpWindow*> windows = frame->findChildren<CHelpWindow*>();
        QCOMPARE(windows.size(), 1);
        CHelpWindow* window = windows.first();
        QVERIFY(window->isVisible());
        QVERIFY(window->PageText().startsWith(QStringLiteral("# Zentrel Help")));
        auto* page = window->findChild<QTextBrowser*>();
        auto* contents = window->findChild<QTreeWidget*>();
        const QStringList tasks = TasksOf(CHelpFile::Program());
        const QStringList links = LinksOf(page);
        QCOMPARE(links.size(), tasks.size());
        for (int i = 0; i < links.size(); ++i) {
            window->ShowTopic(0);
            emit page->anchorClicked(QUrl(links[i]));
            QVERIFY2(window->PageText().startsWith(QStringLiteral("## ") + tasks[i]), qPrintable(window->PageText()));
            QCOMPARE(contents->currentItem()->text(0), tasks[i]);
        }
        window->ShowTopic(1009);
        QVERIFY(window->PageText().startsWith(QStringLiteral("## Project name")));
        window->close();
    }

    void helpNamesRealMenusAndKeys()
    {
        // A menu path the help spells out in bold ("**File > New**") must be
        // one the program has, and a key a task names must run a command, so the
        // manual cannot drift from the menus and the keys.
        static const QRegularExpression boldPath(QStringLiteral("\\*\\*([^*]+ > [^*]+)\\*\\*"));
        static const QRegularExpression plainPath(
            QStringLiteral("\\b(?:File|Edit|View|Wizards|Settings|Tools|Window|Help|Browse) > "));
        static const QRegularExpression keyName(QStringLiteral("(?<![\\w+])((?:Ctrl\\+|Alt\\+|Shift\\+)+(?:F\\d+|[A-Z]))(?![\\w+])"));
        QStringList menuPaths;
        for (const int menuBar : {IDR_MAINFRAME, IDR_ZTTYPE, IDR_PROJECTTYPE, IDR_TEXTTYPE, IDR_BROWSERTYPE})
            menuPaths << MenuPaths(QString(), ZtRes::MenuBar(menuBar));
        QList<QKeySequence> keys;
        for (const ZtRes::Accelerator& accelerator : ZtRes::Accelerators() + ZtRes::EditorAccelerators())
            keys << accelerator.keys;
        int pathsChecked = 0;
        int keysChecked = 0;
        // Paths written without bold too ("Window > Run console process runs
        // ..."), in the topics and in the chapters' introductions.
        QStringList texts;
        for (const CHelpChapter& chapter : CHelpFile::Program().Chapters())
            texts << chapter.m_strIntro;
        for (const CHelpTopic& topic : CHelpFile::Program().Topics()) {
            texts << topic.m_strBody;
            for (auto it = boldPath.globalMatch(topic.m_strBody); it.hasNext(); ++pathsChecked) {
                const QString path = it.next().captured(1).simplified();
                QVERIFY2(menuPaths.contains(path), qPrintable(topic.m_strTitle + QStringLiteral(": ") + path));
                // As the reader sees it: a line that starts with ">" would turn
                // into a quote and tear the path apart.
                QVERIFY2(ShownText(topic.m_strBody).contains(path),
                         qPrintable(topic.m_strTitle + QStringLiteral(" shows: ") + path));
            }
            if (!topic.IsTask())
                continue;
            for (auto it = keyName.globalMatch(topic.m_strBody); it.hasNext(); ++keysChecked) {
                const QString key = it.next().captured(1);
                QVERIFY2(keys.contains(QKeySequence(key)), qPrintable(topic.m_strTitle + QStringLiteral(": ") + key));
            }
        }
        for (const QString& text : std::as_const(texts)) {
            const QString shownText = ShownText(text);
            for (auto it = plainPath.globalMatch(shownText); it.hasNext(); ++pathsChecked) {
                const QString rest = shownText.mid(it.next().capturedStart());
                QVERIFY2(StartsWithMenuPath(rest, menuPaths), qPrintable(rest.left(40)));
            }
        }
        QVERIFY(pathsChecked > 0);
        QVERIFY(keysChecked > 0);
    }

    void helpWindowCloses_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << QStringLiteral("Escape");
        QTest::newRow("Close button") << QStringLiteral("button");
    }

    void helpWindowCloses()
    {
        QFETCH(QString, how);
        CMainFrame* frame = ZtTest::ShowMainFrame();
        QPointer<CHelpWindow> window = CHelpEngine::ShowHelpWindow(frame);
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* close = window->findChild<QPushButton*>(QStringLiteral("helpClose"));
        QVERIFY(close);
        QCOMPARE(close->text(), QStringLiteral("&Close"));
        if (how == QLatin1String("Escape"))
            QTest::keyClick(window->focusWidget(), Qt::Key_Escape);
        else
            QTest::mouseClick(close, Qt::LeftButton);
        QTRY_VERIFY(!window || !window->isVisible());
        // The keys go back to the main window.
        QTRY_COMPARE(QApplication::activeWindow(), frame);
        frame->close();
    }

    // Last: it closes the main window.
    void exitClosesEveryWindowOfOurs()
    {
        // With the help window open and a bar floating, Exit must leave nothing
        // on screen, or the process goes on running with no window to end it from.
        CMainFrame* frame = ZtTest::ShowMainFrame();
        for (QWidget* window : VisibleWindows()) {
            if (window != frame)
                window->close();
        }
        CHelpEngine::ShowHelpWindow(frame);
        QVERIFY(frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
        QVERIFY(frame->findChild<QDockWidget*>(QStringLiteral("ProjectBar"))->isFloating());
        QVERIFY(frame->ExecuteCommand(ID_APP_EXIT));
        QStringList left;
        for (QWidget* window : VisibleWindows())
            left << QString::fromLatin1(window->metaObject()->className()) + QLatin1Char(' ') + window->objectName();
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QStringLiteral(", "))));
    }
};

ZT_APP_TEST_MAIN(TestHelp)
#include "tst_help.moc"
