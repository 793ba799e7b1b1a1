#include "support/AppTestMain.h"

#include "app/BrowseCommands.h"
#include "browser/BrowserView.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "framework/CommandRouter.h"
#include "framework/MDIChildWnd.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QProcess>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QStatusBar>

#include <sys/stat.h>
#include <unistd.h>

using namespace ZtCmd;

// The browse commands with the whole program: the messages, then the real
// engine showing a page unsaved, moving in its history and going back to
// the editor.
class TestBrowse : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ZtTest::AllowBrowserEngine();
        m_frame = ZtTest::ShowMainFrame();
        // "#", "%" and "?" in a folder name must survive the way into a URL.
        m_dir = ZtTest::SandboxDir() + QStringLiteral("/my site #1 %41?");
        QDir().mkpath(m_dir);
    }

    void init() { m_log.texts.clear(); }

    void cleanup() { ZtTest::CloseAllDocuments(); }

    void messagesWithoutABrowser_data()
    {
        QTest::addColumn<QString>("file"); // opened in the editor first; none when empty
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("message");

        QTest::newRow("preview, no window") << "" << int(ID_SHOW_AS_WEBPAGE) << "No open file in editor!";
        QTest::newRow("preview of a jpeg") << "photo.jpeg" << int(ID_SHOW_AS_WEBPAGE) << "Wrong file type!";
        QTest::newRow("back, no window") << "" << int(ID_BROWSE_BACK) << "No file in Browser!";
        QTest::newRow("forward in an editor") << "page.html" << int(ID_BROWSE_FORWARD) << "";
        QTest::newRow("edit, no window") << "" << int(ID_EDIT_DOCUMENT) << "No open file in Browser!";
        QTest::newRow("edit, no browser") << "page.html" << int(ID_EDIT_DOCUMENT) << "";
        // The offscreen desktop has no browser to hand a page to.
        QTest::newRow("desktop browser missing") << "page.html" << int(ID_OPEN_IN_IE)
                                                 << "No web browser is set up on this desktop to open %1.";
    }

    void messagesWithoutABrowser()
    {
        QFETCH(QString, file);
        QFETCH(int, command);
        QFETCH(QString, message);
        const QString path = m_dir + QLatin1Char('/') + file;
        if (!file.isEmpty())
            ZtTest::OpenPageEditor(path, "<HTML></HTML>\n");
        // Called directly: the enable rules keep most of these cases from the menus.
        CBrowseCommands& commands = ZtApp()->BrowseCommands();
        switch (command) {
        case ID_SHOW_AS_WEBPAGE: commands.OnShowAsWebPage(); break;
        case ID_BROWSE_BACK: commands.OnBrowseHistory(false); break;
        case ID_BROWSE_FORWARD: commands.OnBrowseHistory(true); break;
        case ID_EDIT_DOCUMENT: commands.OnEditDocument(); break;
        case ID_OPEN_IN_IE: commands.OnOpenInBrowser(); break;
        }
        if (message.contains(QLatin1String("%1")))
            message = message.arg(path);
        QCOMPARE(m_log.texts, message.isEmpty() ? QStringList() : QStringList{message});
        // A file the browser cannot show is passed over without a word.
        ZtApp()->ShowInBrowser(m_dir, m_dir);
        QVERIFY(!Browser());
        QVERIFY(m_log.texts.size() <= 1);
    }

    void previewOfModifiedPageThenHistory()
    {
        const QString pagePath = m_dir + QStringLiteral("/page.html");
        const QString tempPath = m_dir + QStringLiteral("/tempFile.html");
        CZentrelView* editor = ZtTest::OpenPageEditor(pagePath, "<HTML><HEAD><TITLE>Saved</TITLE></HEAD></HTML>\n");
        QVERIFY(editor);
        CMDIChildWnd* editorFrame = Active();
        editor->selectAll();
        editor->insertPlainText(QStringLiteral("<HTML><HEAD><TITLE>Draft</TITLE></HEAD>\t\n<BODY>d\u00e9j\u00e0</BODY></HTML>"));
        QVERIFY(m_frame->ExecuteCommand(ID_SHOW_AS_WEBPAGE));
        QVERIFY(WaitForPage(tempPath));
        QCOMPARE(ZtTest::ReadFile(tempPath),
                 QByteArray("<HTML><HEAD><TITLE>Draft</TITLE></HEAD>\r\n<BODY>d\xc3\xa9j\xc3\xa0</BODY></HTML>\r\n"));
        QTRY_COMPARE(m_frame->windowTitle(), QStringLiteral("Zentrel - Draft"));
        QCOMPARE(Active()->windowTitle(), QStringLiteral("page.html"));
        QVERIFY(Active()->isMaximized());
        QCOMPARE(ZtApp()->BrowseCommands().BrowserTitle(), QStringLiteral("page.html"));
        QCOMPARE(ZtApp()->CurrentFile(), pagePath);
        QVERIFY(editor->GetDocument()->IsModified());
        QCOMPARE(m_frame->statusBar()->currentMessage(), tempPath);

        // Saved, the page itself is shown, in the same window.
        CBrowserView* browser = Browser();
        QVERIFY(editor->GetDocument()->DoFileSave());
        m_frame->MdiArea()->setActiveSubWindow(editorFrame);
        QVERIFY(m_frame->ExecuteCommand(ID_SHOW_AS_WEBPAGE));
        QVERIFY(WaitForPage(pagePath));
        QCOMPARE(Browser(), browser);
        QCOMPARE(Active()->GetActiveView(), browser);
        QVERIFY(m_frame->Router().IsEnabled(ID_BROWSE_BACK));

        QVERIFY(m_frame->ExecuteCommand(ID_BROWSE_BACK));
        QVERIFY(WaitForPage(tempPath));
        QVERIFY(m_frame->ExecuteCommand(ID_BROWSE_FORWARD));
        QVERIFY(WaitForPage(pagePath));
        QVERIFY(m_frame->ExecuteCommand(ID_EDIT_DOCUMENT));
        QCOMPARE(Active(), editorFrame);
        // Only the browser window takes Back and Forward.
        QVERIFY(!m_frame->Router().IsEnabled(ID_BROWSE_FORWARD));

        // Show page of the project tree: the file itself, now the current file.
        const QString otherPath = ZtTest::WriteFile(m_dir + QStringLiteral("/other.htm"), "<P>other</P>\n");
        emit m_frame->ProjectBar()->ProjectTree()->showPageRequested(otherPath);
        QVERIFY(WaitForPage(otherPath));
        QCOMPARE(Active()->windowTitle(), QStringLiteral("other.htm"));
        QCOMPARE(ZtApp()->CurrentFile(), otherPath);
        QVERIFY(!m_frame->Router().IsEnabled(ID_EDIT_DOCUMENT));

        // With no window left, Back and Forward keep the state they had in the
        // window active last.
        ZtApp()->CloseAllDocuments();
        QVERIFY(m_frame->Router().IsEnabled(ID_BROWSE_BACK));
        QVERIFY(ZtTest::OpenPageEditor(m_dir + QStringLiteral("/last.html"), "<P>last</P>\n"));
        ZtApp()->CloseAllDocuments();
        QVERIFY(!m_frame->Router().IsEnabled(ID_BROWSE_BACK));
        ZtApp()->ShowInBrowser(otherPath, otherPath);
        QVERIFY(WaitForPage(otherPath));
        ZtApp()->CloseAllDocuments();
        QVERIFY(m_frame->Router().IsEnabled(ID_BROWSE_BACK));
    }

    // What may stand in the preview page's place has its rows in
    // tst_scratchfile; here, a link to a file of the user's elsewhere, which
    // must keep its text while the saved page is shown.
    void unwritablePreviewShowsSavedPage()
    {
        const QString folder = m_dir + QStringLiteral("/locked");
        const QString victim = ZtTest::WriteFile(folder + QStringLiteral(" victim/.bashrc"), "mine");
        QDir().mkpath(folder);
        QVERIFY(QFile::link(victim, folder + QStringLiteral("/tempFile.html")));
        const QString pagePath = folder + QStringLiteral("/page.html");
        CZentrelView* editor = ZtTest::OpenPageEditor(pagePath, "<P>saved</P>\n");
        editor->insertPlainText(QStringLiteral("<P>draft</P>\n"));
        QVERIFY(m_frame->ExecuteCommand(ID_SHOW_AS_WEBPAGE));
        QCOMPARE(m_log.texts.size(), 1);
        QVERIFY2(m_log.texts.first().startsWith(QStringLiteral("Cannot write the preview page")),
                 qPrintable(m_log.texts.first()));
        QVERIFY(WaitForPage(pagePath));
        QVERIFY(editor->GetDocument()->IsModified());
        QCOMPARE(ZtTest::ReadFile(victim), QByteArray("mine"));
    }

    void newWindowPassesOverPipe()
    {
        // The current file, picked in a tree, is a pipe with a page's name: the
        // new browser window must not open on it (the engine would wait on it
        // and keep it in its history).
        QVERIFY(!Browser());
        const QString pagePath = m_dir + QStringLiteral("/piped/page.html");
        const QString tempPath = m_dir + QStringLiteral("/piped/tempFile.html");
        CZentrelView* editor = ZtTest::OpenPageEditor(pagePath, "<P>saved</P>\n");
        const QString pipe = m_dir + QStringLiteral("/piped/pipe.html");
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        ZtApp()->SetCurrentFile(pipe);
        editor->insertPlainText(QStringLiteral("<P>draft</P>\n"));
        QVERIFY(m_frame->ExecuteCommand(ID_SHOW_AS_WEBPAGE));
        QVERIFY(WaitForPage(tempPath));
        QCOMPARE(Browser()->InitialPath(), QString());
        QCOMPARE(m_log.texts, QStringList());
    }

    void firstBrowserKeepsNativeWindow()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            // Offscreen the page is never drawn through OpenGL and Qt never makes
            // a window anew, so the test runs itself again on an X server.
            const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
            if (xvfbRun.isEmpty())
                QSKIP("xvfb-run is not installed");
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
            child.setProcessEnvironment(environment);
            child.setProcessChannelMode(QProcess::MergedChannels);
            child.start(xvfbRun, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
                                  QCoreApplication::applicationFilePath(), QStringLiteral("firstBrowserKeepsNativeWindow")});
            QVERIFY(child.waitForFinished(240000));
            const QByteArray output = child.readAll();
            QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
            QVERIFY2(output.contains("PASS   : TestBrowse::firstBrowserKeepsNativeWindow()"), output.constData());
            return;
        }
        // A main window made anew when the first browser window opens flashes,
        // and some window managers forget its place.
        QVERIFY(QTest::qWaitForWindowExposed(m_frame));
        QVERIFY(!Browser());
        const WId nativeId = m_frame->winId();
        const QString pagePath = m_dir + QStringLiteral("/native.html");
        ZtTest::OpenPageEditor(pagePath, "<P>native</P>\n");
        QVERIFY(m_frame->ExecuteCommand(ID_SHOW_AS_WEBPAGE));
        QVERIFY(WaitForPage(pagePath));
        QCOMPARE(m_frame->winId(), nativeId);
    }

    void endlessScriptsGiveWay()
    {
        // Alerts in a loop: the first few are shown, then the script loops on
        // without them. Neither it nor a plain endless loop keeps the next page out.
        const QString alerts = ZtTest::WriteFile(m_dir + QStringLiteral("/alerts.html"),
                                                 "<HTML><BODY><SCRIPT>for (;;) { alert('a'); confirm('c'); }</SCRIPT></BODY></HTML>\n");
        const QString loops = ZtTest::WriteFile(m_dir + QStringLiteral("/loops.html"),
                                                "<HTML><BODY><SCRIPT>for (;;) {}</SCRIPT></BODY></HTML>\n");
        const QString next = ZtTest::WriteFile(m_dir + QStringLiteral("/next.html"), "<P>next</P>\n");
        ZtApp()->ShowInBrowser(alerts, alerts);
        QTRY_COMPARE_WITH_TIMEOUT(m_log.texts, (QStringList{"a", "c", "a"}), 60000);
        ZtApp()->ShowInBrowser(loops, loops);
        QTRY_COMPARE_WITH_TIMEOUT(Browser()->CurrentPath(), loops, 60000);
        ZtApp()->ShowInBrowser(next, next);
        QVERIFY(WaitForPage(next));

        // The same preview page, again and again: a draft that loops, then its
        // fix, shown under the very same address.
        CZentrelView* draft = ZtTest::OpenPageEditor(m_dir + QStringLiteral("/draft.html"), "<P>saved</P>\n");
        CMDIChildWnd* draftFrame = Active();
        draft->selectAll();
        draft->insertPlainText(QStringLiteral("<HTML><BODY><SCRIPT>document.title = 'Looping'; for (;;) {}</SCRIPT></BODY></HTML>\n"));
        QVERIFY(m_frame->ExecuteCommand(ID_SHOW_AS_WEBPAGE));
        QTRY_COMPARE_WITH_TIMEOUT(m_frame->windowTitle(), QStringLiteral("Zentrel - Looping"), 60000);
        draft->selectAll();
        draft->insertPlainText(QStringLiteral("<HTML><HEAD><TITLE>Fixed</TITLE></HEAD></HTML>\n"));
        m_frame->MdiArea()->setActiveSubWindow(draftFrame);
        QVERIFY(m_frame->ExecuteCommand(ID_SHOW_AS_WEBPAGE));
        QTRY_COMPARE_WITH_TIMEOUT(m_frame->windowTitle(), QStringLiteral("Zentrel - Fixed"), 60000);
        draft->GetDocument()->SetModifiedFlag(false);

        // The window closes while its page loops, and the editor goes on.
        ZtApp()->ShowInBrowser(loops, loops);
        QTRY_COMPARE_WITH_TIMEOUT(Browser()->CurrentPath(), loops, 60000);
        ZtApp()->BrowserTemplate()->FirstDocument()->Frames().value(0)->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Browser());
        CZentrelView* editor = ZtTest::OpenPageEditor(m_dir + QStringLiteral("/page.html"), "<P>x</P>\n");
        QTest::keyClicks(editor, QStringLiteral("ok"));
        QCOMPARE(editor->toPlainText(), QStringLiteral("ok<P>x</P>\n"));
        QCOMPARE(m_log.texts.size(), 3);
    }

private:
    // Waits for the browser to finish loading path; false (with the reason
    // logged) when the engine never gets there.
    bool WaitForPage(const QString& path)
    {
        CBrowserView* view = Browser();
        if (!view || !view->HasEngine()) {
            qWarning("no browser engine: %s", view ? qPrintable(view->EngineError()) : "no browser window");
            return false;
        }
        QSignalSpy finished(view, &CBrowserView::loadFinished);
        for (int waited = 0; waited < 60; ++waited) {
            if (view->CurrentPath() == path && !finished.isEmpty())
                return true;
            finished.wait(1000);
        }
        qWarning("the browser shows '%s' instead of '%s' after 60 s: the engine did not start or load",
                 qPrintable(view->CurrentPath()), qPrintable(path));
        return false;
    }

    CBrowserView* Browser() const { return ZtApp()->BrowseCommands().BrowserView(); }
    CMDIChildWnd* Active() const { return m_frame->MDIGetActive(); }

    CMainFrame* m_frame = nullptr;
    QString m_dir;
    ZtTest::CMessageLog m_log;
};

ZT_APP_TEST_MAIN(TestBrowse)
#include "tst_browse.moc"
