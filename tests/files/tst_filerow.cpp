#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FolderReader.h"

#include <QSignalSpy>
#include <QTemporaryDir>

// The rows a file list shows, and the reader that makes them off the
// window's thread.
class TestFileRow : public QObject
{
    Q_OBJECT
private slots:
    void rowTexts_data();
    void rowTexts();
    void readerDeliversOnlyTheLatestFolder();
};

namespace {
QString Describe(const CFileRow& row)
{
    return QStringLiteral("%1|%2|%3%4").arg(row.m_strName, row.m_strSize, row.m_strType,
                                            row.m_bFolder ? QStringLiteral("|dir") : QString());
}
} // namespace

void TestFileRow::rowTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bytes"); // -1: a folder; -2: a link to nothing; -3: a link to itself
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty page") << "a.HTML" << 0 << "a.HTML|0 KB|HTML document";
    QTest::newRow("rounded up") << "b.txt" << 1025 << "b.txt|2 KB|Plain text document";
    QTest::newRow("thousands") << "big.txt" << 1300 * 1024 << "big.txt|1,300 KB|Plain text document";
    QTest::newRow("no extension") << "notes" << 1 << "notes|1 KB|File";
    QTest::newRow("unknown extension") << "x.zzq" << 1 << "x.zzq|1 KB|ZZQ File";
    QTest::newRow("hidden, no extension") << ".htpasswd" << 1 << ".htpasswd|1 KB|File";
    QTest::newRow("folder has no size") << "sub.d" << -1 << "sub.d||Folder|dir";
    QTest::newRow("broken link") << "gone.html" << -2 << "gone.html||Broken link";
    QTest::newRow("link loop") << "loop" << -3 << "loop||Broken link";
}

void TestFileRow::rowTexts()
{
    QFETCH(QString, name);
    QFETCH(int, bytes);
    QFETCH(QString, expected);
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
    CFileRowMaker maker;
    const CFileRow row = maker.Make(QFileInfo(path));
    QCOMPARE(Describe(row), expected);

    // The time column, in local time, minutes without seconds.
    if (bytes >= 0) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime(QDate(2021, 3, 4), QTime(5, 6, 59)), QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(maker.Make(QFileInfo(path)).m_strModified, QStringLiteral("2021-03-04 05:06"));
    }
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
