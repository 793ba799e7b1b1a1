#include "support/Dialogs.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "editor/SourceLoader.h"
#include "editor/SourceText.h"
#include "editor/SyntaxColorizer.h"
#include "editor/TokenFormats.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "framework/DocTemplate.h"
#include "framework/MDIChildWnd.h"
#include "framework/MDIFrameWnd.h"
#include "framework/Profile.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

#include <memory>

// Pages read off the UI thread: the bytes come back exactly, every load that
// does not end with the whole page leaves no window and the file as it was,
// the lines shown are coloured while the page comes in, and a reload that
// cannot finish puts the text back.
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
    void lineLengthAcrossReads_data();
    void lineLengthAcrossReads();
    void linesShownAreColouredWhileLoading_data();
    void linesShownAreColouredWhileLoading();
    void reloadInBackground_data();
    void reloadInBackground();
    void structureStatesSurviveTheLoad_data();
    void structureStatesSurviveTheLoad();

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
    CSourceLoader::s_nPieceBytes = qsizetype(256) << 10;
    CProfile::Instance().RemoveKey(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"));
    CProfile::Instance().RemoveKey(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"));
}

CZentrelDoc* TestSourceLoader::Open(const QString& path)
{
    return qobject_cast<CZentrelDoc*>(m_template->OpenDocumentFile(path));
}

void TestSourceLoader::roundTripsAfterBackgroundLoad_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("saved"); // empty: the bytes themselves
    QTest::newRow("mixed line ends") << QByteArray("a\r\nbb\nccc\rd\r\r\ne\n\r\n\r") << QByteArray();
    QTest::newRow("CR LF cut by pieces") << QByteArray("ab\r\nc\r\r\nde\r\n\r\n") << QByteArray();
    const QByteArray utf8("\xef\xbb\xbf" "caf\xc3\xa9\n\xe2\x82\xac \xf0\x9f\x98\x80\xe2\x80\xa9x\xc2\xa0\r\n");
    QTest::newRow("utf-8 with byte order mark") << utf8 << QByteArray();
    // One byte that is not UTF-8 far from the start makes the whole file Windows-1252.
    const QByteArray cp1252("caf\xc3\xa9\nline\nline\n\x80\x9f\xe9\r\n");
    QTest::newRow("windows-1252 found late") << cp1252 << QByteArray();
    QTest::newRow("frame markers") << QByteArray("a\xef\xb7\x90\nb\xef\xb7\x91\xef\xb7\x92\n\xef\xb7\x91") << QByteArray();
    QTest::newRow("zero byte, opened anyway") << QByteArray("ab\r\ncd\0ef\n", 10) << QByteArray("ab\r\ncd");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("CR only") << QByteArray("<p>\rone\r\r\rtwo\r\r</p>\r\r\r\r<br>\rend\r\r") << QByteArray();
    const QByteArray longLine("<p>caf\xc3\xa9 \xe2\x82\xac\xf0\x9f\x98\x80 one long line, no end \xc3\xa9\xc3\xa9</p>\r");
    QTest::newRow("one long line") << longLine << QByteArray();
}

void TestSourceLoader::roundTripsAfterBackgroundLoad()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, saved);
    ZtTest::CMessageLog messages;
    // The longest line is just within the limit: CR ends a line as LF does.
    qsizetype longest = 1;
    for (const QByteArray& line : QByteArray(bytes).replace('\r', '\n').split('\n'))
        longest = qMax(longest, line.size());
    CSourceLoader::s_nLongestLine = longest;
    const QString path = WriteFile(bytes);
    CZentrelDoc* document = Open(path);
    QVERIFY(document);
    // The first screen comes with the first piece, whatever the line ends
    // and however long the line.
    qsizetype firstText = -1;
    auto* loader = document->GetView()->findChild<CSourceLoader*>();
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
    QVERIFY(!document->IsModified() && !document->TextDocument()->isUndoAvailable() && !document->GetView()->isReadOnly());
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

    QCOMPARE(m_template->Documents().size() + m_frame->ChildFrames().size(), windowStays ? 2 : 0);
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

void TestSourceLoader::lineLengthAcrossReads_data()
{
    QTest::addColumn<QByteArrayList>("reads");
    QTest::addColumn<bool>("tooLong");
    // A limit of 4 bytes a line.
    QTest::newRow("exactly the limit") << QByteArrayList{"aaaa"} << false;
    QTest::newRow("one over") << QByteArrayList{"aaaa", "a"} << true;
    QTest::newRow("LF ends a line") << QByteArrayList{"aaaa\nbb", "bb\n"} << false;
    QTest::newRow("CR ends a line") << QByteArrayList{"aa\rb", "bbb\r"} << false;
    QTest::newRow("CR LF cut between reads") << QByteArrayList{"aaaa\r", "\naaaa"} << false;
    QTest::newRow("line over the limit across reads") << QByteArrayList{"aa\nbbb", "bb\r"} << true;
    QTest::newRow("CR only, long line after short ones") << QByteArrayList{"a\rb\rc", "cccc"} << true;
}

void TestSourceLoader::lineLengthAcrossReads()
{
    QFETCH(QByteArrayList, reads);
    QFETCH(bool, tooLong);
    qsizetype lineLength = 0;
    bool found = false;
    for (const QByteArray& read : reads)
        found = found || CSourceLoader::HasLineLongerThan(read.constData(), read.size(), 4, lineLength);
    QCOMPARE(found, tooLong);
}

// The first lines of the view: "ok" for a line whose colours are those of its
// text now, "-" for one not coloured, "stale" for colours of other text.
QString ShownColours(CZentrelView* view, int lines)
{
    QStringList states;
    QTextBlock block = view->document()->firstBlock();
    for (int line = 0; line < lines && block.isValid(); ++line, block = block.next()) {
        const QList<QTextLayout::FormatRange> shown = block.layout()->formats();
        states << (shown == view->Colorizer()->BlockFormats(block) ? QStringLiteral("ok")
                   : shown.isEmpty()                               ? QStringLiteral("-")
                                                                   : QStringLiteral("stale"));
    }
    return states.join(QLatin1Char(' '));
}

void TestSourceLoader::linesShownAreColouredWhileLoading_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<qsizetype>("pieceBytes");
    QTest::addColumn<QString>("firstScreen");
    QTest::newRow("whole lines in the first piece")
        << QByteArray("<P ALIGN=left>one</P>\r\n<B>two 2</B>\r\n<I>\"three\"</I>\r\n") << qsizetype(1024)
        << QStringLiteral("ok ok ok");
    // The first line is shown, coloured, while only its start is in.
    QTest::newRow("first line longer than a piece")
        << QByteArray("<TABLE BORDER=1 WIDTH=\"100%\"><TR><TD>cell 12</TD></TR></TABLE>\r\n<B>two</B>\r\n<I>3</I>")
        << qsizetype(16) << QStringLiteral("ok");
}

void TestSourceLoader::linesShownAreColouredWhileLoading()
{
    QFETCH(QByteArray, page);
    QFETCH(qsizetype, pieceBytes);
    QFETCH(QString, firstScreen);
    CProfile::Instance().WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"), 1);
    CProfile::Instance().WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 1 << 30);
    CSourceLoader::s_nPieceBytes = pieceBytes;
    // Nothing is painted before the window is on screen.
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    CZentrelDoc* document = Open(WriteFile(page));
    QVERIFY(document);
    CZentrelView* view = document->GetView();
    auto* loader = view->findChild<CSourceLoader*>();
    QString shownFirst;
    bool loadingThen = false;
    connect(loader, &CSourceLoader::firstTextShown, this, [&] {
        loadingThen = document->IsLoading();
        view->viewport()->repaint();
        shownFirst = ShownColours(view, 3);
    });
    QTRY_VERIFY(!document->IsLoading());
    QVERIFY(loadingThen);
    QCOMPARE(shownFirst, firstScreen);
    // A line that grew after it was shown is coloured again when next painted.
    view->viewport()->repaint();
    QCOMPARE(ShownColours(view, 3), QStringLiteral("ok ok ok"));
    QVERIFY(!view->document()->firstBlock().layout()->formats().isEmpty());
}

enum class ReloadEnd { Loaded, CancelledAtOnce, Escape, Changed, RefuseZeroByte };

void TestSourceLoader::reloadInBackground_data()
{
    QTest::addColumn<ReloadEnd>("end");
    QTest::addColumn<QString>("message");
    QTest::newRow("reloaded") << ReloadEnd::Loaded << QString();
    QTest::newRow("cancelled before a byte is read") << ReloadEnd::CancelledAtOnce << QString();
    QTest::newRow("escape") << ReloadEnd::Escape << QString();
    QTest::newRow("changed while read") << ReloadEnd::Changed << "changed while it was being read";
    QTest::newRow("zero byte refused") << ReloadEnd::RefuseZeroByte << QString();
}

void TestSourceLoader::reloadInBackground()
{
    QFETCH(ReloadEnd, end);
    QFETCH(QString, message);
    ZtTest::CMessageLog messages;
    const QString path = WriteFile("<p>one</p>\r\n<p>two</p>\r\n<p>three</p>\r\n<p>four</p>\r\n");
    CZentrelDoc* document = Open(path);
    QVERIFY(document);
    QTRY_VERIFY(!document->IsLoading());
    CZentrelView* view = document->GetView();
    QTextCursor caret(view->document()->findBlockByNumber(2));
    caret.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    view->setTextCursor(caret);
    // An edit the user agreed to lose, unless the reload cannot finish.
    view->textCursor().insertText(QStringLiteral("x"));
    const QByteArray edited = CSourceText::Save(view->document());

    QByteArray after("<h1>new</h1>\n<p>2</p>\n<p>3</p>\n<p>4</p>\n<p>5</p>\n");
    if (end == ReloadEnd::RefuseZeroByte) {
        after += '\0';
        CSourceDoc::s_confirmTruncatedOpen = [](const QString&, qsizetype) { return false; };
    }
    WriteFile(after);
    auto workerGo = std::make_shared<QSemaphore>();
    CSourceLoader::s_betweenReads = [end, workerGo](const QString& file) {
        if (end == ReloadEnd::Escape)
            workerGo->tryAcquire(1, 10000);
        if (end == ReloadEnd::Changed) {
            QFile out(file);
            if (out.open(QIODevice::Append))
                out.write("<p>more</p>\n");
        }
    };
    QVERIFY(document->ReloadFromDisk());
    if (end == ReloadEnd::CancelledAtOnce)
        document->CancelLoad();
    if (end == ReloadEnd::Escape) {
        QTRY_VERIFY(m_frame->statusBar()->currentMessage().startsWith(QStringLiteral("Opening ")));
        QTest::keyClick(view, Qt::Key_Escape);
    }
    workerGo->release();
    QTRY_VERIFY(!document->IsLoading());

    const bool reloaded = end == ReloadEnd::Loaded;
    QCOMPARE(CSourceText::Save(view->document()), reloaded ? after : edited);
    QCOMPARE(document->IsModified(), !reloaded);
    QCOMPARE(m_frame->ChildFrames().size(), 1);
    QCOMPARE(QStringLiteral("%1,%2").arg(view->textCursor().blockNumber()).arg(view->textCursor().positionInBlock()),
             QStringLiteral("2,4"));
    QVERIFY(!view->isReadOnly());
    QCOMPARE(messages.texts.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(messages.texts.first().contains(message), qPrintable(messages.texts.first()));
    // The file as it is now was seen: only a further change is reported.
    QCOMPARE(document->SettledDiskStamp().IsNull(), reloaded);
}

ZT_TEST_MAIN(TestSourceLoader)
namespace {
// Each line's colours as the colorizer gives them, one line of the result per
// line of the text. Asked from the last line up, as after a jump to the end:
// no line's colours depend on the line above having been asked first.
QString EveryLinesColours(CSyntaxColorizer* colorizer, const QTextDocument* document)
{
    QStringList lines;
    for (QTextBlock block = document->lastBlock(); block.isValid(); block = block.previous()) {
        QString line;
        for (const QTextLayout::FormatRange& range : colorizer->BlockFormats(block))
            line += QStringLiteral("%1+%2:%3 ").arg(range.start).arg(range.length).arg(int(CTokenFormats::ClassOf(range.format)));
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}
} // namespace

void TestSourceLoader::structureStatesSurviveTheLoad_data()
{
    QTest::addColumn<bool>("reload");
    QTest::newRow("an edit after the load") << false;
    QTest::newRow("a reload") << true;
}

// Colouring by structure carries a state from line to line (a comment, a
// script): the lines a load hands over in pieces, unseen by the document's
// change notification, must not keep states from before.
void TestSourceLoader::structureStatesSurviveTheLoad()
{
    QFETCH(bool, reload);
    CProfile::Instance().WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"), 1);
    CProfile::Instance().WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 1 << 30);
    CProfile::Instance().WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringByStructure"), 1);
    QByteArray page;
    for (int part = 0; part < 40; ++part)
        page += "<p>a</p>\n<!-- one\ntwo <b>x</b>\nthree -->\n<script>\n/* c\nd */ var x = \"y\";\n</script>\n";
    CSourceLoader::s_nPieceBytes = 40;
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    const QString path = WriteFile(reload ? "<p>short</p>\n<!--\n" : page);
    CZentrelDoc* document = Open(path);
    QVERIFY(document);
    CZentrelView* view = document->GetView();
    // Painted while the text comes in, as a user sees it: the lines on screen
    // get their states before the rest is there.
    auto paint = [view] { view->viewport()->repaint(); };
    connect(view->findChild<CSourceLoader*>(), &CSourceLoader::firstTextShown, this, paint);
    QTRY_VERIFY(!document->IsLoading());
    paint();
    if (reload) {
        WriteFile(page);
        QVERIFY(document->ReloadFromDisk());
        QTRY_VERIFY(!document->IsLoading());
        paint();
    } else {
        QTextCursor caret(view->document()->findBlockByNumber(1));
        view->setTextCursor(caret);
        QTest::keyClicks(view, QStringLiteral("x"));
    }

    QPlainTextEdit fresh;
    fresh.setPlainText(view->toPlainText());
    auto* freshColorizer = new CSyntaxColorizer(&fresh);
    freshColorizer->SetLanguage(path);
    QCOMPARE(EveryLinesColours(view->findChild<CSyntaxColorizer*>(), view->document()),
             EveryLinesColours(freshColorizer, fresh.document()));
    CProfile::Instance().RemoveKey(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringByStructure"));
    document->SetModifiedFlag(false);
}

#include "tst_sourceloader.moc"
