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

// The markup each wizard builds from its values, and which files take it.
class TestWizardText : public QObject
{
    Q_OBJECT
private slots:
    void bodyText_data();
    void bodyText();
    void fontText_data();
    void fontText();
    void colorText_data();
    void colorText();
    void alignText_data();
    void alignText();
    void listText_data();
    void listText();
    void quantities_data();
    void quantities();
    void wizardFileTypes_data();
    void wizardFileTypes();
    void fileFilterForQt();
};

void TestWizardText::bodyText_data()
{
    QTest::addColumn<CBodyValues>("values");
    QTest::addColumn<QString>("expected");
    CBodyValues values;
    QTest::newRow("nothing") << values << "<BODY >\n";
    values.m_strBackground = "Red";
    values.m_strTextColor = "#000000";
    values.m_bFixed = true; // no image: still written
    QTest::newRow("colours, fixed") << values << "<BODY BGCOLOR=\"Red\" BGPROPERTIES=\"FIXED\" TEXT=\"#000000\" >\n";
    values = CBodyValues();
    values.m_strTopMargin = "10";
    QTest::newRow("top margin") << values << "<BODY TOPMARGIN=\"10\" >\n";
    values = {"a\"b", "images/Bild ä.gif", true, " ", "L", "A", "V", "5", "x"};
    QTest::newRow("all, as typed")
        << values
        << "<BODY BGCOLOR=\"a\"b\" BACKGROUND=\"images/Bild ä.gif\" BGPROPERTIES=\"FIXED\" TEXT=\" \" LINK=\"L\" "
           "ALINK=\"A\" VLINK=\"V\" LEFTMARGIN=\"5\" TOPMARGIN=\"x\" >\n";
    const QString longValue(10000, QLatin1Char('w'));
    values = CBodyValues();
    values.m_strImage = longValue;
    QTest::newRow("10,000 characters") << values << "<BODY BACKGROUND=\"" + longValue + "\" >\n";
}

void TestWizardText::bodyText()
{
    QFETCH(CBodyValues, values);
    QFETCH(QString, expected);
    QCOMPARE(BuildBodyText(values), expected);
}

void TestWizardText::fontText_data()
{
    QTest::addColumn<CFontValues>("values");
    QTest::addColumn<QString>("expected");
    CFontValues values;
    QTest::newRow("nothing") << values << "<FONT > </FONT>\n";
    values = {"Arial, Verdana", false, "7", false, "+1", "", "Hello"};
    QTest::newRow("element") << values << "<FONT FACE=\"Arial, Verdana\" SIZE=\"+1\" >Hello </FONT>\n";
    values.m_bInsideTag = true;
    QTest::newRow("inside a tag") << values << " FONT FACE=\"Arial, Verdana\" SIZE=\"+1\" >Hello\n";
    values = {"Arial", true, "3", true, "+2", "", "lost"};
    QTest::newRow("basefont") << values << "<BASEFONT SIZE=\"3\" FACE=\"Arial\" >\n";
    values = {"", true, "", false, "", "", "Text"};
    QTest::newRow("basefont, only text") << values << "<BASEFONT >\n";
    values = {"Ümlaut", true, "", false, "", "Red", ""};
    QTest::newRow("basefont colour") << values << "<BASEFONT FACE=\"Ümlaut\" COLOR=\"Red\" >\n";
}

void TestWizardText::fontText()
{
    QFETCH(CFontValues, values);
    QFETCH(QString, expected);
    QCOMPARE(BuildFontText(values), expected);
}

void TestWizardText::colorText_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("BGCOLOR") << 0 << " BGCOLOR=\"#FFFFFF\" ";
    QTest::newRow("Alone") << 1 << "#FFFFFF";
    QTest::newRow("background") << 2 << "background: #FFFFFF;";
    QTest::newRow("color") << 3 << "color: #FFFFFF;";
    QTest::newRow("background-color") << 4 << "background-color: #FFFFFF;";
}

void TestWizardText::colorText()
{
    QFETCH(int, kind);
    QFETCH(QString, expected);
    QCOMPARE(BuildColorText(QStringLiteral("#FFFFFF"), ZtColorKind(kind)), expected);
}

void TestWizardText::alignText_data()
{
    QTest::addColumn<CAlignValues>("values");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing ticked") << CAlignValues{false, "Left", false, "Top", false, "", false, ""} << " ";
    QTest::newRow("centre and width") << CAlignValues{true, "Center", false, "Top", false, "", true, "50%"}
                                      << " ALIGN=\"Center\" WIDTH=\"50%\" ";
    QTest::newRow("height only") << CAlignValues{false, "", false, "", true, "80%", false, ""} << " HEIGHT=\"80%\" ";
    QTest::newRow("all four") << CAlignValues{true, "Left", true, "Top", true, "10%", true, "20%"}
                              << " ALIGN=\"Left\" VALIGN=\"Top\" HEIGHT=\"10%\" WIDTH=\"20%\" ";
    QTest::newRow("ticked but empty") << CAlignValues{false, "", true, "", false, "", false, ""} << " VALIGN=\"\" ";
}

void TestWizardText::alignText()
{
    QFETCH(CAlignValues, values);
    QFETCH(QString, expected);
    QCOMPARE(BuildAlignText(values), expected);
}

void TestWizardText::listText_data()
{
    QTest::addColumn<CListValues>("values");
    QTest::addColumn<QString>("expected");
    const QString item = QStringLiteral("\t<LI> Item here \n");
    QTest::newRow("nothing") << CListValues{} << "";
    QTest::newRow("ordered") << CListValues{"2", "A", "3", "", ""}
                             << "<OL TYPE=\"A\"  START=\"3\" > \n" + item + item + "</OL> \n";
    QTest::newRow("unordered square") << CListValues{"", "", "", "1", "square"}
                                      << "<UL TYPE=\"square\" > \n" + item + "</UL> \n";
    QTest::newRow("3x reads 3") << CListValues{"3x", "", "", "", ""} << "<OL> \n" + item.repeated(3) + "</OL> \n";
    QTest::newRow("both, ordered first") << CListValues{"1", "", "", "1", ""}
                                         << "<OL> \n" + item + "</OL> \n<UL> \n" + item + "</UL> \n";
    QTest::newRow("zero, negative, word") << CListValues{"-2", "", "", "many", "disk"}
                                          << "<OL> \n</OL> \n<UL TYPE=\"disk\" > \n</UL> \n";
}

void TestWizardText::listText()
{
    QFETCH(CListValues, values);
    QFETCH(QString, expected);
    QCOMPARE(BuildListText(values), expected);
}

void TestWizardText::quantities_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("blanks and sign") << " \t+12" << 12;
    QTest::newRow("stops at a non-digit") << "7 8" << 7;
    QTest::newRow("blank between sign and digits") << "- 5" << 0;
    QTest::newRow("too large") << QString(10000, QLatin1Char('9')) << 2147483647;
    QTest::newRow("too small") << "-99999999999" << -2147483647 - 1;
}

void TestWizardText::quantities()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(ReadQuantity(text), number);
    // A huge quantity is cut, not built.
    const CListValues values{text, "", "", "", ""};
    QVERIFY(BuildListText(values).count(QStringLiteral("<LI>")) <= kMaxListItems);
}

void TestWizardText::wizardFileTypes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("pageWizards");
    QTest::addColumn<bool>("colorWizard");
    QTest::newRow("PAGE.HTM") << "/site/PAGE.HTM" << true << true;
    QTest::newRow("page.html") << "/site/page.html" << true << true;
    QTest::newRow("page.shtml") << "/site/page.shtml" << false << false;
    QTest::newRow("page.php") << "/site/page.php" << false << false;
    QTest::newRow("style.css") << "/site/style.css" << false << true;
    QTest::newRow("no path yet") << "" << false << false;
    QTest::newRow("dot in a folder only") << "/site.html/page" << false << false;
}

void TestWizardText::wizardFileTypes()
{
    QFETCH(QString, path);
    QFETCH(bool, pageWizards);
    QFETCH(bool, colorWizard);
    for (int id : {ID_BODY_WIZARD, ID_FONT_WIZARD, ID_TABLE_WIZARD, ID_IMAGE_WIZARD, ID_ALIGN_WIZARD, ID_LIST_WIZARD})
        QCOMPARE(IsWizardFileType(path, id), pageWizards);
    QCOMPARE(IsWizardFileType(path, ID_COLOR_WIZARD), colorWizard);
}

void TestWizardText::fileFilterForQt()
{
    // Patterns in both cases, since Qt's dialog matches with case; "*.*"
    // must also show names without a dot.
    QCOMPARE(CFileButton::ToQtFilter(".gif Files (*.gif) |*.GIF|.jpg Files (*.jpg) |*.JPG|all Files (*.*) |*.*|"),
             QStringLiteral(".gif Files (*.GIF *.gif);;.jpg Files (*.JPG *.jpg);;all Files (*)"));
    QCOMPARE(CFileButton::ToQtFilter("Pictures|*.gif;*.Png|"), QStringLiteral("Pictures (*.GIF *.gif *.PNG *.png)"));
}

ZT_TEST_MAIN(TestWizardText)
#include "tst_wizardtext.moc"
