#include "support/AppTestMain.h"

#include "app/BrowseCommands.h"
#include "app/LivePreviewCommands.h"
#include "browser/LivePreviewBar.h"
#include "browser/BrowserView.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "framework/CommandRouter.h"
#include "framework/MDIChildWnd.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMdiArea>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QStatusBar>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <signal.h>
#include <sys/stat.h>

using namespace ZtCmd;

// The browse commands and the live preview with the whole program and the
// real engine: a page shown unsaved, its history and the way back to the
// editor; typing that reaches the rendered page, a style sheet typed
// elsewhere that reaches it without a new render, scripts that read nothing
// outside their site, and scripts that never end giving way.
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
        ZtTest::WriteFile(ZtTest::SandboxDir() + QStringLiteral("/secret.txt"), "secret\n");
        ZtTest::WriteFile(m_dir + QStringLiteral("/inside.txt"), "inside\n");
    }

    void init()
    {
        m_log.texts.clear();
        m_bPreviewShown = false;
    }

    void cleanup()
    {
        ZtTest::CloseAllDocuments();
        if (m_bPreviewShown)
            QCOMPARE(m_log.texts, QStringList());
    }

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
    // tst_foldercopy; here, a link to a file of the user's elsewhere, which
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
            QVERIFY(ZtTest::PassesInChild({QStringLiteral("QT_QPA_PLATFORM=xcb")},
                                          {xvfbRun, QStringLiteral("-a"), QStringLiteral("-s"),
                                           QStringLiteral("-screen 0 1280x1024x24")}));
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

    void typingReachesThePreview()
    {
        // Only a page gets a live preview.
        QVERIFY(!m_frame->Router().IsEnabled(ID_VIEW_LIVEPREVIEW));
        const QString path = m_dir + QStringLiteral("/page.html");
        QFile::remove(m_dir + QStringLiteral("/tempFile.html"));
        const QByteArray saved = "<HTML><BODY><P ID=\"top\">Saved</P><DIV STYLE=\"height:4000px\"></DIV><P>end</P></BODY></HTML>\n";
        CZentrelView* editor = ZtTest::OpenPageEditor(path, saved);
        QVERIFY(m_frame->Router().IsEnabled(ID_VIEW_LIVEPREVIEW));
        CLivePreviewView* view = ShowPreview(editor);
        QVERIFY(view);
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate("document.getElementById('top').textContent").toString(),
                                  QStringLiteral("Saved"), 60000);

        // Typed text shows, at the place the user had scrolled to.
        QVERIFY(Evaluate("window.scrollTo(0, 1500); window.scrollY").isValid());
        QTextCursor cursor = editor->document()->find(QStringLiteral("Saved"));
        editor->setTextCursor(cursor);
        // Keys typed faster than the pause render nothing until it comes.
        QSignalSpy renders(view, &CLivePreviewView::renderRequested);
        for (const QChar letter : QStringLiteral("Typed")) {
            QTest::keyClick(editor, letter.toLatin1());
            QTest::qWait(40);
        }
        QVERIFY2(renders.size() <= 1, qPrintable(QString::number(renders.size())));
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate("document.getElementById('top').textContent").toString(),
                                  QStringLiteral("Typed"), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate("window.scrollY").toInt(), 1500, 10000);
        // Nothing was written for it.
        QCOMPARE(ZtTest::ReadFile(path), saved);
        QVERIFY(!QFileInfo::exists(m_dir + QStringLiteral("/tempFile.html")));

        // The caret at the end of the page brings its last paragraph into view.
        cursor.setPosition(editor->document()->find(QStringLiteral("end")).position());
        editor->setTextCursor(cursor);
        QTRY_VERIFY_WITH_TIMEOUT(Evaluate("window.scrollY").toInt() > 3000, 10000);

        // Closing the page empties the preview.
        editor->GetDocument()->SetModifiedFlag(false);
        editor->GetDocument()->OnCloseDocument();
        QTRY_COMPARE(view->PagePath(), QString());
    }

    void styleSheetWithoutNewRender()
    {
        const QString sheetPath = ZtTest::WriteFile(m_dir + QStringLiteral("/css/look.css"), "BODY { color: navy }\n");
        CZentrelView* page = ZtTest::OpenPageEditor(m_dir + QStringLiteral("/styled.html"),
                                        "<HTML><HEAD><LINK REL=\"stylesheet\" HREF=\"css/look.css\"></HEAD>"
                                        "<BODY><SCRIPT>document.documentElement.dataset.born = Math.random();</SCRIPT>"
                                        "<P>styled</P></BODY></HTML>\n");
        QVERIFY(ShowPreview(page));
        const QString color = QStringLiteral("getComputedStyle(document.body).color");
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate(color).toString(), QStringLiteral("rgb(0, 0, 128)"), 60000);
        const QString born = Evaluate("document.documentElement.dataset.born").toString();
        QVERIFY(!born.isEmpty());

        // The sheet opens in an editor of its own; the preview keeps the page.
        CZentrelView* sheet = ZtTest::OpenPageEditor(sheetPath, "BODY { color: navy }\n");
        QVERIFY(sheet);
        sheet->selectAll();
        QTest::keyClicks(sheet, QStringLiteral("BODY { color: rgb(1,2,3) }"));
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate(color).toString(), QStringLiteral("rgb(1, 2, 3)"), 10000);
        QCOMPARE(Evaluate("document.documentElement.dataset.born").toString(), born);
        QCOMPARE(ZtTest::ReadFile(sheetPath), QByteArray("BODY { color: navy }\n"));
    }

    void scriptsReadOnlyTheirSite_data()
    {
        QTest::addColumn<bool>("live");
        QTest::newRow("live preview") << true;
        QTest::newRow("Show as Web Page") << false;
    }

    void scriptsReadOnlyTheirSite()
    {
        QFETCH(bool, live);
        // The page reads a file outside its site and one inside it, and puts what
        // it got in its title: "no" for a read that failed or came back empty.
        const QString secret = QUrl::fromLocalFile(ZtTest::SandboxDir() + QStringLiteral("/secret.txt")).toString();
        const QString inside = QUrl::fromLocalFile(m_dir + QStringLiteral("/inside.txt")).toString();
        const QByteArray page = QStringLiteral(
            "<HTML><BODY><SCRIPT>"
            "function get(u) { try { var x = new XMLHttpRequest(); x.open('GET', u, false); x.send();"
            " return x.responseText.trim() || 'no'; } catch (e) { return 'no'; } }"
            "document.title = 'read ' + get('%1') + ' ' + get('%2');"
            "</SCRIPT></BODY></HTML>\n").arg(secret, inside).toUtf8();
        const QString path = m_dir + (live ? QStringLiteral("/reader.html") : QStringLiteral("/shown.html"));
        CZentrelView* editor = ZtTest::OpenPageEditor(path, page);
        QVERIFY(editor);
        if (live) {
            QVERIFY(ShowPreview(editor));
            QTRY_VERIFY_WITH_TIMEOUT(Evaluate("document.title").toString().startsWith("read "), 60000);
            QCOMPARE(Evaluate("document.title").toString().section(QLatin1Char(' '), 1, 1), QStringLiteral("no"));
        } else {
            QVERIFY(m_frame->ExecuteCommand(ID_SHOW_AS_WEBPAGE));
            QTRY_VERIFY_WITH_TIMEOUT(m_frame->windowTitle().startsWith("Zentrel - read "), 60000);
            // The page's own site stays readable.
            QCOMPARE(m_frame->windowTitle(), QStringLiteral("Zentrel - read no inside"));
        }
    }

    void endlessScriptInThePreviewGivesWay()
    {
        // The page being typed is where a loop is most often met: its fix
        // comes under the very same address.
        const QString path = m_dir + QStringLiteral("/loop.html");
        CZentrelView* editor = ZtTest::OpenPageEditor(path, "<P ID=\"p\">start</P>\n");
        CLivePreviewView* view = ShowPreview(editor);
        QVERIFY(view);
        QTRY_COMPARE(view->PagePath(), path);
        const QString text = QStringLiteral("document.getElementById('p') && document.getElementById('p').textContent");
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate(text).toString(), QStringLiteral("start"), 60000);
        editor->selectAll();
        editor->insertPlainText(QStringLiteral("<P ID=\"p\">looping</P><SCRIPT>for (;;) {}</SCRIPT>\n"));
        QTRY_VERIFY_WITH_TIMEOUT(!Evaluate(text).isValid(), 10000);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("<P ID=\"p\">fixed</P>"));
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate(text).toString(), QStringLiteral("fixed"), 60000);
    }

    void slowRendererKeepsItsPage()
    {
        // A renderer that makes no headway for a while, as on a machine busy
        // with other work, is not taken for one stuck in a script: it is not
        // ended, and the page it was asked for shows once it goes on.
        const QString path = m_dir + QStringLiteral("/slow.html");
        CZentrelView* editor = ZtTest::OpenPageEditor(path, "<TITLE>first</TITLE>\n");
        CLivePreviewView* view = ShowPreview(editor);
        QVERIFY(view);
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate("document.title").toString(), QStringLiteral("first"), 60000);
        const auto* engineView = view->findChild<QWebEngineView*>();
        QVERIFY(engineView);
        const auto previewRenderer = pid_t(engineView->page()->renderProcessPid());
        const QList<pid_t> renderers = RendererProcesses();
        QVERIFY(renderers.contains(previewRenderer));
        for (pid_t renderer : renderers)
            ::kill(renderer, SIGSTOP);
        editor->selectAll();
        editor->insertPlainText(QStringLiteral("<TITLE>second</TITLE>\n"));
        // Stopped for longer than two of the watch's looks at a question
        // left unanswered.
        QTest::qWait(12000);
        // Only the preview's renderer is looked at: the engine itself may end
        // the renderer of a page an earlier test closed, stopped or not.
        const bool bEnded = !IsRunning(previewRenderer);
        for (pid_t renderer : renderers)
            ::kill(renderer, SIGCONT);
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate("document.title").toString(), QStringLiteral("second"), 60000);
        QVERIFY2(!bEnded, "a renderer was ended");
    }

    void badPagesLeaveTheEditorAlone_data()
    {
        // The page, and what a script in it then finds in the title, or "too
        // large" for a page the preview refuses with a message.
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::newRow("not valid HTML")
            << "<TITLE>shown</TITLE><P><B>open <TABLE><TR><TD>cell</DIV></I>\n<<>> </HTML></BODY><P>" << "shown";
        QTest::newRow("reloads itself")
            << "<TITLE>shown</TITLE><SCRIPT>setTimeout(function () { location.reload(); }, 300);</SCRIPT>" << "shown";
        QTest::newRow("opens a window")
            << "<SCRIPT>var w = window.open('other.html');"
               " setInterval(function () { document.title = w && !w.closed ? 'opened' : 'refused'; }, 50);</SCRIPT>"
            << "refused";
        QTest::newRow("a base elsewhere")
            << "<BASE HREF=\"https://example.invalid/\"><LINK REL=\"stylesheet\" HREF=\"x.css\"><TITLE>shown</TITLE>"
            << "shown";
        QTest::newRow("a local base elsewhere")
            << "<BASE HREF=\"file:///etc/\"><SCRIPT SRC=\"passwd\"></SCRIPT><TITLE>shown</TITLE>" << "shown";
        QTest::newRow("too large") << QString(120, QLatin1Char('x')) << "too large";
    }

    void badPagesLeaveTheEditorAlone()
    {
        QFETCH(QString, page);
        QFETCH(QString, title);
        CZentrelView* editor = ZtTest::OpenPageEditor(m_dir + QStringLiteral("/bad.html"), "<P>start</P>\n");
        CLivePreviewView* view = ShowPreview(editor);
        QVERIFY(view);
        editor->selectAll();
        if (title == QLatin1String("too large")) {
            // Lines of 120 characters, up to just over the limit.
            page = (page + QLatin1Char('\n')).repeated(CLivePreviewView::kMaxPageCharacters / 121 + 1);
            editor->insertPlainText(page);
            QTRY_VERIFY_WITH_TIMEOUT(view->Message().contains(QStringLiteral("too large")), 10000);
            QCOMPARE(view->PagePath(), QString());
        } else {
            editor->insertPlainText(page);
            QTRY_COMPARE_WITH_TIMEOUT(Evaluate("document.title").toString(), title, 30000);
        }
        // The editor goes on taking keys, and the preview follows them.
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("<TITLE>after</TITLE>"));
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate("document.title").toString(), QStringLiteral("after"), 30000);
        QCOMPARE(view->Message(), QString());
    }

    void barKeptAcrossRuns()
    {
        // The bar's place and whether it shows go into the profile with the
        // other bars' layout, and come back from it.
        QVERIFY(ShowPreview(ZtTest::OpenPageEditor(m_dir + QStringLiteral("/kept.html"), "<P>kept</P>\n")));
        m_frame->removeDockWidget(Bar());
        m_frame->addDockWidget(Qt::BottomDockWidgetArea, Bar());
        Bar()->show();
        m_frame->SaveBarState();
        QVERIFY(m_frame->ExecuteCommand(ID_VIEW_LIVEPREVIEW));
        QVERIFY(Bar()->isHidden());
        m_frame->addDockWidget(Qt::RightDockWidgetArea, Bar());
        m_frame->LoadBarState();
        QVERIFY(!Bar()->isHidden());
        QCOMPARE(m_frame->dockWidgetArea(Bar()), Qt::BottomDockWidgetArea);
    }

private:
    // Shows the bar, with the page of editor, the active one; null when
    // there is no editor or no engine.
    CLivePreviewView* ShowPreview(const CZentrelView* editor)
    {
        m_bPreviewShown = true;
        if (!editor || (Bar()->isHidden() && !m_frame->ExecuteCommand(ID_VIEW_LIVEPREVIEW)))
            return nullptr;
        CLivePreviewView* view = Bar()->ViewIfMade();
        if (!view || !view->HasEngine()) {
            qWarning("no engine: %s", view ? qPrintable(view->Message()) : "no view");
            return nullptr;
        }
        return view;
    }

    // The value of a script in the preview's page; invalid when the page
    // gave no answer within a few seconds.
    QVariant Evaluate(const QString& script)
    {
        // The answer may come after the wait gave up, or never.
        struct Answer
        {
            QVariant value;
            QEventLoop loop;
        };
        auto answer = std::make_shared<Answer>();
        QTimer::singleShot(3000, &answer->loop, &QEventLoop::quit);
        Bar()->View()->RunScript(script, [answer](const QVariant& result) {
            answer->value = result;
            answer->loop.quit();
        });
        answer->loop.exec();
        return answer->value;
    }

    CLivePreviewBar* Bar() const { return m_frame->LivePreview()->Bar(); }

    // The fields of /proc/<process>/stat after the name: state first.
    static QList<QByteArray> ProcessState(qint64 process)
    {
        QFile file(QStringLiteral("/proc/%1/stat").arg(process));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray stat = file.readAll();
        return stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    }

    static bool IsRunning(pid_t process)
    {
        const QList<QByteArray> state = ProcessState(process);
        return !state.isEmpty() && state.first() != "Z" && state.first() != "X";
    }

    static QByteArray CommandLine(qint64 process)
    {
        QFile file(QStringLiteral("/proc/%1/cmdline").arg(process));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The engine's renderer processes of this program: those its zygote
    // forked (they keep the zygote's command line).
    static QList<pid_t> RendererProcesses()
    {
        QList<pid_t> renderers;
        const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
        for (const QString& entry : entries) {
            bool isProcess = false;
            const pid_t process = entry.toInt(&isProcess);
            const QList<QByteArray> state = isProcess ? ProcessState(process) : QList<QByteArray>();
            const qint64 zygote = state.size() > 1 ? state.at(1).toLongLong() : 0;
            const QList<QByteArray> zygoteState = zygote > 1 ? ProcessState(zygote) : QList<QByteArray>();
            const QByteArray zygoteCommand = CommandLine(zygote);
            if (zygoteState.size() > 1 && zygoteState.at(1).toLongLong() == QCoreApplication::applicationPid()
                && zygoteCommand.contains("--type=zygote") && !zygoteCommand.contains("--no-zygote-sandbox"))
                renderers.append(process);
        }
        return renderers;
    }

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
    bool m_bPreviewShown = false; // a live preview test expects no message
};

ZT_APP_TEST_MAIN(TestBrowse)
#include "tst_browse.moc"
