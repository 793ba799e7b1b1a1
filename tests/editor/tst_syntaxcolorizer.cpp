#include "support/TestMain.h"
#include "support/TokenNames.h"

#include "framework/Profile.h"
#include "editor/SyntaxColorizer.h"
#include "editor/TokenFormats.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// The tokens a line shows, as class:text@column, one blank between them.
// "-" when the line has no colours at all (never coloured, or its marks were
// cleared by the test); "broken" when its ranges do not cover the line once,
// in order.
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
    return tokens.join(QLatin1Char(' '));
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

QString Lines(const QString& line, int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += line + QLatin1Char('\n');
    return text;
}

} // namespace

class TestSyntaxColorizer : public QObject
{
    Q_OBJECT
private slots:
    void openColoursEveryLine();
    void classLooks();
    void colouringLeavesEditorStateAlone();
    void typingRecoloursItsLine();
    void backspaceAndDeleteRecolourCaretLine();
    void pasteRecoloursPastedLines();
    void cutRecoloursCaretLine();
    void dragMoveRecoloursBothPlaces();
    void dropFromOutsideIsColoured();
    void undoRecoloursEverything();
    void unannouncedChangesAreColoured();
    void partialRangeKeepsTheRestOfTheLine();
    void nulEndsTheColouredText();
    void colouringOffTouchesNothing();
    void setLanguageAsksWhenNotColouring();
};

void TestSyntaxColorizer::openColoursEveryLine()
{
    Editor e(QStringLiteral("<TABLE WIDTH=\"100%\">\n<table>\n\"open\nG92.1 12.5e3px\n\nRed"));
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("kw1:TABLE@1 kw1:WIDTH@7 str:\"100%\"@13"));
    QCOMPARE(LineColours(e.edit, 1), QString());
    QCOMPARE(LineColours(e.edit, 2), QStringLiteral("str:\"open@0"));
    QCOMPARE(LineColours(e.edit, 3), QStringLiteral("num:1@4 num:12.5e3@6"));
    QCOMPARE(LineColours(e.edit, 4), QStringLiteral("-")); // an empty line has nothing to colour
    QCOMPARE(LineColours(e.edit, 5), QStringLiteral("kw2:Red@0"));
    QVERIFY(!e.edit.document()->isModified());
    QCOMPARE(e.edit.document()->availableUndoSteps(), 0);
}

void TestSyntaxColorizer::classLooks()
{
    Editor e(QStringLiteral("<P \"s\" Red 7>"));
    const QList<QTextLayout::FormatRange> ranges = e.edit.document()->firstBlock().layout()->formats();
    auto formatAt = [&](int column) {
        for (const QTextLayout::FormatRange& range : ranges)
            if (column >= range.start && column < range.start + range.length)
                return range.format;
        return QTextCharFormat();
    };
    QCOMPARE(formatAt(0).foreground().color(), QColor(0, 0, 0)); // '<' is other text
    QCOMPARE(formatAt(0).fontWeight(), int(QFont::Normal));
    QCOMPARE(formatAt(1).foreground().color(), QColor(0, 0, 255));
    QCOMPARE(formatAt(1).fontWeight(), int(QFont::Normal));
    QCOMPARE(formatAt(3).foreground().color(), QColor(120, 100, 50));
    QCOMPARE(formatAt(7).foreground().color(), QColor(0, 0, 0));
    QCOMPARE(formatAt(7).fontWeight(), int(QFont::Bold));
    QCOMPARE(formatAt(11).foreground().color(), QColor(0, 0, 0));
    QCOMPARE(formatAt(11).fontWeight(), int(QFont::Normal));
}

void TestSyntaxColorizer::colouringLeavesEditorStateAlone()
{
    Editor e(Lines(QStringLiteral("<TABLE BORDER=1>cell</TABLE>"), 2000));
    QTextDocument* document = e.edit.document();
    QTest::keyClicks(&e.edit, QStringLiteral("<P>")); // one user edit on the undo stack
    document->setModified(false);
    PlaceCursor(e.edit, 30010, 30000);
    e.edit.verticalScrollBar()->setValue(900);
    const int scroll = e.edit.verticalScrollBar()->value();
    QVERIFY(scroll > 0);
    const int undoSteps = document->availableUndoSteps();
    QSignalSpy undoAdded(document, &QTextDocument::undoCommandAdded);
    QSignalSpy modification(document, &QTextDocument::modificationChanged);

    ClearMarks(e.edit);
    e.colorizer->ColorizeAll();

    QCOMPARE(LineColours(e.edit, 1500), QStringLiteral("kw1:TABLE@1 kw1:BORDER@7 num:1@14 kw1:TABLE@22"));
    QCOMPARE(e.edit.textCursor().anchor(), 30000);
    QCOMPARE(e.edit.textCursor().position(), 30010);
    QCOMPARE(e.edit.verticalScrollBar()->value(), scroll);
    QVERIFY(!document->isModified());
    QCOMPARE(document->availableUndoSteps(), undoSteps);
    QCOMPARE(undoAdded.count(), 0);
    QCOMPARE(modification.count(), 0);
    QCOMPARE(e.colorizer->EditKind(), ZentrelEditKind::None);
}

void TestSyntaxColorizer::typingRecoloursItsLine()
{
    Editor e(QStringLiteral("TABLE\nTABLE\nTABLE"));
    ClearMarks(e.edit);
    PlaceCursor(e.edit, 11);
    QTest::keyClicks(&e.edit, QStringLiteral("S"));
    QCOMPARE(e.edit.document()->firstBlock().next().text(), QStringLiteral("TABLES"));
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("-"));
    QCOMPARE(LineColours(e.edit, 1), QString()); // TABLES turned back to plain text
    QCOMPARE(LineColours(e.edit, 2), QStringLiteral("-"));
    QCOMPARE(e.edit.document()->availableUndoSteps(), 1);

    // Enter splits the line: both halves are coloured.
    ClearMarks(e.edit);
    PlaceCursor(e.edit, 3);
    QTest::keyClick(&e.edit, Qt::Key_Return);
    QCOMPARE(LineColours(e.edit, 0), QString());
    QCOMPARE(LineColours(e.edit, 1), QString());
    QCOMPARE(LineColours(e.edit, 2), QStringLiteral("-"));
    QCOMPARE(e.edit.document()->availableUndoSteps(), 2);
}

void TestSyntaxColorizer::backspaceAndDeleteRecolourCaretLine()
{
    Editor e(QStringLiteral("TABLE\nTABLES\nTABLEX\nTABLE"));
    ClearMarks(e.edit);
    PlaceCursor(e.edit, 12);
    QTest::keyClick(&e.edit, Qt::Key_Backspace);
    QCOMPARE(LineColours(e.edit, 1), QStringLiteral("kw1:TABLE@0"));
    QCOMPARE(LineColours(e.edit, 2), QStringLiteral("-"));

    ClearMarks(e.edit);
    PlaceCursor(e.edit, 17);
    QTest::keyClick(&e.edit, Qt::Key_Delete);
    QCOMPARE(LineColours(e.edit, 1), QStringLiteral("-"));
    QCOMPARE(LineColours(e.edit, 2), QStringLiteral("kw1:TABLE@0"));
    QCOMPARE(LineColours(e.edit, 3), QStringLiteral("-"));

    // Backspace at a line start joins two lines into one keyword-free line.
    ClearMarks(e.edit);
    PlaceCursor(e.edit, 18);
    QTest::keyClick(&e.edit, Qt::Key_Backspace);
    QCOMPARE(e.edit.document()->blockCount(), 3);
    QCOMPARE(LineColours(e.edit, 2), QString());
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("-"));
}

void TestSyntaxColorizer::pasteRecoloursPastedLines()
{
    Editor e(QStringLiteral("<P>\nxx<BR>\n<HR>"));
    ClearMarks(e.edit);
    QApplication::clipboard()->setText(Lines(QStringLiteral("<TD>\"v\""), 1000) + QStringLiteral("<TR>"));
    PlaceCursor(e.edit, 6); // after "xx"
    QSignalSpy undoAdded(e.edit.document(), &QTextDocument::undoCommandAdded);
    QTest::keyClick(&e.edit, Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(e.edit.document()->blockCount(), 1003);
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("-"));
    QCOMPARE(LineColours(e.edit, 1), QStringLiteral("kw1:TD@3 str:\"v\"@6"));
    QCOMPARE(LineColours(e.edit, 500), QStringLiteral("kw1:TD@1 str:\"v\"@4"));
    QCOMPARE(LineColours(e.edit, 1001), QStringLiteral("kw1:TR@1 kw1:BR@5"));
    QCOMPARE(LineColours(e.edit, 1002), QStringLiteral("-"));
    // The paste is the only thing on the undo stack: one undo takes it away.
    QCOMPARE(undoAdded.count(), 1);
    e.edit.undo();
    QCOMPARE(e.edit.toPlainText(), QStringLiteral("<P>\nxx<BR>\n<HR>"));
    QVERIFY(!e.edit.document()->isUndoAvailable());
}

void TestSyntaxColorizer::cutRecoloursCaretLine()
{
    Editor e(QStringLiteral("TABLE\nTABLES\nTABLE"));
    ClearMarks(e.edit);
    PlaceCursor(e.edit, 12, 11); // the S
    QTest::keyClick(&e.edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("S"));
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("-"));
    QCOMPARE(LineColours(e.edit, 1), QStringLiteral("kw1:TABLE@0"));
    QCOMPARE(LineColours(e.edit, 2), QStringLiteral("-"));
}

void TestSyntaxColorizer::dragMoveRecoloursBothPlaces()
{
    // A move within the editor, made the way the editor's drop does it: the
    // selection is removed and the text inserted at the drop place, in one
    // edit block, announced as a cut followed by a paste.
    Editor e(QStringLiteral("<TABLE>\nxx\n<P>\nyy \n<BR>"));
    ClearMarks(e.edit);
    PlaceCursor(e.edit, 6, 1); // "TABLE"
    e.colorizer->OnProtected(ZtEditAnnouncement::Cut);
    e.colorizer->OnProtected(ZtEditAnnouncement::Paste);
    QCOMPARE(e.colorizer->EditKind(), ZentrelEditKind::MovePaste);
    QTextCursor selection = e.edit.textCursor();
    QTextCursor dropAt(e.edit.document());
    dropAt.setPosition(18); // after "yy "
    dropAt.beginEditBlock();
    selection.removeSelectedText();
    dropAt.insertText(QStringLiteral("TABLE"));
    dropAt.endEditBlock();
    e.edit.setTextCursor(dropAt);

    QCOMPARE(e.edit.document()->findBlockByNumber(3).text(), QStringLiteral("yy TABLE"));
    QCOMPARE(LineColours(e.edit, 0), QString()); // the place the text left
    QCOMPARE(LineColours(e.edit, 1), QString());
    QCOMPARE(LineColours(e.edit, 2), QStringLiteral("kw1:P@1"));
    QCOMPARE(LineColours(e.edit, 3), QStringLiteral("kw1:TABLE@3")); // where it landed
    QCOMPARE(LineColours(e.edit, 4), QStringLiteral("-"));
    QCOMPARE(e.colorizer->EditKind(), ZentrelEditKind::None);
}

void TestSyntaxColorizer::dropFromOutsideIsColoured()
{
    Editor e(QStringLiteral("aaaa\nbbbb\ncccc"));
    ClearMarks(e.edit);
    QMimeData data;
    data.setText(QStringLiteral("<IMG SRC=\"x.gif\">"));
    QTextCursor lineStart(e.edit.document()->findBlockByNumber(1));
    const QPoint start = e.edit.cursorRect(lineStart).center();
    QDragEnterEvent enter(start, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(e.edit.viewport(), &enter);
    QDragMoveEvent move(start, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(e.edit.viewport(), &move);
    QDropEvent drop(start, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(e.edit.viewport(), &drop);
    QVERIFY(e.edit.document()->findBlockByNumber(1).text().contains(QStringLiteral("IMG")));
    QCOMPARE(LineColours(e.edit, 1), QStringLiteral("kw1:IMG@1 kw1:SRC@5 str:\"x.gif\"@9"));
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("-"));
    QCOMPARE(LineColours(e.edit, 2), QStringLiteral("-"));
}

void TestSyntaxColorizer::undoRecoloursEverything()
{
    Editor e(QStringLiteral("TABLE\nTABLE\nTABLE"));
    PlaceCursor(e.edit, 11);
    QTest::keyClicks(&e.edit, QStringLiteral("S"));
    QCOMPARE(LineColours(e.edit, 1), QString());
    ClearMarks(e.edit);
    QTest::keyClick(&e.edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e.edit.document()->findBlockByNumber(1).text(), QStringLiteral("TABLE"));
    for (int line = 0; line < 3; ++line)
        QCOMPARE(LineColours(e.edit, line), QStringLiteral("kw1:TABLE@0"));
    QCOMPARE(e.edit.document()->availableUndoSteps(), 0);
    QVERIFY(!e.edit.document()->isModified());

    // Undo through a command: the view announces it as Other.
    QTest::keyClicks(&e.edit, QStringLiteral("S"));
    ClearMarks(e.edit);
    e.colorizer->OnProtected(ZtEditAnnouncement::Other);
    e.edit.undo();
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("kw1:TABLE@0"));
    QCOMPARE(LineColours(e.edit, 2), QStringLiteral("kw1:TABLE@0"));
}

void TestSyntaxColorizer::unannouncedChangesAreColoured()
{
    Editor e(QStringLiteral("one\ntwo\nthree"));
    ClearMarks(e.edit);
    PlaceCursor(e.edit, 0); // the caret is far from the change
    QTextCursor cursor(e.edit.document());
    cursor.setPosition(6);
    cursor.insertText(QStringLiteral("<TABLE>\n\"s\""));
    QCOMPARE(LineColours(e.edit, 0), QString()); // the caret's line
    QCOMPARE(LineColours(e.edit, 1), QStringLiteral("kw1:TABLE@3"));
    QCOMPARE(LineColours(e.edit, 2), QStringLiteral("str:\"s\"@0"));
    QCOMPARE(LineColours(e.edit, 3), QStringLiteral("-"));

    e.edit.setPlainText(QStringLiteral("<BR>\n<HR>"));
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("kw1:BR@1"));
    QCOMPARE(LineColours(e.edit, 1), QStringLiteral("kw1:HR@1"));

    // A key that edits nothing leaves no announcement behind for a later
    // change made by code.
    PlaceCursor(e.edit, 0);
    QTest::keyClick(&e.edit, Qt::Key_Backspace);
    QCoreApplication::processEvents();
    QCOMPARE(e.colorizer->EditKind(), ZentrelEditKind::None);
}

void TestSyntaxColorizer::partialRangeKeepsTheRestOfTheLine()
{
    Editor e(QStringLiteral("TABLE TABLE TABLE"));
    ClearMarks(e.edit);
    e.colorizer->ColorizeRange(6, 11);
    const QList<QTextLayout::FormatRange> ranges = e.edit.document()->firstBlock().layout()->formats();
    QCOMPARE(ranges.size(), 1);
    QCOMPARE(ranges[0].start, 6);
    QCOMPARE(ranges[0].length, 5);

    // Colouring the rest afterwards gives the same as colouring all at once;
    // a range starting inside a word sees only the word's tail.
    e.colorizer->ColorizeRange(0, 6);
    e.colorizer->ColorizeRange(11, 17);
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("kw1:TABLE@0 kw1:TABLE@6 kw1:TABLE@12"));
    e.colorizer->ColorizeRange(13, 17);
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("kw1:TABLE@0 kw1:TABLE@6 kw1:T@12"));
}

void TestSyntaxColorizer::nulEndsTheColouredText()
{
    Editor e(QStringLiteral("x"));
    e.edit.setPlainText(QStringLiteral("<P>") + QChar(0) + QStringLiteral("<P>\n<P>"));
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
    QVERIFY(!e.colorizer->IsSyntaxColoring());
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("-"));
    PlaceCursor(e.edit, 1);
    QTest::keyClicks(&e.edit, QStringLiteral("P "));
    QTest::keyClick(&e.edit, Qt::Key_Z, Qt::ControlModifier);
    e.colorizer->ColorizeAll();
    e.colorizer->ColorizeLines(0, 5);
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("-"));
    QCOMPARE(LineColours(e.edit, 1), QStringLiteral("-"));
}

void TestSyntaxColorizer::setLanguageAsksWhenNotColouring()
{
    CProfile& profile = CProfile::Instance();
    profile.WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"), 1);
    profile.WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 100);
    const QString small = ZtTest::SandboxDir() + QStringLiteral("/small.css");
    QFile file(small);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("p { color: red }");
    file.close();

    Editor e(QStringLiteral("p { color: red }"), small, false);
    QVERIFY(e.colorizer->IsSyntaxColoring());
    QCOMPARE(LineColours(e.edit, 0), QStringLiteral("kw1:color@4 kw2:red@11"));

    profile.WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 10);
    Editor tooBig(QStringLiteral("p { color: red }"), small, false);
    QVERIFY(!tooBig.colorizer->IsSyntaxColoring());
    QCOMPARE(LineColours(tooBig.edit, 0), QStringLiteral("-"));
}

ZT_TEST_MAIN(TestSyntaxColorizer)
#include "tst_syntaxcolorizer.moc"
