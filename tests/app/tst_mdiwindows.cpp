#include "support/AppTestMain.h"
#include "support/Dialogs.h"
#include "support/TestFiles.h"

#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/MDIChildWnd.h"
#include "framework/View.h"
#include "res/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

using namespace ZtCmd;

// The child windows as a user meets them: which one is active after a close,
// and how the Window menu lists them.
class TestMdiWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void closingAWindowActivatesTheLastOneUsed_data();
    void closingAWindowActivatesTheLastOneUsed();
    void windowMenuListsAndActivatesTheWindows();
    void nextDocumentGoesThroughEveryShownWindow();

private:
    CMDIChildWnd* Open(const QString& name);
    QString ActiveTitle() const;
    QMenu* WindowMenu() const;
    QString WindowEntries() const;

    CMainFrame* m_frame = nullptr;
    QString m_dir;
    ZtTest::CMessageLog m_messages{QMessageBox::No};
};

CMDIChildWnd* TestMdiWindows::Open(const QString& name)
{
    const QString path = ZtTest::WriteFile(m_dir + QLatin1Char('/') + name, "<HTML>\n</HTML>\n");
    ZtApp()->OpenFileInEditor(path, false);
    return m_frame->MDIGetActive();
}

QString TestMdiWindows::ActiveTitle() const
{
    CMDIChildWnd* active = m_frame->MDIGetActive();
    return active && active->GetActiveDocument() ? active->GetActiveDocument()->GetTitle() : QStringLiteral("none");
}

QMenu* TestMdiWindows::WindowMenu() const
{
    for (QAction* action : m_frame->menuBar()->actions()) {
        if (action->text() == QLatin1String("&Window"))
            return action->menu();
    }
    return nullptr;
}

// The Window menu's entries after its last separator as the user sees them
// when it opens: "&1 index.html" and so on, "+" before the checked one, "[]"
// before one that shows an empty check box.
QString TestMdiWindows::WindowEntries() const
{
    QMenu* menu = WindowMenu();
    if (!menu)
        return QStringLiteral("no Window menu");
    emit menu->aboutToShow();
    QStringList entries;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            entries.clear();
        else if (action->isVisible())
            entries << (action->isChecked()       ? QStringLiteral("+")
                        : action->isCheckable() ? QStringLiteral("[]")
                                                : QString())
                           + action->text();
    }
    return entries.join(QLatin1Char('|'));
}

void TestMdiWindows::initTestCase()
{
    m_frame = ZtTest::ShowMainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    m_dir = ZtTest::SandboxDir() + QStringLiteral("/site");
}

void TestMdiWindows::cleanup()
{
    m_messages.answer = QMessageBox::No; // discard unsaved test edits
    ZtTest::CloseAllDocuments();
}

void TestMdiWindows::closingAWindowActivatesTheLastOneUsed_data()
{
    QTest::addColumn<QString>("opened");    // pages opened, in this order
    QTest::addColumn<QString>("activated"); // then chosen from the Window menu, in this order
    QTest::addColumn<QString>("how");       // how each active window is closed
    QTest::addColumn<QString>("expected");  // the window active after each close
    // index.html was used last before three.html, although two.html was
    // opened later.
    const QString back = QStringLiteral("index.html|three.html");
    for (const char* how : {"window", "command", "document"})
        QTest::addRow("back to an earlier window, %s", how)
            << "index.html|two.html|three.html" << back << how << "index.html|two.html|none";
    // The window opened first has no window before it to go back to.
    QTest::newRow("first window opened") << "about.html|contact.html|index.html|four.html"
                                         << "about.html" << "command"
                                         << "four.html|index.html|contact.html|none";
    QTest::newRow("windows used out of order") << "one.html|two.html|three.html|four.html"
                                               << "one.html|three.html" << "window"
                                               << "one.html|four.html|two.html|none";
}

void TestMdiWindows::closingAWindowActivatesTheLastOneUsed()
{
    QFETCH(QString, opened);
    QFETCH(QString, activated);
    QFETCH(QString, how);
    QFETCH(QString, expected);
    // The project's own window, hidden, is among the child windows.
    ZtApp()->OpenProject(ZtTest::WriteFile(m_dir + QStringLiteral("/site.ztp"), "project"));
    QVERIFY(!ZtApp()->ProjectTemplate()->Documents().isEmpty());
    const QStringList names = opened.split(QLatin1Char('|'));
    for (const QString& name : names)
        Open(name);
    for (const QString& name : activated.split(QLatin1Char('|')))
        QVERIFY(m_frame->ExecuteCommand(ID_WINDOW_LIST_FIRST + int(names.indexOf(name))));
    QCOMPARE(ActiveTitle(), activated.split(QLatin1Char('|')).last());

    QStringList actives;
    while (CMDIChildWnd* active = m_frame->MDIGetActive()) {
        if (how == QLatin1String("window"))
            active->close();
        else if (how == QLatin1String("command"))
            QVERIFY(m_frame->ExecuteCommand(ID_FILE_CLOSE));
        else
            active->GetActiveDocument()->OnCloseDocument();
        QCoreApplication::sendPostedEvents();
        actives << ActiveTitle();
        // The menus are those of the window now active, and keys go to it.
        if (CMDIChildWnd* next = m_frame->MDIGetActive()) {
            QCOMPARE(m_frame->CurrentMenuId(), int(IDR_ZTTYPE));
            QCOMPARE(QApplication::focusWidget(), next->GetActiveView()->GetWidget());
        }
    }
    QCOMPARE(actives.join(QLatin1Char('|')), expected);
    // The last close leaves the menus of no document.
    QCOMPARE(m_frame->CurrentMenuId(), int(IDR_MAINFRAME));
}

void TestMdiWindows::windowMenuListsAndActivatesTheWindows()
{
    // The project's hidden window is no entry.
    ZtApp()->OpenProject(ZtTest::WriteFile(m_dir + QStringLiteral("/site.ztp"), "project"));
    Open(QStringLiteral("index.html"));
    CMDIChildWnd* second = Open(QStringLiteral("a&b.html"));
    Open(QStringLiteral("notes.txt"));
    second->GetActiveDocument()->SetModifiedFlag(true);
    QCOMPARE(WindowEntries(), QStringLiteral("&1 index.html|&2 a&&b.html*|+&3 notes.txt"));

    // Choosing an entry activates its window, minimised or not, and the
    // keys go to it.
    second->showMinimized();
    QVERIFY(WindowMenu());
    for (QAction* action : WindowMenu()->actions()) {
        if (action->text().startsWith(QLatin1String("&2 ")))
            action->trigger();
    }
    QCOMPARE(m_frame->MDIGetActive(), second);
    QVERIFY(!second->isMinimized());
    QCOMPARE(QApplication::focusWidget(), second->GetActiveView()->GetWidget());
    QCOMPARE(WindowEntries(), QStringLiteral("&1 index.html|+&2 a&&b.html*|&3 notes.txt"));

    // A closed window leaves the list, and the others move up.
    m_frame->MdiArea()->subWindowList().at(1)->close();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(WindowEntries(), QStringLiteral("+&1 a&&b.html*|&2 notes.txt"));

    // Nine entries at most, one digit each.
    for (int i = 3; i <= 10; ++i)
        Open(QStringLiteral("page%1.html").arg(i));
    const QStringList entries = WindowEntries().split(QLatin1Char('|'));
    QCOMPARE(entries.size(), 9);
    QCOMPARE(entries.last(), QStringLiteral("&9 page9.html"));
}

void TestMdiWindows::nextDocumentGoesThroughEveryShownWindow()
{
    // Closing goes back through the windows by their last use; Next document
    // must still reach every shown window, not swap the last two used.
    ZtApp()->OpenProject(ZtTest::WriteFile(m_dir + QStringLiteral("/site.ztp"), "project"));
    for (const char* name : {"one.html", "two.html", "three.html", "four.html"})
        Open(QString::fromLatin1(name));
    QVERIFY(m_frame->ExecuteCommand(ID_WINDOW_LIST_FIRST + 1));
    QStringList visited{ActiveTitle()};
    for (int i = 0; i < 4; ++i) {
        QVERIFY(m_frame->ExecuteCommand(ID_NEXT_DOCUMENT));
        visited << ActiveTitle();
    }
    // Four steps visit each window once, in whichever order, and come back.
    QCOMPARE(visited.last(), visited.first());
    visited.removeLast();
    visited.sort();
    QCOMPARE(visited.join(QLatin1Char('|')), QStringLiteral("four.html|one.html|three.html|two.html"));
}

ZT_APP_TEST_MAIN(TestMdiWindows)
#include "tst_mdiwindows.moc"
