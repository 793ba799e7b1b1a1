#include "support/TestMain.h"

#include "editor/TagParser.h"
#include "editor/ZentrelView.h"

#include <QRegularExpression>
#include <QTest>

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
} // namespace

// Reading tags as authors write them, broken ones included, and completing
// "</" in a page editor.
class TestTagParser : public QObject
{
    Q_OBJECT
private slots:
    void attributeSpellings_data();
    void attributeSpellings();
    void tagAtCaret_data();
    void tagAtCaret();
    void hundredsOfAttributes();
    void innermostOpenElement_data();
    void innermostOpenElement();
    void partOfAPage();
    void endTagCompletion_data();
    void endTagCompletion();
    void tagAroundReadsOnlyNearby();
    void farIntoAPage_data();
    void farIntoAPage();
};

void TestTagParser::attributeSpellings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unquoted") << "<body bgcolor=#fff>" << "body bgcolor=#fff(#fff) 0-19";
    QTest::newRow("double quotes, upper case")
        << "<BODY BGCOLOR=\"#FFFFFF\">" << "BODY BGCOLOR=\"#FFFFFF\"(#FFFFFF) 0-24";
    QTest::newRow("single quotes, mixed case")
        << "<Body BGColor='#ffffff'>" << "Body BGColor='#ffffff'(#ffffff) 0-24";
    QTest::newRow("no value") << "<td nowrap width=5>" << "td nowrap width=5(5) 0-19";
    QTest::newRow("empty value") << "<p class= >" << "p class=() 0-11";
    QTest::newRow("empty quotes") << "<p class=\"\">" << "p class=\"\"() 0-12";
    QTest::newRow("blanks around =") << "<p align = \"center\" >" << "p align = \"center\"(center) 0-21";
    QTest::newRow("< in a value") << "<img alt=\"a<b\" src=x.gif>" << "img alt=\"a<b\"(a<b) src=x.gif(x.gif) 0-25";
    QTest::newRow("< after a name") << "<p nowrap<b>" << "p nowrap 0-9 unfinished";
    QTest::newRow("> in a value") << "<a title='1 > 0' href=x>" << "a title='1 > 0'(1 > 0) href=x(x) 0-24";
    QTest::newRow("other quote inside") << "<a title=\"it's\">" << "a title=\"it's\"(it's) 0-16";
    QTest::newRow("unterminated quote") << "<body bgcolor=\"red>\n<p>" << "body bgcolor=\"red(red) 0-19";
    QTest::newRow("value over lines") << "<p style=\"a;\nb\">" << "p style=\"a;\nb\"(a;\nb) 0-16";
    QTest::newRow("over lines") << "<table\n  width=\"100%\"\r\n\tborder=1\n>"
                                << "table width=\"100%\"(100%) border=1(1) 0-34";
    QTest::newRow("unfinished before a tag") << "<body bgcolor=red\n<p>" << "body bgcolor=red(red) 0-17 unfinished";
    QTest::newRow("unfinished at the end") << "<font size=3 " << "font size=3(3) 0-12 unfinished";
    QTest::newRow("name only, unfinished") << "<table" << "table 0-6 unfinished";
    QTest::newRow("self-closing") << "<img src=\"a.gif\" />" << "img src=\"a.gif\"(a.gif) 0-19";
    QTest::newRow("duplicates kept in order") << "<p a=1 A=2>" << "p a=1(1) A=2(2) 0-11";
    QTest::newRow("not a tag") << "< p>" << "none";
}

void TestTagParser::attributeSpellings()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(Describe(ParseStartTag(text, 0)), expected);
}

void TestTagParser::tagAtCaret_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("in an attribute") << "<p>x</p><body |bgcolor=red>" << "body bgcolor=red(red) 8-26";
    QTest::newRow("after the <") << "<|body>" << "body 0-6";
    QTest::newRow("before the >") << "<body|>" << "body 0-6";
    QTest::newRow("before the <") << "|<body>" << "none";
    QTest::newRow("after the >") << "<body>|" << "none";
    QTest::newRow("in an end tag") << "<p></bo|dy>" << "none";
    QTest::newRow("in a comment") << "<!-- <body |> -->" << "none";
    QTest::newRow("in a script") << "<script>if (a<b |) x();</script>" << "none";
    QTest::newRow("after a < in a value") << "<img alt=\"<b>\" |src=x>" << "img alt=\"<b>\"(<b>) src=x(x) 0-21";
    QTest::newRow("inside a value holding <") << "<img alt=\"<b |x>\">" << "img alt=\"<b x>\"(<b x>) 0-17";
    QTest::newRow("third line of a tag") << "<table\n width=1\n |border=2>" << "table width=1(1) border=2(2) 0-26";
    QTest::newRow("end of an unfinished tag") << "<body bgcolor=red|\n<p>" << "body bgcolor=red(red) 0-17 unfinished";
    QTest::newRow("the tag after an unfinished one") << "<body bgcolor=red\n<p|>" << "p 18-21";
    QTest::newRow("unterminated comment") << "<!-- <p> <body |>" << "none";
}

void TestTagParser::tagAtCaret()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const int caret = TakeCaret(text);
    QCOMPARE(Describe(StartTagAt(text, caret)), expected);
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

void TestTagParser::innermostOpenElement_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nested") << "<html><body><div>" << "div";
    QTest::newRow("case as written") << "<DIV><p>text</P>" << "DIV";
    QTest::newRow("unclosed items") << "<ul><li>a<li>b" << "li";
    QTest::newRow("void elements") << "<p><br><IMG src=a><hr/><input><meta x>" << "p";
    QTest::newRow("self-closed") << "<div><span/>" << "div";
    QTest::newRow("comment") << "<div><!-- <span> -->" << "div";
    QTest::newRow("unterminated comment") << "<div><!-- <span>" << "";
    QTest::newRow("doctype") << "<!DOCTYPE html><html>" << "html";
    QTest::newRow("closed with what it holds") << "<div><p>x</div>" << "";
    QTest::newRow("stray end tag") << "<div></span>" << "div";
    QTest::newRow("script text") << "<div><script>if (a<b) {}</script>" << "div";
    QTest::newRow("script in capitals") << "<div><SCRIPT>if (a<b) {}</Script>" << "div";
    QTest::newRow("script not closed") << "<div><script>var s = '<p>';" << "script";
    QTest::newRow("tag over lines") << "<table\n width=1><tr\n>" << "tr";
    QTest::newRow("< in a value") << "<a title='x<b>'>" << "a";
    QTest::newRow("unterminated quote") << "<div><a title='x>" << "a";
    QTest::newRow("nothing open") << "text" << "";
}

void TestTagParser::innermostOpenElement()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    // What follows the position does not count.
    QCOMPARE(InnermostOpenElement(text + QStringLiteral("</a></div><q>"), int(text.size())), expected);
}

void TestTagParser::partOfAPage()
{
    // An end tag whose start is not in the text closes what the text opened
    // before it, when the text begins part way into a page.
    QCOMPARE(OpenElements(u"<p>x</div><b>", true), QStringList{"b"});
    QCOMPARE(OpenElements(u"<p>x</div>", true), QStringList());
    QCOMPARE(OpenElements(u"<p>x</div>"), QStringList{"p"});
}

void TestTagParser::endTagCompletion_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text"); // "|": the caret
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("afterUndo"); // one Undo
    QTest::newRow("end tag") << "a.html" << "<DIV>\n|" << "</" << "<DIV>\n</DIV>|" << "<DIV>\n</|";
    QTest::newRow("typed start tag, nothing added") << "a.html" << "<p>|" << "<b>x</"
                                                    << "<p><b>x</b>|" << "<p><b>x</|";
    QTest::newRow("nothing open") << "a.html" << "<br>|" << "</" << "<br></|" << "<br>|";
    QTest::newRow("before a word") << "a.html" << "<ul><li>|x" << "</" << "<ul><li></|x" << "<ul><li>|x";
    QTest::newRow("before a tag") << "a.html" << "<ul><li>a|<li>" << "</" << "<ul><li>a</li>|<li>"
                                  << "<ul><li>a</|<li>";
    QTest::newRow("another end tag") << "a.html" << "<DIV><P>|" << "</DIV>" << "<DIV><P></DIV>|" << "<DIV><P></P>|";
    QTest::newRow("whole end tag typed") << "a.html" << "<P>|" << "</P>" << "<P></P>|" << "<P></|";
    QTest::newRow("in the other case") << "a.html" << "<P>|" << "</p>" << "<P></p>|" << "<P></P|>";
    QTest::newRow("shift for the >") << "a.html" << "<P>|" << "</{Shift}P{Shift}>" << "<P></P>|" << "<P></|";
    QTest::newRow("typed on after it") << "a.html" << "<P>|" << "</P>x" << "<P></P>x|" << "<P></P>|";
    QTest::newRow("caret moved") << "a.html" << "<P>|" << "</{Left}P" << "<P></PP|>" << "<P></P|>";
    QTest::newRow("unterminated comment") << "a.html" << "<div><!-- |" << "</" << "<div><!-- </|" << "<div><!-- |";
    QTest::newRow("new page") << "" << "<p>|" << "</" << "<p></p>|" << "<p></|";
    QTest::newRow("style sheet") << "s.css" << "<p>|" << "</" << "<p></|" << "<p>|";
}

void TestTagParser::endTagCompletion()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QString, afterUndo);
    CZentrelView view;
    if (!file.isEmpty())
        view.SetLanguage(file);
    const int caret = TakeCaret(text);
    view.setPlainText(text);
    QTextCursor cursor = view.textCursor();
    cursor.setPosition(caret);
    view.setTextCursor(cursor);
    TypeKeys(&view, typed);
    auto shown = [&view] {
        return view.toPlainText().insert(view.textCursor().position(), QLatin1Char('|'));
    };
    QCOMPARE(shown(), expected);
    view.undo();
    QCOMPARE(shown(), afterUndo);
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

void TestTagParser::farIntoAPage_data()
{
    // Each page: before, then far more text than is read back, then the tag
    // with the caret "|" and after. Positions count from the tag's line.
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("expected");
    const QString body = QStringLiteral("<body |bgcolor=red>");
    const QString found = QStringLiteral("body bgcolor=red(red) 0-18");
    QTest::newRow("a tag") << "" << body << "\n<p>x</p>" << found;
    QTest::newRow("in a comment begun before") << "<!--" << body << "\n-->" << "none";
    QTest::newRow("in a script begun before") << "<script>" << body << "</script>" << "none";
    QTest::newRow("in a style begun before") << "<STYLE>" << body << "</STYLE>" << "none";
    QTest::newRow("after a comment closed") << "<!-- a -->" << body << "<!-- b -->" << found;
    QTest::newRow("before a script") << "" << body << "<script>x</script>" << found;
    QTest::newRow("still being typed") << "" << "<P |" << "\nSome text here.\n" << "none";
    QTest::newRow("still being typed, a tag after") << "" << "<P |" << "\nSome text here.\n<b>" << "none";
    QTest::newRow("over lines") << "" << "<P\n |align=left\n>" << "\nSome text here.\n" << "P align=left(left) 0-16";
}

void TestTagParser::farIntoAPage()
{
    QFETCH(QString, before);
    QFETCH(QString, tag);
    QFETCH(QString, after);
    QFETCH(QString, expected);
    const QString filler = QStringLiteral("<p>line</p>\n").repeated(30000);
    const int offset = int(before.size() + filler.size());
    const int caret = offset + TakeCaret(tag);
    CZentrelView view;
    view.setPlainText(before + filler + tag + after);
    CStartTag found = view.StartTagAround(caret);
    found.m_nStart -= offset;
    found.m_nEnd -= offset;
    QCOMPARE(Describe(found), expected);
}

ZT_TEST_MAIN(TestTagParser)
#include "tst_tagparser.moc"
