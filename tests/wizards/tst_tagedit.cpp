#include "support/TestMain.h"

#include "res/CommandIds.h"
#include "wizards/BodyText.h"
#include "wizards/FontText.h"
#include "wizards/ImageText.h"
#include "wizards/ListText.h"
#include "wizards/TableText.h"
#include "wizards/TagEdit.h"
#include "wizards/TagReader.h"

#include <QTest>

using namespace ZtCmd;

namespace {
// "NAME=value" for each field that is filled in, in the dialog's order.
class CFields
{
public:
    CFields& operator()(const char* name, const QString& value)
    {
        if (!value.isEmpty())
            m_fields.append(QLatin1String(name) + QLatin1Char('=') + value);
        return *this;
    }
    CFields& operator()(const char* name, bool ticked) { return (*this)(name, ticked ? QStringLiteral("y") : QString()); }
    QString Text() const { return m_fields.join(QLatin1Char(' ')); }

private:
    QStringList m_fields;
};

// What the wizard of command shows for tag, and the tag it writes back
// when its dialog is accepted unchanged.
struct CEdit
{
    QString fields;
    QString written;
};

CEdit BodyEdit(CTagReader& tag)
{
    const CBodyValues v = BodyValuesFromTag(tag);
    const QString fields = CFields()("bg", v.m_strBackground)("image", v.m_strImage)("fixed", v.m_bFixed)(
        "text", v.m_strTextColor)("link", v.m_strLink)("alink", v.m_strActiveLink)("vlink", v.m_strVisitedLink)(
        "left", v.m_strLeftMargin)("top", v.m_strTopMargin).Text();
    return {fields, EditedStartTag(BuildBodyText(v), tag.Kept())};
}

CEdit FontEdit(CTagReader& tag)
{
    const CFontValues v = FontValuesFromTag(tag);
    const QString fields = CFields()("face", v.m_strFace)("basefont", v.m_bBasefont)("basesize", v.m_strBasefontSize)(
        "size", v.m_strSize)("color", v.m_strColor).Text();
    return {fields, EditedStartTag(BuildFontStartTag(v), tag.Kept())};
}

CEdit TableEdit(CTagReader& tag)
{
    const CTableValues v = TableValuesFromTag(tag);
    const QString fields = CFields()("css", v.m_nCssKind ? QString::number(v.m_nCssKind) + v.m_strCss : QString())(
        "width", v.m_strWidth)("height", v.m_strHeight)("align", v.m_strAlign)("valign", v.m_strVAlign)(
        "border", v.m_strBorder)("padding", v.m_strCellPadding)("spacing", v.m_strCellSpacing)(
        "bordercolor", v.m_strBorderColor)("light", v.m_strBorderColorLight)("dark", v.m_strBorderColorDark)(
        "bg", v.m_strBackgroundColor)("image", v.m_strBackgroundImage).Text();
    return {fields, EditedStartTag(BuildTableStartTag(v), tag.Kept())};
}

CEdit ImageEdit(CTagReader& tag)
{
    const CImageValues v = ImageValuesFromTag(tag);
    const QString fields = CFields()("image", v.m_strImage)("align", v.m_strAlign)("border", v.m_strBorder).Text();
    return {fields, EditedStartTag(BuildImageStartTag(v), tag.Kept())};
}

CEdit ListEdit(CTagReader& tag)
{
    const CListValues v = ListValuesFromTag(tag);
    const QString fields = CFields()("oltype", v.m_strOrderedType)("start", v.m_strOrderedStart)(
        "ultype", v.m_strUnorderedType).Text();
    return {fields, EditedStartTag(BuildListStartTag(v, IsOrderedListTag(tag.Name())), tag.Kept())};
}

CEdit Edit(int command, CTagReader& tag)
{
    return command == ID_BODY_WIZARD    ? BodyEdit(tag)
           : command == ID_FONT_WIZARD  ? FontEdit(tag)
           : command == ID_TABLE_WIZARD ? TableEdit(tag)
           : command == ID_IMAGE_WIZARD ? ImageEdit(tag)
                                        : ListEdit(tag);
}
} // namespace

// Each wizard filled from a tag it edits, and the tag it writes back.
class TestTagEdit : public QObject
{
    Q_OBJECT
private slots:
    void fillFromTag_data();
    void fillFromTag();
};

void TestTagEdit::fillFromTag_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("written"); // the dialog accepted unchanged
    const int body = ID_BODY_WIZARD;
    QTest::newRow("body, unquoted") << body << "<body bgcolor=#fff>" << "bg=#fff" << "<BODY BGCOLOR=\"#fff\" >";
    QTest::newRow("body, double quotes") << body << "<BODY BGCOLOR=\"#FFFFFF\">" << "bg=#FFFFFF"
                                         << "<BODY BGCOLOR=\"#FFFFFF\" >";
    QTest::newRow("body, single quotes") << body << "<Body BGColor='#ffffff'>" << "bg=#ffffff"
                                         << "<BODY BGCOLOR=\"#ffffff\" >";
    QTest::newRow("body, every field, unknown kept in order")
        << body
        << "<body onload=\"init()\" text=black bgproperties=Fixed link=red class=main alink=a vlink=v "
           "leftmargin=5 topmargin=10 background=\"i m.gif\" nowrap>"
        << "image=i m.gif fixed=y text=black link=red alink=a vlink=v left=5 top=10"
        << "<BODY BACKGROUND=\"i m.gif\" BGPROPERTIES=\"FIXED\" TEXT=\"black\" LINK=\"red\" ALINK=\"a\" VLINK=\"v\" "
           "LEFTMARGIN=\"5\" TOPMARGIN=\"10\" onload=\"init()\" class=main nowrap >";
    QTest::newRow("body, other properties kept") << body << "<body bgproperties='scroll'>" << ""
                                                 << "<BODY bgproperties='scroll' >";
    QTest::newRow("body, first of two") << body << "<body BGCOLOR=red bgcolor=blue>" << "bg=red"
                                        << "<BODY BGCOLOR=\"red\" >";
    QTest::newRow("body over lines, quote never closed")
        << body << "<body\n  data-x='a<b'\n  bgcolor=\"red>" << "bg=red" << "<BODY BGCOLOR=\"red\" data-x='a<b' >";
    QTest::newRow("body, empty value") << body << "<body text=>" << "" << "<BODY >";
    QTest::newRow("font") << int(ID_FONT_WIZARD) << "<font face=\"Arial, Verdana\" SIZE=+1 color='Red' title=t>"
                          << "face=Arial, Verdana size=+1 color=Red"
                          << "<FONT FACE=\"Arial, Verdana\" SIZE=\"+1\" COLOR=\"Red\" title=t >";
    QTest::newRow("basefont") << int(ID_FONT_WIZARD) << "<BaseFont size=3 id=b>" << "basefont=y basesize=3"
                              << "<BASEFONT SIZE=\"3\" id=b >";
    QTest::newRow("table, class, id kept")
        << int(ID_TABLE_WIZARD)
        << "<table width=100% id=t1 border=1 class=\"main\" cellpadding=2 bgcolor=#eee summary=\"x\">"
        << "css=1main width=100% border=1 padding=2 bg=#eee"
        << "<TABLE CLASS=main WIDTH=\"100%\" BORDER=\"1\" CELLPADDING=\"2\" BGCOLOR=\"#eee\" id=t1 summary=\"x\" >";
    QTest::newRow("table, id") << int(ID_TABLE_WIZARD) << "<TABLE ID='t' BorderColorLight=Red>"
                               << "css=2t light=Red" << "<TABLE ID=t BORDERCOLORLIGHT=\"Red\" >";
    QTest::newRow("image") << int(ID_IMAGE_WIZARD) << "<img alt=\"a<b>\" src=\"a b.gif\" border=2 align=left>"
                           << "image=a b.gif align=left border=2"
                           << "<IMG SRC=\"a b.gif\" BORDER=\"2\" ALIGN=\"left\" alt=\"a<b>\" >";
    QTest::newRow("image without border") << int(ID_IMAGE_WIZARD) << "<IMG SRC=x.gif>" << "image=x.gif"
                                          << "<IMG SRC=\"x.gif\" BORDER=\"0\" >";
    QTest::newRow("ordered list") << int(ID_LIST_WIZARD) << "<ol type=A start=3 class=steps>"
                                  << "oltype=A start=3" << "<OL TYPE=\"A\"  START=\"3\" class=steps >";
    QTest::newRow("unordered list") << int(ID_LIST_WIZARD) << "<ul\ntype=square>" << "ultype=square"
                                    << "<UL TYPE=\"square\" >";
    QTest::newRow("plain list, kept") << int(ID_LIST_WIZARD) << "<UL id=u>" << "" << "<UL id=u >";
    // Tags that look like a wizard's but are not: those wizards insert.
    for (const auto& [command, name] : {std::pair{ID_ALIGN_WIZARD, "P"}, {ID_ALIGN_WIZARD, "div"}, {ID_LIST_WIZARD, "li"},
                                        {ID_TABLE_WIZARD, "td"}, {ID_BODY_WIZARD, "bodyx"}, {ID_COLOR_WIZARD, "font"}})
        QTest::addRow("not edited: %s", name) << int(command) << QStringLiteral("<%1>").arg(name) << "" << "none";
}

void TestTagEdit::fillFromTag()
{
    QFETCH(int, command);
    QFETCH(QString, tag);
    QFETCH(QString, fields);
    QFETCH(QString, written);
    const CStartTag parsed = ParseStartTag(tag, 0);
    QCOMPARE(WizardEditsTag(command, parsed.m_strName), written != QLatin1String("none"));
    if (written == QLatin1String("none"))
        return;
    CTagReader reader(parsed);
    const CEdit edit = Edit(command, reader);
    QCOMPARE(edit.fields, fields);
    QCOMPARE(edit.written, written);
    // Written back, the tag reads the same again.
    CTagReader again(ParseStartTag(written, 0));
    QCOMPARE(Edit(command, again).written, written);
}

ZT_TEST_MAIN(TestTagEdit)
#include "tst_tagedit.moc"
