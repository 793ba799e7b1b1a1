#include "support/AppTestMain.h"
#include "support/Dialogs.h"
#include "support/TestFiles.h"

#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
#include "editor/SourceDoc.h"
#include "editor/SourceText.h"
#include "framework/MDIChildWnd.h"
#include "framework/View.h"

#include <QDir>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>

#include <sys/stat.h>

namespace {
const QString kQuestion = QStringLiteral("%1 was changed by another program. Reload it and lose your changes?");

// 200 numbered lines with Windows line ends, and one bare line feed.
QByteArray PageBytes(const QByteArray& fifthLine)
{
    QByteArray bytes;
    for (int line = 0; line < 200; ++line)
        bytes += (line == 5 ? fifthLine : "<P>line " + QByteArray::number(line)) + (line == 7 ? "\n" : "\r\n");
    return bytes;
}
} // namespace

// Pages changed or removed by another program while the user was away from
// them: what the program does when it is activated again.
class TestDiskChangeApp : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void activationFollowsTheFile_data();
    void activationFollowsTheFile();
    void keptTextAsksOnceAndSaveAsks();
    void fileTurnedIntoAPipeIsReportedOnce();

private:
    QPlainTextEdit* Editor(CDocument* document) const;
    CMDIChildWnd* Frame(CDocument* document) const;
    // Opens page.html with its caret on line 120, and other.html, which ends
    // up the active window.
    void OpenPageAndAnother();
    void Activate(const QString& how);
    QString Describe() const;

    CMainFrame* m_frame = nullptr;
    QString m_dir;
    CSourceDoc* m_page = nullptr;
    CSourceDoc* m_other = nullptr;
    QByteArray m_typedBytes;
    int m_scroll = -1;
    ZtTest::CMessageLog* m_messages = nullptr;
};

void TestDiskChangeApp::initTestCase()
{
    m_frame = ZtTest::ShowMainFrame();
    m_frame->resize(900, 700);
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
}

void TestDiskChangeApp::init()
{
    m_dir = ZtTest::FreshDir(QStringLiteral("pages"));
    m_messages = new ZtTest::CMessageLog(QMessageBox::No);
}

void TestDiskChangeApp::cleanup()
{
    m_messages->answer = QMessageBox::No; // closing discards the test's edits
    ZtTest::CloseAllDocuments();
    delete m_messages;
    m_messages = nullptr;
}

QPlainTextEdit* TestDiskChangeApp::Editor(CDocument* document) const
{
    return qobject_cast<QPlainTextEdit*>(document->GetFirstView()->GetWidget());
}

CMDIChildWnd* TestDiskChangeApp::Frame(CDocument* document) const
{
    return document->Frames().value(0);
}

void TestDiskChangeApp::OpenPageAndAnother()
{
    m_page = static_cast<CSourceDoc*>(
        ZtApp()->OpenDocumentFile(ZtTest::WriteFile(m_dir + QStringLiteral("/page.html"), PageBytes("<P>five"))));
    QVERIFY(m_page);
    QPlainTextEdit* editor = Editor(m_page);
    QTextCursor caret(editor->document()->findBlockByNumber(120));
    caret.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    editor->setTextCursor(caret);
    QVERIFY(editor->verticalScrollBar()->maximum() > 110);
    editor->verticalScrollBar()->setValue(110);
    m_scroll = editor->verticalScrollBar()->value();
    m_other = static_cast<CSourceDoc*>(
        ZtApp()->OpenDocumentFile(ZtTest::WriteFile(m_dir + QStringLiteral("/other.html"), "<P>other\n")));
    QVERIFY(m_other);
    QTRY_COMPARE(m_frame->MDIGetActive(), Frame(m_other));
    // Whatever the activation looked at runs before the file changes.
    QCoreApplication::processEvents();
    m_frame->statusBar()->clearMessage();
}

void TestDiskChangeApp::Activate(const QString& how)
{
    if (how == QLatin1String("program")) {
        // What the window system says when the user comes back from another
        // program; the active child window stays the same.
        emit qApp->applicationStateChanged(Qt::ApplicationInactive);
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
    } else {
        m_frame->MdiArea()->setActiveSubWindow(Frame(m_page));
    }
}

// The questions asked, whose text the editor holds (the file's exact bytes,
// the typed ones, or other), whether it is modified, the caret's line and
// column, whether the scroll position stayed and what the status bar says.
QString TestDiskChangeApp::Describe() const
{
    QPlainTextEdit* editor = Editor(m_page);
    const QByteArray text = CSourceText::Save(editor->document());
    QString seen = QStringLiteral("asked:%1").arg(m_messages->texts.size());
    if (text == ZtTest::ReadFile(m_page->GetPathName()))
        seen += QStringLiteral(" text:disk");
    else if (text == m_typedBytes)
        seen += QStringLiteral(" text:mine");
    else
        seen += QStringLiteral(" text:other");
    seen += m_page->IsModified() ? QStringLiteral(" modified") : QStringLiteral(" unmodified");
    seen += QStringLiteral(" caret:%1,%2")
                .arg(editor->textCursor().blockNumber())
                .arg(editor->textCursor().positionInBlock());
    if (editor->verticalScrollBar()->value() != m_scroll)
        seen += QStringLiteral(" scrolled:%1").arg(editor->verticalScrollBar()->value());
    if (m_frame->statusBar()->currentMessage() != QLatin1String("Ready"))
        seen += QStringLiteral(" status:") + m_frame->statusBar()->currentMessage();
    return seen;
}

void TestDiskChangeApp::activationFollowsTheFile_data()
{
    QTest::addColumn<QString>("activation");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("onDisk");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("expected");
    const QString gone = QStringLiteral(" status:") + QDir::toNativeSeparators(QStringLiteral("%1/page.html"))
                         + QStringLiteral(" is no longer on disk; Save writes it again.");
    for (const QString& activation : {QStringLiteral("child"), QStringLiteral("program")}) {
        const QByteArray how = activation.toLatin1();
        QTest::addRow("%s: clean page, rewritten", how.constData())
            << activation << false << "rewritten" << int(QMessageBox::No) << "asked:0 text:disk unmodified caret:120,3";
        QTest::addRow("%s: typed, rewritten, Yes", how.constData())
            << activation << true << "rewritten" << int(QMessageBox::Yes) << "asked:1 text:disk unmodified caret:120,4";
        QTest::addRow("%s: typed, rewritten, No", how.constData())
            << activation << true << "rewritten" << int(QMessageBox::No) << "asked:1 text:mine modified caret:120,4";
        QTest::addRow("%s: clean page, deleted", how.constData())
            << activation << false << "deleted" << int(QMessageBox::Yes)
            << "asked:0 text:mine modified caret:120,3" + gone;
        QTest::addRow("%s: typed, deleted", how.constData())
            << activation << true << "deleted" << int(QMessageBox::Yes)
            << "asked:0 text:mine modified caret:120,4" + gone;
    }
}

void TestDiskChangeApp::activationFollowsTheFile()
{
    QFETCH(QString, activation);
    QFETCH(bool, typed);
    QFETCH(QString, onDisk);
    QFETCH(int, answer);
    QFETCH(QString, expected);
    OpenPageAndAnother();
    if (activation == QLatin1String("program")) {
        // The page is the active window when the user leaves the program.
        m_frame->MdiArea()->setActiveSubWindow(Frame(m_page));
        QCoreApplication::processEvents();
    }
    if (typed)
        Editor(m_page)->insertPlainText(QStringLiteral("x"));
    m_typedBytes = CSourceText::Save(Editor(m_page)->document());
    if (onDisk == QLatin1String("rewritten"))
        ZtTest::WriteFile(m_page->GetPathName(), PageBytes("<P>changed by git\r\r\n"));
    else if (onDisk == QLatin1String("deleted"))
        QVERIFY(QFile::remove(m_page->GetPathName()));
    m_messages->answer = QMessageBox::StandardButton(answer);
    Activate(activation);
    expected.replace(QStringLiteral("%1"), QDir::toNativeSeparators(m_dir));
    QTRY_COMPARE(Describe(), expected);
    for (const QString& text : std::as_const(m_messages->texts))
        QCOMPARE(text, kQuestion.arg(QDir::toNativeSeparators(m_page->GetPathName())));
}

// Once the user kept their text, coming back does not ask again about the
// same change, and Save asks before it replaces the other program's file.
void TestDiskChangeApp::keptTextAsksOnceAndSaveAsks()
{
    OpenPageAndAnother();
    Editor(m_page)->insertPlainText(QStringLiteral("x"));
    m_typedBytes = CSourceText::Save(Editor(m_page)->document());
    ZtTest::WriteFile(m_page->GetPathName(), "their text");
    Activate(QStringLiteral("child"));
    QTRY_COMPARE(m_messages->texts.size(), 1);
    // Back to the other page and to the program, and once more by hand.
    m_frame->MdiArea()->setActiveSubWindow(Frame(m_other));
    Activate(QStringLiteral("program"));
    Activate(QStringLiteral("child"));
    QCoreApplication::processEvents();
    m_frame->CheckFilesOnDisk();
    QCOMPARE(m_messages->texts.size(), 1);
    QCOMPARE(ZtTest::ReadFile(m_page->GetPathName()), QByteArray("their text"));

    m_messages->answer = QMessageBox::Yes;
    QVERIFY(m_page->DoFileSave());
    QCOMPARE(m_messages->texts.size(), 2);
    QVERIFY(m_messages->texts.last().contains(QStringLiteral("was changed by another program since it was opened")));
    QCOMPARE(ZtTest::ReadFile(m_page->GetPathName()), m_typedBytes);
    QVERIFY(!m_page->IsModified());
}

// Reading a pipe would wait for a writer that never comes: the page keeps its
// text, the user hears once why it was not read again, and the window stays
// responsive.
void TestDiskChangeApp::fileTurnedIntoAPipeIsReportedOnce()
{
    OpenPageAndAnother();
    const QByteArray before = CSourceText::Save(Editor(m_page)->document());
    QVERIFY(QFile::remove(m_page->GetPathName()));
    QCOMPARE(::mkfifo(QFile::encodeName(m_page->GetPathName()).constData(), 0600), 0);
    Activate(QStringLiteral("child"));
    QTRY_COMPARE(m_messages->texts.size(), 1);
    QVERIFY(m_messages->texts.first().contains(QStringLiteral("is not a regular file")));
    m_frame->CheckFilesOnDisk();
    QCOMPARE(m_messages->texts.size(), 1);
    QCOMPARE(CSourceText::Save(Editor(m_page)->document()), before);
    QVERIFY(!m_page->IsModified());
}

ZT_APP_TEST_MAIN(TestDiskChangeApp)

#include "tst_changedondisk.moc"
