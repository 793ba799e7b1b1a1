#include "support/Dialogs.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "editor/SourceLoader.h"
#include "editor/SourceText.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "framework/DocTemplate.h"
#include "framework/MDIChildWnd.h"
#include "framework/MDIFrameWnd.h"

#include <QFile>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextDocument>

#include <memory>

// Pages read off the UI thread: the bytes come back exactly, and every load
// that does not end with the whole page leaves no window and the file as it was.
class TestSourceLoader : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void roundTripsAfterBackgroundLoad_data();
    void roundTripsAfterBackgroundLoad();
    void loadThatCannotFinish_data();
    void loadThatCannotFinish();

private:
    QString WriteFile(const QByteArray& bytes) { return ZtTest::WriteFile(m_dir.filePath("page.html"), bytes); }
    CZentrelDoc* Open(const QString& path);

    QTemporaryDir m_dir;
    CMDIFrameWnd* m_frame = nullptr;
    CDocTemplate* m_template = nullptr;
};

void TestSourceLoader::init()
{
    CSourceDoc::s_nBackgroundLoadBytes = 0;
    // A few bytes a piece: every piece boundary falls somewhere in the rows.
    CSourceLoader::s_nPieceBytes = 3;
    CSourceLoader::s_nProgressAfterMs = 0;
    m_frame = new CMDIFrameWnd;
    m_frame->show();
    m_template = new CDocTemplate(
        1, QStringLiteral("\nPage\nPage\nWeb Pages (*.html)\n.html\nPage.Document\nPage"),
        [] { return new CZentrelDoc; }, [] { return new CMDIChildWnd; }, [] { return new CZentrelView; });
    m_template->SetMainFrame(m_frame);
}

void TestSourceLoader::cleanup()
{
    m_template->CloseAllDocuments();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete m_template;
    delete m_frame;
    CSourceLoader::s_betweenReads = nullptr;
    CSourceLoader::s_nLongestLine = qsizetype(4) << 20;
    CSourceLoader::s_nProgressAfterMs = 500;
    CSourceDoc::s_confirmTruncatedOpen = [](const QString&, qsizetype) { return true; };
}

CZentrelDoc* TestSourceLoader::Open(const QString& path)
{
    return qobject_cast<CZentrelDoc*>(m_template->OpenDocumentFile(path));
}

void TestSourceLoader::roundTripsAfterBackgroundLoad_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("saved"); // empty: the bytes themselves
    const QByteArray mixed("a\r\nbb\nccc\rd\r\r\ne\n\r\n\r");
    QTest::newRow("mixed line ends") << mixed << QByteArray();
    QTest::newRow("CR LF cut by pieces") << QByteArray("ab\r\nc\r\r\nde\r\n\r\n") << QByteArray();
    const QByteArray utf8("\xef\xbb\xbf" "caf\xc3\xa9\n\xe2\x82\xac \xf0\x9f\x98\x80\xe2\x80\xa9x\xc2\xa0\r\n");
    QTest::newRow("utf-8 with byte order mark") << utf8 << QByteArray();
    // One byte that is not UTF-8 far from the start makes the whole file Windows-1252.
    const QByteArray cp1252("caf\xc3\xa9\nline\nline\n\x80\x9f\xe9\r\n");
    QTest::newRow("windows-1252 found late") << cp1252 << QByteArray();
    const QByteArray markers("a\xef\xb7\x90\nb\xef\xb7\x91\xef\xb7\x92\n\xef\xb7\x91");
    QTest::newRow("frame markers") << markers << QByteArray();
    QTest::newRow("zero byte, opened anyway") << QByteArray("ab\r\ncd\0ef\n", 10) << QByteArray("ab\r\ncd");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    const QByteArray crOnly("<p>\rone\r\r\rtwo\r\r</p>\r\r\r\r<br>\rend\r\r");
    QTest::newRow("CR only") << crOnly << QByteArray();
    const QByteArray longLine("<p>caf\xc3\xa9 \xe2\x82\xac\xf0\x9f\x98\x80 one long line, no end \xc3\xa9\xc3\xa9</p>\r");
    QTest::newRow("one long line") << longLine << QByteArray();
}

void TestSourceLoader::roundTripsAfterBackgroundLoad()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, saved);
    ZtTest::CMessageLog messages;
    const QString path = WriteFile(bytes);
    CZentrelDoc* document = Open(path);
    QVERIFY(document);
    // The first screen comes with the first piece, whatever the line ends
    // and however long the line.
    qsizetype firstText = -1;
    auto* loader = document->GetView()->findChild<CSourceLoader*>();
    QVERIFY(loader);
    connect(loader, &CSourceLoader::firstTextShown, this,
            [&firstText, document] { firstText = document->TextDocument()->characterCount() - 1; });
    // Saving a page not yet all read would cut the file short.
    const QString copy = m_dir.filePath(QStringLiteral("copy.html"));
    QVERIFY(!document->OnSaveDocument(copy));
    QVERIFY(!QFile::exists(copy));
    QTRY_VERIFY(!document->IsLoading());
    // The same lines as the file read at once: a line end cut between two
    // pieces would still save the same bytes, but as two line breaks.
    QTextDocument atOnce;
    CSourceText::LoadInto(&atOnce, bytes);
    QCOMPARE(document->TextDocument()->toRawText(), atOnce.toRawText());
    QCOMPARE(CSourceText::Save(document->TextDocument()), saved.isEmpty() ? bytes : saved);
    QVERIFY(!document->IsModified());
    QVERIFY(!document->TextDocument()->isUndoAvailable());
    QVERIFY(!document->GetView()->isReadOnly());
    QCOMPARE(messages.texts.size(), 1); // the refused save only
    if (!bytes.isEmpty())
        QVERIFY2(firstText >= 0 && firstText <= 3 * CSourceLoader::s_nPieceBytes, qPrintable(QString::number(firstText)));
}

enum class Ending { Escape, CloseWindow, RefuseZeroByte, LineTooLong, Changed, Shrunk, Deleted };

void TestSourceLoader::loadThatCannotFinish_data()
{
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<QByteArray>("fileAfter");
    QTest::addColumn<bool>("windowStays");
    QTest::addColumn<QString>("message");
    const QByteArray page("<p>one</p>\r\n<p>two</p>\r\n<p>three</p>\r\n");
    QTest::newRow("escape") << Ending::Escape << page << false << QString();
    QTest::newRow("window closed") << Ending::CloseWindow << page << false << QString();
    QTest::newRow("zero byte refused") << Ending::RefuseZeroByte << page + '\0' << false << QString();
    QTest::newRow("line too long") << Ending::LineTooLong << page << false << "has a line longer than";
    QTest::newRow("grew while read") << Ending::Changed << page + "<p>four</p>\r\n" << false
                                     << "changed while it was being read";
    QTest::newRow("shrank while read") << Ending::Shrunk << page.left(5) << false
                                       << "changed while it was being read";
    QTest::newRow("deleted while read") << Ending::Deleted << QByteArray("(unreadable)") << true
                                        << "was deleted while it was being opened";
}

void TestSourceLoader::loadThatCannotFinish()
{
    QFETCH(Ending, ending);
    QFETCH(QByteArray, fileAfter);
    QFETCH(bool, windowStays);
    QFETCH(QString, message);
    ZtTest::CMessageLog messages;
    const QByteArray page("<p>one</p>\r\n<p>two</p>\r\n<p>three</p>\r\n");
    const QString path = WriteFile(ending == Ending::RefuseZeroByte ? page + '\0' : page);
    if (ending == Ending::RefuseZeroByte)
        CSourceDoc::s_confirmTruncatedOpen = [](const QString&, qsizetype) { return false; };
    if (ending == Ending::LineTooLong)
        CSourceLoader::s_nLongestLine = 11;
    // The worker waits before its second read until the load is ended here.
    const bool holdWorker = ending == Ending::Escape || ending == Ending::CloseWindow;
    auto workerGo = std::make_shared<QSemaphore>();
    CSourceLoader::s_betweenReads = [ending, fileAfter, holdWorker, workerGo](const QString& file) {
        if (holdWorker)
            workerGo->tryAcquire(1, 10000);
        if (ending == Ending::Deleted) {
            QFile::remove(file);
        } else if (ending == Ending::Changed || ending == Ending::Shrunk) {
            QFile out(file);
            if (out.open(QIODevice::WriteOnly | QIODevice::Truncate))
                out.write(fileAfter);
        }
    };

    QPointer<CZentrelDoc> document = Open(path);
    QVERIFY(document);
    QSignalSpy abandoned(document, &CDocument::openAbandoned);
    if (holdWorker)
        QTRY_VERIFY(m_frame->statusBar()->currentMessage().startsWith(QStringLiteral("Opening ")));
    if (ending == Ending::Escape)
        QTest::keyClick(document->GetView(), Qt::Key_Escape);
    else if (ending == Ending::CloseWindow)
        document->Frames().first()->close();
    // The closed window goes before the worker could read on.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    workerGo->release();
    QTRY_VERIFY(!document || !document->IsLoading());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(m_template->Documents().size(), windowStays ? 1 : 0);
    QCOMPARE(m_frame->ChildFrames().size(), windowStays ? 1 : 0);
    QCOMPARE(ZtTest::ReadFile(path), fileAfter);
    QCOMPARE(m_frame->statusBar()->currentMessage(), QString());
    // Only a window that stays keeps its file among the recent ones.
    QCOMPARE(abandoned.size(), windowStays ? 0 : 1);
    QCOMPARE(messages.texts.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(messages.texts.first().contains(message), qPrintable(messages.texts.first()));
    if (windowStays) {
        // All of it was read before the file went: nothing may be lost on closing.
        QCOMPARE(CSourceText::Save(document->TextDocument()), page);
        QVERIFY(document->IsModified());
    }
}

ZT_TEST_MAIN(TestSourceLoader)
#include "tst_sourceloader.moc"
