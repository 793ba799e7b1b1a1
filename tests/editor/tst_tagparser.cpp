#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "editor/TagParser.h"
#include "editor/ZentrelView.h"

#include <QRegularExpression>

using ZtTest::Row;

namespace {
// "name attr(value) ... start-end", "unfinished" when the tag has no ">" of
// its own; each attribute as spelt, then its value when it has one.
QString Describe(const CStartTag& tag)
{
    if (!tag.IsValid())
        return QStringLiteral("none");
    QString text = tag.m_strName;
    for (const CParsedAttribute& attribute : tag.m_attributes) {
        text += QLatin1Char(' ') + attribute.m_strSpelling;
        if (attribute.m_bHasValue)
            text += QLatin1Char('(') + attribute.m_strValue + QLatin1Char(')');
    }
    text += QStringLiteral(" %1-%2").arg(tag.m_nStart).arg(tag.m_nEnd);
    return tag.m_bFinished ? text : text + QStringLiteral(" unfinished");
}

// Types keys into widget: characters as they stand, "{Left}" and "{Shift}"
// as those keys.
void TypeKeys(QWidget* widget, const QString& keys)
{
    for (const QString& part : keys.split(QRegularExpression(QStringLiteral("(?=\\{)|(?<=\\})")), Qt::SkipEmptyParts)) {
        if (part.startsWith(QLatin1Char('{')))
            QTest::keyClick(widget, part == QLatin1String("{Left}") ? Qt::Key_Left : Qt::Key_Shift);
        else
            QTest::keyClicks(widget, part);
    }
}

// The caret is written "|" in a row's text.
int TakeCaret(QString& text)
{
    const int caret = int(text.indexOf(QLatin1Char('|')));
    text.remove(caret, 1);
    return caret;
}

// The tag a row's text starts with.
QString Parsed(const QString& text)
{
    return Describe(ParseStartTag(text, 0));
}

// The tag around the caret "|".
QString AtCaret(QString text)
{
    const int caret = TakeCaret(text);
    return Describe(StartTagAt(text, caret));
}

// The element open at the end of text; what follows it does not count.
QString Innermost(const QString& text)
{
    return InnermostOpenElement(text + QStringLiteral("</a></div><q>"), int(text.size()));
}

// Types keys in a page editor for file (empty: a new page) holding text with
// the caret "|": the text with the caret then, and after one Undo.
QString Completed(const QString& file, QString text, const QString& typed)
{
    CZentrelView view;
    if (!file.isEmpty())
        view.SetLanguage(file);
    const int caret = TakeCaret(text);
    view.setPlainText(text);
    QTextCursor cursor = view.textCursor();
    cursor.setPosition(caret);
    view.setTextCursor(cursor);
    TypeKeys(&view, typed);
    const auto shown = [&view] {
        return view.toPlainText().insert(view.textCursor().position(), QLatin1Char('|'));
    };
    const QString completed = shown();
    view.undo();
    return completed + QStringLiteral(", undone ") + shown();
}

// The tag around the caret "|" of tag in a page editor holding before, then
// far more text than is read back, then tag and after. Positions count from
// the tag's line.
QString FarInto(const QString& before, QString tag, const QString& after)
{
    const QString filler = QStringLiteral("<p>line</p>\n").repeated(30000);
    const int offset = int(before.size() + filler.size());
    const int caret = offset + TakeCaret(tag);
    CZentrelView view;
    view.setPlainText(before + filler + tag + after);
    CStartTag found = view.StartTagAround(caret);
    found.m_nStart -= offset;
    found.m_nEnd -= offset;
    return Describe(found);
}
} // namespace

// Reading tags as authors write them, broken ones included, and completing
// "</" in a page editor.
class TestTagParser : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void hundredsOfAttributes();
    void tagAroundReadsOnlyNearby();
};

void TestTagParser::results_data()
{
    ZtTest::ResultColumns();
    Row("parse: unquoted", Parsed("<body bgcolor=#fff>"), "body bgcolor=#fff(#fff) 0-19");
    Row("parse: double quotes, upper case", Parsed("<BODY BGCOLOR=\"#FFFFFF\">"),
        "BODY BGCOLOR=\"#FFFFFF\"(#FFFFFF) 0-24");
    Row("parse: single quotes, mixed case", Parsed("<Body BGColor='#ffffff'>"), "Body BGColor='#ffffff'(#ffffff) 0-24");
    Row("parse: no value", Parsed("<td nowrap width=5>"), "td nowrap width=5(5) 0-19");
    Row("parse: empty value", Parsed("<p class= >"), "p class=() 0-11");
    Row("parse: empty quotes", Parsed("<p class=\"\">"), "p class=\"\"() 0-12");
    Row("parse: blanks around =", Parsed("<p align = \"center\" >"), "p align = \"center\"(center) 0-21");
    Row("parse: < in a value", Parsed("<img alt=\"a<b\" src=x.gif>"), "img alt=\"a<b\"(a<b) src=x.gif(x.gif) 0-25");
    Row("parse: < after a name", Parsed("<p nowrap<b>"), "p nowrap 0-9 unfinished");
    Row("parse: > in a value", Parsed("<a title='1 > 0' href=x>"), "a title='1 > 0'(1 > 0) href=x(x) 0-24");
    Row("parse: other quote inside", Parsed("<a title=\"it's\">"), "a title=\"it's\"(it's) 0-16");
    Row("parse: unterminated quote", Parsed("<body bgcolor=\"red>\n<p>"), "body bgcolor=\"red(red) 0-19");
    Row("parse: value over lines", Parsed("<p style=\"a;\nb\">"), "p style=\"a;\nb\"(a;\nb) 0-16");
    Row("parse: over lines", Parsed("<table\n  width=\"100%\"\r\n\tborder=1\n>"),
        "table width=\"100%\"(100%) border=1(1) 0-34");
    Row("parse: unfinished before a tag", Parsed("<body bgcolor=red\n<p>"), "body bgcolor=red(red) 0-17 unfinished");
    Row("parse: unfinished at the end", Parsed("<font size=3 "), "font size=3(3) 0-12 unfinished");
    Row("parse: name only, unfinished", Parsed("<table"), "table 0-6 unfinished");
    Row("parse: self-closing", Parsed("<img src=\"a.gif\" />"), "img src=\"a.gif\"(a.gif) 0-19");
    Row("parse: duplicates kept in order", Parsed("<p a=1 A=2>"), "p a=1(1) A=2(2) 0-11");
    Row("parse: not a tag", Parsed("< p>"), "none");

    Row("at caret: in an attribute", AtCaret("<p>x</p><body |bgcolor=red>"), "body bgcolor=red(red) 8-26");
    Row("at caret: after the <", AtCaret("<|body>"), "body 0-6");
    Row("at caret: before the >", AtCaret("<body|>"), "body 0-6");
    Row("at caret: before the <", AtCaret("|<body>"), "none");
    Row("at caret: after the >", AtCaret("<body>|"), "none");
    Row("at caret: in an end tag", AtCaret("<p></bo|dy>"), "none");
    Row("at caret: in a comment", AtCaret("<!-- <body |> -->"), "none");
    Row("at caret: in a script", AtCaret("<script>if (a<b |) x();</script>"), "none");
    Row("at caret: after a < in a value", AtCaret("<img alt=\"<b>\" |src=x>"), "img alt=\"<b>\"(<b>) src=x(x) 0-21");
    Row("at caret: inside a value holding <", AtCaret("<img alt=\"<b |x>\">"), "img alt=\"<b x>\"(<b x>) 0-17");
    Row("at caret: third line of a tag", AtCaret("<table\n width=1\n |border=2>"), "table width=1(1) border=2(2) 0-26");
    Row("at caret: end of an unfinished tag", AtCaret("<body bgcolor=red|\n<p>"),
        "body bgcolor=red(red) 0-17 unfinished");
    Row("at caret: the tag after an unfinished one", AtCaret("<body bgcolor=red\n<p|>"), "p 18-21");
    Row("at caret: unterminated comment", AtCaret("<!-- <p> <body |>"), "none");

    Row("open element: nested", Innermost("<html><body><div>"), "div");
    Row("open element: case as written", Innermost("<DIV><p>text</P>"), "DIV");
    Row("open element: unclosed items", Innermost("<ul><li>a<li>b"), "li");
    Row("open element: void elements", Innermost("<p><br><IMG src=a><hr/><input><meta x>"), "p");
    Row("open element: self-closed", Innermost("<div><span/>"), "div");
    Row("open element: comment", Innermost("<div><!-- <span> -->"), "div");
    Row("open element: unterminated comment", Innermost("<div><!-- <span>"), "");
    Row("open element: doctype", Innermost("<!DOCTYPE html><html>"), "html");
    Row("open element: closed with what it holds", Innermost("<div><p>x</div>"), "");
    Row("open element: stray end tag", Innermost("<div></span>"), "div");
    Row("open element: script text", Innermost("<div><script>if (a<b) {}</script>"), "div");
    Row("open element: script in capitals", Innermost("<div><SCRIPT>if (a<b) {}</Script>"), "div");
    Row("open element: script not closed", Innermost("<div><script>var s = '<p>';"), "script");
    Row("open element: tag over lines", Innermost("<table\n width=1><tr\n>"), "tr");
    Row("open element: < in a value", Innermost("<a title='x<b>'>"), "a");
    Row("open element: unterminated quote", Innermost("<div><a title='x>"), "a");
    Row("open element: nothing open", Innermost("text"), "");

    // An end tag whose start is not in the text closes what the text opened
    // before it, when the text begins part way into a page.
    Row("part of a page: opened after", OpenElements(u"<p>x</div><b>", true).join(' '), "b");
    Row("part of a page: closed", OpenElements(u"<p>x</div>", true).join(' '), "");
    Row("whole page: stray end tag", OpenElements(u"<p>x</div>").join(' '), "p");

    // "</" is completed to the end tag of the element open before it.
    Row("typed: end tag", Completed("a.html", "<DIV>\n|", "</"), "<DIV>\n</DIV>|, undone <DIV>\n</|");
    Row("typed: typed start tag, nothing added", Completed("a.html", "<p>|", "<b>x</"),
        "<p><b>x</b>|, undone <p><b>x</|");
    Row("typed: nothing open", Completed("a.html", "<br>|", "</"), "<br></|, undone <br>|");
    Row("typed: before a word", Completed("a.html", "<ul><li>|x", "</"), "<ul><li></|x, undone <ul><li>|x");
    Row("typed: before a tag", Completed("a.html", "<ul><li>a|<li>", "</"),
        "<ul><li>a</li>|<li>, undone <ul><li>a</|<li>");
    Row("typed: another end tag", Completed("a.html", "<DIV><P>|", "</DIV>"),
        "<DIV><P></DIV>|, undone <DIV><P></P>|");
    Row("typed: whole end tag typed", Completed("a.html", "<P>|", "</P>"), "<P></P>|, undone <P></|");
    Row("typed: in the other case", Completed("a.html", "<P>|", "</p>"), "<P></p>|, undone <P></P|>");
    Row("typed: shift for the >", Completed("a.html", "<P>|", "</{Shift}P{Shift}>"), "<P></P>|, undone <P></|");
    Row("typed: typed on after it", Completed("a.html", "<P>|", "</P>x"), "<P></P>x|, undone <P></P>|");
    Row("typed: caret moved", Completed("a.html", "<P>|", "</{Left}P"), "<P></PP|>, undone <P></P|>");
    Row("typed: unterminated comment", Completed("a.html", "<div><!-- |", "</"), "<div><!-- </|, undone <div><!-- |");
    Row("typed: new page", Completed("", "<p>|", "</"), "<p></p>|, undone <p></|");
    Row("typed: style sheet", Completed("s.css", "<p>|", "</"), "<p></|, undone <p>|");

    const QString body = QStringLiteral("<body |bgcolor=red>");
    const QString found = QStringLiteral("body bgcolor=red(red) 0-18");
    Row("far: a tag", FarInto("", body, "\n<p>x</p>"), found);
    Row("far: in a comment begun before", FarInto("<!--", body, "\n-->"), "none");
    Row("far: in a script begun before", FarInto("<script>", body, "</script>"), "none");
    Row("far: in a style begun before", FarInto("<STYLE>", body, "</STYLE>"), "none");
    Row("far: after a comment closed", FarInto("<!-- a -->", body, "<!-- b -->"), found);
    Row("far: before a script", FarInto("", body, "<script>x</script>"), found);
    Row("far: still being typed", FarInto("", "<P |", "\nSome text here.\n"), "none");
    Row("far: still being typed, a tag after", FarInto("", "<P |", "\nSome text here.\n<b>"), "none");
    Row("far: over lines", FarInto("", "<P\n |align=left\n>", "\nSome text here.\n"), "P align=left(left) 0-16");
}

void TestTagParser::hundredsOfAttributes()
{
    QString text = QStringLiteral("<p>\n<table");
    for (int i = 0; i < 600; ++i)
        text += QStringLiteral("\n a%1='<%1>'").arg(i);
    text += QStringLiteral(">\n");
    const CStartTag tag = StartTagAt(text, int(text.size()) - 3);
    QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5").arg(tag.m_strName).arg(tag.m_attributes.size())
                 .arg(tag.m_attributes.last().m_strSpelling).arg(int(text.size()) - tag.m_nEnd)
                 .arg(InnermostOpenElement(text, int(text.size()))),
             QStringLiteral("table 600 a599='<599>' 1 table"));
}

void TestTagParser::tagAroundReadsOnlyNearby()
{
    // Far into a page, its open elements are found with the document's
    // positions; one opened further back than is read is not completed, on a
    // page of many lines or of one.
    const QString filler = QStringLiteral("<p>line</p>\n").repeated(20000);
    CZentrelView view;
    view.setPlainText(QStringLiteral("<body>\n") + filler + QStringLiteral("<td\nwidth=1>") + filler);
    QCOMPARE(view.OpenElementBefore(int(view.document()->characterCount()) - 1), QStringLiteral("td"));
    QCOMPARE(view.OpenElementBefore(7 + int(filler.size())), QStringLiteral("body"));
    for (const QString& line : {QStringLiteral("<p>x</p>\n"), QStringLiteral("<p>x</p>")}) {
        view.setPlainText(QStringLiteral("<body>") + line.repeated(50000));
        QCOMPARE(view.OpenElementBefore(int(view.document()->characterCount()) - 1), QString());
    }
}

ZT_TEST_MAIN(TestTagParser)
#include "tst_tagparser.moc"
