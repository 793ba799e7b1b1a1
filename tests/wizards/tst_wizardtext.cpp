#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "framework/Profile.h"
#include "res/CommandIds.h"
#include "wizards/AlignText.h"
#include "wizards/BodyText.h"
#include "wizards/ColorText.h"
#include "wizards/FileButton.h"
#include "wizards/FontText.h"
#include "wizards/ImageFolders.h"
#include "wizards/ImageText.h"
#include "wizards/ImageWizDlg.h"
#include "wizards/ListText.h"
#include "wizards/TableText.h"
#include "wizards/TagEdit.h"
#include "wizards/TagReader.h"
#include "wizards/WizardTarget.h"

#include <QTemporaryDir>

using namespace ZtCmd;
using ZtTest::Row;

namespace {
// Which wizards take the file, in the order Body, Font, Table, Image, Align,
// List, Color: "y" for one that does, "-" for one that does not.
QString WizardsTaking(const QString& path)
{
    QString taking;
    for (int id : {ID_BODY_WIZARD, ID_FONT_WIZARD, ID_TABLE_WIZARD, ID_IMAGE_WIZARD, ID_ALIGN_WIZARD, ID_LIST_WIZARD,
                   ID_COLOR_WIZARD})
        taking += IsWizardFileType(path, id) ? QLatin1Char('y') : QLatin1Char('-');
    return taking;
}

const QString kCell = QStringLiteral("Cell data goes here.\n\t\t</TD>\n");

// The profile's remembered folders as "key=value", in the file's order and
// spelling.
QString StoredFolders(const CProfile& profile)
{
    QStringList lines;
    for (const QString& key : profile.Keys(ZtImageFolders::Section()))
        lines.append(key + QLatin1Char('=') + profile.GetString(ZtImageFolders::Section(), key));
    return lines.join(QLatin1Char(' '));
}

// The count a text gives the Table wizard, "x" where it is no whole number.
QString TableCount(const QString& text)
{
    int read = -99;
    return ReadTableCount(text, &read) ? QString::number(read) : QStringLiteral("x");
}

// The tag the wizard of command writes back for tag when its dialog, filled
// from the tag, is accepted unchanged; "none" when that wizard does not edit
// such a tag. Every field the dialog fills is one attribute of what it
// writes, so a value read into the wrong field shows here.
QString WrittenBack(int command, const QString& tag)
{
    const CStartTag parsed = ParseStartTag(tag, 0);
    if (!WizardEditsTag(command, parsed.m_strName))
        return QStringLiteral("none");
    CTagReader reader(parsed);
    QString written;
    if (command == ID_BODY_WIZARD)
        written = BuildBodyText(BodyValuesFromTag(reader));
    else if (command == ID_FONT_WIZARD)
        written = BuildFontStartTag(FontValuesFromTag(reader));
    else if (command == ID_TABLE_WIZARD)
        written = BuildTableStartTag(TableValuesFromTag(reader));
    else if (command == ID_IMAGE_WIZARD)
        written = BuildImageStartTag(ImageValuesFromTag(reader));
    else
        written = BuildListStartTag(ListValuesFromTag(reader), IsOrderedListTag(reader.Name()));
    return EditedStartTag(written, reader.Kept());
}

// WrittenBack, which must read back the same when edited again.
QString Edited(int command, const QString& tag)
{
    const QString written = WrittenBack(command, tag);
    return written == QLatin1String("none") || WrittenBack(command, written) == written
               ? written
               : written + QStringLiteral(" (reads back otherwise)");
}
} // namespace

// The markup each wizard builds from its values or from a tag it edits,
// which files take it, the counts the Table wizard takes and the image
// folders the Image wizard remembers.
class TestWizardText : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void foldersInTheProfile();
};

void TestWizardText::results_data()
{
    ZtTest::ResultColumns();
    CBodyValues body;
    Row("body: nothing", BuildBodyText(body), "<BODY >\n");
    body.m_strBackground = "Red";
    body.m_strTextColor = "#000000";
    body.m_bFixed = true; // no image: still written
    Row("body: colours, fixed", BuildBodyText(body), "<BODY BGCOLOR=\"Red\" BGPROPERTIES=\"FIXED\" TEXT=\"#000000\" >\n");
    body = {"a\"b", "images/Bild ä.gif", true, " ", "L", "A", "V", "5", "x"};
    Row("body: all, as typed", BuildBodyText(body),
        "<BODY BGCOLOR=\"a\"b\" BACKGROUND=\"images/Bild ä.gif\" BGPROPERTIES=\"FIXED\" TEXT=\" \" LINK=\"L\" "
        "ALINK=\"A\" VLINK=\"V\" LEFTMARGIN=\"5\" TOPMARGIN=\"x\" >\n");
    body = CBodyValues();
    body.m_strImage = QString(10000, QLatin1Char('w'));
    Row("body: 10,000 characters", BuildBodyText(body), "<BODY BACKGROUND=\"" + body.m_strImage + "\" >\n");

    CFontValues font;
    Row("font: nothing", BuildFontText(font), "<FONT > </FONT>\n");
    font = {"Arial, Verdana", false, "7", false, "+1", "", "Hello"};
    Row("font: element", BuildFontText(font), "<FONT FACE=\"Arial, Verdana\" SIZE=\"+1\" >Hello </FONT>\n");
    font.m_bInsideTag = true;
    Row("font: inside a tag", BuildFontText(font), " FONT FACE=\"Arial, Verdana\" SIZE=\"+1\" >Hello\n");
    Row("font: basefont", BuildFontText({"Arial", true, "3", true, "+2", "", "lost"}),
        "<BASEFONT SIZE=\"3\" FACE=\"Arial\" >\n");
    Row("font: basefont, only text", BuildFontText({"", true, "", false, "", "", "Text"}), "<BASEFONT >\n");
    Row("font: basefont colour", BuildFontText({"Ümlaut", true, "", false, "", "Red", ""}),
        "<BASEFONT FACE=\"Ümlaut\" COLOR=\"Red\" >\n");

    const char* const colorKinds[] = {" BGCOLOR=\"#FFFFFF\" ", "#FFFFFF", "background: #FFFFFF;", "color: #FFFFFF;",
                                      "background-color: #FFFFFF;"};
    for (int kind = 0; kind < 5; ++kind)
        Row(colorKinds[kind], BuildColorText(QStringLiteral("#FFFFFF"), ZtColorKind(kind)), colorKinds[kind]);

    Row("align: nothing ticked", BuildAlignText({false, "Left", false, "Top", false, "", false, ""}), " ");
    Row("align: centre and width", BuildAlignText({true, "Center", false, "Top", false, "", true, "50%"}),
        " ALIGN=\"Center\" WIDTH=\"50%\" ");
    Row("align: all four", BuildAlignText({true, "Left", true, "Top", true, "10%", true, "20%"}),
        " ALIGN=\"Left\" VALIGN=\"Top\" HEIGHT=\"10%\" WIDTH=\"20%\" ");
    Row("align: ticked but empty", BuildAlignText({false, "", true, "", false, "", false, ""}), " VALIGN=\"\" ");

    const QString item = QStringLiteral("\t<LI> Item here \n");
    Row("list: nothing", BuildListText({}), "");
    Row("list: ordered", BuildListText({"2", "A", "3", "", ""}), "<OL TYPE=\"A\"  START=\"3\" > \n" + item + item + "</OL> \n");
    Row("list: unordered square", BuildListText({"", "", "", "1", "square"}), "<UL TYPE=\"square\" > \n" + item + "</UL> \n");
    Row("list: 3x reads 3", BuildListText({"3x", "", "", "", ""}), "<OL> \n" + item.repeated(3) + "</OL> \n");
    Row("list: both, ordered first", BuildListText({"1", "", "", "1", ""}),
        "<OL> \n" + item + "</OL> \n<UL> \n" + item + "</UL> \n");
    Row("list: zero, negative, word", BuildListText({"-2", "", "", "many", "disk"}),
        "<OL> \n</OL> \n<UL TYPE=\"disk\" > \n</UL> \n");
    const QString huge(10000, QLatin1Char('9'));
    Row("list: a huge quantity is cut, not built",
        ZtTest::YesNo(BuildListText({huge, "", "", "", ""}).count(QStringLiteral("<LI>")) <= kMaxListItems), "yes");

    Row("quantity: blanks and sign", QString::number(ReadQuantity(" \t+12")), "12");
    Row("quantity: stops at a non-digit", QString::number(ReadQuantity("7 8")), "7");
    Row("quantity: blank between sign and digits", QString::number(ReadQuantity("- 5")), "0");
    Row("quantity: too large", QString::number(ReadQuantity(huge)), "2147483647");
    Row("quantity: too small", QString::number(ReadQuantity("-99999999999")), "-2147483648");

    Row("takes: PAGE.HTM", WizardsTaking("/site/PAGE.HTM"), "yyyyyyy");
    Row("takes: page.html", WizardsTaking("/site/page.html"), "yyyyyyy");
    Row("takes: page.shtml", WizardsTaking("/site/page.shtml"), "-------");
    Row("takes: page.php", WizardsTaking("/site/page.php"), "-------");
    Row("takes: style.css", WizardsTaking("/site/style.css"), "------y");
    Row("takes: no path yet", WizardsTaking(""), "-------");
    Row("takes: dot in a folder only", WizardsTaking("/site.html/page"), "-------");

    // Patterns in both cases, since Qt's dialog matches with case; "*.*"
    // must also show names without a dot.
    Row("filter: several types", CFileButton::ToQtFilter(".gif Files (*.gif) |*.GIF|.jpg Files (*.jpg) |*.JPG|all Files (*.*) |*.*|"),
        ".gif Files (*.GIF *.gif);;.jpg Files (*.JPG *.jpg);;all Files (*)");
    Row("filter: several patterns", CFileButton::ToQtFilter("Pictures|*.gif;*.Png|"),
        "Pictures (*.GIF *.gif *.PNG *.png)");
    // The Image wizard's file dialog opens on its first filter: every kind of picture.
    Row("filter: image wizard's first", CFileButton::ToQtFilter(CImageWizDlg::ImageFilter()).section(";;", 0, 0),
        "Pictures (*.GIF *.gif *.JPG *.jpg *.JPEG *.jpeg *.PNG *.png *.SVG *.svg *.WEBP *.webp)");

    CTableValues table;
    Row("table: nothing", BuildTableStartTag(table), "<TABLE >\n");
    table.m_strWidth = "100%";
    table.m_strBorder = "1";
    table.m_nCssKind = 1;
    table.m_strCss = "main";
    Row("table: CLASS first", BuildTableStartTag(table), "<TABLE CLASS=main WIDTH=\"100%\" BORDER=\"1\" >\n");
    table = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "img/Ä b.gif", 2, "t"};
    Row("table: all, in order", BuildTableStartTag(table),
        "<TABLE ID=t WIDTH=\"1\" HEIGHT=\"2\" ALIGN=\"3\" VALIGN=\"4\" BORDER=\"5\" CELLPADDING=\"6\" "
        "CELLSPACING=\"7\" BORDERCOLOR=\"8\" BORDERCOLORLIGHT=\"9\" BORDERCOLORDARK=\"10\" BGCOLOR=\"11\" "
        "BACKGROUND=\"img/Ä b.gif\" >\n");
    table = CTableValues();
    table.m_nCssKind = 1; // CLASS with no name: no CLASS word
    table.m_strHeight = " ";
    Row("table: CLASS without text, blank value", BuildTableStartTag(table), "<TABLE HEIGHT=\" \" >\n");
    table.m_nCssKind = 0; // a name without a kind: nothing
    table.m_strCss = "lost";
    Row("table: text without a kind", BuildTableStartTag(table), "<TABLE HEIGHT=\" \" >\n");

    const CTableGroupValues plain;
    const QString plainCell = "\t\t<TD >\n" + kCell;
    Row("rows: 1 row, 2 cells", BuildTableRowsText(plain, plain, 1, 2),
        "\t<TR >\n" + plainCell + plainCell + "\t</TR>\n</TABLE>\n");
    Row("rows: no rows", BuildTableRowsText(plain, plain, 0, 5), "</TABLE>\n");
    Row("rows: negative rows", BuildTableRowsText(plain, plain, -3, 1), "</TABLE>\n");
    Row("rows: 3 rows, no cells", BuildTableRowsText(plain, plain, 3, -1),
        QString("\t<TR >\n\t</TR>\n").repeated(3) + "</TABLE>\n");
    Row("rows: attributes and styles",
        BuildTableRowsText({"90%", "", "Center", "Baseline", "Red", 1, "r"}, {"", "50%", "", "", "#0A05C8", 2, "c1"}, 2, 1),
        QString("\t<TR CLASS=r WIDTH=\"90%\" ALIGN=\"Center\" VALIGN=\"Baseline\" BGCOLOR=\"Red\" >\n"
                "\t\t<TD ID=c1 HEIGHT=\"50%\" BGCOLOR=\"#0A05C8\" >\n" + kCell + "\t</TR>\n").repeated(2)
            + "</TABLE>\n");

    Row("count: blanks around", TableCount(" 12\t"), "12");
    Row("count: signs", TableCount("+3"), "3");
    Row("count: negative", TableCount("-2"), "-2");
    Row("count: largest int", TableCount("2147483647"), "2147483647");
    for (const char* refused : {"", "  ", "1.5", "3x", "1,000", "2147483648"})
        Row(qPrintable(QStringLiteral("count: '%1' is none").arg(refused)), TableCount(refused), "x");

    // At most 10,000 cells and 10,000 rows; what is not built counts as
    // nothing, and no product overflows.
    const auto allowed = [](int rows, int cells) { return ZtTest::YesNo(IsTableSizeAllowed(rows, cells)); };
    Row("size: 100 x 100", allowed(100, 100), "yes");
    Row("size: 100 x 101", allowed(100, 101), "no");
    Row("size: largest ints", allowed(2147483647, 2147483647), "no");
    Row("size: 10,000 rows without cells", allowed(10000, 0), "yes");
    Row("size: 10,001 rows", allowed(10001, -5), "no");
    Row("size: no rows", allowed(-2147483647 - 1, 2147483647), "yes");

    const QString img = "<IMG SRC=\"images/a.gif\" BORDER=\"0\" > ";
    // image, align, border, link, text
    Row("image: link, text, image", BuildImageText({"images/a.gif", "", "", "x.html", "T"}),
        "<A HREF=\"x.html\">" + img + "T</A>\n");
    Row("image: link, text", BuildImageText({"", "left", "2", "x.html", "T"}), "<A HREF=\"x.html\">T</A>\n");
    Row("image: link only", BuildImageText({"", "", "", "pages/next.html", ""}), "<A HREF=\"pages/next.html\"></A>\n");
    Row("image: text before image", BuildImageText({"images/a.gif", "", "", "", "T"}), "T" + img + "\n");
    Row("image: text only", BuildImageText({"", "", "", "", "Only text"}), "Only text\n");
    Row("image: image, align, border", BuildImageText({"images/a.gif", "left", "2", "", ""}),
        "<IMG SRC=\"images/a.gif\" BORDER=\"2\" ALIGN=\"left\"> \n");
    Row("image: nothing", BuildImageText({"", "left", "2", "", ""}), "");
    Row("image: spaces, non-ASCII", BuildImageText({"Bilder/Grüße 1.gif", "", "", "", ""}),
        "<IMG SRC=\"Bilder/Grüße 1.gif\" BORDER=\"0\" > \n");

    const auto record = [](const QStringList& before, const QString& picked) {
        return ZtImageFolders::RecordFolder(before, picked).join(QLatin1Char(' '));
    };
    Row("folders: first pick", record({}, "/web/img"), "/web/img");
    Row("folders: fifth folder, three kept", record({"/a", "/b", "/c", "/d"}, "/e"), "/e /a /b");
    Row("folders: already first", record({"/a", "/b"}, "/a"), "/a /b");
    Row("folders: from the middle", record({"/a", "/b", "/c", "/d"}, "/c"), "/c /a /b");
    Row("folders: case differs", record({"/Img"}, "/img"), "/img /Img");

    const int bodyWizard = ID_BODY_WIZARD;
    Row("tag: body, single quotes", Edited(bodyWizard, "<Body BGColor='#ffffff'>"), "<BODY BGCOLOR=\"#ffffff\" >");
    Row("tag: body, every field, unknown kept in order",
        Edited(bodyWizard, "<body onload=\"init()\" text=black bgproperties=Fixed link=red class=main alink=a vlink=v "
                           "leftmargin=5 topmargin=10 background=\"i m.gif\" nowrap>"),
        "<BODY BACKGROUND=\"i m.gif\" BGPROPERTIES=\"FIXED\" TEXT=\"black\" LINK=\"red\" ALINK=\"a\" VLINK=\"v\" "
        "LEFTMARGIN=\"5\" TOPMARGIN=\"10\" onload=\"init()\" class=main nowrap >");
    Row("tag: body, other properties kept", Edited(bodyWizard, "<body bgproperties='scroll'>"), "<BODY bgproperties='scroll' >");
    Row("tag: body, first of two", Edited(bodyWizard, "<body BGCOLOR=red bgcolor=blue>"), "<BODY BGCOLOR=\"red\" >");
    Row("tag: body over lines, quote never closed", Edited(bodyWizard, "<body\n  data-x='a<b'\n  bgcolor=\"red>"),
        "<BODY BGCOLOR=\"red\" data-x='a<b' >");
    Row("tag: body, empty value", Edited(bodyWizard, "<body text=>"), "<BODY >");
    Row("tag: font", Edited(ID_FONT_WIZARD, "<font face=\"Arial, Verdana\" SIZE=+1 color='Red' title=t>"),
        "<FONT FACE=\"Arial, Verdana\" SIZE=\"+1\" COLOR=\"Red\" title=t >");
    Row("tag: basefont", Edited(ID_FONT_WIZARD, "<BaseFont size=3 id=b>"), "<BASEFONT SIZE=\"3\" id=b >");
    Row("tag: table, class, id kept",
        Edited(ID_TABLE_WIZARD, "<table width=100% id=t1 border=1 class=\"main\" cellpadding=2 bgcolor=#eee summary=\"x\">"),
        "<TABLE CLASS=main WIDTH=\"100%\" BORDER=\"1\" CELLPADDING=\"2\" BGCOLOR=\"#eee\" id=t1 summary=\"x\" >");
    Row("tag: table, id", Edited(ID_TABLE_WIZARD, "<TABLE ID='t' BorderColorLight=Red>"),
        "<TABLE ID=t BORDERCOLORLIGHT=\"Red\" >");
    Row("tag: image", Edited(ID_IMAGE_WIZARD, "<img alt=\"a<b>\" src=\"a b.gif\" border=2 align=left>"),
        "<IMG SRC=\"a b.gif\" BORDER=\"2\" ALIGN=\"left\" alt=\"a<b>\" >");
    Row("tag: image without border", Edited(ID_IMAGE_WIZARD, "<IMG SRC=x.gif>"), "<IMG SRC=\"x.gif\" BORDER=\"0\" >");
    Row("tag: ordered list", Edited(ID_LIST_WIZARD, "<ol type=A start=3 class=steps>"),
        "<OL TYPE=\"A\"  START=\"3\" class=steps >");
    Row("tag: unordered list", Edited(ID_LIST_WIZARD, "<ul\ntype=square>"), "<UL TYPE=\"square\" >");
    Row("tag: plain list, kept", Edited(ID_LIST_WIZARD, "<UL id=u>"), "<UL id=u >");
    // Tags that look like a wizard's but are not: those wizards insert.
    for (const auto& [command, name] : {std::pair{ID_ALIGN_WIZARD, "P"}, {ID_ALIGN_WIZARD, "div"}, {ID_LIST_WIZARD, "li"},
                                        {ID_TABLE_WIZARD, "td"}, {ID_BODY_WIZARD, "bodyx"}, {ID_COLOR_WIZARD, "font"}})
        Row(qPrintable(QStringLiteral("tag: %1 not edited by %2").arg(name).arg(command)),
            Edited(command, QStringLiteral("<%1>").arg(name)), "none");
}

void TestWizardText::foldersInTheProfile()
{
    QTemporaryDir dir;
    CProfile profile(dir.filePath(QStringLiteral("p.ini")));
    // First run: nothing to show, nothing written for an empty list.
    QCOMPARE(ZtImageFolders::Load(profile), QStringList());
    ZtImageFolders::Save(profile, {});
    QCOMPARE(StoredFolders(profile), QString());

    // Garbage is skipped, never shown as a row; key names match in any case.
    const QStringList stored{"empty", "", "c:\\web\\img", "/ok/Ä b"};
    for (int i = 0; i < stored.size(); ++i)
        profile.WriteString(QStringLiteral("lastdirectory"), ZtImageFolders::Key(i).toUpper(), stored[i]);
    profile.WriteString(ZtImageFolders::Section(), QStringLiteral("ImageDir5"), QStringLiteral("/five"));
    QCOMPARE(ZtImageFolders::Load(profile), QStringList{"/ok/Ä b"});
    QCOMPARE(ZtImageFolders::MostRecent(profile), QString()); // ImageDir1 is "empty"

    // Writing: at most four keys, an empty entry as "empty", keys beyond the
    // list keep their values.
    ZtImageFolders::Save(profile, {"/new", ""});
    QCOMPARE(StoredFolders(profile),
             QStringLiteral("IMAGEDIR1=/new IMAGEDIR2=empty IMAGEDIR3=c:\\web\\img IMAGEDIR4=/ok/Ä b ImageDir5=/five"));
    ZtImageFolders::Save(profile, {"/1", "/2", "/3", "/4", "/5", "/6"});
    QCOMPARE(StoredFolders(profile), QStringLiteral("IMAGEDIR1=/1 IMAGEDIR2=/2 IMAGEDIR3=/3 IMAGEDIR4=/4 ImageDir5=/five"));
    QCOMPARE(ZtImageFolders::MostRecent(profile), QStringLiteral("/1"));
}

ZT_TEST_MAIN(TestWizardText)
#include "tst_wizardtext.moc"
