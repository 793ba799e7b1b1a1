#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "editor/SourceText.h"
#include "editor/SyntaxColorizer.h"
#include "tools/TidyValidator.h"
#include "tools/ValidateJob.h"
#include "tools/ValidationMarks.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// A page with one thing for Tidy on most lines, and before each the
// characters that editor and Tidy count differently: a tab, a character
// outside the basic plane, an accented letter.
const char* const kPageLines[] = {
    "<!DOCTYPE html>",
    "<html><head><title>t</title></head><body>",
    "\t<p>a <b>b</p>",
    "\xf0\x9f\x98\x80\xc3\xa9<foo>x",
    "  \t<img src=\"a.png\">",
    "<table><td>1</td></zz></table>",
    "</body></html>",
};

// The page's lines joined by lineEnd, as the file holds them.
QByteArray PageBytes(const QByteArray& lineEnd)
{
    QByteArray bytes;
    for (const char* line : kPageLines)
        bytes += QByteArray(line) + lineEnd;
    return bytes;
}

// Each message as "line:E|W:what starts at its place", the place cut from
// the editor's own text, in the report's order.
QString Places(const QTextDocument& document, const CTidyReport& report)
{
    QStringList places;
    for (const CTidyMessage& message : report.messages) {
        const QString line = document.findBlockByNumber(message.line - 1).text();
        places << QStringLiteral("%1:%2:%3")
                      .arg(message.line)
                      .arg(message.severity == CTidyMessage::Error ? QLatin1Char('E') : QLatin1Char('W'))
                      .arg(line.mid(message.column, 5));
    }
    return places.join(QLatin1Char(' '));
}

// The lines of editor with a wavy underline, 0-based, blank-separated.
QString UnderlinedLines(const QPlainTextEdit& editor)
{
    QStringList lines;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline) {
                lines << QString::number(block.blockNumber());
                break;
            }
        }
    }
    return lines.join(QLatin1Char(' '));
}

// Where a message about "wo" of line 3 points after an edit made once the
// check ran: removed characters at position, inserted there instead; as
// "line number (0-based):text from there on".
QString Place(int position, int removed, const QString& inserted)
{
    QTextDocument document(QStringLiteral("zero\none\ntwo\nthree\nfour"));
    const QVector<CValidationMarks::CLineStamp> stamps = CValidationMarks::Stamps(&document);
    QTextCursor cursor(&document);
    cursor.setPosition(position);
    cursor.setPosition(position + removed, QTextCursor::KeepAnchor);
    if (removed > 0 || !inserted.isEmpty())
        cursor.insertText(inserted);
    const int at = CValidationMarks::PositionOf(&document, stamps, 3, 1);
    const QTextBlock block = document.findBlock(at);
    return QStringLiteral("%1:%2").arg(block.blockNumber()).arg(block.text().mid(at - block.position()));
}

void PlaceCursor(QPlainTextEdit& editor, int line, int column)
{
    QTextCursor cursor(editor.document()->findBlockByNumber(line));
    cursor.setPosition(cursor.position() + column);
    editor.setTextCursor(cursor);
}

} // namespace

// HTML Tidy's messages about a page, placed on the editor's text whatever the
// file's line ends; the marks under the lines with errors; the job.
class TestValidation : public QObject
{
    Q_OBJECT
private slots:
    void messagesPointAtTheirPlace_data();
    void messagesPointAtTheirPlace();
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void oversizedPagesAndFloodsAreBounded();
    void marksStayOnTheirLinesUntilEdited();
    void jobDeliversOnlyTheLastCheck();
};

void TestValidation::messagesPointAtTheirPlace_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("CR only") << QByteArray("\r");
    // One line end of the editor, two of them for a reader that counts CRs.
    QTest::newRow("CR CR LF") << QByteArray("\r\r\n");
}

void TestValidation::messagesPointAtTheirPlace()
{
    QFETCH(QByteArray, lineEnd);
    QTextDocument document;
    CSourceText::LoadInto(&document, PageBytes(lineEnd));
    const CTidyReport report = CTidyValidator::Validate(CTidyValidator::EditorText(&document));
    // Line 4's first two messages are about the <b> left open on line 3.
    const QString lineFourStart = QString::fromUtf8("4:W:\xf0\x9f\x98\x80\xc3\xa9<f");
    QCOMPARE(Places(document, report), QStringLiteral("3:W:<b>b< %1 %1 4:E:<foo> 4:W:<foo> 5:W:<img  6:W:<td>1 6:W:</zz>")
                                           .arg(lineFourStart));
}

void TestValidation::results_data()
{
    ZtTest::ResultColumns();
    // Tidy's columns, tabs expanded, as offsets into the editor's line.
    const auto offset = [](const QString& line, int tidyColumn) {
        return QString::number(CTidyValidator::TextColumn(line, tidyColumn));
    };
    ZtTest::Row("plain text", offset("ab<p>", 3), "2");
    ZtTest::Row("leading tab", offset("\t<p>", 9), "1");
    ZtTest::Row("tab on a stop", offset("abcdefgh\t<p>", 17), "9");
    ZtTest::Row("tab between letters", offset("ab\tc<p>", 10), "4");
    ZtTest::Row("outside the basic plane", offset(QString::fromUtf8("\xf0\x9f\x98\x80<p>"), 2), "2");
    ZtTest::Row("past the end", offset("ab", 40), "2");
    ZtTest::Row("no column", offset("ab", 0), "0");

    ZtTest::Row("as checked", Place(0, 0, QString()), "2:wo");
    ZtTest::Row("lines joined above", Place(4, 1, QString()), "1:wo");
    ZtTest::Row("line added below", Place(12, 0, "\nnew"), "2:wo");
    ZtTest::Row("line edited: its start", Place(10, 0, "x"), "2:txwo");
    ZtTest::Row("line gone: its number", Place(9, 4, QString()), "2:three");
    ZtTest::Row("lines gone: the last", Place(4, 19, QString()), "0:zero");
}

void TestValidation::oversizedPagesAndFloodsAreBounded()
{
    // A page beyond the limit is refused without being read.
    const QString huge(CTidyValidator::kMaxCharacters + 1, QLatin1Char('a'));
    const CTidyReport refused = CTidyValidator::Validate(huge);
    QVERIFY(refused.tooLarge);

    // A page with a complaint on every tag keeps the first messages and
    // counts the rest.
    QString flood = QStringLiteral("<!DOCTYPE html><title>t</title>\n");
    for (int i = 0; i < CTidyValidator::kMaxMessages; ++i)
        flood += QStringLiteral("<foo>\n");
    const CTidyReport report = CTidyValidator::Validate(flood);
    QCOMPARE(report.messages.size(), CTidyValidator::kMaxMessages);
    QVERIFY(report.omitted >= CTidyValidator::kMaxMessages);
    QCOMPARE(report.messages.last().line, CTidyValidator::kMaxMessages / 2 + 1);
}

void TestValidation::marksStayOnTheirLinesUntilEdited()
{
    QPlainTextEdit editor;
    editor.setPlainText(QStringLiteral("zero\none\ntwo\nthree\nfour"));
    editor.resize(400, 300);
    editor.show();
    auto* colorizer = new CSyntaxColorizer(&editor);
    colorizer->SetLanguage(QStringLiteral("page.html"));
    auto* marks = new CValidationMarks(colorizer, &editor);

    // Line "two" changes while the check runs: its mark would be stale.
    const QVector<CValidationMarks::CLineStamp> stamps = CValidationMarks::Stamps(editor.document());
    PlaceCursor(editor, 2, 3);
    QTest::keyClicks(&editor, QStringLiteral("x"));
    marks->Mark(stamps, {2, 3, 5});
    QCOMPARE(UnderlinedLines(editor), QStringLiteral("1 4"));

    // Return at a marked line's end leaves the line itself as it was.
    PlaceCursor(editor, 1, 3);
    QTest::keyClick(&editor, Qt::Key_Return);
    QCOMPARE(UnderlinedLines(editor), QStringLiteral("1 5"));

    // Typing on a marked line ends its mark, and only its mark.
    PlaceCursor(editor, 5, 1);
    QTest::keyClicks(&editor, QStringLiteral("y"));
    QCOMPARE(UnderlinedLines(editor), QStringLiteral("1"));

    marks->Clear();
    QCOMPARE(UnderlinedLines(editor), QString());
    // Going with the editor, the marks leave the colorizer behind unharmed.
    delete marks;
    QTest::keyClicks(&editor, QStringLiteral("z"));
    QCOMPARE(UnderlinedLines(editor), QString());
}

void TestValidation::jobDeliversOnlyTheLastCheck()
{
    const QString kValidPage =
        QStringLiteral("<!DOCTYPE html>\n<html><head><title>t</title></head><body><p>fine</p></body></html>\n");
    CValidateJob job;
    QSignalSpy finished(&job, &CValidateJob::finished);
    // The reports delivered, "clean" or "messages" each, once the last has
    // come: anything of an earlier check would have been queued by then too.
    auto delivered = [&job, &finished] {
        finished.wait(10000);
        QCoreApplication::processEvents();
        QStringList reports;
        for (const QList<QVariant>& report : std::as_const(finished))
            reports << (report.at(0).value<CTidyReport>().messages.isEmpty() ? "clean" : "messages");
        return reports.join(QLatin1Char(' ')) + (job.IsRunning() ? " running" : "");
    };
    job.Start(QStringLiteral("<!DOCTYPE html><title>t</title><foo>"));
    job.Start(kValidPage);
    QCOMPARE(delivered(), QStringLiteral("clean"));
    job.Start(QStringLiteral("<foo>"));
    job.Cancel();
    QVERIFY(!job.IsRunning());
    job.Start(kValidPage);
    QCOMPARE(delivered(), QStringLiteral("clean clean"));
}

ZT_TEST_MAIN(TestValidation)
#include "tst_validation.moc"
