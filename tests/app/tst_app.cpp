#include "support/AppTestMain.h"
#include "support/ResultTable.h"

#include "app/ChildFrame.h"
#include "app/ReopenRules.h"
#include "editor/SourceDoc.h"
#include "editor/SourceLoader.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "framework/CommandRouter.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"

#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMimeData>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTimer>

using namespace ZtCmd;
using ZtTest::Row;

namespace {
// What the command line asks for, in short: "start" or "exit N", then
// "nosplash", the files to open, and whether there is output or errors.
QString Parsed(const QStringList& arguments)
{
    const CCommandLineInfo info = CZentrelApp::ParseCommandLine(QStringList{QStringLiteral("zentrel")} + arguments);
    QStringList seen{info.m_bExit ? QStringLiteral("exit %1").arg(info.m_nExitCode) : QStringLiteral("start")};
    if (!info.m_bExit && !info.m_bShowSplash)
        seen << QStringLiteral("nosplash");
    if (!info.m_openFiles.isEmpty())
        seen << QStringLiteral("open:") + info.m_openFiles.join(QLatin1Char(','));
    if (!info.m_strOutput.isEmpty())
        seen << QStringLiteral("out");
    if (!info.m_strErrors.isEmpty())
        seen << QStringLiteral("err");
    return seen.join(QLatin1Char(' '));
}

QString PagesFirst(const char* recent, const char* open)
{
    return CReopenRules::RecentFilesWithPagesFirst(QString::fromLatin1(recent).split(QLatin1Char('|')),
                                                   QString::fromLatin1(open).split(QLatin1Char('|')), 4)
        .join(QLatin1Char('|'));
}

// How a page window stands: "normal", "maximised" or "minimised".
QString Standing(const QMdiSubWindow* frame)
{
    return frame->isMinimized() ? QStringLiteral("minimised")
           : frame->isMaximized() ? QStringLiteral("maximised")
                                  : QStringLiteral("normal");
}
} // namespace

class TestApp : public QObject
{
    Q_OBJECT
    CZentrelApp* m_app = nullptr;
    QString m_dir;
    ZtTest::CMessageLog m_messages{QMessageBox::No};

    QString MakeFile(const QString& name, const QByteArray& bytes = QByteArray("<HTML>\r\n</HTML>\r\n"))
    {
        return ZtTest::WriteFile(m_dir + QLatin1Char('/') + name, bytes);
    }
    CDocTemplate* Pages() const { return m_app->WebPageTemplate(); }
    int OpenCount(CDocTemplate* docTemplate) const { return int(docTemplate->Documents().size()); }
    void CloseAll()
    {
        ZtTest::CloseAllDocuments();
        QCOMPARE(m_app->GetMainFrame()->MdiArea()->subWindowList().size(), 0);
    }
    QString WindowPos() const
    {
        return m_app->Profile().GetString(QStringLiteral("Settings"), QStringLiteral("ZTTypeWindowPos"));
    }
    // Opens count pages named by pattern, each at a place of its own.
    QHash<QString, QRect> OpenPagesAtPlaces(const QString& pattern, int count)
    {
        QHash<QString, QRect> places;
        for (int i = 0; i < count; ++i) {
            const QString path = MakeFile(pattern.arg(i));
            CDocument* document = m_app->OpenDocumentFile(path);
            if (!document)
                qFatal("cannot open %s", qPrintable(path));
            const QRect place(10 + 40 * i, 20 + 30 * i, 300 + 10 * i, 200 + 10 * i);
            document->Frames().first()->setGeometry(place);
            places.insert(path, place);
        }
        return places;
    }

private slots:
    void initTestCase()
    {
        m_app = ZtApp();
        // The start-up child runs the program's own start instead.
        if (!qEnvironmentVariableIsSet("ZT_START_CHILD"))
            ZtTest::ShowMainFrame();
        m_dir = ZtTest::SandboxDir() + QStringLiteral("/files with spaces;$(x)");
        QVERIFY(QDir().mkpath(m_dir));
    }

    void init()
    {
        for (const char* section : {"Startup", "Settings", "Recent File List", "Recent Project List"})
            m_app->Profile().RemoveSection(QString::fromLatin1(section));
        m_app->RecentFileList().ReadList();
        m_messages.texts.clear();
        m_messages.answer = QMessageBox::No;
    }

    void cleanup() { CloseAll(); }

    void reopensOnlyOnExactYes_data()
    {
        QTest::addColumn<QString>("filesOnExit");
        QTest::addColumn<QString>("filesOpen");
        QTest::addColumn<int>("expected");
        QTest::newRow("yes, 2") << "yes" << "2" << 2;
        QTest::newRow("yes, more than entries") << "yes" << "99" << 3;
        QTest::newRow("yes, negative") << "yes" << "-3" << 0;
        QTest::newRow("yes, garbage") << "yes" << "many" << 3;
        QTest::newRow("Yes") << "Yes" << "2" << 0;
        QTest::newRow("yes with blank") << "yes " << "2" << 0;
    }
    void reopensOnlyOnExactYes()
    {
        QFETCH(QString, filesOnExit);
        QFETCH(QString, filesOpen);
        QFETCH(int, expected);
        CProfile& profile = m_app->Profile();
        for (int i = 1; i <= 3; ++i) {
            profile.WriteString(QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(i),
                                MakeFile(QStringLiteral("page%1.html").arg(i)));
            profile.WriteString(QStringLiteral("Settings"), QStringLiteral("w%1").arg(i),
                                QStringLiteral("0,1,-1,-1,-1,-1,90,90,390,290"));
        }
        m_app->RecentFileList().ReadList();
        profile.WriteString(QStringLiteral("StartUp"), QStringLiteral("FilesOnExit"), filesOnExit);
        profile.WriteString(QStringLiteral("startup"), QStringLiteral("FilesOpen"), filesOpen);
        m_app->ReopenLastSession();
        QCOMPARE(OpenCount(Pages()), expected);
        // A file handed over with --open while start-up reopens goes where the
        // last closed window stood, not where a reopened one did.
        profile.WriteString(QStringLiteral("Settings"), QStringLiteral("ZTTypeWindowPos"),
                            QStringLiteral("0,1,-1,-1,-1,-1,40,50,440,350"));
        m_app->OpenRequestedFiles({MakeFile(QStringLiteral("requested.html"))});
        CDocument* requested = Pages()->Documents().last();
        QCOMPARE(requested->Frames().first()->geometry(), QRect(40, 50, 400, 300));
    }

    void requestedNamesAreFoundInTheStartDirectory()
    {
        // Reopening the last project makes its folder the current one before
        // the files named on the command line open.
        const QString elsewhere = ZtTest::SandboxDir() + QStringLiteral("/elsewhere");
        ZtTest::WriteFile(elsewhere + QStringLiteral("/asked.html"), "<P>other\n");
        const QString asked = MakeFile(QStringLiteral("asked.html"));
        const QString startBefore = m_app->StartDirectory();
        const QString currentBefore = QDir::currentPath();
        m_app->SetStartDirectory(m_dir);
        QVERIFY(QDir::setCurrent(elsewhere));
        m_app->OpenRequestedFiles({QStringLiteral("asked.html")});
        QDir::setCurrent(currentBefore);
        m_app->SetStartDirectory(startBefore);
        QCOMPARE(OpenCount(Pages()), 1);
        QCOMPARE(Pages()->Documents().first()->GetPathName(), asked);
    }

    void reopensProjectOnExactYes()
    {
        // A project gone since the last Exit is not passed over in silence.
        const QString gone = m_dir + QStringLiteral("/gone/gone.ztp");
        m_app->Profile().WriteString(QStringLiteral("Recent Project List"), QStringLiteral("Project1"), gone);
        m_app->Profile().WriteString(QStringLiteral("Startup"), QStringLiteral("ProjectOnExit"), QStringLiteral("yes"));
        m_app->ReopenLastSession();
        QCOMPARE(m_messages.texts.size(), 1);
        QVERIFY2(m_messages.texts.first().contains(QStringLiteral("gone.ztp")), qPrintable(m_messages.texts.first()));
        QCOMPARE(OpenCount(m_app->ProjectTemplate()), 0);

        const QString project = MakeFile(QStringLiteral("site/site.ztp"), "project");
        m_app->Profile().WriteString(QStringLiteral("Recent Project List"), QStringLiteral("Project1"), project);
        m_app->Profile().WriteString(QStringLiteral("Startup"), QStringLiteral("ProjectOnExit"), QStringLiteral("Yes"));
        m_app->ReopenLastSession();
        QCOMPARE(OpenCount(m_app->ProjectTemplate()), 0);
        m_app->Profile().WriteString(QStringLiteral("Startup"), QStringLiteral("ProjectOnExit"), QStringLiteral("yes"));
        m_app->ReopenLastSession();
        QCOMPARE(m_app->ProjectPath(), project);
        // The project's own window stays hidden, and the menu bar stays the main one.
        QVERIFY(!m_app->ProjectTemplate()->FirstDocument()->Frames().first()->isVisible());
    }

    // Exit records the open pages and their places; the next start reopens
    // the four most recent, each at its place, beside the project.
    void restartReopensThePagesAtTheirPlaces_data()
    {
        QTest::addColumn<int>("pageCount");
        QTest::addColumn<QString>("projectName"); // none when empty
        QTest::addColumn<QString>("saved");       // what Exit saves as it closes: "page", "project" or nothing
        QTest::addColumn<int>("reopened");
        QTest::newRow("five pages, no project") << 5 << "" << "" << 4;
        // The project stays in the recent files among the pages.
        QTest::newRow("three pages") << 3 << "site" << "" << 3;
        // The pages pushed the project out of the list, and reopening it would
        // push the oldest page out.
        QTest::newRow("four pages") << 4 << "site" << "" << 4;
        QTest::newRow("project in capitals") << 3 << "SITE" << "" << 3;
        // Saving puts a file at the top of the recent files after the places
        // were taken.
        QTest::newRow("page saved at Exit") << 3 << "site" << "page" << 3;
        QTest::newRow("project saved at Exit, four pages") << 4 << "site" << "project" << 4;
    }
    void restartReopensThePagesAtTheirPlaces()
    {
        QFETCH(int, pageCount);
        QFETCH(QString, projectName);
        QFETCH(QString, saved);
        QFETCH(int, reopened);
        if (!projectName.isEmpty())
            m_app->OpenProject(MakeFile(projectName + QLatin1Char('/') + projectName + QStringLiteral(".ZTP"), "project"));
        const QHash<QString, QRect> places = OpenPagesAtPlaces(QStringLiteral("site page%1.html"), pageCount);
        // Clicking an earlier window again changes the order of activation, not
        // the order of the recent files the next start goes by.
        m_app->GetMainFrame()->MdiArea()->setActiveSubWindow(Pages()->Documents().at(1)->Frames().first());
        if (saved.isEmpty()) {
            m_app->RecordSessionForReopen();
            CloseAll();
        } else {
            CDocument* modified = saved == QLatin1String("page") ? Pages()->Documents().first()
                                                                 : m_app->ProjectTemplate()->FirstDocument();
            modified->SetModifiedFlag(true);
            m_messages.answer = QMessageBox::Yes;
            QVERIFY(ZtTest::Run(ID_APP_EXIT));
            QCOMPARE(m_messages.texts.size(), 1);
            QCOMPARE(m_app->GetMainFrame()->MdiArea()->subWindowList().size(), 0);
            m_app->GetMainFrame()->show();
            m_messages.answer = QMessageBox::No;
        }
        QVERIFY(!m_app->Profile().Contains(QStringLiteral("Settings"), QStringLiteral("w5")));
        m_app->ReopenLastSession();
        QCOMPARE(OpenCount(m_app->ProjectTemplate()), projectName.isEmpty() ? 0 : 1);
        QCOMPARE(OpenCount(Pages()), reopened);
        for (CDocument* document : Pages()->Documents())
            QCOMPARE(document->Frames().first()->geometry(), places.value(document->GetPathName()));

        // With no page open, the next start reopens none.
        CloseAll();
        QVERIFY(m_app->OpenDocumentFile(MakeFile(QStringLiteral("notes.txt"), "text")));
        m_app->RecordSessionForReopen();
        QCOMPARE(m_app->Profile().GetString(QStringLiteral("Startup"), QStringLiteral("FilesOnExit")), QStringLiteral("no"));
    }

    // A closed page window leaves its flags and show state as they were before
    // the window went, and the next page window comes back the same way.
    void closedPageWindowLeavesItsPlace_data()
    {
        QTest::addColumn<QString>("state");    // how the window stands when it goes
        QTest::addColumn<QString>("closedBy"); // its close box, its document's close, or closing everything
        QTest::addColumn<QString>("expected"); // "ZTTypeWindowPos" written
        for (const char* closedBy : {"window", "document", "all"}) {
            QTest::addRow("normal, %s", closedBy) << "normal" << closedBy << "0,1,-1,-1,-1,-1,30,40,330,240";
            QTest::addRow("maximised, %s", closedBy) << "maximised" << closedBy << "2,3,-1,-1,-1,-1,30,40,330,240";
            QTest::addRow("minimised, %s", closedBy) << "minimised" << closedBy << "0,2,-1,-1,-1,-1,30,40,330,240";
        }
    }
    void closedPageWindowLeavesItsPlace()
    {
        QFETCH(QString, state);
        QFETCH(QString, closedBy);
        QFETCH(QString, expected);
        CDocument* document = m_app->OpenDocumentFile(MakeFile(QStringLiteral("closing.html")));
        QVERIFY(document);
        CMDIChildWnd* frame = document->Frames().first();
        frame->setGeometry(30, 40, 300, 200);
        if (state == QLatin1String("maximised"))
            frame->showMaximized();
        else if (state == QLatin1String("minimised"))
            frame->showMinimized();
        if (closedBy == QLatin1String("window"))
            QVERIFY(frame->close());
        else if (closedBy == QLatin1String("document"))
            document->OnCloseDocument();
        else
            m_app->CloseAllDocuments();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(WindowPos(), expected);
        // A page whose file fails to open never had a window to remember.
        QVERIFY(!m_app->OpenDocumentFile(m_dir + QStringLiteral("/missing.html")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(WindowPos(), expected);

        CDocument* next = m_app->OpenDocumentFile(MakeFile(QStringLiteral("next.html")));
        QVERIFY(next);
        QCOMPARE(Standing(next->Frames().first()), state);
        if (state == QLatin1String("normal"))
            QCOMPARE(next->Frames().first()->geometry(), QRect(30, 40, 300, 200));
    }

    void openFileInEditorChoosesType_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("resourceId");
        QTest::newRow("text") << "setup.INI" << int(IDR_TEXTTYPE);
        QTest::newRow("page") << "index.html" << int(IDR_ZTTYPE);
        QTest::newRow("style sheet") << "style.css" << int(IDR_ZTTYPE);
        QTest::newRow("no extension") << "Makefile" << int(IDR_ZTTYPE);
        QTest::newRow("project") << "site.ztp" << int(IDR_PROJECTTYPE);
    }
    void openFileInEditorChoosesType()
    {
        QFETCH(QString, name);
        QFETCH(int, resourceId);
        const QString path = MakeFile(name);
        m_app->OpenFileInEditor(path, false);
        QCOMPARE(m_app->CurrentFile(), path);
        QStringList opened;
        for (CDocTemplate* docTemplate : m_app->Templates()) {
            for (int i = 0; i < docTemplate->Documents().size(); ++i)
                opened << QString::number(docTemplate->GetResourceId());
        }
        QCOMPARE(opened, QStringList{QString::number(resourceId)});
    }

    void openingReusesOrReplacesThePage()
    {
        CDocument* first = m_app->OpenDocumentFile(MakeFile(QStringLiteral("first.html")));
        QVERIFY(first);
        QCOMPARE(m_app->OpenDocumentFile(m_dir + QStringLiteral("/first.html")), first);
        // Opening over the current page asks once to save it, then replaces it.
        static_cast<CZentrelDoc*>(first)->GetView()->insertPlainText(QStringLiteral("edit"));
        m_app->OpenFileInEditor(MakeFile(QStringLiteral("second.html")), true);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(m_messages.texts.size(), 1);
        QVERIFY(m_messages.texts.first().startsWith(QStringLiteral("Save changes to")));
        QCOMPARE(OpenCount(Pages()), 1);
        QCOMPARE(Pages()->FirstDocument()->GetTitle(), QStringLiteral("second.html"));
    }

    void tempPageBesideThePageNeverRecent()
    {
        const QString path = MakeFile(QStringLiteral("preview.html"), "\t<P>\t\t\n<BR>\r\n");
        auto* document = static_cast<CZentrelDoc*>(m_app->OpenDocumentFile(path));
        const QString temp = document->GetView()->WriteTempPage(path);
        QCOMPARE(temp, m_dir + QStringLiteral("/tempFile.html"));
        QCOMPARE(ZtTest::ReadFile(temp), QByteArray("\t<P>\r\n<BR>\r\n\r\n"));
        QVERIFY(document->IsModified());
        // Under the preview's name, compared with case, a page stays out of the
        // recent-file list; a new name leaves nothing to save.
        document->SetPathName(temp);
        QVERIFY(!m_app->RecentFileList().Entries().contains(temp));
        QVERIFY(!document->IsModified());
        document->SetPathName(m_dir + QStringLiteral("/TempFile.html"));
        QCOMPARE(m_app->RecentFileList().GetAt(0), m_dir + QStringLiteral("/TempFile.html"));
    }

    void pageNotAllReadLeavesTheRecentFiles_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<bool>("recent");
        QTest::newRow("read in full") << "loaded" << true;
        QTest::newRow("line too long") << "refused" << false;
        QTest::newRow("cancelled") << "cancelled" << false;
    }
    void pageNotAllReadLeavesTheRecentFiles()
    {
        QFETCH(QString, ending);
        QFETCH(bool, recent);
        const QString other = MakeFile(QStringLiteral("other.html"));
        QVERIFY(m_app->OpenDocumentFile(other));
        const QString path = MakeFile(QStringLiteral("big.html"), "<p>one</p>\n<p>two</p>\n");
        const qint64 backgroundBytes = CSourceDoc::s_nBackgroundLoadBytes;
        const qsizetype longestLine = CSourceLoader::s_nLongestLine;
        CSourceDoc::s_nBackgroundLoadBytes = 0;
        if (ending == QStringLiteral("refused"))
            CSourceLoader::s_nLongestLine = 5;
        QPointer<CSourceDoc> document = qobject_cast<CSourceDoc*>(m_app->OpenDocumentFile(path));
        CSourceDoc::s_nBackgroundLoadBytes = backgroundBytes;
        QVERIFY(document);
        if (ending == QStringLiteral("cancelled"))
            document->CancelLoad();
        QTRY_VERIFY(!document || !document->IsLoading());
        CSourceLoader::s_nLongestLine = longestLine;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(bool(document), recent);
        // The page read before stays first when the new one never came in.
        QStringList expected{QFileInfo(other).absoluteFilePath()};
        if (recent)
            expected.prepend(QFileInfo(path).absoluteFilePath());
        QCOMPARE(m_app->RecentFileList().Entries(), expected);
    }

    // Save follows the active window; Save All saves every modified file.
    void saveAllAndSaveEnableRule()
    {
        const CCommandRouter& router = m_app->GetMainFrame()->Router();
        QVERIFY(!router.IsEnabled(ID_FILE_SAVE));
        const QString htmlPath = MakeFile(QStringLiteral("all.html"), "<P>\n");
        auto* html = static_cast<CSourceDoc*>(m_app->OpenDocumentFile(htmlPath));
        auto* text = static_cast<CSourceDoc*>(m_app->OpenDocumentFile(MakeFile(QStringLiteral("all.txt"), "text\n")));
        m_app->GetMainFrame()->MdiArea()->setActiveSubWindow(text->Frames().first());
        ZtTest::EditorOf(html)->insertPlainText(QStringLiteral("<B>"));
        QVERIFY(!router.IsEnabled(ID_FILE_SAVE)); // the text window is the active one
        ZtTest::EditorOf(text)->insertPlainText(QStringLiteral("more "));
        QVERIFY(router.IsEnabled(ID_FILE_SAVE));
        m_app->SaveAllDocuments();
        QVERIFY(m_messages.texts.isEmpty());
        QVERIFY(!html->IsModified() && !text->IsModified());
        QCOMPARE(ZtTest::ReadFile(htmlPath), QByteArray("<B><P>\n"));
    }

    void openDialogStartsInStartDirectory()
    {
        m_app->OpenFileInEditor(MakeFile(QStringLiteral("elsewhere.html")), false);
        QString shown;
        const auto seen = ZtTest::WhenModal<QFileDialog>(
            [&shown](QFileDialog* dialog) { shown = dialog->directory().absolutePath(); }, false);
        QVERIFY(ZtTest::Run(ID_FILE_OPEN));
        QVERIFY(*seen);
        QCOMPARE(shown, QDir(m_app->StartDirectory()).absolutePath());
    }

    // Which files open, and what a zero byte does, have their rows in
    // tst_framework and tst_sourceloader; here, that a refused page leaves no
    // window and the user is told once. A page that fails to load still
    // becomes the current file; a plain text file only once it has opened.
    void badFilesAreRefusedWithAMessage()
    {
        QVERIFY(!m_app->OpenDocumentFile(m_dir + QStringLiteral("/missing.html")));
        QCOMPARE(m_messages.texts.size(), 1);
        QCOMPARE(m_app->GetMainFrame()->MdiArea()->subWindowList().size(), 0);
        QCOMPARE(m_app->CurrentFile(), m_dir + QStringLiteral("/missing.html"));
        m_app->SetCurrentFile(QStringLiteral("before"));
        QVERIFY(!m_app->TextTemplate()->OpenDocumentFile(m_dir + QStringLiteral("/missing.txt")));
        QCOMPARE(m_app->CurrentFile(), QStringLiteral("before"));
        QVERIFY(m_app->TextTemplate()->OpenDocumentFile(MakeFile(QStringLiteral("here.txt"), "text")));
        QCOMPARE(m_app->CurrentFile(), m_dir + QStringLiteral("/here.txt"));
    }

    void pastesPlainTextOnly()
    {
        auto* document = static_cast<CZentrelDoc*>(m_app->OpenDocumentFile(MakeFile(QStringLiteral("paste.html"), "")));
        auto* mime = new QMimeData;
        mime->setHtml(QStringLiteral("<b>bold</b>"));
        mime->setText(QStringLiteral("plain"));
        QGuiApplication::clipboard()->setMimeData(mime);
        QVERIFY(ZtTest::Run(ID_EDIT_PASTE));
        QTextDocument* text = document->TextDocument();
        QCOMPARE(text->toPlainText(), QStringLiteral("plain"));
    }

    void colouringFollowsTheSettings()
    {
        m_app->Profile().WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"), 1);
        m_app->Profile().WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 100);
        const QByteArray line("<TABLE BORDER=\"1\">\n");
        m_app->OpenFileInEditor(MakeFile(QStringLiteral("small.html"), line), false);
        m_app->OpenFileInEditor(MakeFile(QStringLiteral("large.html"), line.repeated(10)), false);
        // Only the page under the size limit is coloured.
        QStringList coloured;
        for (CDocument* page : Pages()->Documents()) {
            if (!static_cast<CZentrelDoc*>(page)->TextDocument()->begin().layout()->formats().isEmpty())
                coloured << page->GetTitle();
        }
        QCOMPARE(OpenCount(Pages()), 2);
        QCOMPARE(coloured, QStringList{QStringLiteral("small.html")});
    }

    // The first start shows the colouring settings over the main window.
    // Without a window manager no focus event comes back when that dialog
    // closes; the main window must still take the keys, or its menu keys
    // stay dead. Runs in a process of its own, with no profile yet.
    void firstStartGivesTheKeysBack()
    {
        if (!qEnvironmentVariableIsSet("ZT_START_CHILD")) {
            QVERIFY(ZtTest::PassesInChild({QStringLiteral("ZT_START_CHILD=1")}));
            return;
        }
        bool shown = false;
        m_app->SetFirstRunHandler([&shown] {
            QDialog dialog(ZtApp()->GetMainFrame());
            QTimer::singleShot(0, &dialog, &QDialog::reject);
            dialog.exec();
            QApplication::setActiveWindow(nullptr);
            shown = true;
        });
        QVERIFY(m_app->InitInstance());
        QTRY_VERIFY_WITH_TIMEOUT(shown, 60000);
        QCOMPARE(QApplication::activeWindow(), static_cast<QWidget*>(m_app->GetMainFrame()));
    }

    // A start with no page to open and no dialog to answer: on an X server
    // without a window manager a window shown is not made active, and only
    // the program can give its main window the keys.
    void plainStartTakesTheKeys()
    {
        if (!qEnvironmentVariableIsSet("ZT_START_CHILD")) {
            // Offscreen every window shown is made active: the test runs
            // itself again on an X server.
            const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
            if (xvfbRun.isEmpty())
                QSKIP("xvfb-run is not installed");
            QVERIFY(ZtTest::PassesInChild({QStringLiteral("ZT_START_CHILD=1"), QStringLiteral("QT_QPA_PLATFORM=xcb")},
                                          {xvfbRun, QStringLiteral("-a")}));
            return;
        }
        QVERIFY(m_app->InitInstance({QStringLiteral("zentrel"), QStringLiteral("--nosplash")}));
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(m_app->GetMainFrame()));
    }

    void results_data()
    {
        ZtTest::ResultColumns();
        Row("a file alone is not opened", Parsed({"a.html"}), "start");
        Row("open", Parsed({"--nosplash", "--open", "a b.html", "c.css"}), "start nosplash open:a b.html,c.css");
        Row("unknown options are reported, the rest still counts", Parsed({"--geometry=9x9", "-x", "--nosplash"}),
            "start nosplash err");
        Row("help", Parsed({"--help", "--bogus"}), "exit 0 out err");
        Row("version", Parsed({"--version"}), "exit 0 out");
        Row("open without files", Parsed({"--open"}), "exit 2 err");
        Row("value for a switch", Parsed({"--nosplash=yes"}), "exit 2 err");

        Row("browser 3.99", QString::number(CMainFrame::BrowserLevelFromVersion(3, 99)), "0");
        Row("browser 4.70", QString::number(CMainFrame::BrowserLevelFromVersion(4, 70)), "1");
        Row("browser 4.71", QString::number(CMainFrame::BrowserLevelFromVersion(4, 71)), "2");

        // The recent files at Exit (most recent first) and the open pages (the
        // most recently active first): the recent files the next start finds.
        Row("project above four pages", PagesFirst("site.ztp|d.html|c.html|b.html", "d.html|c.html|b.html|a.html"),
            "d.html|c.html|b.html|a.html");
        Row("closed page above the open ones", PagesFirst("old.html|b.html|a.html", "a.html|b.html"),
            "b.html|a.html|old.html");
        Row("five pages: the four most recent files",
            PagesFirst("e.html|d.html|c.html|b.html", "c.html|e.html|d.html|b.html|a.html"),
            "e.html|d.html|c.html|b.html");
        Row("listed pages keep their order", PagesFirst("a.html|c.html|b.html", "c.html|b.html|a.html"),
            "a.html|c.html|b.html");
        Row("other files follow", PagesFirst("notes.txt|site.ztp|a.html", "a.html"), "a.html|notes.txt|site.ztp");
    }
    void results() { ZtTest::CompareResult(); }
};

ZT_APP_TEST_MAIN(TestApp)
#include "tst_app.moc"
