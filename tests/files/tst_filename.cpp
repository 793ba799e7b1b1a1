#include "support/FullDisk.h"
#include "support/ResultTable.h"
#include "support/ShellJob.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FileMoveNotifier.h"
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
#include <QSignalSpy>
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
using ZtTest::Row;

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

// A fresh folder of the sandbox whose name has blanks and shell characters,
// with files each holding its own name; a name ending in '/' is a folder.
QString Fixture(std::initializer_list<const char*> files)
{
    g_script = CScript();
    const QString root = ZtTest::FreshDir(QStringLiteral("fixture a b;$(x)'q"));
    for (const char* file : files) {
        const QString path = root + QLatin1Char('/') + QLatin1String(file);
        if (path.endsWith(QLatin1Char('/')))
            QDir().mkpath(path);
        else
            WriteFile(path, file);
    }
    return root;
}

// The targets planned for blank-separated sources, relative to the folder.
QString Plan(const QString& sources, const QString& destination, bool copy)
{
    const QString root = Fixture({"src/f.txt", "src/Makefile", "src/inner/", "dest/"});
    QStringList paths;
    for (const QString& source : sources.split(QLatin1Char(' ')))
        paths << root + QLatin1Char('/') + source;
    QStringList planned;
    for (const CFileTransfer& transfer : CFileOperationPlan::PlanTransfers(paths, root + '/' + destination, copy))
        planned << QDir(root).relativeFilePath(transfer.m_strTarget);
    return planned.join(QLatin1Char(' '));
}

// Copies src/one.txt and src/two.txt onto dest/ holding files of those
// names, answering as told: done or not, what dest/one.txt and dest/two.txt
// hold afterwards, the questions asked, and dest's files (no leftovers).
QString Conflict(const QList<EAnswer>& answers)
{
    const QString root = Fixture({"src/one.txt", "src/two.txt", "dest/one.txt", "dest/two.txt"});
    g_script.answers = answers;
    const QStringList sources = {root + "/src/one.txt", root + "/src/two.txt"};
    const bool done = Finished(CFileName().ShellCopyFiles(nullptr, sources, root + "/dest/*.*"));
    return QStringLiteral("%1 %2|%3 asked:%4 %5")
        .arg(ZtTest::YesNo(done), QString::fromUtf8(ReadFile(root + "/dest/one.txt")),
             QString::fromUtf8(ReadFile(root + "/dest/two.txt")))
        .arg(g_script.questions.size())
        .arg(TreeOf(root + "/dest").join(QLatin1Char(',')));
}

// An operation that must be refused, run in a fresh folder: the messages it
// showed ('~' for the folder), and "changed" when the folder changed.
QString Refused(FOperation operation, const QString& source, const QString& destination)
{
    const QString root = Fixture({"site/index.html", "site/sub/", "a.html", "b.html", "dest/", "dest/a.html/"});
    const QStringList before = TreeOf(root);
    const bool done = operation(source.isEmpty() ? QString() : root + '/' + source, root + '/' + destination);
    QString result = g_script.errors.join(QLatin1Char('|')).replace(root, QStringLiteral("~"));
    if (done)
        result += QStringLiteral(" done");
    if (TreeOf(root) != before || ReadFile(root + "/b.html") != "b.html")
        result += QStringLiteral(" changed");
    return result;
}

// Makes files (a trailing "/" makes a folder) in a fresh folder, runs "verb
// sources destination" (sources joined by ",") answering as told: the moves
// it reported as from>to | the files there afterwards.
QString Moves(std::initializer_list<const char*> files, const QString& operation, const QList<EAnswer>& answers = {})
{
    const QString root = Fixture(files);
    const QStringList words = operation.split(QLatin1Char(' '));
    QStringList sources;
    for (const QString& source : words.at(1).split(QLatin1Char(',')))
        sources << root + QLatin1Char('/') + source;
    const QString destination = root + QLatin1Char('/') + words.at(2);
    QSignalSpy moved(CFileMoveNotifier::Instance(), &CFileMoveNotifier::pathMoved);
    CScriptedOperation shell(nullptr);
    g_script.answers = answers;
    if (words.at(0) == QLatin1String("rename"))
        shell.Rename(sources.first(), destination);
    else if (words.at(0) == QLatin1String("move"))
        shell.Move(sources, destination);
    else
        shell.Copy(sources, destination);
    QStringList reports;
    if (!Finished(&shell))
        reports << QStringLiteral("failed");
    for (const QList<QVariant>& report : std::as_const(moved))
        reports << QDir(root).relativeFilePath(report.at(0).toString()) + QLatin1Char('>')
                       + QDir(root).relativeFilePath(report.at(1).toString());
    return reports.join(QLatin1Char(' ')) + QStringLiteral(" | ") + ZtTest::FilesBelow(root);
}

// Whether a name below a folder of awkward entries is told as text (by its
// content) and as browsable (by its extension): "text browse", "-" for no.
// A folder or a pipe is neither; a missing file is browsable, so that the
// browser says what is missing.
QString Predicates(const char* name)
{
    const QString root = Fixture({"site.html/Makefile"});
    const auto in = [&root](const char* entry) { return root + QLatin1Char('/') + QLatin1String(entry); };
    ::mkfifo(QFile::encodeName(in("pipe.html")).constData(), 0600);
    WriteFile(in("empty.txt"), "");
    WriteFile(in("data.bin"), QByteArray("ab\0cd", 5));
    WriteFile(in("x.txt"), "\x89PNG\r\n\x1a\nabc");
    WriteFile(in("OLD.HTM"), "caf\xe9 cr\xe8me");
    return QStringLiteral("%1 %2").arg(ZtFileName::IsTextFile(in(name)) ? "text" : "-",
                                      ZtFileName::IsBrowsable(in(name)) ? "browse" : "-");
}

} // namespace

class TestFileName : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void copyToUnwritableDestination();
    void renamesAndFolderMove();
    void deleteToTrash();
    void deleteMovesLinksThemselves();
    void defaultOperationCopiesQuietly();
    void copiesNamesThatAreNotUtf8();

    void results_data();
    void results() { ZtTest::CompareResult(); }

private:
    QString Path(const QString& relative) const { return m_strRoot + QLatin1Char('/') + relative; }

    QString m_strRoot;
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
    m_strRoot = Fixture({});
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
    const std::string copy = QFile::encodeName(Path("dest/src")).toStdString();
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

// Names for copies and wildcard targets, sizes as shown, roots, and the
// addresses a desktop program is handed.
void TestFileName::results_data()
{
    ZtTest::ResultColumns();
    const QString root = ZtTest::FreshDir(QStringLiteral("names"));
    const auto in = [&root](const char* name) { return root + QLatin1Char('/') + QLatin1String(name); };
    WriteFile(in("page.html"), "x");
    WriteFile(in("page (copy).html"), "x");
    QFile::link(in("gone.png"), in("pic (copy).png"));
    QDir().mkdir(in("v1.2"));
    const auto copyName = [&](const char* name) {
        return QDir(root).relativeFilePath(CFileOperationPlan::UniqueCopyName(in(name)));
    };
    Row("next free copy name", copyName("page.html"), "page (copy 2).html");
    Row("a dangling link holds its name", copyName("pic.png"), "pic (copy 2).png");
    Row("copy of a folder with a dot", copyName("v1.2"), "v1.2 (copy)");
    Row("copy of a hidden file", copyName(".hidden"), ".hidden (copy)");
    const auto inside = [&](const char* path, const char* folder) {
        return ZtTest::YesNo(CFileOperationPlan::IsSameOrInside(in(path), in(folder)));
    };
    Row("inside", inside("v1.2/x", "v1.2"), "yes");
    Row("same, trailing slash", inside("v1.2", "v1.2/"), "yes");
    Row("longer name is not inside", inside("v1.23", "v1.2"), "no");
    const auto map = &CFileOperationPlan::MapWildcardName;
    Row("wildcard ignores case", map("INDEX.HTM", "*.htm", "*.html"), "INDEX.html");
    Row("wildcard not matching", map("index.txt", "*.htm", "*.html"), "");
    Row("wildcard adds an extension", map("Makefile", "*.*", "*.bak"), "Makefile.bak");
    Row("question mark", map("a1.txt", "a?.txt", "b?.txt"), "b1.txt");
    // Whole kilobytes, rounded up (more rows in tst_filerow), no overflow.
    Row("one kilobyte", CSHFileInfo::FormatSize(1024), "1 KB");
    Row("beyond 32 bits", CSHFileInfo::FormatSize(qint64(3) << 30), "3,145,728 KB");
    Row("size of a missing file", QString::number(ZtFileName::GetFileSize(in("new page.html"))), "-1");
    // The root of a path not made yet is that of its nearest existing parent.
    Row("root of a path not made", ZtFileName::GetRoot(in("not/yet/made.html")), QStorageInfo(root).rootPath());
    Row("root of the root", ZtFileName::GetRoot(QStringLiteral("/")), "/");
    const auto address = [](const char* path) { return QString::fromUtf8(CShellExecute::DesktopUrl(path).toEncoded()); };
    Row("folder address", address("/home/ann/web site"), "file:///home/ann/web%20site");
    Row("colon in a file name", address("/srv/trash:/a:b.html"), "file:///srv/trash:/a:b.html");
    Row("the trash", address("trash:///"), "trash:///");
    Row("into a folder", Plan("src/f.txt", "dest", true), "dest/f.txt");
    Row("into a new folder by wildcard", Plan("src/f.txt", "new/*.*", true), "new/f.txt");
    Row("into a new folder by slash", Plan("src/f.txt", "new/", true), "new/f.txt");
    Row("to a new name", Plan("src/f.txt", "dest/g.txt", true), "dest/g.txt");
    Row("several into a new folder", Plan("src/f.txt src/Makefile", "new", true), "new/f.txt new/Makefile");
    Row("wildcard source", Plan("src/*.*", "new", true), "new/Makefile new/f.txt new/inner");
    Row("copy onto itself", Plan("src/f.txt", "src", true), "src/f (copy).txt");
    Row("move onto itself is nothing to do", Plan("src/f.txt", "src/", false), "");

    Row("conflict: no, then yes", Conflict({EAnswer::No, EAnswer::Yes}),
        "yes dest/one.txt|src/two.txt asked:2 one.txt,two.txt");
    Row("conflict: yes to all", Conflict({EAnswer::YesToAll}), "yes src/one.txt|src/two.txt asked:1 one.txt,two.txt");
    Row("conflict: cancel", Conflict({EAnswer::Cancel}), "no dest/one.txt|dest/two.txt asked:1 one.txt,two.txt");

    // Each refusal shows one message (none for an empty paste) and changes nothing.
    Row("copy into itself", Refused(&CopyFiles, "site", "site/sub"),
        "Cannot copy 'site': the destination folder is inside the source folder.");
    Row("move into itself", Refused(&MoveFiles, "site", "site/sub/"),
        "Cannot move 'site': the destination folder is inside the source folder.");
    Row("copy a missing file", Refused(&CopyFiles, "gone.html", "dest"), "Cannot copy '~/gone.html': it does not exist.");
    Row("empty paste", Refused(&CopyFiles, "", "dest"), "");
    Row("copy a file onto a folder of its name", Refused(&CopyFiles, "a.html", "dest"),
        "Cannot copy 'a.html': a folder with that name already exists in the destination.");
    Row("rename onto a file", Refused(&RenameFiles, "a.html", "b.html"),
        "Cannot rename 'a.html': a file or folder named 'b.html' already exists.");
    Row("rename a missing file", Refused(&RenameFiles, "gone.html", "c.html"), "Cannot rename '~/gone.html': it does not exist.");
    Row("rename by a pattern that matches nothing", Refused(&RenameFiles, "*.xyz", "*.abc"),
        "Cannot rename '~/*.xyz': no such file or folder.");
    // What an operation reports as moved, and where an open path lands.
    Row("file renamed", Moves({"a.html"}, "rename a.html b.html"), "a.html>b.html | b.html");
    Row("folder moved into another", Moves({"pages/x.html", "dest/"}, "move pages dest/"),
        "pages>dest/pages | dest/pages/x.html");
    Row("declined replace leaves that file where it was",
        Moves({"a.html", "b.html", "dest/a.html"}, "move a.html,b.html dest/", {EAnswer::No}),
        "b.html>dest/b.html | a.html dest/a.html dest/b.html");
    // Asked to merge the folder, then to replace keep.txt: the source keeps
    // the file declined.
    Row("merged folder keeps a declined file",
        Moves({"src/dir/keep.txt", "src/dir/take.txt", "dest/dir/keep.txt"}, "move src/dir dest/",
              {EAnswer::Yes, EAnswer::No}),
        "src/dir/take.txt>dest/dir/take.txt | dest/dir/keep.txt dest/dir/take.txt src/dir/keep.txt");
    Row("copy moves nothing", Moves({"a.html", "dest/"}, "copy a.html dest/"), " | a.html dest/a.html");
    const auto moved = &CFileMoveNotifier::MovedPath;
    Row("the moved file", moved("/site/a.html", "/site/a.html", "/site/b.html"), "/site/b.html");
    Row("inside a moved folder", moved("/site/pages/x.html", "/site/pages", "/site/docs"), "/site/docs/x.html");
    Row("a name that only begins alike", moved("/site/pages2/x.html", "/site/pages", "/site/docs"), "");
    Row("no path yet", moved("", "/site/pages", "/site/docs"), "");
    Row("folder named .html", Predicates("site.html"), "- -");
    Row("empty file", Predicates("empty.txt"), "text browse");
    Row("a NUL byte", Predicates("data.bin"), "- -");
    Row("a PNG signature", Predicates("x.txt"), "- browse");
    Row("Latin-1 text, upper-case extension", Predicates("OLD.HTM"), "text browse");
    Row("no extension", Predicates("site.html/Makefile"), "text -");
    Row("missing picture", Predicates("nothing.gif"), "- browse");
    Row("pipe", Predicates("pipe.html"), "- -");
}

ZT_TEST_MAIN(TestFileName)
#include "tst_filename.moc"
