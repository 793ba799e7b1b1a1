#include "support/AppTestMain.h"

#include "app/ValidateCommands.h"
#include "editor/ZentrelView.h"
#include "tools/MessagesBar.h"
#include "tools/ValidateJob.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTreeWidget>

using namespace ZtCmd;

namespace {
// The rows of the Messages bar as "line,column text", one a line.
QStringList Rows(const QTreeWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(i);
        rows << QStringLiteral("%1,%2 %3").arg(item->text(0), item->text(1), item->text(2));
    }
    return rows;
}

QString UnderlinedLines(const QPlainTextEdit* editor)
{
    QStringList lines;
    for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline) {
                lines << QString::number(block.blockNumber() + 1);
                break;
            }
        }
    }
    return lines.join(QLatin1Char(' '));
}
} // namespace

// Tools > Validate Page in the running program: the key runs it over the
// page's unsaved text, the Messages bar lists what HTML Tidy says, a row
// leads to its place, the lines with errors are underlined, and the page
// itself is left exactly as it was.
class TestValidate : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void validatesTheUnsavedText();
    void oversizedPageIsRefused();
    void barKeptAcrossRuns();

private:
    CValidateCommands* Commands() const { return m_frame->Validate(); }
    // Runs the command by its key in editor and waits for the report.
    bool ValidateByKey(CZentrelView* editor);

    CMainFrame* m_frame = nullptr;
    ZtTest::CMessageLog m_log;
};

void TestValidate::initTestCase()
{
    m_frame = ZtTest::ShowMainFrame();
}

void TestValidate::cleanup()
{
    ZtTest::CloseAllDocuments();
    m_log.texts.clear();
}

bool TestValidate::ValidateByKey(CZentrelView* editor)
{
    QSignalSpy finished(Commands()->Job(), &CValidateJob::finished);
    // The key works in the active window only.
    m_frame->activateWindow();
    editor->setFocus();
    if (!QTest::qWaitForWindowActive(m_frame))
        return false;
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    return Commands()->Job()->IsRunning() && finished.wait(10000);
}

void TestValidate::validatesTheUnsavedText()
{
    const QString path = ZtTest::SandboxDir() + QStringLiteral("/crlf.html");
    CZentrelView* editor = ZtTest::OpenPageEditor(
        path, "<!DOCTYPE html>\r\n<html><head><title>t</title></head>\r\n<body>\r\n<p>saved</p>\r\n</body></html>\r\n");
    QVERIFY(editor);
    // Typed, not saved: the check reads what the editor holds.
    QTextCursor cursor(editor->document()->findBlockByNumber(3));
    cursor.insertText(QStringLiteral("\t<foo>x</foo>"));
    editor->setTextCursor(cursor);
    editor->document()->setModified(false);
    const int undoSteps = editor->document()->availableUndoSteps();
    const QString text = editor->document()->toRawText();

    QVERIFY(ValidateByKey(editor));
    CMessagesBar* bar = Commands()->Bar();
    QVERIFY(bar->isVisible());
    QCOMPARE(Rows(bar->List()), QStringList({"4,2 Error: <foo> is not recognized!",
                                             "4,2 Warning: discarding unexpected <foo>",
                                             "4,8 Warning: discarding unexpected </foo>"}));
    QCOMPARE(bar->Summary()->text(), QStringLiteral("crlf.html: 1 error, 2 warnings."));
    QCOMPARE(UnderlinedLines(editor), QStringLiteral("4"));

    // The page is as it was.
    QCOMPARE(editor->document()->toRawText(), text);
    QVERIFY(!editor->document()->isModified());
    QCOMPARE(editor->document()->availableUndoSteps(), undoSteps);

    // Lines typed above after the check: the click picks a row, the double
    // click that follows leads to its place; the tab before the tag is one
    // character.
    cursor = QTextCursor(editor->document()->findBlockByNumber(2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral("\n<p>new</p>\n<p>newer</p>"));
    QCOMPARE(UnderlinedLines(editor), QStringLiteral("6"));
    editor->moveCursor(QTextCursor::Start);
    const QPoint row = bar->List()->visualItemRect(bar->List()->topLevelItem(2)).center();
    QTest::mouseClick(bar->List()->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(bar->List()->viewport(), Qt::LeftButton, {}, row);
    QCOMPARE(editor->textCursor().block().blockNumber(), 5);
    QCOMPARE(editor->textCursor().block().text().mid(editor->textCursor().positionInBlock()),
             QStringLiteral("</foo><p>saved</p>"));

    // Mended, the page validates clean and the underline goes.
    cursor = QTextCursor(editor->document()->findBlockByNumber(5));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(QStringLiteral("<p>saved</p>"));
    QCOMPARE(UnderlinedLines(editor), QString());
    QVERIFY(ValidateByKey(editor));
    QCOMPARE(Rows(bar->List()), QStringList());
    QCOMPARE(bar->Summary()->text(), QStringLiteral("crlf.html: no errors or warnings."));
    QCOMPARE(m_log.texts, QStringList());
}

void TestValidate::oversizedPageIsRefused()
{
    CZentrelView* editor = ZtTest::OpenPageEditor(ZtTest::SandboxDir() + QStringLiteral("/big.html"), "<p>\n");
    QVERIFY(editor);
    const QString line = QString(79, QLatin1Char('a')) + QLatin1Char('\n');
    editor->document()->setPlainText(line.repeated(int(CTidyValidator::kMaxCharacters / line.size()) + 1));
    QVERIFY(m_frame->ExecuteCommand(ID_VALIDATE_PAGE));
    QVERIFY(!Commands()->Job()->IsRunning());
    QCOMPARE(m_log.texts.size(), 1);
    QVERIFY2(m_log.texts.at(0).startsWith(QStringLiteral("This page is too large to validate")),
             qPrintable(m_log.texts.at(0)));
}

void TestValidate::barKeptAcrossRuns()
{
    // The bar's place and whether it shows go into the profile with the
    // other bars' layout, and come back from it.
    CMessagesBar* bar = Commands()->Bar();
    m_frame->addDockWidget(Qt::RightDockWidgetArea, bar);
    bar->show();
    m_frame->SaveBarState();
    bar->hide();
    m_frame->addDockWidget(Qt::BottomDockWidgetArea, bar);
    m_frame->LoadBarState();
    QVERIFY(!bar->isHidden());
    QCOMPARE(m_frame->dockWidgetArea(bar), Qt::RightDockWidgetArea);
}

ZT_APP_TEST_MAIN(TestValidate)
#include "tst_validate.moc"
