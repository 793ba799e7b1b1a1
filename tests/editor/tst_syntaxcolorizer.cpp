#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"
#include "support/TokenNames.h"

#include "framework/Profile.h"
#include "editor/SyntaxColorizer.h"
#include "editor/TokenFormats.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// The tokens a line shows, as class:text@column, one blank between them.
// "plain" when the line is coloured but holds no token; "-" when it has no
// colours at all (never coloured, or its marks were cleared by the test);
// "broken" when its ranges do not cover the line once, in order.
QString LineColours(const QPlainTextEdit& editor, int line)
{
    const QTextBlock block = editor.document()->findBlockByNumber(line);
    const QList<QTextLayout::FormatRange> ranges = block.layout()->formats();
    if (ranges.isEmpty())
        return QStringLiteral("-");
    QStringList tokens;
    int covered = 0;
    for (const QTextLayout::FormatRange& range : ranges) {
        if (range.start != covered || range.length <= 0)
            return QStringLiteral("broken");
        covered += range.length;
        const ZtTokenClass tokenClass = CTokenFormats::ClassOf(range.format);
        if (tokenClass != ZtTokenClass::Other)
            tokens << ZtTest::DescribeToken(tokenClass, block.text(), range.start, range.length);
    }
    if (covered != block.text().size())
        return QStringLiteral("broken");
    return tokens.isEmpty() ? QStringLiteral("plain") : tokens.join(QLatin1Char(' '));
}

// Every line's colours, " | " between lines.
QString AllColours(const QPlainTextEdit& editor)
{
    QStringList lines;
    for (int line = 0; line < editor.document()->blockCount(); ++line)
        lines << LineColours(editor, line);
    return lines.join(QStringLiteral(" | "));
}

// Forgets every line's colours, so that a test can see which lines an edit
// coloured again. Changing layout formats leaves a pending layout change in
// the document, which would widen the range of the next edit's change
// notification: marking the document dirty settles it.
void ClearMarks(QPlainTextEdit& editor)
{
    QTextDocument* document = editor.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        block.layout()->clearFormats();
    document->markContentsDirty(0, document->characterCount());
}

void PlaceCursor(QPlainTextEdit& editor, int position, int anchor = -1)
{
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(anchor < 0 ? position : anchor);
    if (anchor >= 0)
        cursor.setPosition(position, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
}

struct Editor
{
    QPlainTextEdit edit;
    CSyntaxColorizer* colorizer;

    explicit Editor(const QString& text, const QString& name = QStringLiteral("page.html"),
                    bool coloring = true)
    {
        edit.setPlainText(text);
        edit.resize(500, 300);
        edit.show();
        colorizer = new CSyntaxColorizer(&edit);
        colorizer->SetSyntaxColoring(coloring);
        colorizer->SetLanguage(name);
    }
};

// Underlines every "xx" on a line; which lines it marks can change.
class CDoubleXDecorator : public CLineDecorator
{
public:
    bool m_bMarking = true;
    void Decorate(const QTextBlock& block, QList<QTextLayout::FormatRange>& ranges) override
    {
        if (!m_bMarking)
            return;
        QTextCharFormat underline;
        underline.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        for (int at = block.text().indexOf(QLatin1String("xx")); at >= 0;
             at = block.text().indexOf(QLatin1String("xx"), at + 2))
            ranges.append({at, 2, underline});
    }
};

// Where each line's underlines are, as start+length; " | " between lines.
QString Underlines(const QPlainTextEdit& editor)
{
    QStringList lines;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
        QStringList marks;
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline)
                marks << QStringLiteral("%1+%2").arg(range.start).arg(range.length);
        }
        lines << marks.join(QLatin1Char(' '));
    }
    return lines.join(QStringLiteral(" | "));
}

// Lines "<TABLE WIDTH=n>", n counting from 0, without a final line break.
QString TableLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("<TABLE WIDTH=%1>").arg(i);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TestSyntaxColorizer : public QObject
{
    Q_OBJECT
private slots:
    void openColoursEveryLine();
    void colouringLeavesEditorStateAlone();
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void pasteRecoloursPastedLines();
    void unannouncedChangesAreColoured();
    void partialRangeKeepsTheRestOfTheLine();
    void nulEndsTheColouredText();
    void colouringOffTouchesNothing();
    void shownLinesAreExact_data();
    void shownLinesAreExact();
    void linesOutOfViewGiveTheirColoursAndGlyphsUp();
    void decoratorsMarkLinesWithoutTouchingTheText();
};

void TestSyntaxColorizer::openColoursEveryLine()
{
    Editor e(QStringLiteral("<TABLE WIDTH=\"100%\">\n<table>\n\"open\nG92.1 12.5e3px\n\nRed"));
    // An empty line has nothing to colour.
    QCOMPARE(AllColours(e.edit), QStringLiteral("kw1:TABLE@1 kw1:WIDTH@7 str:\"100%\"@13 | plain | "
                                                 "str:\"open@0 | num:1@4 num:12.5e3@6 | - | kw2:Red@0"));
    QVERIFY(!e.edit.document()->isModified());
    QCOMPARE(e.edit.document()->availableUndoSteps(), 0);
}

void TestSyntaxColorizer::colouringLeavesEditorStateAlone()
{
    Editor e(QStringLiteral("<TABLE BORDER=1>cell</TABLE>\n").repeated(2000));
    QTextDocument* document = e.edit.document();
    QTest::keyClicks(&e.edit, QStringLiteral("<P>")); // one user edit on the undo stack
    document->setModified(false);
    PlaceCursor(e.edit, 30010, 30000);
    e.edit.verticalScrollBar()->setValue(900);
    const int scroll = e.edit.verticalScrollBar()->value();
    QVERIFY(scroll > 0);
    const int undoSteps = document->availableUndoSteps();

    ClearMarks(e.edit);
    e.colorizer->ColorizeAll();

    QCOMPARE(LineColours(e.edit, 1500), QStringLiteral("kw1:TABLE@1 kw1:BORDER@7 num:1@14 kw1:TABLE@22"));
    QCOMPARE(QStringLiteral("%1-%2 scroll:%3 modified:%4 undo:%5").arg(e.edit.textCursor().anchor())
                 .arg(e.edit.textCursor().position()).arg(e.edit.verticalScrollBar()->value() == scroll)
                 .arg(document->isModified()).arg(document->availableUndoSteps() - undoSteps),
             QStringLiteral("30000-30010 scroll:1 modified:0 undo:0"));
}

// Types keys over the selection anchor..position of a fresh editor, after
// typedBefore was typed there and the marks were cleared: every line's
// colours, and "undo:n" when the undo stack does not hold just the edit.
static QString AfterKeys(const QString& text, int anchor, int position, const QKeySequence& keys,
                         const QString& typedBefore = QString())
{
    Editor e(text);
    PlaceCursor(e.edit, position, anchor);
    QTest::keyClicks(&e.edit, typedBefore);
    ClearMarks(e.edit);
    QTest::keySequence(&e.edit, keys);
    const int undoSteps = e.edit.document()->availableUndoSteps();
    return AllColours(e.edit) + (undoSteps == (typedBefore.isEmpty() ? 1 : 0) ? QString() : QStringLiteral(" undo:%1").arg(undoSteps));
}

// A move within the editor, made the way the editor's drop does it: the
// selection is removed and the text inserted at the drop place, in one edit
// block. Both the place the text left and the place it landed are coloured
// again.
static QString AfterMove(const QString& text, int anchor, int position, int dropAt)
{
    Editor e(text);
    ClearMarks(e.edit);
    PlaceCursor(e.edit, position, anchor);
    QTextCursor selection = e.edit.textCursor();
    const QString moved = selection.selectedText();
    QTextCursor drop(e.edit.document());
    drop.setPosition(dropAt);
    drop.beginEditBlock();
    selection.removeSelectedText();
    drop.insertText(moved);
    drop.endEditBlock();
    e.edit.setTextCursor(drop);
    return AllColours(e.edit);
}

// A view that does not colour yet asks the profile when it gets its language:
// colouring must be switched on and the file smaller than the size limit (a
// file not saved yet counts as empty).
// Writes SyntaxColoringOn and SyntaxFileSize (empty: absent) and a file of
// bytes (-1: none), and describes the colours its view gets.
static QString ColoursFor(const QString& coloringOn, const QString& fileSize, int bytes)
{
    CProfile& profile = CProfile::Instance();
    const QString settings = QStringLiteral("Settings");
    profile.RemoveKey(settings, QStringLiteral("SyntaxColoringOn"));
    profile.RemoveKey(settings, QStringLiteral("SyntaxFileSize"));
    if (!coloringOn.isEmpty())
        profile.WriteString(settings, QStringLiteral("SyntaxColoringOn"), coloringOn);
    if (!fileSize.isEmpty())
        profile.WriteString(settings, QStringLiteral("SyntaxFileSize"), fileSize);
    const QString path = ZtTest::SandboxDir() + QStringLiteral("/style.css");
    QFile::remove(path);
    if (bytes >= 0)
        ZtTest::WriteFile(path, QByteArray(bytes, 'x'));
    Editor e(QStringLiteral("p { color: red }"), path, false);
    return QStringLiteral("%1 %2").arg(e.colorizer->IsSyntaxColoring()).arg(LineColours(e.edit, 0));
}

// After an edit made with keys or a move, the lines it touched are coloured
// again and the others are left alone; an undo colours everything.
void TestSyntaxColorizer::results_data()
{
    ZtTest::ResultColumns();
    const QString three = QStringLiteral("TABLE\nTABLE\nTABLE");
    const QString four = QStringLiteral("TABLE\nTABLES\nTABLEX\nTABLE");
    ZtTest::Row("typing", AfterKeys(three, 11, 11, Qt::Key_S), "- | plain | -");
    ZtTest::Row("enter colours both halves", AfterKeys(three, 3, 3, Qt::Key_Return), "plain | plain | - | -");
    ZtTest::Row("backspace", AfterKeys(four, 12, 12, Qt::Key_Backspace), "- | kw1:TABLE@0 | - | -");
    ZtTest::Row("delete", AfterKeys(four, 18, 18, Qt::Key_Delete), "- | - | kw1:TABLE@0 | -");
    ZtTest::Row("backspace joins lines", AfterKeys(three, 12, 12, Qt::Key_Backspace), "- | plain");
    ZtTest::Row("cut", AfterKeys("TABLE\nTABLES\nTABLE", 11, 12, QKeySequence::Cut), "- | kw1:TABLE@0 | -");
    ZtTest::Row("undo colours everything", AfterKeys(three, 11, 11, QKeySequence::Undo, "s"),
                "kw1:TABLE@0 | kw1:TABLE@0 | kw1:TABLE@0");
    ZtTest::Row("move forward", AfterMove("<TABLE>\nxx\n<P>\nyy \n<BR>", 1, 6, 18),
                "plain | plain | kw1:P@1 | kw1:TABLE@3 | -");
    ZtTest::Row("move backward", AfterMove("<BR>\nyy \n<P>\nxx\n<TABLE>", 17, 22, 8),
                "- | kw1:TABLE@3 | kw1:P@1 | plain | plain");

    const QString on = QStringLiteral("1 kw1:color@4 kw2:red@11");
    ZtTest::Row("profile: below the limit", ColoursFor("1", "100", 16), on);
    ZtTest::Row("profile: at the limit", ColoursFor("1", "16", 16), "0 -");
    ZtTest::Row("profile: not saved yet", ColoursFor("1", "100", -1), on);
    ZtTest::Row("profile: limit 0", ColoursFor("1", "0", 0), "0 -");
    ZtTest::Row("profile: limit absent", ColoursFor("1", "", 0), "0 -");
    ZtTest::Row("profile: switched off", ColoursFor("0", "100", 16), "0 -");
    ZtTest::Row("profile: switch absent", ColoursFor("", "100", 16), "0 -");
    ZtTest::Row("profile: any non-zero switch", ColoursFor("2", "100", 16), on);
}

void TestSyntaxColorizer::pasteRecoloursPastedLines()
{
    Editor e(QStringLiteral("<P>\nxx<BR>\n<HR>"));
    ClearMarks(e.edit);
    QApplication::clipboard()->setText(QStringLiteral("<TD>\"v\"\n").repeated(1000) + QStringLiteral("<TR>"));
    PlaceCursor(e.edit, 6); // after "xx"
    QTest::keyClick(&e.edit, Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(QStringList({LineColours(e.edit, 0), LineColours(e.edit, 1), LineColours(e.edit, 500),
                          LineColours(e.edit, 1001), LineColours(e.edit, 1002)}).join(" | "),
             QStringLiteral("- | kw1:TD@3 str:\"v\"@6 | kw1:TD@1 str:\"v\"@4 | kw1:TR@1 kw1:BR@5 | -"));
}

void TestSyntaxColorizer::unannouncedChangesAreColoured()
{
    Editor e(QStringLiteral("one\ntwo\nthree"));
    ClearMarks(e.edit);
    PlaceCursor(e.edit, 0); // the caret is far from the change
    QTextCursor cursor(e.edit.document());
    cursor.setPosition(6);
    cursor.insertText(QStringLiteral("<TABLE>\n\"s\""));
    QCOMPARE(AllColours(e.edit), QStringLiteral("plain | kw1:TABLE@3 | str:\"s\"@0 | -"));

    e.edit.setPlainText(QStringLiteral("<BR>\n<HR>"));
    QCOMPARE(AllColours(e.edit), QStringLiteral("kw1:BR@1 | kw1:HR@1"));
}

void TestSyntaxColorizer::partialRangeKeepsTheRestOfTheLine()
{
    Editor e(QStringLiteral("TABLE TABLE TABLE"));
    ClearMarks(e.edit);
    // Colouring a line in parts gives the same as colouring all at once;
    // a range starting inside a word sees only the word's tail.
    e.colorizer->ColorizeRange(6, 11);
    e.colorizer->ColorizeRange(0, 6);
    e.colorizer->ColorizeRange(11, 17);
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("kw1:TABLE@0 kw1:TABLE@6 kw1:TABLE@12"));
    e.colorizer->ColorizeRange(13, 17);
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("kw1:TABLE@0 kw1:TABLE@6 kw1:T@12"));
}

void TestSyntaxColorizer::nulEndsTheColouredText()
{
    Editor e(QStringLiteral("<P>") + QChar(0) + QStringLiteral("<P>\n<P>"));
    ClearMarks(e.edit);
    e.colorizer->ColorizeAll();
    const QList<QTextLayout::FormatRange> ranges = e.edit.document()->firstBlock().layout()->formats();
    QVERIFY(!ranges.isEmpty());
    QCOMPARE(ranges.last().start + ranges.last().length, 3);
    QCOMPARE(LineColours(e.edit, 1), QStringLiteral("-"));
}

void TestSyntaxColorizer::colouringOffTouchesNothing()
{
    CProfile::Instance().WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"), 0);
    Editor e(QStringLiteral("<TABLE>\n\"s\""), QStringLiteral("page.html"), false);
    PlaceCursor(e.edit, 1);
    QTest::keyClicks(&e.edit, QStringLiteral("P "));
    QTest::keyClick(&e.edit, Qt::Key_Z, Qt::ControlModifier);
    e.colorizer->ColorizeAll();
    e.colorizer->ColorizeLines(0, 5);
    QCOMPARE(AllColours(e.edit), QStringLiteral("- | -"));
}

namespace {

// The colours a line of shownLinesAreExact's text must show.
QString ExpectedColours(const QString& line)
{
    if (line == QLatin1String("<P>"))
        return QStringLiteral("kw1:P@1");
    if (line.startsWith(QLatin1Char('"')))
        return QStringLiteral("str:%1@0").arg(line);
    const QString number = line.mid(13, line.size() - 14); // <TABLE WIDTH=n>
    return QStringLiteral("kw1:TABLE@1 kw1:WIDTH@7 num:%1@13").arg(number);
}

// Moves the caret with keys, lets the editor paint, and checks the colours
// of every line on screen.
void JumpAndCheck(Editor& e, QKeySequence keys)
{
    QTest::keySequence(&e.edit, keys);
    e.edit.grab(); // paints the editor
    const int first = e.edit.cursorForPosition(QPoint(0, 0)).blockNumber();
    const int last = e.edit.cursorForPosition(QPoint(0, e.edit.viewport()->height() - 1)).blockNumber();
    QVERIFY(last > first);
    for (int line = first; line <= last; ++line) {
        const QString text = e.edit.document()->findBlockByNumber(line).text();
        QCOMPARE(LineColours(e.edit, line), ExpectedColours(text));
    }
}

} // namespace

// Lines get their colours when they are shown: after far jumps, and after
// edits made while they were out of view, whatever they showed before. Lines
// in between that were never shown hold no colours.
void TestSyntaxColorizer::shownLinesAreExact_data()
{
    QTest::addColumn<int>("line");       // where the edit starts
    QTest::addColumn<QString>("insert");
    QTest::newRow("small edit off screen") << 10 << "\"";
    QTest::newRow("large paste off screen") << 10 << QStringLiteral("<P>\n").repeated(2500) + QLatin1Char('"');
}

void TestSyntaxColorizer::shownLinesAreExact()
{
    QFETCH(int, line);
    QFETCH(QString, insert);
    Editor e(TableLines(3000));
    JumpAndCheck(e, QKeySequence(Qt::CTRL | Qt::Key_End));
    JumpAndCheck(e, QKeySequence(Qt::CTRL | Qt::Key_Home));
    JumpAndCheck(e, QKeySequence(Qt::CTRL | Qt::Key_End));
    QTextCursor(e.edit.document()->findBlockByNumber(line)).insertText(insert);
    JumpAndCheck(e, QKeySequence(Qt::CTRL | Qt::Key_Home));
    JumpAndCheck(e, QKeySequence(Qt::CTRL | Qt::Key_End));
    QCOMPARE(LineColours(e.edit, 1500), QStringLiteral("-"));
}

// Scrolling through a long text keeps colours only for the lines seen last
// (a few thousand); the first screen, long out of view, has given its ranges
// up and gets them back when it is shown again. Lines keep their shaped
// glyphs only while they are on the screen, wherever edits have moved them: a
// long paste above the lines seen, or into the middle of the screen, leaves
// none of them holding glyphs once scrolled away.
void TestSyntaxColorizer::linesOutOfViewGiveTheirColoursAndGlyphsUp()
{
    const int lines = 20000;
    Editor e(TableLines(lines));
    QScrollBar* bar = e.edit.verticalScrollBar();
    while (bar->value() < bar->maximum()) {
        bar->setValue(bar->value() + 200);
        e.edit.grab();
    }
    int coloured = 0;
    for (int line = 0; line < lines; ++line)
        coloured += LineColours(e.edit, line) != QLatin1String("-");
    QVERIFY2(coloured < lines / 4, qPrintable(QString::number(coloured)));
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("-"));
    QVERIFY(e.edit.document()->lastBlock().layout()->cacheEnabled());
    QVERIFY(!e.edit.document()->firstBlock().layout()->cacheEnabled());
    JumpAndCheck(e, QKeySequence(Qt::CTRL | Qt::Key_Home));

    const auto scroll = [&](int from, int to) {
        for (int line = from; line < to && line <= bar->maximum(); line += 15) {
            bar->setValue(line);
            e.edit.grab();
        }
    };
    // The lines holding glyphs, as numbers outside the screen.
    const auto heldOffScreen = [&] {
        const int first = e.edit.document()->findBlockByLineNumber(bar->value()).blockNumber();
        QStringList held;
        for (QTextBlock block = e.edit.document()->firstBlock(); block.isValid(); block = block.next()) {
            const int number = block.blockNumber();
            if (block.layout()->cacheEnabled() && (number < first || number > first + 100))
                held << QString::number(number);
        }
        return held.size() > 5 ? QString::number(held.size()) + QStringLiteral(" lines") : held.join(' ');
    };
    const QString paste = QStringLiteral("<P CLASS=x>\n").repeated(3000);
    for (int round = 0; round < 3; ++round) {
        scroll(8000 + round * 1500, 9500 + round * 1500);
        QTextCursor(e.edit.document()).insertText(paste);
        scroll(0, 5000);
        QCOMPARE(heldOffScreen(), QString());
    }
    // Into the middle of the screen: the shown lines after the paste move
    // down past it.
    bar->setValue(20000);
    e.edit.grab();
    QTextCursor middle(e.edit.document()->findBlockByLineNumber(bar->value() + 10));
    middle.insertText(paste);
    const QImage shown = e.edit.grab().toImage();
    bar->setValue(0);
    e.edit.grab();
    QCOMPARE(heldOffScreen(), QString());
    // Lines that gave their glyphs up are laid out and painted as before.
    bar->setValue(20000);
    QCOMPARE(e.edit.grab().toImage(), shown);
}

void TestSyntaxColorizer::decoratorsMarkLinesWithoutTouchingTheText()
{
    for (const bool coloring : {true, false}) {
        CProfile::Instance().WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"), coloring);
        Editor e(QStringLiteral("<TABLE>xx</TABLE> xx\nplain\n\"xx"), QStringLiteral("page.html"), coloring);
        CDoubleXDecorator decorator;
        e.colorizer->AddDecorator(&decorator);
        QCOMPARE(Underlines(e.edit), QStringLiteral("7+2 18+2 |  | 1+2"));
        if (coloring) // the token colours stay under the marks
            QCOMPARE(LineColours(e.edit, 1), QStringLiteral("plain"));

        // Typing marks the new text; the marks never reach the undo stack.
        PlaceCursor(e.edit, 21);
        QTest::keyClicks(&e.edit, QStringLiteral("xx"));
        QCOMPARE(Underlines(e.edit), QStringLiteral("7+2 18+2 | 0+2 | 1+2"));
        QCOMPARE(e.edit.document()->availableUndoSteps(), 1);

        // Marks that change are redrawn when the decorator asks, and go with it.
        decorator.m_bMarking = false;
        e.colorizer->Redecorate(0, 0);
        QCOMPARE(Underlines(e.edit), QStringLiteral(" | 0+2 | 1+2"));
        decorator.m_bMarking = true;
        e.colorizer->RedecorateAll();
        QCOMPARE(Underlines(e.edit), QStringLiteral("7+2 18+2 | 0+2 | 1+2"));
        e.colorizer->RemoveDecorator(&decorator);
        QCOMPARE(Underlines(e.edit), QStringLiteral(" |  | "));
        QCOMPARE(LineColours(e.edit, 0), coloring ? QStringLiteral("kw1:TABLE@1 kw1:TABLE@11") : QStringLiteral("-"));
    }
}

ZT_TEST_MAIN(TestSyntaxColorizer)
#include "tst_syntaxcolorizer.moc"
