#include "support/FullDisk.h"
#include "support/ShellJob.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FileName.h"
#include "files/FileOperationPlan.h"
#include "files/SHFileInfo.h"
#include "files/ShellExecute.h"
#include "files/ShellFileOperation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStorageInfo>
#include <QUrl>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using EAnswer = CShellFileOperation::EAnswer;
using EQuestion = CShellFileOperation::EQuestion;

// What the scripted operations answer and what they were asked.
struct CScript
{
    QList<EAnswer> answers;   // taken in order; Cancel when exhausted
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
    bool StepProgress(int, const QString&) override { return true; }
    void EndProgress() override {}
};

// A CFileName copy, move or rename from source to destination, run to its end.
using FOperation = bool (*)(const QString& source, const QString& destination);

bool CopyFiles(const QString& source, const QString& destination)
{
    return ZtTest::Finished(CFileName().ShellCopyFiles(nullptr, {source}, destination));
}

bool MoveFiles(const QString& source, const QString& destination)
{
    return ZtTest::Finished(CFileName().ShellMoveFiles(nullptr, {source}, destination));
}

bool RenameFiles(const QString& source, const QString& destination)
{
    return ZtTest::Finished(CFileName().ShellRenameFiles(nullptr, source, destination));
}

using ZtTest::Finished;

using ZtTest::ReadFile;
using ZtTest::WriteFile;

// Paths below folder, relative and sorted: a compact picture of a tree.
QStringList TreeOf(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

} // namespace

Q_DECLARE_METATYPE(FOperation)

class TestFileName : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void predicates_data();
    void predicates();
    void fileSystemQueries();

    void planTransfers_data();
    void planTransfers();
    void copyAndWildcardNames();

    void copyConflictAnswers_data();
    void copyConflictAnswers();
    void refusedOperations_data();
    void refusedOperations();
    void copyToUnwritableDestination();
    void moveKeepsDeclinedFiles();
    void renamesAndFolderMove();
    void deleteToTrash();
    void deleteMovesLinksThemselves();
    void defaultOperationCopiesQuietly();
    void copiesNamesThatAreNotUtf8();

    void fileInfoDisplay();
    void desktopAddresses_data();
    void desktopAddresses();

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

// Text is told by content, browsing by extension; a folder, a pipe or a
// device is neither.
void TestFileName::predicates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("text");
    QTest::addColumn<bool>("browsable");
    QTest::newRow("folder named .html") << "site.html" << false << false;
    QTest::newRow("empty file") << "empty.txt" << true << true;
    QTest::newRow("a NUL byte") << "data.bin" << false << false;
    QTest::newRow("a PNG signature") << "x.txt" << false << true;
    QTest::newRow("Latin-1 text, upper-case extension") << "OLD.HTM" << true << true;
    QTest::newRow("no extension") << "site.html/Makefile" << true << false;
    QTest::newRow("missing picture") << "nothing.gif" << false << true;
    QTest::newRow("pipe") << "pipe.html" << false << false;
    QTest::newRow("device") << "device.html" << false << false;
    QTest::newRow("dangling link: the browser says what is missing") << "dangling.html" << false << true;
}

void TestFileName::predicates()
{
    QFETCH(QString, name);
    QVERIFY(::mkfifo(QFile::encodeName(Path("pipe.html")).constData(), 0600) == 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), Path("device.html")));
    QVERIFY(QFile::link(Path("gone.html"), Path("dangling.html")));
    WriteFile(Path("empty.txt"), "");
    WriteFile(Path("data.bin"), QByteArray("ab\0cd", 5));
    WriteFile(Path("x.txt"), "\x89PNG\r\n\x1a\nabc");
    WriteFile(Path("OLD.HTM"), "caf\xe9 cr\xe8me");
    WriteFile(Path("site.html/Makefile"), "all:");
    QTEST(ZtFileName::IsTextFile(Path(name)), "text");
    QTEST(ZtFileName::IsBrowsable(Path(name)), "browsable");
}

void TestFileName::fileSystemQueries()
{
    QCOMPARE(ZtFileName::GetFileSize(Path("new page.html")), qint64(-1));
    // The root of a path not made yet is that of its nearest existing parent.
    QCOMPARE(ZtFileName::GetRoot(Path("not/yet/made.html")), QStorageInfo(m_strRoot).rootPath());
    QCOMPARE(ZtFileName::GetRoot(QStringLiteral("/")), QStringLiteral("/"));
}

void TestFileName::planTransfers_data()
{
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<QStringList>("targets");
    QTest::newRow("into a folder") << QStringList{"src/f.txt"} << "dest" << true << QStringList{"dest/f.txt"};
    QTest::newRow("into a new folder by wildcard") << QStringList{"src/f.txt"} << "new/*.*" << true
                                                   << QStringList{"new/f.txt"};
    QTest::newRow("into a new folder by slash") << QStringList{"src/f.txt"} << "new/" << true << QStringList{"new/f.txt"};
    QTest::newRow("to a new name") << QStringList{"src/f.txt"} << "dest/g.txt" << true << QStringList{"dest/g.txt"};
    QTest::newRow("several into a new folder") << QStringList{"src/f.txt", "src/Makefile"} << "new" << true
                                               << QStringList{"new/f.txt", "new/Makefile"};
    QTest::newRow("wildcard source") << QStringList{"src/*.*"} << "new" << true
                                     << QStringList{"new/Makefile", "new/f.txt", "new/inner"};
    QTest::newRow("copy onto itself") << QStringList{"src/f.txt"} << "src" << true << QStringList{"src/f (copy).txt"};
    QTest::newRow("move onto itself is nothing to do") << QStringList{"src/f.txt"} << "src/" << false << QStringList{};
}

void TestFileName::planTransfers()
{
    QFETCH(QStringList, sources);
    QFETCH(QString, destination);
    QFETCH(bool, copy);
    WriteFile(Path("src/f.txt"), "f");
    WriteFile(Path("src/Makefile"), "m");
    QVERIFY(QDir().mkpath(Path("src/inner")));
    QVERIFY(QDir().mkpath(Path("dest")));
    for (QString& source : sources)
        source = Path(source);
    QStringList planned;
    for (const CFileTransfer& transfer : CFileOperationPlan::PlanTransfers(sources, Path(destination), copy))
        planned << QDir(m_strRoot).relativeFilePath(transfer.m_strTarget);
    QTEST(planned, "targets");
}

void TestFileName::copyAndWildcardNames()
{
    WriteFile(Path("page.html"), "x");
    WriteFile(Path("page (copy).html"), "x");
    QCOMPARE(CFileOperationPlan::UniqueCopyName(Path("page.html")), Path("page (copy 2).html"));
    QVERIFY(QDir().mkdir(Path("v1.2")));
    QCOMPARE(CFileOperationPlan::UniqueCopyName(Path("v1.2")), Path("v1.2 (copy)"));
    QCOMPARE(CFileOperationPlan::UniqueCopyName(Path(".hidden")), Path(".hidden (copy)"));

    QVERIFY(CFileOperationPlan::IsSameOrInside(Path("v1.2/x"), Path("v1.2")));
    QVERIFY(CFileOperationPlan::IsSameOrInside(Path("v1.2"), Path("v1.2/")));
    QVERIFY(!CFileOperationPlan::IsSameOrInside(Path("v1.23"), Path("v1.2")));

    const auto map = &CFileOperationPlan::MapWildcardName;
    QCOMPARE(map("INDEX.HTM", "*.htm", "*.html"), QStringLiteral("INDEX.html")); // case ignored
    QCOMPARE(map("index.txt", "*.htm", "*.html"), QString());
    QCOMPARE(map("Makefile", "*.*", "*.bak"), QStringLiteral("Makefile.bak"));
    QCOMPARE(map("a1.txt", "a?.txt", "b?.txt"), QStringLiteral("b1.txt"));
}

// What is answered, the result, dest/one.txt and dest/two.txt afterwards,
// and how many questions were asked.
void TestFileName::copyConflictAnswers_data()
{
    QTest::addColumn<QList<EAnswer>>("answers");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<int>("questions");
    QTest::newRow("no, then yes") << QList<EAnswer>{EAnswer::No, EAnswer::Yes} << true << QByteArray("old 1")
                                  << QByteArray("new 2") << 2;
    QTest::newRow("yes to all") << QList<EAnswer>{EAnswer::YesToAll} << true << QByteArray("new 1")
                                << QByteArray("new 2") << 1;
    QTest::newRow("cancel") << QList<EAnswer>{EAnswer::Cancel} << false << QByteArray("old 1") << QByteArray("old 2")
                            << 1;
}

void TestFileName::copyConflictAnswers()
{
    QFETCH(QList<EAnswer>, answers);
    QFETCH(bool, result);
    WriteFile(Path("src/one.txt"), "new 1");
    WriteFile(Path("src/two.txt"), "new 2");
    WriteFile(Path("dest/one.txt"), "old 1");
    WriteFile(Path("dest/two.txt"), "old 2");
    g_script = CScript();
    g_script.answers = answers;
    const QStringList list = {Path("src/one.txt"), Path("src/two.txt")};
    QCOMPARE(Finished(CFileName().ShellCopyFiles(nullptr, list, Path("dest/*.*"))), result);
    QTEST(ReadFile(Path("dest/one.txt")), "first");
    QTEST(ReadFile(Path("dest/two.txt")), "second");
    QTEST(int(g_script.questions.size()), "questions");
    QCOMPARE(TreeOf(Path("dest")), QStringList({"one.txt", "two.txt"})); // no leftovers
}

// Each refusal shows one message (none for an empty paste) and changes nothing.
void TestFileName::refusedOperations_data()
{
    QTest::addColumn<FOperation>("operation");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("message");
    QTest::newRow("copy into itself") << FOperation(&CopyFiles) << "site" << "site/sub"
                                      << "inside the source folder";
    QTest::newRow("move into itself") << FOperation(&MoveFiles) << "site" << "site/sub/"
                                      << "inside the source folder";
    QTest::newRow("copy a missing file") << FOperation(&CopyFiles) << "gone.html" << "dest"
                                         << "does not exist";
    QTest::newRow("empty paste") << FOperation(&CopyFiles) << "" << "dest" << "";
    QTest::newRow("rename onto a file") << FOperation(&RenameFiles) << "a.html" << "b.html"
                                        << "already exists";
    QTest::newRow("rename a missing file") << FOperation(&RenameFiles) << "gone.html" << "c.html"
                                           << "does not exist";
    QTest::newRow("rename by a pattern that matches nothing") << FOperation(&RenameFiles) << "*.xyz"
                                                              << "*.abc" << "no such file";
}

void TestFileName::refusedOperations()
{
    QFETCH(FOperation, operation);
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(QString, message);
    WriteFile(Path("site/index.html"), "i");
    QVERIFY(QDir().mkpath(Path("site/sub")));
    WriteFile(Path("a.html"), "a");
    WriteFile(Path("b.html"), "b");
    QVERIFY(QDir().mkpath(Path("dest")));
    const QStringList before = TreeOf(m_strRoot);
    QVERIFY(!operation(source.isEmpty() ? QString() : Path(source), Path(destination)));
    QCOMPARE(g_script.errors.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(g_script.errors.first().contains(message), qPrintable(g_script.errors[0]));
    QCOMPARE(TreeOf(m_strRoot), before);
    QCOMPARE(ReadFile(Path("b.html")), QByteArray("b"));
}

void TestFileName::copyToUnwritableDestination()
{
    // Permission bits do not stop root; a read-only system folder stops everybody.
    const QString destination = QStringLiteral("/sys");
    QFile probe(destination + QStringLiteral("/zt-probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QSKIP("no unwritable folder available here");
    }
    WriteFile(Path("src/page.html"), "keep me");

    QVERIFY(!CopyFiles(Path("src/page.html"), destination));
    QCOMPARE(g_script.errors.size(), 1);
    QVERIFY(g_script.errors.first().contains(QLatin1String("page.html")));
    QVERIFY(!MoveFiles(Path("src/page.html"), destination));
    QCOMPARE(ReadFile(Path("src/page.html")), QByteArray("keep me"));
}

void TestFileName::moveKeepsDeclinedFiles()
{
    WriteFile(Path("src/dir/keep.txt"), "source keep");
    WriteFile(Path("src/dir/take.txt"), "source take");
    WriteFile(Path("dest/dir/keep.txt"), "dest keep");
    // Merge the folder, decline keep.txt; take.txt has no conflict.
    g_script.answers = {EAnswer::Yes, EAnswer::No};
    QVERIFY(MoveFiles(Path("src/dir"), Path("dest")));
    QCOMPARE(g_script.questions,
             QList<EQuestion>({EQuestion::MergeFolder, EQuestion::ReplaceFile}));
    QCOMPARE(ReadFile(Path("dest/dir/keep.txt")), QByteArray("dest keep"));
    QCOMPARE(ReadFile(Path("dest/dir/take.txt")), QByteArray("source take"));
    QCOMPARE(TreeOf(Path("src")), QStringList({"dir", "dir/keep.txt"}));
}

void TestFileName::renamesAndFolderMove()
{
    WriteFile(Path("old folder/page.html"), "p");
    WriteFile(Path("old folder/a.htm"), "a");
    WriteFile(Path("b.html"), "b");
    QVERIFY(QDir().mkdir(Path("target")));
    const CFileName fileName;
    QVERIFY(Finished(fileName.ShellRenameDirectory(nullptr, Path("old folder"), Path("new 'folder'"))));
    QVERIFY(RenameFiles(Path("new 'folder'/page.html"), "index.html"));
    QVERIFY(RenameFiles(Path("new 'folder'/*.htm"), "*.html"));
    QVERIFY(Finished(fileName.MoveDirectory(nullptr, Path("new 'folder'"), Path("target"))));
    QVERIFY(Finished(fileName.ShellCopyList(nullptr, {Path("target/new 'folder'/a.html")}, Path("target"),
                                            CFileOperationPlan::EMode::Copy)));
    QVERIFY(Finished(fileName.ShellCopyList(nullptr, {Path("b.html")}, Path("target"), CFileOperationPlan::EMode::Move)));
    QCOMPARE(TreeOf(m_strRoot), QStringList({"target", "target/a.html", "target/b.html", "target/new 'folder'",
                                             "target/new 'folder'/a.html", "target/new 'folder'/index.html"}));
    QVERIFY(g_script.errors.isEmpty());
}

void TestFileName::deleteToTrash()
{
    WriteFile(Path("doomed;$(x).html"), "d");
    WriteFile(Path("folder/inner.txt"), "i");
    WriteFile(Path("third.txt"), "t");
    WriteFile(Path("kept.txt"), "k");
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                          + QStringLiteral("/Trash/files");
    const CFileName fileName;

    g_script.answers = {EAnswer::Yes, EAnswer::Yes, EAnswer::No};
    QVERIFY(Finished(fileName.ShellDeleteItems(nullptr, {Path("doomed;$(x).html")})));
    QCOMPARE(ReadFile(trash + QStringLiteral("/doomed;$(x).html")), QByteArray("d"));
    // Several items are one question.
    QVERIFY(Finished(fileName.ShellDeleteItems(nullptr, {Path("folder"), Path("third.txt")})));
    QCOMPARE(g_script.questions.size(), 2);
    // Declining keeps everything and is no error.
    QVERIFY(!Finished(fileName.ShellDeleteItems(nullptr, {Path("kept.txt")})));
    QCOMPARE(TreeOf(m_strRoot), QStringList({"kept.txt"}));
    QVERIFY(g_script.errors.isEmpty());

    QVERIFY(Finished(fileName.ShellDeleteItems(nullptr, {Path("kept.txt")}, CFileName::NoConfirmation)));
    QVERIFY(TreeOf(m_strRoot).isEmpty());
    QCOMPARE(g_script.questions.size(), 3);
}

// Links go to the trash themselves, broken ones and loops included, each
// with the record a trash reader restores it from; what a link points to
// stays where it is.
void TestFileName::deleteMovesLinksThemselves()
{
    WriteFile(Path("target/kept.txt"), "k");
    QVERIFY(QFile::link(Path("nowhere"), Path("broken")));
    QVERIFY(QFile::link(Path("loopy"), Path("loopy")));
    QVERIFY(QFile::link(Path("target"), Path("folder link")));
    QVERIFY(QDir().mkpath(Path("sub")));
    QVERIFY(QFile::link(Path("gone"), Path("sub/loopy")));
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                          + QStringLiteral("/Trash");
    QDir(trash).removeRecursively();
    const QStringList links = {Path("broken"), Path("loopy"), Path("folder link"), Path("sub/loopy")};
    QVERIFY(Finished(CFileName().ShellDeleteItems(nullptr, links, CFileName::NoConfirmation)));
    QVERIFY2(g_script.errors.isEmpty(), qPrintable(g_script.errors.join('\n')));
    QCOMPARE(TreeOf(m_strRoot), QStringList({"sub", "target", "target/kept.txt"}));

    // The second "loopy" takes a free name beside the first.
    const QStringList trashed = {"broken", "loopy", "folder link", "loopy.2"};
    const QStringList pointedAt = {Path("nowhere"), Path("loopy"), Path("target"), Path("gone")};
    const QRegularExpression record(QStringLiteral("^\\[Trash Info\\]\nPath=([^ \n]+)\n"
                                                   "DeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$"));
    for (int i = 0; i < trashed.size(); ++i) {
        const QFileInfo link(trash + QStringLiteral("/files/") + trashed.at(i));
        QVERIFY2(link.isSymLink(), qPrintable(trashed.at(i)));
        QCOMPARE(link.symLinkTarget(), pointedAt.at(i));
        const QString info = QString::fromUtf8(ReadFile(trash + "/info/" + trashed.at(i) + ".trashinfo"));
        const QRegularExpressionMatch match = record.match(info);
        QVERIFY2(match.hasMatch(), qPrintable(info));
        QCOMPARE(QUrl::fromPercentEncoding(match.captured(1).toLatin1()), links.at(i));
    }
}

// The real dialogs stay out of sight when there is nothing to ask and the
// work is quick. A copy keeps hidden files and time stamps, and the source.
void TestFileName::defaultOperationCopiesQuietly()
{
    WriteFile(Path("src/page.html"), "<HTML>");
    WriteFile(Path("src/img/logo.gif"), "GIF89a");
    WriteFile(Path("src/.hidden"), "h");
    QVERIFY(QDir().mkdir(Path("dest")));
    CShellFileOperation operation(nullptr);
    operation.Copy({Path("src")}, Path("dest"));
    QVERIFY(Finished(&operation));
    QCOMPARE(TreeOf(Path("dest/src")), TreeOf(Path("src")));
    QCOMPARE(TreeOf(Path("src")).size(), 4);
    QCOMPARE(ReadFile(Path("dest/src/img/logo.gif")), QByteArray("GIF89a"));
    QCOMPARE(QFileInfo(Path("dest/src/page.html")).lastModified(),
             QFileInfo(Path("src/page.html")).lastModified());
    operation.Move({Path("dest/src")}, Path("moved"));
    QVERIFY(Finished(&operation));
    QCOMPARE(TreeOf(Path("moved")), TreeOf(Path("src")));
    QVERIFY(!ZtFileName::Exist(Path("dest/src")));
    QVERIFY(operation.LastError().isEmpty());
}

// Qt's directory listing skips a name that is not valid UTF-8; a folder
// copy must take such a file, a folder and a link all the same.
void TestFileName::copiesNamesThatAreNotUtf8()
{
    WriteFile(Path("src/good.txt"), "g");
    const std::string source = QFile::encodeName(Path("src")).toStdString();
    const std::string bad = "/bad\xff";
    std::ofstream(source + bad + ".txt") << "b";
    std::filesystem::create_directory(source + bad + " dir");
    std::ofstream(source + bad + " dir" + bad) << "i";
    std::filesystem::create_symlink("nowhere", source + bad + " link");
    // Qt cannot remove these names either.
    const auto cleanup = qScopeGuard([this] { std::filesystem::remove_all(QFile::encodeName(m_strRoot).toStdString()); });

    QVERIFY(CopyFiles(Path("src"), Path("dest/")));
    QVERIFY2(g_script.errors.isEmpty(), qPrintable(g_script.errors.join('\n')));
    const std::string copy = QFile::encodeName(Path("dest/src")).toStdString();
    QCOMPARE(ReadFile(Path("dest/src/good.txt")), QByteArray("g"));
    const auto readRaw = [](const std::string& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    QCOMPARE(readRaw(copy + bad + ".txt") + readRaw(copy + bad + " dir" + bad), std::string("bi"));
    QCOMPARE(std::filesystem::read_symlink(copy + bad + " link").string(), std::string("nowhere"));

    // Moved to another file system, the source folder goes completely.
    ZtTest::CFullDisk disk;
    if (!disk.SkipReason().isEmpty())
        QSKIP(qPrintable(disk.SkipReason()));
    QVERIFY(MoveFiles(Path("src"), disk.Path(QString())));
    QVERIFY(!std::filesystem::exists(source));
    QVERIFY(std::filesystem::exists(QFile::encodeName(disk.Path("src")).toStdString() + bad + " dir" + bad));
}

void TestFileName::fileInfoDisplay()
{
    // Whole kilobytes, rounded up (more rows in tst_filerow), with thousands
    // separators and no overflow.
    QCOMPARE(CSHFileInfo::FormatSize(1024), QStringLiteral("1 KB"));
    QCOMPARE(CSHFileInfo::FormatSize(qint64(3) << 30), QStringLiteral("3,145,728 KB"));
}

void TestFileName::desktopAddresses_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("address");
    QTest::newRow("folder") << "/home/ann/web site" << "file:///home/ann/web%20site";
    QTest::newRow("colon in a file name") << "/srv/trash:/a:b.html" << "file:///srv/trash:/a:b.html";
    QTest::newRow("the trash") << "trash:///" << "trash:///";
    QTest::newRow("a network place") << "smb://host/share" << "smb://host/share";
}

void TestFileName::desktopAddresses()
{
    QFETCH(QString, path);
    QTEST(QString::fromUtf8(CShellExecute::DesktopUrl(path).toEncoded()), "address");
}

ZT_TEST_MAIN(TestFileName)
#include "tst_filename.moc"
