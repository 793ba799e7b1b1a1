#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"
#include "support/TokenNames.h"

#include "editor/SourceText.h"
#include "editor/StructureScanner.h"
#include "editor/SyntaxColoringCheck.h"
#include "editor/SyntaxColorizer.h"
#include "editor/TokenFormats.h"
#include "framework/Profile.h"

#include <QDir>
#include <climits>
#include <memory>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using ZtTest::Row;

namespace {

QString CorpusDir()
{
    return qEnvironmentVariable("ZT_TEST_DATA") + QStringLiteral("/editor/structure");
}

// One line's tokens as class:text@column, blank-separated.
QString LineTokens(QStringView line, CStructureScanner::State state = 0)
{
    std::vector<CSyntaxToken> tokens;
    CStructureScanner().Scan(line, state, tokens);
    QStringList parts;
    for (const CSyntaxToken& token : tokens)
        parts << ZtTest::DescribeToken(token.tokenClass, line, token.start, token.end - token.start);
    return parts.join(QLatin1Char(' '));
}

// The tokens of several lines, each scanned from the state the one before
// ended in; " | " between lines.
QString LinesTokens(const QString& text)
{
    const CStructureScanner scanner;
    CStructureScanner::State state = 0;
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const CStructureScanner::State next = scanner.EndState(line, state);
        lines << LineTokens(line, state);
        state = next;
    }
    return lines.join(QStringLiteral(" | "));
}

struct Editor
{
    QPlainTextEdit edit;
    CSyntaxColorizer* colorizer;

    Editor(const QByteArray& bytes, const QString& name)
    {
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.resize(600, 400);
        CSourceText::LoadInto(edit.document(), bytes);
        edit.show();
        colorizer = new CSyntaxColorizer(&edit);
        colorizer->SetSyntaxColoring(true);
        colorizer->SetColourByStructure(true);
        colorizer->SetLanguage(name);
    }
};

// Every coloured token of the text as "start end class", the form of the
// reference files: positions count every line break as one character.
QStringList Spans(Editor& e)
{
    QStringList spans;
    int position = 0;
    for (QTextBlock block = e.edit.document()->begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange& range : e.colorizer->BlockFormats(block)) {
            const ZtTokenClass tokenClass = CTokenFormats::ClassOf(range.format);
            if (tokenClass != ZtTokenClass::Other)
                spans << QStringLiteral("%1 %2 %3")
                             .arg(position + range.start)
                             .arg(position + range.start + range.length)
                             .arg(QLatin1String(ZtTokenClassName(tokenClass)));
        }
        position += block.length();
    }
    return spans;
}

// Shows every line of the editor once, top to bottom, as scrolling does.
void ScrollThrough(Editor& e)
{
    QScrollBar* bar = e.edit.verticalScrollBar();
    bar->setValue(0);
    e.edit.grab(); // paints the editor
    while (bar->value() < bar->maximum()) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        e.edit.grab();
    }
}

// The first line from first to last whose colours differ from what the
// colorizer of expected computes for it, as "line N: text"; empty when none.
// Lines without colours (never shown, or given up) are passed over.
QString ShownMismatch(Editor& e, Editor& expected, int first = 0, int last = INT_MAX)
{
    for (QTextBlock block = e.edit.document()->findBlockByNumber(first);
         block.isValid() && block.blockNumber() <= last; block = block.next()) {
        const QList<QTextLayout::FormatRange> shown = block.layout()->formats();
        if (shown.isEmpty())
            continue;
        const QTextBlock other = expected.edit.document()->findBlockByNumber(block.blockNumber());
        if (shown != expected.colorizer->BlockFormats(other))
            return QStringLiteral("line %1: %2").arg(block.blockNumber()).arg(block.text());
    }
    return QString();
}

} // namespace

class TestStructureColours : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void corpusMatchesReference_data();
    void corpusMatchesReference();
    void editsKeepColoursExact_data();
    void editsKeepColoursExact() { ZtTest::CompareResult(); }
    void copyForPrintingColoursAsShown();
};

// Stores the choice of colouring by structure (null: key absent), then
// colours a page named file: whether its tag is coloured as a tag.
static QString TagColouredIn(const QString& stored, const QString& file)
{
    CProfile& profile = CProfile::Instance();
    profile.RemoveSection(QStringLiteral("Settings"));
    if (!stored.isNull())
        profile.WriteString(QStringLiteral("Settings"), QLatin1String(kColourByStructureKey), stored);
    QPlainTextEdit edit;
    edit.setPlainText(QStringLiteral("<p class=x>&amp;</p>"));
    auto* colorizer = new CSyntaxColorizer(&edit);
    colorizer->SetSyntaxColoring(true);
    colorizer->SetLanguage(file);
    profile.RemoveSection(QStringLiteral("Settings"));
    const QList<QTextLayout::FormatRange> ranges = colorizer->BlockFormats(edit.document()->firstBlock());
    return ZtTest::YesNo(!ranges.isEmpty() && CTokenFormats::ClassOf(ranges.first().format) == ZtTokenClass::Tag);
}

// The corpus pages hold most of what a page may contain (see
// corpusMatchesReference); these rows are what they do not.
void TestStructureColours::results_data()
{
    ZtTest::ResultColumns();
    Row("< not before a letter is text", LineTokens(u"a < b <3 </ p> <>"), "");
    Row("self-closing slash", LineTokens(u"<br/><img src=a />"),
        "tag:<br@0 tag:/>@3 tag:<img@5 attribute:src@10 value:a@14 tag:/>@16");
    Row("script keywords, not as property names",
        LineTokens(u"<script>if (x) return m.delete(y); else new X</script>"),
        "tag:<script@0 tag:>@7 js-keyword:if@8 js-keyword:return@15 js-keyword:else@35 "
        "js-keyword:new@40 tag:</script@45 tag:>@53");
    Row("script numbers", LineTokens(u"<script>0x1F 1.5e-3 .5 12n 1_000</script>"),
        "tag:<script@0 tag:>@7 js-number:0x1F@8 js-number:1.5e-3@13 js-number:.5@20 "
        "js-number:12n@23 js-number:1_000@27 tag:</script@32 tag:>@40");
    Row("url() is one value", LineTokens(u"<style>b { background: url(a;b c.png) }"),
        "tag:<style@0 tag:>@6 css-selector:b@7 css-property:background@11 css-value:url(a;b c.png)@23");
    Row("string continues only behind a backslash",
        LinesTokens("<script>a = \"b\\\nc\" + \"d\ne\"</script>"),
        "tag:<script@0 tag:>@7 js-string:\"b\\@12 | js-string:c\"@0 js-string:\"d@5 | "
        "js-string:\"@1 tag:</script@2 tag:>@10");

    // The profile's choice applies to HTML pages opened after it; other files
    // keep their keyword colours.
    Row("structure: key absent", TagColouredIn(QString(), "a.html"), "no");
    Row("structure: off", TagColouredIn("0", "a.html"), "no");
    Row("structure: on, html", TagColouredIn("1", "a.html"), "yes");
    Row("structure: on, HTM", TagColouredIn("1", "B.HTM"), "yes");
    Row("structure: on, style sheet", TagColouredIn("1", "s.css"), "no");
    Row("structure: on, plain name", TagColouredIn("1", "README"), "no");
}

// Each page of the corpus, loaded and coloured as the editor does, shows
// exactly the tokens of its reference file; so do the lines on screen.
void TestStructureColours::corpusMatchesReference_data()
{
    QTest::addColumn<QString>("page");
    const QStringList pages = QDir(CorpusDir()).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    QVERIFY2(pages.size() >= 5, qPrintable(CorpusDir()));
    for (const QString& page : pages)
        QTest::newRow(qPrintable(page)) << page;
}

void TestStructureColours::corpusMatchesReference()
{
    QFETCH(QString, page);
    const QString path = CorpusDir() + QLatin1Char('/') + page;
    const QByteArray reference = ZtTest::ReadFile(path + QStringLiteral(".ref"));
    QVERIFY2(reference != "(unreadable)", "no reference: scripts/update-structure-references.sh writes them");
    const QStringList expected = QString::fromLatin1(reference).split(QLatin1Char('\n'), Qt::SkipEmptyParts);

    Editor e(ZtTest::ReadFile(path), path);
    QCOMPARE(Spans(e), expected);
    QCOMPARE(ShownMismatch(e, e), QString());
}

namespace {
// A long page: markup, a script and a style sheet in turn.
QByteArray LongPage(int parts)
{
    QByteArray page;
    for (int i = 0; i < parts; ++i) {
        page += "<p class=\"c" + QByteArray::number(i) + "\">text &amp; more</p>\n"
                "<script>var a = \"<p>\"; /* x */</script>\n"
                "<style>p { color: red }</style>\n";
    }
    return page;
}

// A long style sheet: every line ends inside it, most inside a rule.
QByteArray LongStyleSheet(int rules)
{
    QByteArray page = "<style>\n";
    for (int i = 0; i < rules; ++i)
        page += "p.c" + QByteArray::number(i) + " {\n  color: red;\n  margin: 0 }\n";
    return page + "</style>\n";
}
} // namespace

// Makes an edit on page (at line and column: remove characters, then insert
// text; then undo it when asked) after every line was shown when seen, and
// tells where the lines shown then differ from what a fresh colouring of the
// new text shows: lines far from the edit first, then every line in turn,
// then the colours the colorizer gives. Empty when they all agree.
static QString EditMismatch(const QByteArray& page, int line, int column, int remove, const QString& insert,
                            bool undo, bool seen)
{
    Editor e(page, QStringLiteral("page.html"));
    if (seen)
        ScrollThrough(e);
    QTextCursor cursor(e.edit.document()->findBlockByNumber(line));
    cursor.setPosition(cursor.position() + column);
    cursor.setPosition(qMin(cursor.position() + remove, e.edit.document()->characterCount() - 1),
                       QTextCursor::KeepAnchor);
    cursor.insertText(insert);
    if (undo)
        e.edit.undo();
    Editor fresh(CSourceText::Save(e.edit.document()), QStringLiteral("page.html"));
    QScrollBar* bar = e.edit.verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    e.edit.grab();
    const int top = e.edit.cursorForPosition(QPoint(0, 0)).blockNumber();
    const int bottom = e.edit.cursorForPosition(QPoint(0, e.edit.viewport()->height() - 1)).blockNumber();
    QString mismatch = ShownMismatch(e, fresh, top, bottom);
    ScrollThrough(e);
    mismatch += ShownMismatch(e, fresh);
    return Spans(e) == Spans(fresh) ? mismatch : mismatch + QStringLiteral(" (colours differ)");
}

// After an edit, every line shows what a fresh colouring of the new text
// shows: the lines it touched, the lines whose start state it changed, and
// the lines far below that are shown later.
void TestStructureColours::editsKeepColoursExact_data()
{
    ZtTest::ResultColumns();
    const QByteArray scripted = ZtTest::ReadFile(CorpusDir() + QStringLiteral("/scripted.html"));
    const QByteArray styled = ZtTest::ReadFile(CorpusDir() + QStringLiteral("/styled.html"));
    const QByteArray split = ZtTest::ReadFile(CorpusDir() + QStringLiteral("/split-tags.html"));
    const QByteArray longPage = LongPage(1500);
    Row("comment opened above a script", EditMismatch(scripted, 1, 0, 0, "<!--", false, true), "");
    Row("comment opened, undone", EditMismatch(scripted, 1, 0, 0, "<!--", true, true), "");
    Row("quote typed into a tag", EditMismatch(split, 2, 3, 0, "\"", false, true), "");
    Row("line break inside a tag", EditMismatch(split, 3, 5, 0, "\n", false, true), "");
    Row("line break removed", EditMismatch(split, 4, 0, 1, "", false, true), "");
    Row("style start removed", EditMismatch(styled, 3, 0, 23, "", false, true), "");
    Row("script end removed", EditMismatch(scripted, 22, 0, 9, "", false, true), "");
    Row("block comment closed", EditMismatch(scripted, 26, 0, 0, "*/", false, true), "");
    Row("lines pasted into a style sheet",
        EditMismatch(styled, 8, 0, 0, "} /* a\nb */ p {\n<!-- x\n", false, true), "");
    Row("everything replaced", EditMismatch(styled, 0, 0, int(styled.size()), "<p>", false, true), "");
    Row("long page: comment opened at the top", EditMismatch(longPage, 0, 0, 0, "<!--", false, true), "");
    Row("long page: script opened at the top", EditMismatch(longPage, 0, 0, 0, "<script>", false, true), "");
    Row("long page: comment opened, undone", EditMismatch(longPage, 0, 0, 0, "<!--", true, true), "");
    Row("long page: edit far down", EditMismatch(longPage, 4000, 3, 0, "<style>", false, true), "");
    Row("long style sheet, only its top seen: rules removed",
        EditMismatch(LongStyleSheet(500), 1, 0, 35, "", false, false), "");
    Row("long style sheet, only its top seen: rules added",
        EditMismatch(LongStyleSheet(500), 1, 0, 0, "a {\n}\nb {\n}\n", false, false), "");
}

// Printing colours a copy of the text: its lines inside a style sheet or a
// script get the colours the editor gives them, though the copy keeps no
// line states of its own.
void TestStructureColours::copyForPrintingColoursAsShown()
{
    // Longer than a screen: most lines have no state yet when copied.
    Editor e(LongStyleSheet(200), QStringLiteral("styled.html"));
    const std::unique_ptr<QTextDocument> copy(e.edit.document()->clone());
    QStringList differing;
    // From the last line up, so that no line of the copy is asked for after
    // the line before it.
    for (QTextBlock block = copy->lastBlock(); block.isValid(); block = block.previous()) {
        const QTextBlock own = e.edit.document()->findBlockByNumber(block.blockNumber());
        if (e.colorizer->BlockFormats(block) != e.colorizer->BlockFormats(own))
            differing << QString::number(block.blockNumber());
    }
    QCOMPARE(differing.join(QLatin1Char(' ')), QString());
}

ZT_TEST_MAIN(TestStructureColours)
#include "tst_structurecolours.moc"
