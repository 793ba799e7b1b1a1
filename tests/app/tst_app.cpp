#include "support/AppTestMain.h"
#include "support/Dialogs.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"

#include "app/ChildFrame.h"
#include "framework/CommandRouter.h"
#include "framework/DocTemplate.h"
#include "app/MainFrame.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "app/ReopenRules.h"
#include "app/ZentrelApp.h"
#include "editor/SourceDoc.h"
#include "editor/SourceLoader.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "res/CommandIds.h"

#include <QDir>
#include <QFileDialog>
#include <QHash>
#include <QMdiArea>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
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
} // namespace

class TestApp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void reopensOnlyOnExactYes_data();
    void reopensOnlyOnExactYes();
    void reopensProjectOnExactYes();
    void requestedNamesAreFoundInTheStartDirectory();
    void exitThenRestartKeepsEachWindowsPlace();
    void exitPutsTheOpenPagesFirstInTheRecentFiles_data();
    void exitPutsTheOpenPagesFirstInTheRecentFiles();
    void restartReopensEveryPageBesideTheProject_data();
    void restartReopensEveryPageBesideTheProject();
    void closedPageWindowLeavesItsPlace_data();
    void closedPageWindowLeavesItsPlace();
    void openFileInEditorChoosesType_data();
    void openFileInEditorChoosesType();
    void openingReusesOrReplacesThePage();
    void tempPageBesideThePageNeverRecent();
    void saveAllAndSaveEnableRule();
    void openDialogStartsInStartDirectory();
    void badFilesAreRefusedWithAMessage();
    void saveKeepsBytesAndFailedSaveKeepsTheEdit();
    void pastesPlainTextOnly();
    void colouringFollowsTheSettings();
    // Last: its loads run the event loop, which makes the main window active.
    void pageNotAllReadLeavesTheRecentFiles_data();
    void pageNotAllReadLeavesTheRecentFiles();
    void results_data();
    void results() { ZtTest::CompareResult(); }

private:
    QString MakeFile(const QString& name, const QByteArray& bytes = QByteArray("<HTML>\r\n</HTML>\r\n"));
    void CloseAll();
    // Opens count pages named by pattern, each at a place of its own.
    QHash<QString, QRect> OpenPagesAtPlaces(const QString& pattern, int count);
    int OpenCount(CDocTemplate* docTemplate) const { return docTemplate->Documents().size(); }

    CZentrelApp* m_app = nullptr;
    QString m_dir;
    ZtTest::CMessageLog m_messages{QMessageBox::No};
};

QString TestApp::MakeFile(const QString& name, const QByteArray& bytes)
{
    return ZtTest::WriteFile(m_dir + QLatin1Char('/') + name, bytes);
}

QHash<QString, QRect> TestApp::OpenPagesAtPlaces(const QString& pattern, int count)
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

void TestApp::initTestCase()
{
    m_app = ZtApp();
    ZtTest::ShowMainFrame();
    m_dir = ZtTest::SandboxDir() + QStringLiteral("/files with spaces;$(x)");
    QVERIFY(QDir().mkpath(m_dir));
}

void TestApp::init()
{
    for (const QString& section : {QStringLiteral("Startup"), QStringLiteral("Settings"),
                                   QStringLiteral("Recent File List"), QStringLiteral("Recent Project List")})
        m_app->Profile().RemoveSection(section);
    m_app->RecentFileList().ReadList();
    m_messages.texts.clear();
    m_messages.answer = QMessageBox::No;
}

void TestApp::cleanup()
{
    CloseAll();
}

void TestApp::CloseAll()
{
    m_messages.answer = QMessageBox::No; // discard unsaved test edits
    ZtTest::CloseAllDocuments();
    QCOMPARE(m_app->GetMainFrame()->MdiArea()->subWindowList().size(), 0);
}

void TestApp::reopensOnlyOnExactYes_data()
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

void TestApp::reopensOnlyOnExactYes()
{
    QFETCH(QString, filesOnExit);
    QFETCH(QString, filesOpen);
    QFETCH(int, expected);
    CProfile& profile = m_app->Profile();
    for (int i = 1; i <= 3; ++i)
        profile.WriteString(QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(i),
                            MakeFile(QStringLiteral("page%1.html").arg(i)));
    m_app->RecentFileList().ReadList();
    profile.WriteString(QStringLiteral("StartUp"), QStringLiteral("FilesOnExit"), filesOnExit);
    profile.WriteString(QStringLiteral("startup"), QStringLiteral("FilesOpen"), filesOpen);
    for (const QString& key : {QStringLiteral("w1"), QStringLiteral("w2"), QStringLiteral("w3")})
        profile.WriteString(QStringLiteral("Settings"), key, QStringLiteral("0,1,-1,-1,-1,-1,90,90,390,290"));

    m_app->ReopenLastSession();
    QCOMPARE(OpenCount(m_app->WebPageTemplate()), expected);
    // A file handed over with --open while start-up reopens goes where the
    // last closed window stood, not where a reopened one did.
    profile.WriteString(QStringLiteral("Settings"), QStringLiteral("ZTTypeWindowPos"),
                        QStringLiteral("0,1,-1,-1,-1,-1,40,50,440,350"));
    m_app->OpenRequestedFiles({MakeFile(QStringLiteral("requested.html"))});
    CDocument* requested = m_app->WebPageTemplate()->Documents().last();
    QCOMPARE(requested->GetTitle(), QStringLiteral("requested.html"));
    QCOMPARE(requested->Frames().first()->geometry(), QRect(40, 50, 400, 300));
}

void TestApp::requestedNamesAreFoundInTheStartDirectory()
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
    QCOMPARE(OpenCount(m_app->WebPageTemplate()), 1);
    QCOMPARE(m_app->WebPageTemplate()->Documents().first()->GetPathName(), asked);
}

void TestApp::reopensProjectOnExactYes()
{
    const QString project = MakeFile(QStringLiteral("site/site.ztp"), "project");
    m_app->Profile().WriteString(QStringLiteral("Recent Project List"), QStringLiteral("Project1"), project);
    m_app->Profile().WriteString(QStringLiteral("Startup"), QStringLiteral("ProjectOnExit"), QStringLiteral("Yes"));
    m_app->ReopenLastSession();
    QCOMPARE(OpenCount(m_app->ProjectTemplate()), 0);

    m_app->Profile().WriteString(QStringLiteral("Startup"), QStringLiteral("ProjectOnExit"), QStringLiteral("yes"));
    m_app->ReopenLastSession();
    QCOMPARE(OpenCount(m_app->ProjectTemplate()), 1);
    QCOMPARE(m_app->ProjectPath(), project);
    // The project's own window stays hidden, and the menu bar stays the main one.
    QVERIFY(!m_app->ProjectTemplate()->FirstDocument()->Frames().first()->isVisible());
}

void TestApp::exitPutsTheOpenPagesFirstInTheRecentFiles_data()
{
    QTest::addColumn<QString>("recent");   // the recent files at Exit, most recent first
    QTest::addColumn<QString>("open");     // the open pages, the most recently active first
    QTest::addColumn<QString>("expected"); // the recent files the next start finds
    QTest::newRow("project above four pages") << "site.ztp|d.html|c.html|b.html" << "d.html|c.html|b.html|a.html"
                                              << "d.html|c.html|b.html|a.html";
    QTest::newRow("closed page above the open ones") << "old.html|b.html|a.html" << "a.html|b.html"
                                                     << "b.html|a.html|old.html";
    QTest::newRow("five pages: the four most recent files") << "e.html|d.html|c.html|b.html"
                                                            << "c.html|e.html|d.html|b.html|a.html"
                                                            << "e.html|d.html|c.html|b.html";
    QTest::newRow("listed pages keep their order") << "a.html|c.html|b.html" << "c.html|b.html|a.html"
                                                   << "a.html|c.html|b.html";
    QTest::newRow("other files follow") << "notes.txt|site.ztp|a.html" << "a.html"
                                        << "a.html|notes.txt|site.ztp";
}

void TestApp::exitPutsTheOpenPagesFirstInTheRecentFiles()
{
    QFETCH(QString, recent);
    QFETCH(QString, open);
    QFETCH(QString, expected);
    const QStringList entries = CReopenRules::RecentFilesWithPagesFirst(
        recent.split(QLatin1Char('|')), open.split(QLatin1Char('|')), 4);
    QCOMPARE(entries.join(QLatin1Char('|')), expected);
}

void TestApp::exitThenRestartKeepsEachWindowsPlace()
{
    // Five pages, each at a place of its own; the four most recent are the
    // ones the next start reopens.
    const QHash<QString, QRect> places = OpenPagesAtPlaces(QStringLiteral("place%1.html"), 5);
    // Clicking an earlier window again changes the order of activation, not
    // the order of the recent files the next start goes by.
    m_app->GetMainFrame()->MdiArea()->setActiveSubWindow(m_app->WebPageTemplate()->Documents().at(2)->Frames().first());
    m_app->RecordSessionForReopen();
    QVERIFY(!m_app->Profile().Contains(QStringLiteral("Settings"), QStringLiteral("w5")));
    CloseAll();
    m_app->ReopenLastSession();
    QCOMPARE(OpenCount(m_app->WebPageTemplate()), 4);
    for (CDocument* document : m_app->WebPageTemplate()->Documents())
        QCOMPARE(document->Frames().first()->geometry(), places.value(document->GetPathName()));

    // With no page open, the next start reopens none.
    CloseAll();
    QVERIFY(m_app->OpenDocumentFile(MakeFile(QStringLiteral("notes.txt"), "text")));
    m_app->RecordSessionForReopen();
    QCOMPARE(m_app->Profile().GetString(QStringLiteral("Startup"), QStringLiteral("FilesOnExit")), QStringLiteral("no"));
}

void TestApp::restartReopensEveryPageBesideTheProject_data()
{
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QString>("projectName");
    QTest::addColumn<QString>("saved"); // what Exit saves as it closes: "page", "project" or nothing
    // The project stays in the recent files among the pages.
    QTest::newRow("three pages") << 3 << "site" << "";
    // The pages pushed the project out of the list, and reopening it would
    // push the oldest page out.
    QTest::newRow("four pages") << 4 << "site" << "";
    QTest::newRow("project in capitals") << 3 << "SITE" << "";
    // Saving puts a file at the top of the recent files after the places
    // were taken.
    QTest::newRow("page saved at Exit") << 3 << "site" << "page";
    QTest::newRow("project saved at Exit, four pages") << 4 << "site" << "project";
}

void TestApp::restartReopensEveryPageBesideTheProject()
{
    QFETCH(int, pageCount);
    QFETCH(QString, projectName);
    QFETCH(QString, saved);
    const QString project = MakeFile(projectName + QLatin1Char('/') + projectName + QStringLiteral(".ZTP"), "project");
    m_app->OpenProject(project);
    QCOMPARE(OpenCount(m_app->ProjectTemplate()), 1);
    const QHash<QString, QRect> places = OpenPagesAtPlaces(QStringLiteral("site page%1.html"), pageCount);
    if (saved.isEmpty()) {
        m_app->RecordSessionForReopen();
        CloseAll();
    } else {
        // The page opened first, or the project, is saved when Exit asks.
        CDocument* modified = saved == QLatin1String("page") ? m_app->WebPageTemplate()->Documents().first()
                                                             : m_app->ProjectTemplate()->FirstDocument();
        modified->SetModifiedFlag(true);
        m_messages.answer = QMessageBox::Yes;
        QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_APP_EXIT));
        QCOMPARE(m_messages.texts.size(), 1);
        QVERIFY(!m_app->GetMainFrame()->isVisible());
        QCOMPARE(m_app->GetMainFrame()->MdiArea()->subWindowList().size(), 0);
        m_app->GetMainFrame()->show();
        m_messages.answer = QMessageBox::No;
    }

    m_app->ReopenLastSession();
    QCOMPARE(OpenCount(m_app->ProjectTemplate()), 1);
    // Every page back, each at its own place (a page not opened before has none).
    QCOMPARE(OpenCount(m_app->WebPageTemplate()), int(places.size()));
    for (CDocument* document : m_app->WebPageTemplate()->Documents())
        QCOMPARE(document->Frames().first()->geometry(), places.value(document->GetPathName()));
}

void TestApp::closedPageWindowLeavesItsPlace_data()
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

// A closed page window leaves its flags and show state as they were before
// the window went, and the next page window comes back the same way.
void TestApp::closedPageWindowLeavesItsPlace()
{
    QFETCH(QString, state);
    QFETCH(QString, closedBy);
    QFETCH(QString, expected);
    const auto standing = [](const QMdiSubWindow* frame) {
        return frame->isMinimized() ? QStringLiteral("minimised")
               : frame->isMaximized() ? QStringLiteral("maximised")
                                      : QStringLiteral("normal");
    };
    CDocument* document = m_app->OpenDocumentFile(MakeFile(QStringLiteral("closing.html")));
    QVERIFY(document);
    CMDIChildWnd* frame = document->Frames().first();
    frame->setGeometry(30, 40, 300, 200);
    if (state == QLatin1String("maximised"))
        frame->showMaximized();
    else if (state == QLatin1String("minimised"))
        frame->showMinimized();
    QCOMPARE(standing(frame), state);

    if (closedBy == QLatin1String("window"))
        QVERIFY(frame->close());
    else if (closedBy == QLatin1String("document"))
        document->OnCloseDocument();
    else
        m_app->CloseAllDocuments();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_app->GetMainFrame()->MdiArea()->subWindowList().size(), 0);
    QCOMPARE(m_app->Profile().GetString(QStringLiteral("Settings"), QStringLiteral("ZTTypeWindowPos")), expected);

    // A page whose file fails to open never had a window to remember.
    QVERIFY(!m_app->OpenDocumentFile(m_dir + QStringLiteral("/missing.html")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_app->Profile().GetString(QStringLiteral("Settings"), QStringLiteral("ZTTypeWindowPos")), expected);

    CDocument* next = m_app->OpenDocumentFile(MakeFile(QStringLiteral("next.html")));
    QVERIFY(next);
    QMdiSubWindow* reopened = next->Frames().first();
    QCOMPARE(standing(reopened), state);
    if (state == QLatin1String("normal"))
        QCOMPARE(reopened->geometry(), QRect(30, 40, 300, 200));
}

void TestApp::openFileInEditorChoosesType_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("resourceId");
    QTest::newRow("text") << "setup.INI" << int(IDR_TEXTTYPE);
    QTest::newRow("page") << "index.html" << int(IDR_ZTTYPE);
    QTest::newRow("style sheet") << "style.css" << int(IDR_ZTTYPE);
    QTest::newRow("no extension") << "Makefile" << int(IDR_ZTTYPE);
    QTest::newRow("project") << "site.ztp" << int(IDR_PROJECTTYPE);
}

void TestApp::openFileInEditorChoosesType()
{
    QFETCH(QString, name);
    QFETCH(int, resourceId);
    const QString path = MakeFile(name);
    m_app->OpenFileInEditor(path, false);
    QCOMPARE(m_app->CurrentFile(), path);
    int opened = 0;
    for (CDocTemplate* docTemplate : m_app->Templates()) {
        opened += docTemplate->Documents().size();
        if (!docTemplate->Documents().isEmpty())
            QCOMPARE(docTemplate->GetResourceId(), resourceId);
    }
    QCOMPARE(opened, 1);
}

void TestApp::openingReusesOrReplacesThePage()
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
    QCOMPARE(OpenCount(m_app->WebPageTemplate()), 1);
    QCOMPARE(m_app->WebPageTemplate()->FirstDocument()->GetTitle(), QStringLiteral("second.html"));
}

void TestApp::tempPageBesideThePageNeverRecent()
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

void TestApp::pageNotAllReadLeavesTheRecentFiles_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("recent");
    QTest::newRow("read in full") << "loaded" << true;
    QTest::newRow("line too long") << "refused" << false;
    QTest::newRow("cancelled") << "cancelled" << false;
}

void TestApp::pageNotAllReadLeavesTheRecentFiles()
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

void TestApp::saveAllAndSaveEnableRule()
{
    const CCommandRouter& router = m_app->GetMainFrame()->Router();
    QVERIFY(!router.IsEnabled(ID_FILE_SAVE));
    const QString htmlPath = MakeFile(QStringLiteral("all.html"), "<P>\n");
    const QString textPath = MakeFile(QStringLiteral("all.txt"), "text\n");
    auto* html = static_cast<CSourceDoc*>(m_app->OpenDocumentFile(htmlPath));
    auto* text = static_cast<CSourceDoc*>(m_app->OpenDocumentFile(textPath));
    QVERIFY(!router.IsEnabled(ID_FILE_SAVE));
    html->GetFirstView()->GetWidget()->setFocus();
    static_cast<QPlainTextEdit*>(text->GetFirstView()->GetWidget())->insertPlainText(QStringLiteral("more "));
    QVERIFY(router.IsEnabled(ID_FILE_SAVE)); // the text window is the active one
    static_cast<QPlainTextEdit*>(html->GetFirstView()->GetWidget())->insertPlainText(QStringLiteral("<B>"));

    m_app->SaveAllDocuments();
    QVERIFY(m_messages.texts.isEmpty());
    QVERIFY(!html->IsModified() && !text->IsModified());
    QVERIFY(!router.IsEnabled(ID_FILE_SAVE));
    QCOMPARE(ZtTest::ReadFile(htmlPath), QByteArray("<B><P>\n"));
}

void TestApp::openDialogStartsInStartDirectory()
{
    m_app->OpenFileInEditor(MakeFile(QStringLiteral("elsewhere.html")), false);
    QString shownDirectory;
    QTimer::singleShot(0, this, [&shownDirectory] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            shownDirectory = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_FILE_OPEN));
    QCOMPARE(shownDirectory, QDir(m_app->StartDirectory()).absolutePath());
}

void TestApp::badFilesAreRefusedWithAMessage()
{
    QVERIFY(!m_app->OpenDocumentFile(m_dir + QStringLiteral("/missing.html")));
    QCOMPARE(m_messages.texts.size(), 1);
    QVERIFY(!m_app->OpenDocumentFile(m_dir));
    QCOMPARE(m_messages.texts.size(), 2);
    QCOMPARE(m_app->GetMainFrame()->MdiArea()->subWindowList().size(), 0);

    // A page that fails to load still becomes the current file; a plain
    // text file only once it has opened.
    QCOMPARE(m_app->CurrentFile(), m_dir);
    m_app->SetCurrentFile(QStringLiteral("before"));
    QVERIFY(!m_app->TextTemplate()->OpenDocumentFile(m_dir + QStringLiteral("/missing.txt")));
    QCOMPARE(m_app->CurrentFile(), QStringLiteral("before"));
    m_messages.texts.clear();
    QVERIFY(m_app->TextTemplate()->OpenDocumentFile(MakeFile(QStringLiteral("here.txt"), "text")));
    QCOMPARE(m_app->CurrentFile(), m_dir + QStringLiteral("/here.txt"));
    CloseAll();

    // A binary file opens only when the user agrees, and only up to its first zero byte.
    const QString binary = MakeFile(QStringLiteral("image.html"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    QVERIFY(!m_app->OpenDocumentFile(binary));
    QCOMPARE(m_messages.texts.size(), 1);
    m_messages.answer = QMessageBox::Yes;
    auto* document = static_cast<CSourceDoc*>(m_app->OpenDocumentFile(binary));
    QVERIFY(document);
    QCOMPARE(document->TextDocument()->toPlainText(), QStringLiteral("\u2030PNG\n\x1a\n"));
}

void TestApp::saveKeepsBytesAndFailedSaveKeepsTheEdit()
{
    const QByteArray bytes("<HTML>\r\r\n<P>caf\xe9\r\n\tx\ry\n");
    const QString path = MakeFile(QStringLiteral("bytes.html"), bytes);
    auto* document = static_cast<CSourceDoc*>(m_app->OpenDocumentFile(path));
    QVERIFY(document && !document->IsModified());
    QVERIFY(document->DoFileSave());
    QCOMPARE(ZtTest::ReadFile(path), bytes);
    // A file standing where a folder should be: the save cannot succeed.
    static_cast<QPlainTextEdit*>(document->GetFirstView()->GetWidget())->insertPlainText(QStringLiteral("new "));
    QVERIFY(!document->DoSave(path + QStringLiteral("/inside.html")));
    QCOMPARE(m_messages.texts.size(), 1);
    QVERIFY(document->IsModified());
    QCOMPARE(document->GetPathName(), path);
    QCOMPARE(ZtTest::ReadFile(path), bytes);
}

void TestApp::pastesPlainTextOnly()
{
    auto* document = static_cast<CZentrelDoc*>(m_app->OpenDocumentFile(MakeFile(QStringLiteral("paste.html"), "")));
    auto* mime = new QMimeData;
    mime->setHtml(QStringLiteral("<b>bold</b>"));
    mime->setText(QStringLiteral("plain"));
    QGuiApplication::clipboard()->setMimeData(mime);
    QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_EDIT_PASTE));
    QTextDocument* text = document->TextDocument();
    QCOMPARE(text->toPlainText(), QStringLiteral("plain"));
    QVERIFY(!text->begin().begin().fragment().charFormat().hasProperty(QTextFormat::FontWeight));
}

void TestApp::colouringFollowsTheSettings()
{
    m_app->Profile().WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"), 1);
    m_app->Profile().WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 100);
    const QByteArray line("<TABLE BORDER=\"1\">\n");
    m_app->OpenFileInEditor(MakeFile(QStringLiteral("small.html"), line), false);
    m_app->OpenFileInEditor(MakeFile(QStringLiteral("large.html"), line.repeated(10)), false);
    const QList<CDocument*> pages = m_app->WebPageTemplate()->Documents();
    QCOMPARE(pages.size(), 2);
    // Only the page under the size limit is coloured.
    for (CDocument* page : pages) {
        QTextDocument* text = static_cast<CZentrelDoc*>(page)->TextDocument();
        QCOMPARE(!text->begin().layout()->formats().isEmpty(), page->GetTitle() == QLatin1String("small.html"));
    }
}

void TestApp::results_data()
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
}

ZT_APP_TEST_MAIN(TestApp)
#include "tst_app.moc"
