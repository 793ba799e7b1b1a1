#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

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
    const CStructureScanner scanner;
    std::vector<CSyntaxToken> tokens;
    scanner.Scan(line, state, tokens);
    QStringList parts;
    for (const CSyntaxToken& token : tokens)
        parts << QStringLiteral("%1:%2@%3")
                     .arg(QLatin1String(ZtTokenClassName(token.tokenClass)),
                          line.mid(token.start, token.end - token.start).toString())
                     .arg(token.start);
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
    void editsKeepColoursExact();
    void profileChoosesStructure_data();
    void profileChoosesStructure();
    void copyForPrintingColoursAsShown();
};

void TestStructureColours::results_data()
{
    ZtTest::ResultColumns();
    Row("tag, attributes, values", LineTokens(u"<A HREF=\"x.html\" target=_top CHECKED>go</A>"),
        "tag:<A@0 attribute:HREF@3 value:\"x.html\"@8 attribute:target@17 value:_top@24 "
        "attribute:CHECKED@29 tag:>@36 tag:</A@39 tag:>@42");
    Row("quoted value holds > and <", LineTokens(u"<p title='1 > 0 < 2'>x"),
        "tag:<p@0 attribute:title@3 value:'1 > 0 < 2'@9 tag:>@20");
    Row("< not before a letter is text", LineTokens(u"a < b <3 </ p> <>"), "");
    Row("entities need their semicolon", LineTokens(u"&amp; &#163; &#x20AC; &nbsp &#; &x"),
        "entity:&amp;@0 entity:&#163;@6 entity:&#x20AC;@13");
    Row("short comments", LineTokens(u"<!--> <!---> <!---->x"),
        "comment:<!-->@0 comment:<!--->@6 comment:<!---->@13");
    Row("declarations", LineTokens(u"<!DOCTYPE html><?xml version=\"1.0\"?>"),
        "doctype:<!DOCTYPE html>@0 doctype:<?xml version=\"1.0\"?>@15");
    Row("self-closing slash", LineTokens(u"<br/><img src=a />"),
        "tag:<br@0 tag:/>@3 tag:<img@5 attribute:src@10 value:a@14 tag:/>@16");
    Row("script ends at </script whatever is open",
        LineTokens(u"<script>s = \"</SCRIPT>\";</script>"),
        "tag:<script@0 tag:>@7 js-string:\"@12 tag:</SCRIPT@13 tag:>@21 tag:</script@24 tag:>@32");
    Row("script keywords, not as property names",
        LineTokens(u"<script>if (x) return m.delete(y); else new X</script>"),
        "tag:<script@0 tag:>@7 js-keyword:if@8 js-keyword:return@15 js-keyword:else@35 "
        "js-keyword:new@40 tag:</script@45 tag:>@53");
    Row("regex or division", LineTokens(u"<script>a = b / c / d; r = /x\\/[/]y/g.test(s)</script>"),
        "tag:<script@0 tag:>@7 js-regex:/x\\/[/]y/g@27 tag:</script@45 tag:>@53");
    Row("script numbers", LineTokens(u"<script>0x1F 1.5e-3 .5 12n 1_000</script>"),
        "tag:<script@0 tag:>@7 js-number:0x1F@8 js-number:1.5e-3@13 js-number:.5@20 "
        "js-number:12n@23 js-number:1_000@27 tag:</script@32 tag:>@40");
    Row("style rule", LineTokens(u"<style>a:hover, .x > p { color: #FFF !important; }</style>"),
        "tag:<style@0 tag:>@6 css-selector:a:hover@7 css-selector:.x@16 css-selector:>@19 "
        "css-selector:p@21 css-property:color@25 css-value:#FFF@32 css-value:!important@37 "
        "tag:</style@50 tag:>@57");
    Row("media block holds rules", LineTokens(u"<style>@media print { p { margin: 0 } }</style>"),
        "tag:<style@0 tag:>@6 css-at-rule:@media@7 css-selector:p@22 css-property:margin@26 "
        "css-value:0@34 tag:</style@39 tag:>@46");
    Row("url() is one value", LineTokens(u"<style>b { background: url(a;b c.png) }"),
        "tag:<style@0 tag:>@6 css-selector:b@7 css-property:background@11 css-value:url(a;b c.png)@23");

    // What stays open at a line's end decides the next line.
    Row("tag across lines", LinesTokens("<table\n width=\n\"100%\n\" border>x"),
        "tag:<table@0 | attribute:width@1 | value:\"100%@0 | value:\"@0 attribute:border@2 tag:>@8");
    Row("comment across lines", LinesTokens("a <!-- b\n<p> c\n--> <p>"),
        "comment:<!-- b@2 | comment:<p> c@0 | comment:-->@0 tag:<p@4 tag:>@6");
    Row("script comment and template", LinesTokens("<script>/* a\nb */ x = `c\nd`; if\n</script>"),
        "tag:<script@0 tag:>@7 js-comment:/* a@8 | js-comment:b */@0 js-string:`c@9 | "
        "js-string:d`@0 js-keyword:if@4 | tag:</script@0 tag:>@8");
    Row("string continues only behind a backslash",
        LinesTokens("<script>a = \"b\\\nc\" + \"d\ne\"</script>"),
        "tag:<script@0 tag:>@7 js-string:\"b\\@12 | js-string:c\"@0 js-string:\"d@5 | "
        "js-string:\"@1 tag:</script@2 tag:>@10");
    Row("style braces across lines", LinesTokens("<style>\n@media screen {\n a {\n color: red }\n}\nb {"),
        "tag:<style@0 tag:>@6 | css-at-rule:@media@0 | css-selector:a@1 | css-property:color@1 "
        "css-value:red@8 |  | css-selector:b@0");
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

// After an edit, every line shows what a fresh colouring of the new text
// shows: the lines it touched, the lines whose start state it changed, and
// the lines far below that are shown later.
void TestStructureColours::editsKeepColoursExact_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("line");      // where the edit goes
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("remove");    // characters removed there first
    QTest::addColumn<QString>("insert");
    QTest::addColumn<bool>("undo");     // then undone
    QTest::addColumn<bool>("seen");     // every line shown before the edit

    const QByteArray scripted = ZtTest::ReadFile(CorpusDir() + QStringLiteral("/scripted.html"));
    const QByteArray styled = ZtTest::ReadFile(CorpusDir() + QStringLiteral("/styled.html"));
    const QByteArray split = ZtTest::ReadFile(CorpusDir() + QStringLiteral("/split-tags.html"));
    QTest::newRow("comment opened above a script") << scripted << 1 << 0 << 0 << "<!--" << false << true;
    QTest::newRow("comment opened, undone") << scripted << 1 << 0 << 0 << "<!--" << true << true;
    QTest::newRow("quote typed into a tag") << split << 2 << 3 << 0 << "\"" << false << true;
    QTest::newRow("line break inside a tag") << split << 3 << 5 << 0 << "\n" << false << true;
    QTest::newRow("line break removed") << split << 4 << 0 << 1 << "" << false << true;
    QTest::newRow("style start removed") << styled << 3 << 0 << 23 << "" << false << true;
    QTest::newRow("script end removed") << scripted << 22 << 0 << 9 << "" << false << true;
    QTest::newRow("block comment closed") << scripted << 26 << 0 << 0 << "*/" << false << true;
    QTest::newRow("lines pasted into a style sheet") << styled << 8 << 0 << 0
                                                     << "} /* a\nb */ p {\n<!-- x\n" << false << true;
    QTest::newRow("everything replaced") << styled << 0 << 0 << int(styled.size()) << "<p>" << false << true;
    QTest::newRow("long page: comment opened at the top") << LongPage(1500) << 0 << 0 << 0 << "<!--" << false << true;
    QTest::newRow("long page: script opened at the top") << LongPage(1500) << 0 << 0 << 0 << "<script>" << false << true;
    QTest::newRow("long page: comment opened, undone") << LongPage(1500) << 0 << 0 << 0 << "<!--" << true << true;
    QTest::newRow("long page: edit far down") << LongPage(1500) << 4000 << 3 << 0 << "<style>" << false << true;
    QTest::newRow("long style sheet, only its top seen: rules removed")
        << LongStyleSheet(500) << 1 << 0 << 35 << "" << false << false;
    QTest::newRow("long style sheet, only its top seen: rules added")
        << LongStyleSheet(500) << 1 << 0 << 0 << "a {\n}\nb {\n}\n" << false << false;
}

void TestStructureColours::editsKeepColoursExact()
{
    QFETCH(QByteArray, page);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(int, remove);
    QFETCH(QString, insert);
    QFETCH(bool, undo);
    QFETCH(bool, seen);

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
    // Lines far from the edit first, then every line in turn.
    QScrollBar* bar = e.edit.verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    e.edit.grab();
    const int top = e.edit.cursorForPosition(QPoint(0, 0)).blockNumber();
    const int bottom = e.edit.cursorForPosition(QPoint(0, e.edit.viewport()->height() - 1)).blockNumber();
    QCOMPARE(ShownMismatch(e, fresh, top, bottom), QString());
    ScrollThrough(e);
    QCOMPARE(ShownMismatch(e, fresh), QString());
    QCOMPARE(Spans(e), Spans(fresh));
}

// The profile's choice applies to HTML pages opened after it; other files
// keep their keyword colours.
void TestStructureColours::profileChoosesStructure_data()
{
    QTest::addColumn<QString>("stored"); // null: key absent
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("structure");
    QTest::newRow("absent") << QString() << "a.html" << false;
    QTest::newRow("off") << "0" << "a.html" << false;
    QTest::newRow("on, html") << "1" << "a.html" << true;
    QTest::newRow("on, HTM") << "1" << "B.HTM" << true;
    QTest::newRow("on, style sheet") << "1" << "s.css" << false;
    QTest::newRow("on, plain name") << "1" << "README" << false;
}

void TestStructureColours::profileChoosesStructure()
{
    QFETCH(QString, stored);
    QFETCH(QString, file);
    QFETCH(bool, structure);
    CProfile& profile = CProfile::Instance();
    profile.RemoveSection(QStringLiteral("Settings"));
    if (!stored.isNull())
        profile.WriteString(QStringLiteral("Settings"), QLatin1String(kColourByStructureKey), stored);
    QPlainTextEdit edit;
    edit.setPlainText(QStringLiteral("<p class=x>&amp;</p>"));
    auto* colorizer = new CSyntaxColorizer(&edit);
    colorizer->SetSyntaxColoring(true);
    colorizer->SetLanguage(file);
    QCOMPARE(colorizer->IsColouringStructure(), structure);
    const QList<QTextLayout::FormatRange> ranges = colorizer->BlockFormats(edit.document()->firstBlock());
    const bool tagColoured = !ranges.isEmpty() && CTokenFormats::ClassOf(ranges.first().format) == ZtTokenClass::Tag;
    QCOMPARE(tagColoured, structure);
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
