#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/FolderCopy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Copying a file into a folder never replaces what the folder holds.
class TestFolderCopy : public QObject
{
    Q_OBJECT
private slots:
    void copyInto_data();
    void copyInto();
    void failureLeavesNothing_data();
    void failureLeavesNothing();
};

void TestFolderCopy::copyInto_data()
{
    // The source's name and bytes, the files the folder holds beforehand
    // ("name=bytes"), and the copy's name (empty when the copy fails).
    QTest::addColumn<QString>("source");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("copy");
    QTest::newRow("free name") << "logo.png" << QByteArray("png") << QStringList() << "logo.png";
    QTest::newRow("same bytes there") << "logo.png" << QByteArray("png") << QStringList{"logo.png=png"} << "logo.png";
    QTest::newRow("other bytes there") << "logo.png" << QByteArray("png") << QStringList{"logo.png=old"}
                                       << "logo-2.png";
    QTest::newRow("two taken") << "logo.png" << QByteArray("png") << QStringList{"logo.png=a", "logo-2.png=b"}
                               << "logo-3.png";
    QTest::newRow("only the numbered one holds it")
        << "logo.png" << QByteArray("png") << QStringList{"logo.png=a", "logo-2.png=png"} << "logo-3.png";
    QTest::newRow("no extension") << "README" << QByteArray("r") << QStringList{"README=x"} << "README-2";
    QTest::newRow("dot file") << ".logo" << QByteArray("r") << QStringList{".logo=x"} << ".logo-2";
    QTest::newRow("two dots") << "a.b.gif" << QByteArray("g") << QStringList{"a.b.gif=x"} << "a.b-2.gif";
    QTest::newRow("a folder takes the name") << "pics" << QByteArray("p") << QStringList{"pics/"} << "pics-2";
    QTest::newRow("empty file") << "empty.gif" << QByteArray() << QStringList() << "empty.gif";
}

void TestFolderCopy::copyInto()
{
    QFETCH(QString, source);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, present);
    QFETCH(QString, copy);
    QTemporaryDir root;
    const QDir dir(root.path());
    QVERIFY(dir.mkpath("from") && dir.mkpath("to"));
    const QString sourcePath = ZtTest::WriteFile(dir.filePath("from/" + source), bytes);
    QStringList before;
    for (const QString& entry : present) {
        if (entry.endsWith('/')) {
            QVERIFY(dir.mkpath("to/" + entry));
            continue;
        }
        const QString name = entry.section('=', 0, 0);
        ZtTest::WriteFile(dir.filePath("to/" + name), entry.section('=', 1).toUtf8());
        before.append(name);
    }

    QString reason;
    QCOMPARE(ZtFolderCopy::CopyInto(sourcePath, dir.filePath("to"), &reason), dir.filePath("to/" + copy));
    QVERIFY(reason.isEmpty());
    QFile copied(dir.filePath("to/" + copy));
    QVERIFY(copied.open(QIODevice::ReadOnly));
    QCOMPARE(copied.readAll(), bytes);
    // What was there is untouched.
    for (const QString& entry : present) {
        if (entry.endsWith('/'))
            continue;
        QFile file(dir.filePath("to/" + entry.section('=', 0, 0)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), entry.section('=', 1).toUtf8());
    }
}

void TestFolderCopy::failureLeavesNothing_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("folder");
    QTest::newRow("source gone") << "from/gone.png" << "to";
    QTest::newRow("source is a folder") << "from" << "to";
    QTest::newRow("folder gone") << "from/a.png" << "to/gone";
}

void TestFolderCopy::failureLeavesNothing()
{
    QFETCH(QString, source);
    QFETCH(QString, folder);
    QTemporaryDir root;
    const QDir dir(root.path());
    QVERIFY(dir.mkpath("to"));
    ZtTest::WriteFile(dir.filePath("from/a.png"), "png");
    QString reason;
    QCOMPARE(ZtFolderCopy::CopyInto(dir.filePath(source), dir.filePath(folder), &reason), QString());
    QVERIFY(!reason.isEmpty());
    QCOMPARE(QDir(dir.filePath("to")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

ZT_TEST_MAIN(TestFolderCopy)
#include "tst_foldercopy.moc"
