#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "framework/Profile.h"
#include "wizards/ImageFolders.h"
#include "wizards/ImageText.h"
#include "wizards/TableText.h"

#include <QTemporaryDir>

using ZtTest::Row;

namespace {
const QString kCell = QStringLiteral("Cell data goes here.\n\t\t</TD>\n");

// The profile's remembered folders as "key=value" lines, "-" for a key
// that is not there.
QStringList StoredFolders(const CProfile& profile)
{
    QStringList lines;
    for (int i = 0; i < 5; ++i) {
        const QString key = ZtImageFolders::Key(i);
        lines.append(key + QLatin1Char('=')
                     + (profile.Contains(ZtImageFolders::Section(), key)
                            ? profile.GetString(ZtImageFolders::Section(), key)
                            : QStringLiteral("-")));
    }
    return lines;
}

// The count a text gives the Table wizard, "x" where it is no whole number.
QString TableCount(const QString& text)
{
    int read = -99;
    return ReadTableCount(text, &read) ? QString::number(read) : QStringLiteral("x");
}
} // namespace

// The Table and Image wizards' markup, the counts the Table wizard takes,
// and the image folders the Image wizard remembers.
class TestTableImageText : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void foldersInTheProfile();
};

void TestTableImageText::results_data()
{
    ZtTest::ResultColumns();
    CTableValues table;
    Row("table: nothing", BuildTableStartTag(table), "<TABLE >\n");
    table.m_strWidth = "100%";
    table.m_strBorder = "1";
    Row("table: width and border", BuildTableStartTag(table), "<TABLE WIDTH=\"100%\" BORDER=\"1\" >\n");
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
    Row("image: link, image", BuildImageText({"images/a.gif", "", "", "x.html", ""}), "<A HREF=\"x.html\">" + img + "</A>\n");
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
}

void TestTableImageText::foldersInTheProfile()
{
    QTemporaryDir dir;
    CProfile profile(dir.filePath(QStringLiteral("p.ini")));
    // First run: nothing to show, nothing written for an empty list.
    QCOMPARE(ZtImageFolders::Load(profile), QStringList());
    QCOMPARE(ZtImageFolders::MostRecent(profile), QString());
    ZtImageFolders::Save(profile, {});
    QCOMPARE(StoredFolders(profile), (QStringList{"ImageDir1=-", "ImageDir2=-", "ImageDir3=-", "ImageDir4=-",
                                                  "ImageDir5=-"}));

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
    QCOMPARE(StoredFolders(profile), (QStringList{"ImageDir1=/new", "ImageDir2=empty", "ImageDir3=c:\\web\\img",
                                                  "ImageDir4=/ok/Ä b", "ImageDir5=/five"}));
    ZtImageFolders::Save(profile, {"/1", "/2", "/3", "/4", "/5", "/6"});
    QCOMPARE(StoredFolders(profile), (QStringList{"ImageDir1=/1", "ImageDir2=/2", "ImageDir3=/3", "ImageDir4=/4",
                                                  "ImageDir5=/five"}));
    QCOMPARE(ZtImageFolders::MostRecent(profile), QStringLiteral("/1"));
}

ZT_TEST_MAIN(TestTableImageText)
#include "tst_tableimagetext.moc"
