#include "support/Dialogs.h"
#include "support/ResultTable.h"
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

using ZtTest::Row;

// Only regular files open; anything else is refused at once, with a message.
class TestOpenFile : public QObject
{
    Q_OBJECT
private slots:
    void opensOnlyRegularFiles_data();
    void opensOnlyRegularFiles() { ZtTest::CompareResult(); }
    void stampFollowsReadsAndWrites();

private:
    QTemporaryDir m_dir;
};

// Opens path as a document and directly: "opened" with the text read, or
// the message shown ("~" for the path).
static QString Open(const QString& path)
{
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
    if (opened != openedDirectly)
        return QStringLiteral("opened only one way");
    return (opened ? QStringLiteral("opened ") + QString::fromUtf8(file.readAll()) : QString())
           + messages.texts.join(QLatin1Char('|')).replace(path, QStringLiteral("~"));
}

void TestOpenFile::opensOnlyRegularFiles_data()
{
    ZtTest::ResultColumns();
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    QVERIFY(server->listen(m_dir.filePath(QStringLiteral("socket"))));
    const QString fifo = m_dir.filePath(QStringLiteral("pipe"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    Row("regular file", Open(ZtTest::WriteFile(m_dir.filePath(QStringLiteral("page.html")), "<P>")), "opened <P>");
    const QString special = "~\nis not a regular file (it may be a pipe, a device or a socket) and cannot be opened.";
    Row("named pipe", Open(fifo), special);
    Row("character device", Open(QStringLiteral("/dev/null")), special);
    Row("socket", Open(server->fullServerName()), special);
    Row("folder", Open(m_dir.path()), "~\nis a folder, not a file.");
    Row("missing", Open(m_dir.filePath(QStringLiteral("gone.html"))), "~\nFile not found.");
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
