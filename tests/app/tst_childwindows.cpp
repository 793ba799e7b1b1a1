#include "support/AppTestMain.h"

#include "editor/SourceDoc.h"
#include "editor/SourceText.h"
#include "framework/Document.h"
#include "framework/MDIChildWnd.h"
#include "framework/View.h"

#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>

#include <sys/stat.h>

using namespace ZtCmd;

namespace {
const QString kQuestion = QStringLiteral("%1 was changed by another program. Reload it and lose your changes?");

// 200 numbered lines with Windows line ends, and one bare line feed.
QByteArray PageBytes(const QByteArray& fifthLine)
{
    QByteArray bytes;
    for (int line = 0; line < 200; ++line)
        bytes += (line == 5 ? fifthLine : "<P>line " + QByteArray::number(line)) + (line == 7 ? "\n" : "\r\n");
    return bytes;
}
} // namespace

// The child windows as a user meets them: pages changed or removed by
// another program while the user was away from them, and what the program
// does when it is activated again; which window is active after a close,
// and how the Window menu lists them.
class TestChildWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_frame = ZtTest::ShowMainFrame();
        m_frame->resize(900, 700);
        QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    }

    void init()
    {
        m_dir = ZtTest::FreshDir(QStringLiteral("pages"));
        m_messages.texts.clear();
        m_messages.answer = QMessageBox::No;
    }

    void cleanup() { ZtTest::CloseAllDocuments(); }

    void activationFollowsTheFile_data()
    {
        QTest::addColumn<QString>("activation");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("onDisk");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("expected");
        const QString gone = QStringLiteral(" status:") + QDir::toNativeSeparators(QStringLiteral("%1/page.html"))
                             + QStringLiteral(" is no longer on disk; Save writes it again.");
        QTest::newRow("clean page, rewritten")
            << "child" << false << "rewritten" << int(QMessageBox::No) << "asked:0 text:disk unmodified caret:120,3";
        QTest::newRow("typed, rewritten, Yes")
            << "child" << true << "rewritten" << int(QMessageBox::Yes) << "asked:1 text:disk unmodified caret:120,4";
        QTest::newRow("typed, rewritten, No")
            << "child" << true << "rewritten" << int(QMessageBox::No) << "asked:1 text:mine modified caret:120,4";
        QTest::newRow("deleted") << "child" << false << "deleted" << int(QMessageBox::Yes)
                                 << "asked:0 text:mine modified caret:120,3" + gone;
        // Coming back to the program runs the same check over every window.
        QTest::newRow("program: typed, rewritten, Yes")
            << "program" << true << "rewritten" << int(QMessageBox::Yes) << "asked:1 text:disk unmodified caret:120,4";
    }

    void activationFollowsTheFile()
    {
        QFETCH(QString, activation);
        QFETCH(bool, typed);
        QFETCH(QString, onDisk);
        QFETCH(int, answer);
        QFETCH(QString, expected);
        OpenPageAndAnother();
        if (activation == QLatin1String("program")) {
            // The page is the active window when the user leaves the program.
            m_frame->MdiArea()->setActiveSubWindow(Frame(m_page));
            QCoreApplication::processEvents();
        }
        if (typed)
            ZtTest::EditorOf(m_page)->insertPlainText(QStringLiteral("x"));
        m_typedBytes = CSourceText::Save(ZtTest::EditorOf(m_page)->document());
        if (onDisk == QLatin1String("rewritten"))
            ZtTest::WriteFile(m_page->GetPathName(), PageBytes("<P>changed by git\r\r\n"));
        else if (onDisk == QLatin1String("deleted"))
            QVERIFY(QFile::remove(m_page->GetPathName()));
        m_messages.answer = QMessageBox::StandardButton(answer);
        Activate(activation);
        expected.replace(QStringLiteral("%1"), QDir::toNativeSeparators(m_dir));
        QTRY_COMPARE(Describe(), expected);
        for (const QString& text : std::as_const(m_messages.texts))
            QCOMPARE(text, kQuestion.arg(QDir::toNativeSeparators(m_page->GetPathName())));
    }

    // Once the user kept their text, coming back does not ask again about the
    // same change, and Save asks before it replaces the other program's file.
    void keptTextAsksOnceAndSaveAsks()
    {
        OpenPageAndAnother();
        ZtTest::EditorOf(m_page)->insertPlainText(QStringLiteral("x"));
        m_typedBytes = CSourceText::Save(ZtTest::EditorOf(m_page)->document());
        ZtTest::WriteFile(m_page->GetPathName(), "their text");
        Activate(QStringLiteral("child"));
        QTRY_COMPARE(m_messages.texts.size(), 1);
        // Every way back runs this check (the table above).
        m_frame->CheckFilesOnDisk();
        QCOMPARE(m_messages.texts.size(), 1);

        m_messages.answer = QMessageBox::Yes;
        QVERIFY(m_page->DoFileSave());
        QCOMPARE(m_messages.texts.size(), 2);
        QVERIFY(m_messages.texts.last().contains(QStringLiteral("was changed by another program since it was opened")));
        QCOMPARE(ZtTest::ReadFile(m_page->GetPathName()), m_typedBytes);
    }

    // Reading a pipe would wait for a writer that never comes: the page keeps its
    // text, the user hears once why it was not read again, and the window stays
    // responsive.
    void fileTurnedIntoAPipeIsReportedOnce()
    {
        OpenPageAndAnother();
        const QByteArray before = CSourceText::Save(ZtTest::EditorOf(m_page)->document());
        QVERIFY(QFile::remove(m_page->GetPathName()));
        QCOMPARE(::mkfifo(QFile::encodeName(m_page->GetPathName()).constData(), 0600), 0);
        Activate(QStringLiteral("child"));
        QTRY_COMPARE(m_messages.texts.size(), 1);
        QVERIFY(m_messages.texts.first().contains(QStringLiteral("is not a regular file")));
        m_frame->CheckFilesOnDisk();
        QCOMPARE(m_messages.texts.size(), 1);
        QCOMPARE(CSourceText::Save(ZtTest::EditorOf(m_page)->document()), before);
        QVERIFY(!m_page->IsModified());
    }

    void closingAWindowActivatesTheLastOneUsed_data()
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

    void closingAWindowActivatesTheLastOneUsed()
    {
        QFETCH(QString, opened);
        QFETCH(QString, activated);
        QFETCH(QString, how);
        QFETCH(QString, expected);
        // The project's own window, hidden, is among the child windows.
        ZtApp()->OpenProject(ZtTest::WriteFile(m_dir + QStringLiteral("/site/site.ztp"), "project"));
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

    void windowMenuListsAndActivatesTheWindows()
    {
        // The project's hidden window is no entry.
        ZtApp()->OpenProject(ZtTest::WriteFile(m_dir + QStringLiteral("/site/site.ztp"), "project"));
        Open(QStringLiteral("index.html"));
        CMDIChildWnd* second = Open(QStringLiteral("a&b.html"));
        Open(QStringLiteral("notes.txt"));
        second->GetActiveDocument()->SetModifiedFlag(true);
        QCOMPARE(WindowEntries(), QStringLiteral("&1 index.html|&2 a&&b.html*|+&3 notes.txt"));

        // Choosing an entry activates its window, minimised or not, and the
        // keys go to it.
        second->showMinimized();
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
        QVERIFY2(WindowEntries().endsWith(QLatin1String("|&9 page9.html")), qPrintable(WindowEntries()));
    }

    void nextDocumentGoesThroughEveryShownWindow()
    {
        // Closing goes back through the windows by their last use; Next document
        // must still reach every shown window, not swap the last two used.
        ZtApp()->OpenProject(ZtTest::WriteFile(m_dir + QStringLiteral("/site/site.ztp"), "project"));
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

private:
    CMDIChildWnd* Open(const QString& name)
    {
        const QString path = ZtTest::WriteFile(m_dir + QLatin1Char('/') + name, "<HTML>\n</HTML>\n");
        ZtApp()->OpenFileInEditor(path, false);
        return m_frame->MDIGetActive();
    }

    QString ActiveTitle() const
    {
        CMDIChildWnd* active = m_frame->MDIGetActive();
        return active && active->GetActiveDocument() ? active->GetActiveDocument()->GetTitle() : QStringLiteral("none");
    }

    QMenu* WindowMenu() const
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
    QString WindowEntries() const
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

    CMDIChildWnd* Frame(CDocument* document) const
    {
        return document->Frames().value(0);
    }

    // Opens page.html with its caret on line 120, and other.html, which ends
    // up the active window.
    void OpenPageAndAnother()
    {
        m_page = static_cast<CSourceDoc*>(
            ZtApp()->OpenDocumentFile(ZtTest::WriteFile(m_dir + QStringLiteral("/page.html"), PageBytes("<P>five"))));
        QVERIFY(m_page);
        QPlainTextEdit* editor = ZtTest::EditorOf(m_page);
        QTextCursor caret(editor->document()->findBlockByNumber(120));
        caret.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
        editor->setTextCursor(caret);
        QVERIFY(editor->verticalScrollBar()->maximum() > 110);
        editor->verticalScrollBar()->setValue(110);
        m_scroll = editor->verticalScrollBar()->value();
        m_other = static_cast<CSourceDoc*>(
            ZtApp()->OpenDocumentFile(ZtTest::WriteFile(m_dir + QStringLiteral("/other.html"), "<P>other\n")));
        QVERIFY(m_other);
        QTRY_COMPARE(m_frame->MDIGetActive(), Frame(m_other));
        // Whatever the activation looked at runs before the file changes.
        QCoreApplication::processEvents();
        m_frame->statusBar()->clearMessage();
    }

    void Activate(const QString& how)
    {
        if (how == QLatin1String("program")) {
            // What the window system says when the user comes back from another
            // program; the active child window stays the same.
            emit qApp->applicationStateChanged(Qt::ApplicationInactive);
            emit qApp->applicationStateChanged(Qt::ApplicationActive);
        } else {
            m_frame->MdiArea()->setActiveSubWindow(Frame(m_page));
        }
    }

    // The questions asked, whose text the editor holds (the file's exact bytes,
    // the typed ones, or other), whether it is modified, the caret's line and
    // column, whether the scroll position stayed and what the status bar says.
    QString Describe() const
    {
        QPlainTextEdit* editor = ZtTest::EditorOf(m_page);
        const QByteArray text = CSourceText::Save(editor->document());
        QString seen = QStringLiteral("asked:%1").arg(m_messages.texts.size());
        if (text == ZtTest::ReadFile(m_page->GetPathName()))
            seen += QStringLiteral(" text:disk");
        else if (text == m_typedBytes)
            seen += QStringLiteral(" text:mine");
        else
            seen += QStringLiteral(" text:other");
        seen += m_page->IsModified() ? QStringLiteral(" modified") : QStringLiteral(" unmodified");
        seen += QStringLiteral(" caret:%1,%2")
                    .arg(editor->textCursor().blockNumber())
                    .arg(editor->textCursor().positionInBlock());
        if (editor->verticalScrollBar()->value() != m_scroll)
            seen += QStringLiteral(" scrolled:%1").arg(editor->verticalScrollBar()->value());
        if (m_frame->statusBar()->currentMessage() != QLatin1String("Ready"))
            seen += QStringLiteral(" status:") + m_frame->statusBar()->currentMessage();
        return seen;
    }

    CMainFrame* m_frame = nullptr;
    QString m_dir;
    CSourceDoc* m_page = nullptr;
    CSourceDoc* m_other = nullptr;
    QByteArray m_typedBytes;
    int m_scroll = -1;
    ZtTest::CMessageLog m_messages;
};

ZT_APP_TEST_MAIN(TestChildWindows)

#include "tst_childwindows.moc"
