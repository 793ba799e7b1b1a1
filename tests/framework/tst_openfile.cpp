#include "support/Dialogs.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/Document.h"
#include "files/RegularFile.h"

#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Only regular files open; anything else is refused at once, with a message.
class TestOpenFile : public QObject
{
    Q_OBJECT
private slots:
    void opensOnlyRegularFiles_data();
    void opensOnlyRegularFiles();
    void stampFollowsReadsAndWrites();

private:
    QTemporaryDir m_dir;
};

void TestOpenFile::opensOnlyRegularFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message"); // empty when the file opens

    const QString regular = ZtTest::WriteFile(m_dir.filePath(QStringLiteral("page.html")), "<P>");
    const QString fifo = m_dir.filePath(QStringLiteral("pipe"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    QVERIFY(server->listen(m_dir.filePath(QStringLiteral("socket"))));

    const QString notRegular = QStringLiteral("is not a regular file");
    QTest::newRow("regular file") << regular << QString();
    QTest::newRow("named pipe") << fifo << notRegular;
    QTest::newRow("character device") << QStringLiteral("/dev/null") << notRegular;
    QTest::newRow("socket") << server->fullServerName() << notRegular;
    QTest::newRow("folder") << m_dir.path() << QStringLiteral("is a folder");
    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("gone.html")) << QStringLiteral("File not found");
}

void TestOpenFile::opensOnlyRegularFiles()
{
    QFETCH(QString, path);
    QFETCH(QString, message);

    // Should an open wait for a writer on the pipe, this thread plays the
    // writer, so that the test fails instead of hanging.
    std::atomic<bool> done = false;
    QThread* writer = QThread::create([&] {
        for (int fd = -1; !done && fd < 0; QThread::msleep(10)) {
            if ((fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK)) >= 0)
                ::close(fd);
        }
    });
    if (path.endsWith(QStringLiteral("pipe")))
        writer->start();

    ZtTest::CMessageLog messages;
    CDocument document;
    const bool opened = document.OnOpenDocument(path);
    // The type is checked again once the file is open.
    QFile file;
    QString error;
    const bool openedDirectly = CRegularFile::OpenForReading(path, file, &error);
    done = true;
    writer->wait();
    delete writer;
    const QStringList& shown = messages.texts;

    QCOMPARE(opened, message.isEmpty());
    QCOMPARE(openedDirectly, message.isEmpty());
    QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
    if (message.isEmpty())
        QCOMPARE(file.readAll(), QByteArray("<P>"));
    else
        QVERIFY2(shown.first().contains(path) && shown.first().contains(message), qPrintable(shown.first()));
}

// The stamp is the file as the document last read or wrote it, so a change
// by another program in between is seen.
void TestOpenFile::stampFollowsReadsAndWrites()
{
    const QString path = ZtTest::WriteFile(m_dir.filePath(QStringLiteral("stamped.html")), "<P>");
    CDocument document;
    QVERIFY(document.DiskStamp().IsNull());
    QVERIFY(document.OnOpenDocument(path));
    QCOMPARE(document.DiskStamp(), CDiskStamp::Of(path));
    QCOMPARE(document.DiskStamp().m_nSize, 3);

    ZtTest::WriteFile(path, "<P>longer");
    QVERIFY(!(document.DiskStamp() == CDiskStamp::Of(path)));
    QVERIFY(document.OnSaveDocument(path));
    QCOMPARE(document.DiskStamp(), CDiskStamp::Of(path));

    QVERIFY(QFile::remove(path));
    const CDiskStamp gone = CDiskStamp::Of(path);
    QVERIFY(!gone.m_bExists && !gone.IsNull());
    QVERIFY(!(document.DiskStamp() == gone));
}

ZT_TEST_MAIN(TestOpenFile)
#include "tst_openfile.moc"
