#include "support/ResultTable.h"
#include "support/ScriptedShell.h"
#include "support/ShellJob.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/DocTemplate.h"
#include "framework/MDIChildWnd.h"
#include "framework/Profile.h"
#include "projects/ProjectDoc.h"
#include "projects/ProjectFiles.h"
#include "projects/ProjectView.h"
#include "projects/ProjectWizPage1.h"
#include "projects/ProjectWizPage2.h"
#include "projects/ProjectWizSheet.h"

#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>

using ZtTest::Row;

// The project file, the project document and view, creating a project from
// the wizard's answers, and the wizard's pages.
class TestProjects : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void results_data();
    void results() { ZtTest::CompareResult(); }
    void typedPathsLeadFromHomeOrTheStartDirectory_data();
    void typedPathsLeadFromHomeOrTheStartDirectory();
    void documentKeepsTheFileBytes_data();
    void documentKeepsTheFileBytes();
    void recentProjectList();
    void wizardPages();

private:
    QString Path(const QString& relative) const { return m_dir + QLatin1Char('/') + relative; }
    CProjectDoc* Open(const QString& path);
    bool Create(const QString& name, const QString& parent, const QString& source = QString());
    QString Created(const QString& name, const QString& before = QString(), const QString& source = QString());

    QString m_dir;
    QStringList m_messages;
    QStringList m_opened;
    CDocTemplate* m_template = nullptr;
};

void TestProjects::initTestCase()
{
    ZtTest::CScriptedShell::Install(&m_messages);
    m_template = new CDocTemplate(
        130, QStringLiteral("\nProject\nProject Workspace\nZentrel Project Files (*.ztp)\n.ztp\nZentrel.Document\nzt"),
        [] { return new CProjectDoc; }, [] { return new CMDIChildWnd; }, [] { return new CProjectView; });
}

void TestProjects::init()
{
    m_dir = ZtTest::SandboxDir() + QStringLiteral("/work dir 'quoted' $x");
    QDir(m_dir).removeRecursively();
    QVERIFY(QDir().mkpath(m_dir));
    m_messages.clear();
    m_opened.clear();
    CProfile::Instance().RemoveSection(QStringLiteral("Recent Project List"));
}

void TestProjects::cleanup()
{
    m_template->CloseAllDocuments();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CProjectDoc* TestProjects::Open(const QString& path)
{
    return qobject_cast<CProjectDoc*>(m_template->OpenDocumentFile(path, false));
}

bool TestProjects::Create(const QString& name, const QString& parent, const QString& source)
{
    return CProjectDoc::CreateProjectFrom(name, parent, source, m_dir, nullptr,
                                          [this](const QString& path) { m_opened.append(path); });
}

// From a fresh work folder holding the files before ("x" each), creates
// the project name under web, with additional files from source: whether
// the name passed the rules and the creation succeeded, the messages once
// the copy is over ("~" for the folder), the files afterwards, and the
// project file's bytes when it was opened.
QString TestProjects::Created(const QString& name, const QString& before, const QString& source)
{
    init();
    for (const QString& file : before.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        ZtTest::WriteFile(Path(file), "x");
    const bool created = Create(name, Path(QStringLiteral("web")), source.isEmpty() ? QString() : Path(source));
    if (!QTest::qWaitFor([] { return ZtTest::JobsDone(); }))
        return QStringLiteral("the copy never ended");
    QStringList files;
    for (QDirIterator it(m_dir, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files.append(QDir(m_dir).relativeFilePath(it.next()));
    files.sort();
    QString result = QStringLiteral("%1%2 %3 | %4").arg(int(CProjectFiles::NameProblem(name).isEmpty())).arg(int(created))
                         .arg(m_messages.join(QLatin1Char('|')).replace(m_dir, QStringLiteral("~")), files.join(' '));
    for (const QString& opened : std::as_const(m_opened))
        result += QStringLiteral(" | ") + QDir(m_dir).relativeFilePath(opened) + QLatin1Char('=')
                  + QString::fromLatin1(ZtTest::ReadFile(opened));
    return result;
}

// A name refused never reaches the disk. The project file is kept as it is
// when it exists; only its bytes say it was not written again.
void TestProjects::results_data()
{
    ZtTest::ResultColumns();
    const QString longest(251, QLatin1Char('n'));
    const QString shown = QString(25, QLatin1Char('n')) + QChar(0x2026) + QString(25, QLatin1Char('n'));
    Row("longest name", Created(longest).replace(longest, "N"),
        "11 " + shown + " project directory copy canceled! | web/N/N.ztp | web/N/N.ztp=N\r\r\n");
    Row("file name too long", Created(QString(252, QLatin1Char('n'))),
        "00 The project name is too long: it can have at most 251 characters. | ");
    Row("empty name", Created(""), "00 Please give the project a name. | ");
    Row("slash in the name", Created("a/b"), "00 A project name cannot hold a \"/\" or a NUL character. | ");
    Row("dot dot", Created(".."), "00 \"..\" cannot be a project name. | ");
    Row("with a source folder", Created("Site", "src/a.html src/sub/b.css", "src"),
        "11 Site project directory successfully created. | src/a.html src/sub/b.css web/Site/Site.ztp web/Site/a.html "
        "web/Site/sub/b.css | web/Site/Site.ztp=Site\r\r\n");
    Row("source missing", Created("Site", "", "nowhere"),
        "11 Cannot copy '~/nowhere': it does not exist.|Site project directory copy canceled! | web/Site/Site.ztp"
        " | web/Site/Site.ztp=Site\r\r\n");
    Row("project file exists", Created("Site", "web/Site/Site.ztp"),
        "11 Site project directory copy canceled! | web/Site/Site.ztp | web/Site/Site.ztp=x");
    Row("parent is a file", Created("Site", "web"), "10 Create Project failed. | web");
}

void TestProjects::typedPathsLeadFromHomeOrTheStartDirectory_data()
{
    // The parent and source as typed; the project file made and a file
    // copied from the source. "~" is the home folder, "@" the start
    // directory (the test's folder).
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("made");
    QTest::newRow("below home") << "~/web" << "~/src" << "~/web/Site/Site.ztp ~/web/Site/a.html";
    QTest::newRow("relative") << "web" << "src" << "@/web/Site/Site.ztp @/web/Site/a.html";
}

// The current directory follows whatever a tree picked last: a typed path
// never starts there.
void TestProjects::typedPathsLeadFromHomeOrTheStartDirectory()
{
    QFETCH(QString, parent);
    QFETCH(QString, source);
    QFETCH(QString, made);
    const auto place = [this](QString path) {
        path.replace(QLatin1Char('@'), m_dir).replace(QLatin1Char('~'), QDir::homePath());
        return QDir::cleanPath(path);
    };
    ZtTest::WriteFile(place(QStringLiteral("~/src/a.html")), "x");
    ZtTest::WriteFile(Path(QStringLiteral("src/a.html")), "x");
    const QString elsewhere = Path(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(elsewhere) && QDir::setCurrent(elsewhere));
    QVERIFY(Create(QStringLiteral("Site"), parent, source));
    const QStringList files = made.split(QLatin1Char(' '));
    QCOMPARE(m_opened, QStringList{place(files.first())});
    for (const QString& file : files)
        QTRY_VERIFY2(QFileInfo::exists(place(file)), qPrintable(file));
    QCOMPARE(QDir(elsewhere).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    QVERIFY(!QFileInfo::exists(elsewhere + QStringLiteral("/~")));
    QDir(place(QStringLiteral("~/web"))).removeRecursively();
}

void TestProjects::documentKeepsTheFileBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("new project file") << QByteArray("Site\r\r\n") << "Site\n";
    QTest::newRow("mixed line ends, no final end") << QByteArray("a\r\nb\nc\rd") << "a\nb\nc\nd";
    QTest::newRow("Latin-1 bytes") << QByteArray("caf\xe9\r\n") << QStringLiteral("caf\u00e9\n");
}

void TestProjects::documentKeepsTheFileBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const QString path = ZtTest::WriteFile(Path(QStringLiteral("Site/Site.ztp")), bytes);
    CProjectDoc* project = Open(path);
    QVERIFY(project);
    QCOMPARE(project->ProjectView()->toPlainText(), shown);
    QVERIFY(!project->IsModified());
    QVERIFY(project->OnSaveDocument(path));
    QCOMPARE(ZtTest::ReadFile(path), bytes);

    // Typing marks the project; saving clears the mark, and the next
    // keystroke marks it again.
    project->ProjectView()->moveCursor(QTextCursor::End);
    project->ProjectView()->insertPlainText(QStringLiteral("x"));
    QVERIFY(project->OnSaveDocument(path));
    QVERIFY(!project->IsModified());
    project->ProjectView()->insertPlainText(QStringLiteral("y"));
    QVERIFY(project->IsModified());
}

void TestProjects::recentProjectList()
{
    // Five projects, the first opened again through a relative path, and
    // one whose name differs only in case: four entries, most recent first.
    QStringList paths;
    for (const char* name : {"P1", "P2", "P3", "p3", "P4"})
        paths.append(ZtTest::WriteFile(Path(QStringLiteral("%1/%1.ztp").arg(QLatin1String(name))), "x"));
    for (const QString& path : std::as_const(paths))
        QVERIFY(Open(path));
    QDir::setCurrent(m_dir);
    QVERIFY(Open(QStringLiteral("P2/../P2/P2.ztp")));
    QCOMPARE(CProjectDoc::RecentProjects(), (QStringList{paths[1], paths[4], paths[3], paths[2]}));
    QCOMPARE(CProfile::Instance().GetString(QStringLiteral("Recent Project List"), QStringLiteral("Project1")),
             paths[1]);
}

void TestProjects::wizardPages()
{
    QString chooserStart;
    QString chooserAnswer;
    CProjectWizSheet::SetDirectoryChooser([&](const QString& start, QString* chosen) {
        chooserStart = start;
        *chosen = chooserAnswer;
        return !chooserAnswer.isEmpty();
    });
    CProjectWizSheet sheet(QStringLiteral("/opt/tools"));
    sheet.show();
    CProjectWizPage1* page1 = sheet.Page1();
    CProjectWizPage2* page2 = sheet.Page2();

    // The chooser starts at the field. A cancelled chooser says so and
    // changes nothing; a chosen folder replaces the field.
    page1->OnBrowse();
    QCOMPARE(m_messages, QStringList{"Browse directories canceled"});
    QCOMPARE(chooserStart, QStringLiteral("/opt/tools/Projects"));
    chooserAnswer = QStringLiteral("/srv/web/");
    page1->OnBrowse();
    QCOMPARE(page1->ParentEdit()->text(), QStringLiteral("/srv/web/"));

    page1->NameEdit()->setText(QStringLiteral("Site"));
    sheet.next();
    QCOMPARE(page2->FileNameLabel()->text(), QStringLiteral("Site.ztp"));
    QCOMPARE(page2->FilePathLabel()->text(), QStringLiteral("/srv/web/Site/Site.ztp"));

    // Back, a parent without the trailing slash, and Next again.
    sheet.back();
    page1->ParentEdit()->setText(QStringLiteral("/srv/web"));
    sheet.next();
    QCOMPARE(page2->FilePathLabel()->text(), QStringLiteral("/srv/web/Site/Site.ztp"));

    // Page 2 shows where a typed parent leads: "~" is the home folder, a
    // relative one starts in the start directory. The chooser starts there.
    const QString home = QDir::homePath();
    const QList<std::pair<QString, QString>> typedParents{{"~/web", home + "/web"}, {"web", "/opt/tools/web"}};
    chooserAnswer.clear();
    for (const auto& [typed, shown] : typedParents) {
        sheet.back();
        page1->ParentEdit()->setText(typed);
        page1->OnBrowse();
        QCOMPARE(chooserStart, shown);
        sheet.next();
        QCOMPARE(page2->FilePathLabel()->text(), shown + QStringLiteral("/Site/Site.ztp"));
    }
    sheet.back();
    page1->ParentEdit()->setText(QStringLiteral("/srv/web"));
    sheet.next();

    chooserAnswer = QStringLiteral("/srv/extra");
    page2->OnBrowse();
    QCOMPARE(chooserStart, QString());
    sheet.accept();
    QCOMPARE((QStringList{sheet.m_strProjectName, sheet.m_strParentDirectory, sheet.m_strAdditionalFiles}),
             (QStringList{"Site", "/srv/web", "/srv/extra"}));
    CProjectWizSheet::SetDirectoryChooser({});
}

ZT_TEST_MAIN(TestProjects)
#include "tst_projects.moc"
