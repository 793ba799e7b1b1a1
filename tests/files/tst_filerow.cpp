#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FolderReader.h"

#include <QSignalSpy>
#include <QTemporaryDir>

using ZtTest::Row;

// The rows a file list shows, and the reader that makes them off the
// window's thread.
class TestFileRow : public QObject
{
    Q_OBJECT
private slots:
    void rowTexts_data();
    void rowTexts() { ZtTest::CompareResult(); }
    void readerDeliversOnlyTheLatestFolder();
};


// The row of a file holding bytes (-1: a folder; -2: a link to nothing; -3:
// a link to itself); a file's row also shows its time, set to 2021-03-04
// 05:06:59, in local time and minutes without seconds.
static QString RowOf(const QString& name, int bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (bytes == -1)
        QDir().mkdir(path);
    else if (bytes == -2)
        QFile::link(dir.filePath(QStringLiteral("missing")), path);
    else if (bytes == -3)
        QFile::link(path, path);
    else
        ZtTest::WriteFile(path, QByteArray(bytes, 'x'));
    QFile file(path);
    if (bytes >= 0 && file.open(QIODevice::ReadWrite))
        file.setFileTime(QDateTime(QDate(2021, 3, 4), QTime(5, 6, 59)), QFileDevice::FileModificationTime);
    file.close();
    const CFileRow row = CFileRowMaker().Make(QFileInfo(path));
    return QStringLiteral("%1|%2|%3%4").arg(row.m_strName, row.m_strSize, row.m_strType,
                                            row.m_bFolder ? QStringLiteral("|dir") : QString())
           + (bytes >= 0 ? QLatin1Char('|') + row.m_strModified : QString());
}

void TestFileRow::rowTexts_data()
{
    ZtTest::ResultColumns();
    Row("empty page", RowOf("a.HTML", 0), "a.HTML|0 KB|HTML document|2021-03-04 05:06");
    Row("rounded up", RowOf("b.txt", 1025), "b.txt|2 KB|Plain text document|2021-03-04 05:06");
    Row("thousands", RowOf("big.txt", 1300 * 1024), "big.txt|1,300 KB|Plain text document|2021-03-04 05:06");
    Row("no extension", RowOf("notes", 1), "notes|1 KB|File|2021-03-04 05:06");
    Row("unknown extension", RowOf("x.zzq", 1), "x.zzq|1 KB|ZZQ File|2021-03-04 05:06");
    Row("hidden, no extension", RowOf(".htpasswd", 1), ".htpasswd|1 KB|File|2021-03-04 05:06");
    Row("folder has no size", RowOf("sub.d", -1), "sub.d||Folder|dir");
    Row("broken link", RowOf("gone.html", -2), "gone.html||Broken link");
    Row("link loop", RowOf("loop", -3), "loop||Broken link");
}

void TestFileRow::readerDeliversOnlyTheLatestFolder()
{
    QTemporaryDir first;
    QTemporaryDir second;
    for (int i = 0; i < 3000; ++i)
        ZtTest::WriteFile(first.filePath(QStringLiteral("f%1.htm").arg(i)), "");
    ZtTest::WriteFile(second.filePath(QStringLiteral("only.txt")), "x");

    CFolderReader reader;
    QStringList names;
    connect(&reader, &CFolderReader::rowsRead, this, [&names](const QVector<CFileRow>& rows) {
        for (const CFileRow& row : rows)
            names << row.m_strName;
    });
    QSignalSpy finished(&reader, &CFolderReader::finished);
    // A second folder asked for at once: nothing of the first may arrive.
    reader.Start(first.path());
    reader.Start(second.path());
    QVERIFY(finished.wait(5000));
    QCoreApplication::processEvents();
    QCOMPARE(names, QStringList{QStringLiteral("only.txt")});
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toBool(), true);

    // A folder that cannot be listed ends at once, with no rows.
    names.clear();
    reader.Start(second.filePath(QStringLiteral("only.txt")));
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.last().first().toBool(), false);
    QCOMPARE(reader.Failure(), QStringLiteral("Not a directory"));
    QVERIFY(names.isEmpty());
}

ZT_TEST_MAIN(TestFileRow)
#include "tst_filerow.moc"
