#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "res/CommandIds.h"
#include "wizards/AlignText.h"
#include "wizards/BodyText.h"
#include "wizards/ColorText.h"
#include "wizards/FileButton.h"
#include "wizards/FontText.h"
#include "wizards/ListText.h"
#include "wizards/WizardTarget.h"

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
} // namespace

// The markup each wizard builds from its values, and which files take it.
class TestWizardText : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
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
    body = CBodyValues();
    body.m_strTopMargin = "10";
    Row("body: top margin", BuildBodyText(body), "<BODY TOPMARGIN=\"10\" >\n");
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
    Row("align: height only", BuildAlignText({false, "", false, "", true, "80%", false, ""}), " HEIGHT=\"80%\" ");
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
}

ZT_TEST_MAIN(TestWizardText)
#include "tst_wizardtext.moc"
