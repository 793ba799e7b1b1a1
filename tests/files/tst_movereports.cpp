#include "support/ShellJob.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FileMoveNotifier.h"
#include "files/ShellFileOperation.h"

#include <QDir>
#include <QSignalSpy>

namespace {

using EAnswer = CShellFileOperation::EAnswer;

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

} // namespace

// What the shell file operations tell about the paths they moved, and
// where an open path lands after a move.
class TestMoveReports : public QObject
{
    Q_OBJECT
private slots:
    void reportsWhatReallyMoved_data();
    void reportsWhatReallyMoved();
    void movedPath_data();
    void movedPath();
};

void TestMoveReports::reportsWhatReallyMoved_data()
{
    QTest::addColumn<QStringList>("files"); // a trailing "/" makes a folder
    QTest::addColumn<QString>("operation"); // verb, sources joined by ",", destination
    QTest::addColumn<QList<EAnswer>>("answers");
    QTest::addColumn<QString>("expected");
    QTest::newRow("file renamed") << QStringList{"a.html"} << "rename a.html b.html" << QList<EAnswer>{}
                                  << "a.html>b.html";
    QTest::newRow("folder moved into another")
        << QStringList{"pages/x.html", "dest/"} << "move pages dest/" << QList<EAnswer>{} << "pages>dest/pages";
    QTest::newRow("declined replace leaves that file where it was")
        << QStringList{"a.html", "b.html", "dest/a.html"} << "move a.html,b.html dest/"
        << QList<EAnswer>{EAnswer::No} << "b.html>dest/b.html";
    QTest::newRow("merged folder keeps a declined file")
        << QStringList{"src/dir/keep.txt", "src/dir/take.txt", "dest/dir/keep.txt"} << "move src/dir dest/"
        << QList<EAnswer>{EAnswer::Yes, EAnswer::No} << "src/dir/take.txt>dest/dir/take.txt";
    QTest::newRow("copy moves nothing") << QStringList{"a.html", "dest/"} << "copy a.html dest/"
                                        << QList<EAnswer>{} << "";
}

void TestMoveReports::reportsWhatReallyMoved()
{
    QFETCH(QStringList, files);
    QFETCH(QString, operation);
    QFETCH(QList<EAnswer>, answers);
    QFETCH(QString, expected);
    const QString root = ZtTest::FreshDir(QStringLiteral("reports"));
    for (const QString& file : files) {
        if (file.endsWith(QLatin1Char('/')))
            QVERIFY(QDir().mkpath(root + QLatin1Char('/') + file));
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
    QVERIFY(ZtTest::Finished(&shell));

    QStringList reports;
    for (const QList<QVariant>& report : std::as_const(moved))
        reports << QDir(root).relativeFilePath(report.at(0).toString()) + QLatin1Char('>')
                       + QDir(root).relativeFilePath(report.at(1).toString());
    QCOMPARE(reports.join(QLatin1Char(' ')), expected);
}

void TestMoveReports::movedPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("expected");
    QTest::newRow("the moved file") << "/site/a.html" << "/site/a.html" << "/site/b.html" << "/site/b.html";
    QTest::newRow("inside a moved folder")
        << "/site/pages/x.html" << "/site/pages" << "/site/docs" << "/site/docs/x.html";
    QTest::newRow("deeper inside") << "/site/pages/sub/x.html" << "/site/pages/" << "/other/pages"
                                   << "/other/pages/sub/x.html";
    QTest::newRow("a name that only begins alike") << "/site/pages2/x.html" << "/site/pages" << "/site/docs" << "";
    QTest::newRow("the folder above") << "/site/a.html" << "/site/pages" << "/site/docs" << "";
    QTest::newRow("no path yet") << "" << "/site/pages" << "/site/docs" << "";
}

void TestMoveReports::movedPath()
{
    QFETCH(QString, path);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, expected);
    QCOMPARE(CFileMoveNotifier::MovedPath(path, from, to), expected);
}

ZT_TEST_MAIN(TestMoveReports)
#include "tst_movereports.moc"
