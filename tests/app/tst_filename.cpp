#include "support/TestMain.h"

#include "app/FileName.h"
#include "app/FileOperationPlan.h"
#include "app/SHFileInfo.h"
#include "app/ShellFileOperation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

#include <unistd.h>

namespace {

using EAnswer = CShellFileOperation::EAnswer;
using EQuestion = CShellFileOperation::EQuestion;

// What the scripted operations answer and what they were asked.
struct CScript
{
    QList<EAnswer> answers;   // taken in order; Cancel when exhausted
    int cancelAtStep = -1;    // the progress step on which "Cancel" is pressed
    QList<EQuestion> questions;
    QStringList errors;
};

CScript g_script;

// A shell operation whose dialogs are answered from g_script.
class CScriptedOperation : public CShellFileOperation
{
public:
    using CShellFileOperation::CShellFileOperation;

protected:
    EAnswer Confirm(EQuestion question, const QString&) override
    {
        g_script.questions << question;
        return g_script.answers.isEmpty() ? EAnswer::Cancel : g_script.answers.takeFirst();
    }
    void ShowError(const QString& message) override { g_script.errors << message; }
    void BeginProgress(const QString&, int) override {}
    bool StepProgress(int done, const QString&) override { return done != g_script.cancelAtStep; }
    void EndProgress() override {}
};

void WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Names below folder, recursively, sorted: a compact picture of a tree.
QStringList TreeOf(const QString& folder)
{
    QStringList names;
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
        names << name;
        if (QFileInfo(dir.filePath(name)).isDir()) {
            for (const QString& inner : TreeOf(dir.filePath(name)))
                names << name + QLatin1Char('/') + inner;
        }
    }
    return names;
}

} // namespace

class TestFileName : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void predicates_data();
    void predicates();
    void browsable_data();
    void browsable();
    void sizesAndStatus();
    void createDirectories();
    void root();
    void browserVersionGivesLevelTwo();
    void hiddenName_data();
    void hiddenName();
    void hideAllFileNamesRoundTrip();
    void hideAllFileNamesRefusesClash();

    void splitPathList();
    void planTransfers_data();
    void planTransfers();
    void uniqueCopyName();
    void mapWildcardName_data();
    void mapWildcardName();

    void copyFileAndFolder();
    void copyWildcardSource();
    void copyOntoItself();
    void copyConflictAnswers_data();
    void copyConflictAnswers();
    void copyFolderIntoItselfIsRefused();
    void copyToUnwritableDestination();
    void copyMissingSource();
    void progressCancelStopsCopy();
    void moveFolderAndList();
    void moveKeepsDeclinedFiles();
    void renameFileAndFolder();
    void renameRefusesExistingName();
    void renameWildcardExtension();
    void deleteToTrash();
    void deleteCancelledKeepsFiles();
    void copyListModes();
    void defaultOperationCopiesQuietly();

    void fileInfoDisplay();
    void fileInfoSizeFormat_data();
    void fileInfoSizeFormat();

private:
    QString Path(const QString& relative) const { return m_strRoot + QLatin1Char('/') + relative; }

    QString m_strRoot;
    int m_nCase = 0;
};

void TestFileName::initTestCase()
{
    CShellFileOperation::SetFactory([](QWidget* owner) {
        return std::unique_ptr<CShellFileOperation>(new CScriptedOperation(owner));
    });
}

void TestFileName::cleanupTestCase()
{
    CShellFileOperation::SetFactory({});
}

// Every test works in a fresh folder whose name has blanks and shell
// characters, so no step may pass a path through a shell.
void TestFileName::init()
{
    m_strRoot = ZtTest::SandboxDir() + QStringLiteral("/case %1 a b;$(x)'q").arg(++m_nCase);
    QVERIFY(QDir().mkpath(m_strRoot));
    g_script = CScript();
}

void TestFileName::predicates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // null: a folder; "-": nothing
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("file");
    QTest::addColumn<bool>("text");

    QTest::newRow("folder") << "dir" << QByteArray() << true << false << false;
    QTest::newRow("html") << "page.html" << QByteArray("<HTML></HTML>\r\n") << false << true
                          << true;
    QTest::newRow("empty") << "empty.txt" << QByteArray("") << false << true << true;
    QTest::newRow("nul byte") << "data.bin" << QByteArray("ab\0cd", 5) << false << true << false;
    QTest::newRow("png signature") << "x.txt" << QByteArray("\x89PNG\r\n\x1a\nabc") << false
                                   << true << false;
    QTest::newRow("latin1 text") << "old.htm" << QByteArray("caf\xe9 cr\xe8me") << false << true
                                 << true;
    QTest::newRow("missing") << "nothing.html" << QByteArray("-") << false << false << false;
}

void TestFileName::predicates()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, folder);
    QFETCH(bool, file);
    QFETCH(bool, text);

    const QString path = Path(name);
    if (content.isNull())
        QVERIFY(QDir().mkdir(path));
    else if (content != "-")
        WriteFile(path, content);

    const CFileName fileName;
    QCOMPARE(fileName.IsFolder(path), folder);
    QCOMPARE(fileName.IsFile(path), file);
    QCOMPARE(fileName.IsTextFile(path), text);
    QCOMPARE(fileName.Exist(path), folder || file);
    QCOMPARE(CFileName(path).Exist(), folder || file);
}

void TestFileName::browsable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("browsable");
    QTest::newRow("html") << "a.html" << true;
    QTest::newRow("upper HTM") << "A.HTM" << true;
    QTest::newRow("gif") << "logo.gif" << true;
    QTest::newRow("jpeg") << "photo.jpeg" << true;
    QTest::newRow("text") << "readme.txt" << true;
    QTest::newRow("java") << "Applet.java" << false;
    QTest::newRow("perl") << "run.pl" << false;
    QTest::newRow("no extension") << "Makefile" << false;
    QTest::newRow("html in folder name only") << "site.html/readme" << false;
}

void TestFileName::browsable()
{
    QFETCH(QString, name);
    QFETCH(bool, browsable);
    QCOMPARE(CFileName().IsBrowsable(Path(name)), browsable);
}

void TestFileName::sizesAndStatus()
{
    WriteFile(Path("five.txt"), "12345");
    QVERIFY(QDir().mkdir(Path("dir")));
    const CFileName fileName;
    QCOMPARE(fileName.GetFileSize(Path("five.txt")), qint64(5));
    QCOMPARE(fileName.GetFileSize(Path("dir")), qint64(0));
    QCOMPARE(fileName.GetFileSize(Path("new page.html")), qint64(-1));
    QCOMPARE(fileName.GetFileSize(QString()), qint64(-1));

    CFileName::CStatus status;
    QVERIFY(fileName.GetFileStatus(Path("five.txt"), &status));
    QCOMPARE(status.m_size, qint64(5));
    QVERIFY(!status.m_bFolder);
    QVERIFY(status.m_mtime.isValid());
    QVERIFY(qAbs(status.m_mtime.secsTo(QDateTime::currentDateTime())) < 120);
    QVERIFY(status.m_permissions & QFileDevice::ReadOwner);

    QVERIFY(fileName.GetFileStatus(Path("dir"), &status));
    QVERIFY(status.m_bFolder);
    QVERIFY(!fileName.GetFileStatus(Path("missing"), &status));
}

void TestFileName::createDirectories()
{
    const CFileName fileName;
    QVERIFY(fileName.CreateNewDirectory(Path("one")));
    QVERIFY(!fileName.CreateNewDirectory(Path("one")));          // exists already
    QVERIFY(!fileName.CreateNewDirectory(Path("no/parent/here"))); // parent missing
    QVERIFY(!QFileInfo::exists(Path("no")));

    QVERIFY(fileName.ChainCreateDirectory(Path("a/b c/d")));
    QVERIFY(QFileInfo(Path("a/b c/d")).isDir());
    QVERIFY(fileName.ChainCreateDirectory(Path("a/b c/d"))); // already there is fine
    QVERIFY(!fileName.CreateNewDirectory(QString()));
}

void TestFileName::root()
{
    const CFileName fileName;
    const QString expected = QStorageInfo(m_strRoot).rootPath();
    QVERIFY(!expected.isEmpty());
    QCOMPARE(fileName.GetRoot(m_strRoot), expected);
    QCOMPARE(fileName.GetRoot(Path("not/yet/made.html")), expected);
    QCOMPARE(fileName.GetRoot(QStringLiteral("/")), QStringLiteral("/"));
    QCOMPARE(fileName.GetRoot(QString()), QString());
}

void TestFileName::browserVersionGivesLevelTwo()
{
    int major = 0;
    int minor = 0;
    QVERIFY(CFileName().GetBrowserVersion(&major, &minor));
    // Start-up's rule: level 2 needs a major of at least 4 and a minor of 71.
    QVERIFY(major >= 4);
    QVERIFY(minor >= 71);
    QVERIFY(CFileName().GetBrowserVersion(nullptr, nullptr));
}

void TestFileName::hiddenName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("hidden");
    QTest::newRow("letters") << "abc.html" << 1 << "bcd.html";
    QTest::newRow("wrap") << "Zoo9.txt" << 2 << "Bqq1.txt";
    QTest::newRow("negative") << "bcd.html" << -1 << "abc.html";
    QTest::newRow("large") << "a.x" << 27 << "b.x";
    QTest::newRow("punctuation kept") << "my-page_1.htm" << 1 << "nz-qbhf_2.htm";
    QTest::newRow("no extension") << "readme" << 1 << "sfbenf";
    QTest::newRow("dot file") << ".profile" << 1 << ".qspgjmf";
    QTest::newRow("zero") << "same.txt" << 0 << "same.txt";
}

void TestFileName::hiddenName()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(QString, hidden);
    QCOMPARE(CFileName::HiddenName(name, number), hidden);
}

void TestFileName::hideAllFileNamesRoundTrip()
{
    // "a" shifted by 1 is "b", the old name of another file: the rename must
    // not lose either of them.
    WriteFile(Path("a.txt"), "A");
    WriteFile(Path("b.txt"), "B");
    QVERIFY(QDir().mkdir(Path("sub")));
    const CFileName fileName;
    QVERIFY(fileName.HideAllFileNames(m_strRoot, 1));
    QCOMPARE(TreeOf(m_strRoot), QStringList({"b.txt", "c.txt", "sub"}));
    QCOMPARE(ReadFile(Path("b.txt")), QByteArray("A"));
    QCOMPARE(ReadFile(Path("c.txt")), QByteArray("B"));

    QVERIFY(fileName.HideAllFileNames(m_strRoot, -1));
    QCOMPARE(TreeOf(m_strRoot), QStringList({"a.txt", "b.txt", "sub"}));
    QCOMPARE(ReadFile(Path("a.txt")), QByteArray("A"));
    QVERIFY(!fileName.HideAllFileNames(Path("missing"), 1));
}

void TestFileName::hideAllFileNamesRefusesClash()
{
    WriteFile(Path("a"), "file");
    QVERIFY(QDir().mkdir(Path("b"))); // the new name of "a" is taken by a folder
    QVERIFY(!CFileName().HideAllFileNames(m_strRoot, 1));
    QCOMPARE(TreeOf(m_strRoot), QStringList({"a", "b"}));
}

void TestFileName::splitPathList()
{
    const QString two = QStringLiteral("/x/a") + QChar(0) + QStringLiteral("/x/b c") + QChar(0);
    QCOMPARE(CFileOperationPlan::SplitPathList(two), QStringList({"/x/a", "/x/b c"}));
    QCOMPARE(CFileOperationPlan::SplitPathList(QStringLiteral("/one")), QStringList({"/one"}));
    QCOMPARE(CFileOperationPlan::SplitPathList(QString()), QStringList());
}

void TestFileName::planTransfers_data()
{
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<QStringList>("targets");

    // The fixture holds src/f.txt, src/Makefile, src/inner/ and dest/.
    QTest::newRow("into existing folder") << QStringList{"src/f.txt"} << "dest" << true
                                          << QStringList{"dest/f.txt"};
    QTest::newRow("into folder with *.*") << QStringList{"src/f.txt"} << "new/*.*" << true
                                          << QStringList{"new/f.txt"};
    QTest::newRow("into folder with slash") << QStringList{"src/f.txt"} << "new/" << true
                                            << QStringList{"new/f.txt"};
    QTest::newRow("single to a new name") << QStringList{"src/f.txt"} << "dest/g.txt" << true
                                          << QStringList{"dest/g.txt"};
    QTest::newRow("several into a new folder")
        << QStringList{"src/f.txt", "src/Makefile"} << "new" << true
        << QStringList{"new/f.txt", "new/Makefile"};
    QTest::newRow("wildcard into a new folder")
        << QStringList{"src/*.*"} << "new" << true
        << QStringList{"new/Makefile", "new/f.txt", "new/inner"};
    QTest::newRow("copy onto itself") << QStringList{"src/f.txt"} << "src" << true
                                      << QStringList{"src/f (copy).txt"};
    QTest::newRow("move onto itself") << QStringList{"src/f.txt"} << "src/" << false
                                      << QStringList{};
}

void TestFileName::planTransfers()
{
    QFETCH(QStringList, sources);
    QFETCH(QString, destination);
    QFETCH(bool, copy);
    QFETCH(QStringList, targets);

    WriteFile(Path("src/f.txt"), "f");
    WriteFile(Path("src/Makefile"), "m");
    QVERIFY(QDir().mkpath(Path("src/inner")));
    QVERIFY(QDir().mkpath(Path("dest")));

    QStringList fullSources;
    for (const QString& source : sources)
        fullSources << Path(source);
    QStringList planned;
    for (const CFileTransfer& transfer :
         CFileOperationPlan::PlanTransfers(fullSources, Path(destination), copy))
        planned << QDir(m_strRoot).relativeFilePath(transfer.m_strTarget);
    QCOMPARE(planned, targets);
}

void TestFileName::uniqueCopyName()
{
    WriteFile(Path("page.html"), "x");
    QCOMPARE(CFileOperationPlan::UniqueCopyName(Path("page.html")), Path("page (copy).html"));
    WriteFile(Path("page (copy).html"), "x");
    QCOMPARE(CFileOperationPlan::UniqueCopyName(Path("page.html")), Path("page (copy 2).html"));
    QVERIFY(QDir().mkdir(Path("v1.2")));
    QCOMPARE(CFileOperationPlan::UniqueCopyName(Path("v1.2")), Path("v1.2 (copy)"));
    QCOMPARE(CFileOperationPlan::UniqueCopyName(Path(".hidden")), Path(".hidden (copy)"));

    QVERIFY(CFileOperationPlan::IsSameOrInside(Path("v1.2/x"), Path("v1.2")));
    QVERIFY(CFileOperationPlan::IsSameOrInside(Path("v1.2"), Path("v1.2/")));
    QVERIFY(!CFileOperationPlan::IsSameOrInside(Path("v1.23"), Path("v1.2")));
}

void TestFileName::mapWildcardName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("result");
    QTest::newRow("extension") << "index.htm" << "*.htm" << "*.html" << "index.html";
    QTest::newRow("case ignored") << "INDEX.HTM" << "*.htm" << "*.html" << "INDEX.html";
    QTest::newRow("no match") << "index.txt" << "*.htm" << "*.html" << "";
    QTest::newRow("star dot star without dot") << "Makefile" << "*.*" << "*.bak" << "Makefile.bak";
    QTest::newRow("question mark") << "a1.txt" << "a?.txt" << "b?.txt" << "b1.txt";
}

void TestFileName::mapWildcardName()
{
    QFETCH(QString, name);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, result);
    QCOMPARE(CFileOperationPlan::MapWildcardName(name, from, to), result);
}

void TestFileName::copyFileAndFolder()
{
    WriteFile(Path("src/page.html"), "<HTML>");
    WriteFile(Path("src/img/logo.gif"), "GIF89a");
    WriteFile(Path("src/.hidden"), "h");
    QVERIFY(QDir().mkpath(Path("dest")));
    const CFileName fileName;

    QVERIFY(fileName.ShellCopyFiles(nullptr, Path("src/page.html"), Path("dest")));
    QCOMPARE(ReadFile(Path("dest/page.html")), QByteArray("<HTML>"));
    QVERIFY(fileName.ShellCopyFiles(nullptr, Path("src"), Path("dest")));
    QCOMPARE(TreeOf(Path("dest")),
             QStringList({"page.html", "src", "src/.hidden", "src/img", "src/img/logo.gif",
                          "src/page.html"}));
    QCOMPARE(ReadFile(Path("dest/src/img/logo.gif")), QByteArray("GIF89a"));
    QCOMPARE(QFileInfo(Path("dest/src/page.html")).lastModified(),
             QFileInfo(Path("src/page.html")).lastModified());
    QVERIFY(fileName.Exist(Path("src/page.html"))); // a copy leaves the source
    QVERIFY(g_script.questions.isEmpty());
    QVERIFY(g_script.errors.isEmpty());
}

void TestFileName::copyWildcardSource()
{
    WriteFile(Path("old/site.ztp"), "p");
    WriteFile(Path("old/Makefile"), "m");
    WriteFile(Path("old/pages/a.html"), "a");
    QVERIFY(QDir().mkpath(Path("new")));
    QVERIFY(CFileName().ShellCopyFiles(nullptr, Path("old/*.*"), Path("new")));
    QCOMPARE(TreeOf(Path("new")), TreeOf(Path("old")));
}

void TestFileName::copyOntoItself()
{
    WriteFile(Path("page.html"), "x");
    QVERIFY(CFileName().ShellCopyFiles(nullptr, Path("page.html"), m_strRoot + "/"));
    QCOMPARE(TreeOf(m_strRoot), QStringList({"page (copy).html", "page.html"}));
    // Moving a file onto itself is nothing to do, and no question.
    QVERIFY(CFileName().ShellMoveFiles(nullptr, Path("page.html"), m_strRoot));
    QVERIFY(g_script.questions.isEmpty());
}

void TestFileName::copyConflictAnswers_data()
{
    QTest::addColumn<QList<EAnswer>>("answers");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QByteArray>("first");  // dest/one.txt afterwards
    QTest::addColumn<QByteArray>("second"); // dest/two.txt afterwards
    QTest::addColumn<int>("questions");

    QTest::newRow("yes, no") << QList<EAnswer>{EAnswer::Yes, EAnswer::No} << true
                             << QByteArray("new 1") << QByteArray("old 2") << 2;
    QTest::newRow("yes to all") << QList<EAnswer>{EAnswer::YesToAll} << true
                                << QByteArray("new 1") << QByteArray("new 2") << 1;
    QTest::newRow("no, yes") << QList<EAnswer>{EAnswer::No, EAnswer::Yes} << true
                             << QByteArray("old 1") << QByteArray("new 2") << 2;
    QTest::newRow("cancel") << QList<EAnswer>{EAnswer::Cancel} << false << QByteArray("old 1")
                            << QByteArray("old 2") << 1;
}

void TestFileName::copyConflictAnswers()
{
    QFETCH(QList<EAnswer>, answers);
    QFETCH(bool, result);
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(int, questions);

    WriteFile(Path("src/one.txt"), "new 1");
    WriteFile(Path("src/two.txt"), "new 2");
    WriteFile(Path("dest/one.txt"), "old 1");
    WriteFile(Path("dest/two.txt"), "old 2");
    g_script.answers = answers;

    const QString list = Path("src/one.txt") + QChar(0) + Path("src/two.txt") + QChar(0);
    QCOMPARE(CFileName().ShellCopyFiles(nullptr, list, Path("dest/*.*")), result);
    QCOMPARE(ReadFile(Path("dest/one.txt")), first);
    QCOMPARE(ReadFile(Path("dest/two.txt")), second);
    QCOMPARE(g_script.questions.size(), questions);
    QVERIFY(!g_script.questions.contains(EQuestion::MergeFolder));
    QCOMPARE(TreeOf(Path("dest")), QStringList({"one.txt", "two.txt"})); // no leftovers
}

void TestFileName::copyFolderIntoItselfIsRefused()
{
    WriteFile(Path("site/index.html"), "i");
    QVERIFY(QDir().mkpath(Path("site/sub")));
    const CFileName fileName;
    QVERIFY(!fileName.ShellCopyFiles(nullptr, Path("site"), Path("site/sub")));
    QVERIFY(!fileName.ShellMoveFiles(nullptr, Path("site"), Path("site/sub/")));
    QVERIFY(!fileName.MoveDirectory(nullptr, Path("site"), Path("site")));
    QCOMPARE(g_script.errors.size(), 3);
    QVERIFY(g_script.errors.first().contains(QLatin1String("inside the source folder")));
    QCOMPARE(TreeOf(Path("site")), QStringList({"index.html", "sub"}));
}

void TestFileName::copyToUnwritableDestination()
{
    WriteFile(Path("src/page.html"), "keep me");
    QString destination = Path("locked");
    if (geteuid() == 0) {
        // Permission bits do not stop root; a read-only system folder does.
        destination = QStringLiteral("/sys");
        QFile probe(destination + QStringLiteral("/zt-probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("no unwritable folder available to root here");
        }
    } else {
        QVERIFY(QDir().mkdir(destination));
        QFile::setPermissions(destination, QFile::ReadOwner | QFile::ExeOwner);
    }

    QVERIFY(!CFileName().ShellCopyFiles(nullptr, Path("src/page.html"), destination));
    QCOMPARE(g_script.errors.size(), 1);
    QVERIFY(g_script.errors.first().contains(QLatin1String("page.html")));
    QVERIFY(!QFileInfo::exists(destination + QStringLiteral("/page.html")));
    QVERIFY(!CFileName().ShellMoveFiles(nullptr, Path("src/page.html"), destination));
    QCOMPARE(ReadFile(Path("src/page.html")), QByteArray("keep me"));
    if (destination == Path("locked"))
        QFile::setPermissions(destination, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestFileName::copyMissingSource()
{
    QVERIFY(QDir().mkdir(Path("dest")));
    const CFileName fileName;
    QVERIFY(!fileName.ShellCopyFiles(nullptr, Path("gone.html"), Path("dest")));
    QCOMPARE(g_script.errors.size(), 1);
    // A paste with nothing usable is an empty source: no message.
    QVERIFY(!fileName.ShellCopyFiles(nullptr, QString(), Path("dest")));
    QCOMPARE(g_script.errors.size(), 1);
    QVERIFY(TreeOf(Path("dest")).isEmpty());
}

void TestFileName::progressCancelStopsCopy()
{
    for (int i = 1; i <= 4; ++i)
        WriteFile(Path(QStringLiteral("src/f%1.txt").arg(i)), "x");
    g_script.cancelAtStep = 2;
    auto operation = CShellFileOperation::Create(nullptr);
    QVERIFY(!operation->Copy({Path("src")}, Path("dest/")));
    QVERIFY(operation->WasCancelled());
    QVERIFY(g_script.errors.isEmpty()); // cancelling is not an error
    QCOMPARE(TreeOf(Path("dest/src")), QStringList({"f1.txt"}));
    QCOMPARE(TreeOf(Path("src")).size(), 4);
}

void TestFileName::moveFolderAndList()
{
    WriteFile(Path("site/a.html"), "a");
    WriteFile(Path("site/img/b.gif"), "b");
    WriteFile(Path("list/x y.txt"), "x");
    WriteFile(Path("list/z;$(q).txt"), "z");
    QVERIFY(QDir().mkpath(Path("target")));
    const CFileName fileName;

    QVERIFY(fileName.MoveDirectory(nullptr, Path("site"), Path("target")));
    QVERIFY(!fileName.Exist(Path("site")));
    QCOMPARE(TreeOf(Path("target/site")), QStringList({"a.html", "img", "img/b.gif"}));

    // The List bar's cut source: every path followed by a NUL.
    const QString cut = Path("list/x y.txt") + QChar(0) + Path("list/z;$(q).txt") + QChar(0);
    QVERIFY(fileName.ShellMoveFiles(nullptr, cut, Path("target/site/*.*")));
    QVERIFY(TreeOf(Path("list")).isEmpty());
    QCOMPARE(ReadFile(Path("target/site/z;$(q).txt")), QByteArray("z"));
}

void TestFileName::moveKeepsDeclinedFiles()
{
    WriteFile(Path("src/dir/keep.txt"), "source keep");
    WriteFile(Path("src/dir/take.txt"), "source take");
    WriteFile(Path("dest/dir/keep.txt"), "dest keep");
    // Merge the folder, decline keep.txt; take.txt has no conflict.
    g_script.answers = {EAnswer::Yes, EAnswer::No};
    QVERIFY(CFileName().ShellMoveFiles(nullptr, Path("src/dir"), Path("dest")));
    QCOMPARE(g_script.questions,
             QList<EQuestion>({EQuestion::MergeFolder, EQuestion::ReplaceFile}));
    QCOMPARE(ReadFile(Path("dest/dir/keep.txt")), QByteArray("dest keep"));
    QCOMPARE(ReadFile(Path("dest/dir/take.txt")), QByteArray("source take"));
    QCOMPARE(TreeOf(Path("src")), QStringList({"dir", "dir/keep.txt"}));
}

void TestFileName::renameFileAndFolder()
{
    WriteFile(Path("old folder/page.html"), "p");
    const CFileName fileName;
    QVERIFY(fileName.ShellRenameDirectory(nullptr, Path("old folder"), Path("new 'folder'")));
    QVERIFY(!fileName.Exist(Path("old folder")));
    QVERIFY(fileName.ShellRenameFiles(nullptr, Path("new 'folder'/page.html"), "index.html"));
    QCOMPARE(TreeOf(m_strRoot), QStringList({"new 'folder'", "new 'folder'/index.html"}));
    QVERIFY(g_script.errors.isEmpty());
}

void TestFileName::renameRefusesExistingName()
{
    WriteFile(Path("a.html"), "a");
    WriteFile(Path("b.html"), "b");
    QVERIFY(!CFileName().ShellRenameFiles(nullptr, Path("a.html"), Path("b.html")));
    QCOMPARE(g_script.errors.size(), 1);
    QCOMPARE(ReadFile(Path("b.html")), QByteArray("b"));
    QVERIFY(!CFileName().ShellRenameFiles(nullptr, Path("missing.html"), Path("c.html")));
    QCOMPARE(g_script.errors.size(), 2);
}

void TestFileName::renameWildcardExtension()
{
    WriteFile(Path("a.htm"), "a");
    WriteFile(Path("b.htm"), "b");
    WriteFile(Path("c.txt"), "c");
    QVERIFY(CFileName().ShellRenameFiles(nullptr, Path("*.htm"), "*.html"));
    QCOMPARE(TreeOf(m_strRoot), QStringList({"a.html", "b.html", "c.txt"}));
}

void TestFileName::deleteToTrash()
{
    WriteFile(Path("doomed;$(x).html"), "d");
    WriteFile(Path("folder/inner.txt"), "i");
    WriteFile(Path("third.txt"), "t");
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                          + QStringLiteral("/Trash/files");
    const CFileName fileName;

    g_script.answers = {EAnswer::Yes, EAnswer::Yes};
    fileName.ShellDeleteItems(nullptr, Path("doomed;$(x).html"), 0);
    QVERIFY(!fileName.Exist(Path("doomed;$(x).html")));
    QCOMPARE(ReadFile(trash + QStringLiteral("/doomed;$(x).html")), QByteArray("d"));

    const QString both = Path("folder") + QChar(0) + Path("third.txt") + QChar(0);
    fileName.ShellDeleteItems(nullptr, both, 0);
    QVERIFY(!fileName.Exist(Path("folder")));
    QVERIFY(!fileName.Exist(Path("third.txt")));
    QCOMPARE(g_script.questions,
             QList<EQuestion>({EQuestion::Delete, EQuestion::Delete}));

    WriteFile(Path("quiet.txt"), "q");
    fileName.ShellDeleteItems(nullptr, Path("quiet.txt"), CFileName::NoConfirmation);
    QVERIFY(!fileName.Exist(Path("quiet.txt")));
    QCOMPARE(g_script.questions.size(), 2);
}

void TestFileName::deleteCancelledKeepsFiles()
{
    WriteFile(Path("one.txt"), "1");
    WriteFile(Path("two.txt"), "2");
    g_script.answers = {EAnswer::No};
    const QString both = Path("one.txt") + QChar(0) + Path("two.txt") + QChar(0);
    QVERIFY(!CFileName().ShellDeleteItems(nullptr, both, 0));
    QVERIFY(CFileName().Exist(Path("one.txt")));
    QVERIFY(CFileName().Exist(Path("two.txt")));
    QVERIFY(g_script.errors.isEmpty());
}

void TestFileName::copyListModes()
{
    WriteFile(Path("a.html"), "a");
    WriteFile(Path("b.html"), "b");
    QVERIFY(QDir().mkdir(Path("dest")));
    const CFileName fileName;
    QVERIFY(fileName.ShellCopyList(nullptr, {Path("a.html"), Path("b.html")}, Path("dest"),
                                   CFileOperationPlan::ModeCopy));
    QCOMPARE(TreeOf(Path("dest")), QStringList({"a.html", "b.html"}));
    QVERIFY(fileName.Exist(Path("a.html")));

    QVERIFY(QDir().mkdir(Path("moved")));
    QVERIFY(fileName.ShellCopyList(nullptr, {Path("a.html")}, Path("moved"),
                                   CFileOperationPlan::ModeMove));
    QVERIFY(!fileName.Exist(Path("a.html")));
    QVERIFY(!fileName.ShellCopyList(nullptr, {Path("b.html")}, Path("moved"), 7));
    QVERIFY(fileName.Exist(Path("b.html")));
}

// The real dialogs stay out of sight when there is nothing to ask and the
// work is quick.
void TestFileName::defaultOperationCopiesQuietly()
{
    WriteFile(Path("src/a.html"), "a");
    WriteFile(Path("src/b/c.css"), "c");
    CShellFileOperation operation(nullptr);
    QVERIFY(operation.Copy({Path("src")}, Path("dest/")));
    QCOMPARE(TreeOf(Path("dest/src")), TreeOf(Path("src")));
    QVERIFY(operation.Move({Path("dest/src")}, Path("moved")));
    QCOMPARE(TreeOf(Path("moved")), TreeOf(Path("src")));
    QVERIFY(!CFileName().Exist(Path("dest/src")));
    QVERIFY(operation.LastError().isEmpty());
}

void TestFileName::fileInfoDisplay()
{
    WriteFile(Path("page.html"), QByteArray(1500, 'x'));
    QVERIFY(QDir().mkdir(Path("folder")));

    const CSHFileInfo page(Path("page.html"));
    QCOMPARE(page.GetDisplayName(), QStringLiteral("page.html"));
    QCOMPARE(page.GetFileSize(), QStringLiteral("2 KB"));
    QVERIFY2(page.GetDescription().contains(QLatin1String("HTML")),
             qPrintable(page.GetDescription()));
    QCOMPARE(page.GetLastWriteTime(),
             QFileInfo(Path("page.html")).lastModified().toString("yyyy-MM-dd HH:mm"));
    QVERIFY(!page.GetIcon().isNull());

    const CSHFileInfo folder{QFileInfo(Path("folder"))};
    QCOMPARE(folder.GetFileSize(), QString());
    QVERIFY(!folder.GetDescription().isEmpty());
    QVERIFY(folder.GetDescription().at(0).isUpper());
    QVERIFY(!folder.GetIcon().isNull());

    const CSHFileInfo missing(Path("missing.html"));
    QCOMPARE(missing.GetFileSize(), QString());
    QCOMPARE(missing.GetLastWriteTime(), QString());
    QCOMPARE(CSHFileInfo(QStringLiteral("/")).GetDisplayName(), QStringLiteral("/"));
}

void TestFileName::fileInfoSizeFormat_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << qint64(0) << "0 KB";
    QTest::newRow("one byte") << qint64(1) << "1 KB";
    QTest::newRow("exactly 1 KB") << qint64(1024) << "1 KB";
    QTest::newRow("just over") << qint64(1025) << "2 KB";
    QTest::newRow("thousands") << qint64(1234) * 1024 << "1,234 KB";
    QTest::newRow("beyond 2 GB") << qint64(3) * 1024 * 1024 * 1024 << "3,145,728 KB";
}

void TestFileName::fileInfoSizeFormat()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(CSHFileInfo::FormatSize(bytes), text);
}

ZT_TEST_MAIN(TestFileName)
#include "tst_filename.moc"
