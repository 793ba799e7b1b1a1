#include "support/ResultTable.h"
#include "support/ShellJob.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FileMoveNotifier.h"
#include "files/ShellFileOperation.h"

#include <QDir>
#include <QSignalSpy>

namespace {

using EAnswer = CShellFileOperation::EAnswer;
using ZtTest::Row;

// A shell operation that answers its questions from a list, in order.
class CAnsweredOperation : public CShellFileOperation
{
public:
    explicit CAnsweredOperation(QList<EAnswer> answers)
        : m_answers(std::move(answers))
    {
    }

protected:
    EAnswer Confirm(EQuestion, const QString&) override
    {
        return m_answers.isEmpty() ? EAnswer::Cancel : m_answers.takeFirst();
    }
    void ShowError(const QString&) override {}
    void BeginProgress(const QString&, int) override {}
    bool StepProgress(int, const QString&) override { return true; }
    void EndProgress() override {}

private:
    QList<EAnswer> m_answers;
};

// Makes files below a fresh folder (a trailing "/" makes a folder), runs
// "verb sources destination" (sources joined by ",") answering as told, and
// lists the moves reported as from>to.
QString Moves(const QStringList& files, const QString& operation, const QList<EAnswer>& answers = {})
{
    const QString root = ZtTest::FreshDir(QStringLiteral("reports"));
    for (const QString& file : files) {
        if (file.endsWith(QLatin1Char('/')))
            QDir().mkpath(root + QLatin1Char('/') + file);
        else
            ZtTest::WriteFile(root + QLatin1Char('/') + file, file.toUtf8());
    }
    const QStringList words = operation.split(QLatin1Char(' '));
    QStringList sources;
    for (const QString& source : words.at(1).split(QLatin1Char(',')))
        sources << root + QLatin1Char('/') + source;
    const QString destination = root + QLatin1Char('/') + words.at(2);
    QSignalSpy moved(CFileMoveNotifier::Instance(), &CFileMoveNotifier::pathMoved);
    CAnsweredOperation shell(answers);
    if (words.at(0) == QLatin1String("rename"))
        shell.Rename(sources.first(), destination);
    else if (words.at(0) == QLatin1String("move"))
        shell.Move(sources, destination);
    else
        shell.Copy(sources, destination);
    QStringList reports;
    if (!ZtTest::Finished(&shell))
        reports << QStringLiteral("failed");
    for (const QList<QVariant>& report : std::as_const(moved))
        reports << QDir(root).relativeFilePath(report.at(0).toString()) + QLatin1Char('>')
                       + QDir(root).relativeFilePath(report.at(1).toString());
    return reports.join(QLatin1Char(' '));
}

} // namespace

// What the shell file operations tell about the paths they moved, and
// where an open path lands after a move.
class TestMoveReports : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
};

void TestMoveReports::results_data()
{
    ZtTest::ResultColumns();
    Row("file renamed", Moves({"a.html"}, "rename a.html b.html"), "a.html>b.html");
    Row("folder moved into another", Moves({"pages/x.html", "dest/"}, "move pages dest/"), "pages>dest/pages");
    Row("declined replace leaves that file where it was",
        Moves({"a.html", "b.html", "dest/a.html"}, "move a.html,b.html dest/", {EAnswer::No}), "b.html>dest/b.html");
    Row("merged folder keeps a declined file",
        Moves({"src/dir/keep.txt", "src/dir/take.txt", "dest/dir/keep.txt"}, "move src/dir dest/",
              {EAnswer::Yes, EAnswer::No}),
        "src/dir/take.txt>dest/dir/take.txt");
    Row("copy moves nothing", Moves({"a.html", "dest/"}, "copy a.html dest/"), "");

    const auto moved = &CFileMoveNotifier::MovedPath;
    Row("the moved file", moved("/site/a.html", "/site/a.html", "/site/b.html"), "/site/b.html");
    Row("inside a moved folder", moved("/site/pages/x.html", "/site/pages", "/site/docs"), "/site/docs/x.html");
    Row("deeper inside", moved("/site/pages/sub/x.html", "/site/pages/", "/other/pages"), "/other/pages/sub/x.html");
    Row("a name that only begins alike", moved("/site/pages2/x.html", "/site/pages", "/site/docs"), "");
    Row("the folder above", moved("/site/a.html", "/site/pages", "/site/docs"), "");
    Row("no path yet", moved("", "/site/pages", "/site/docs"), "");
}

ZT_TEST_MAIN(TestMoveReports)
#include "tst_movereports.moc"
