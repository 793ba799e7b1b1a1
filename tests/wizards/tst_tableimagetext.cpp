#include "support/TestMain.h"

#include "framework/Profile.h"
#include "wizards/ImageFolders.h"
#include "wizards/ImageText.h"
#include "wizards/TableText.h"

#include <QTemporaryDir>

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
} // namespace

// The Table and Image wizards' markup, the counts the Table wizard takes,
// and the image folders the Image wizard remembers.
class TestTableImageText : public QObject
{
    Q_OBJECT
private slots:
    void tableStartTag_data();
    void tableStartTag();
    void tableRows_data();
    void tableRows();
    void tableCounts_data();
    void tableCounts();
    void tableSizeLimit();
    void imageText_data();
    void imageText();
    void recordFolder_data();
    void recordFolder();
    void foldersInTheProfile();
};

void TestTableImageText::tableStartTag_data()
{
    QTest::addColumn<CTableValues>("values");
    QTest::addColumn<QString>("expected");
    CTableValues values;
    QTest::newRow("nothing") << values << "<TABLE >\n";
    values.m_strWidth = "100%";
    values.m_strBorder = "1";
    QTest::newRow("width and border") << values << "<TABLE WIDTH=\"100%\" BORDER=\"1\" >\n";
    values.m_nCssKind = 1;
    values.m_strCss = "main";
    QTest::newRow("CLASS first") << values << "<TABLE CLASS=main WIDTH=\"100%\" BORDER=\"1\" >\n";
    values = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "img/Ä b.gif", 2, "t"};
    QTest::newRow("all, in order")
        << values
        << "<TABLE ID=t WIDTH=\"1\" HEIGHT=\"2\" ALIGN=\"3\" VALIGN=\"4\" BORDER=\"5\" CELLPADDING=\"6\" "
           "CELLSPACING=\"7\" BORDERCOLOR=\"8\" BORDERCOLORLIGHT=\"9\" BORDERCOLORDARK=\"10\" BGCOLOR=\"11\" "
           "BACKGROUND=\"img/Ä b.gif\" >\n";
    values = CTableValues();
    values.m_nCssKind = 1; // CLASS with no name: no CLASS word
    values.m_strHeight = " ";
    QTest::newRow("CLASS without text, blank value") << values << "<TABLE HEIGHT=\" \" >\n";
    values.m_nCssKind = 0; // a name without a kind: nothing
    values.m_strCss = "lost";
    QTest::newRow("text without a kind") << values << "<TABLE HEIGHT=\" \" >\n";
}

void TestTableImageText::tableStartTag()
{
    QFETCH(CTableValues, values);
    QFETCH(QString, expected);
    QCOMPARE(BuildTableStartTag(values), expected);
}

void TestTableImageText::tableRows_data()
{
    QTest::addColumn<CTableGroupValues>("rows");
    QTest::addColumn<CTableGroupValues>("cells");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("cellCount");
    QTest::addColumn<QString>("expected");
    const QString plainCell = "\t\t<TD >\n" + kCell;
    QTest::newRow("1 row, 2 cells") << CTableGroupValues() << CTableGroupValues() << 1 << 2
                                    << "\t<TR >\n" + plainCell + plainCell + "\t</TR>\n</TABLE>\n";
    QTest::newRow("no rows") << CTableGroupValues() << CTableGroupValues() << 0 << 5 << "</TABLE>\n";
    QTest::newRow("negative rows") << CTableGroupValues() << CTableGroupValues() << -3 << 1 << "</TABLE>\n";
    QTest::newRow("3 rows, no cells") << CTableGroupValues() << CTableGroupValues() << 3 << -1
                                      << QString("\t<TR >\n\t</TR>\n").repeated(3) + "</TABLE>\n";
    const CTableGroupValues rows{"90%", "", "Center", "Baseline", "Red", 1, "r"};
    const CTableGroupValues cells{"", "50%", "", "", "#0A05C8", 2, "c1"};
    QTest::newRow("attributes and styles")
        << rows << cells << 2 << 1
        << QString("\t<TR CLASS=r WIDTH=\"90%\" ALIGN=\"Center\" VALIGN=\"Baseline\" BGCOLOR=\"Red\" >\n"
                   "\t\t<TD ID=c1 HEIGHT=\"50%\" BGCOLOR=\"#0A05C8\" >\n"
                   + kCell + "\t</TR>\n")
                   .repeated(2)
               + "</TABLE>\n";
}

void TestTableImageText::tableRows()
{
    QFETCH(CTableGroupValues, rows);
    QFETCH(CTableGroupValues, cells);
    QFETCH(int, rowCount);
    QFETCH(int, cellCount);
    QFETCH(QString, expected);
    QCOMPARE(BuildTableRowsText(rows, cells, rowCount, cellCount), expected);
}

void TestTableImageText::tableCounts_data()
{
    // "x" where the text is no whole number.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("count");
    QTest::newRow("blanks around") << " 12\t" << "12";
    QTest::newRow("signs") << "+3" << "3";
    QTest::newRow("negative") << "-2" << "-2";
    QTest::newRow("empty") << "" << "x";
    QTest::newRow("blanks only") << "  " << "x";
    QTest::newRow("fraction") << "1.5" << "x";
    QTest::newRow("trailing letters") << "3x" << "x";
    QTest::newRow("thousands separator") << "1,000" << "x";
    QTest::newRow("beyond an int") << "2147483648" << "x";
    QTest::newRow("largest int") << "2147483647" << "2147483647";
}

void TestTableImageText::tableCounts()
{
    QFETCH(QString, text);
    QFETCH(QString, count);
    int read = -99;
    const bool ok = ReadTableCount(text, &read);
    QCOMPARE(ok ? QString::number(read) : QStringLiteral("x"), count);
}

void TestTableImageText::tableSizeLimit()
{
    // At most 10,000 cells and 10,000 rows; what is not built counts as
    // nothing, and no product overflows.
    QVERIFY(IsTableSizeAllowed(100, 100));
    QVERIFY(!IsTableSizeAllowed(100, 101));
    QVERIFY(!IsTableSizeAllowed(2147483647, 2147483647));
    QVERIFY(IsTableSizeAllowed(10000, 0));
    QVERIFY(!IsTableSizeAllowed(10001, -5));
    QVERIFY(IsTableSizeAllowed(-2147483647 - 1, 2147483647));
}

void TestTableImageText::imageText_data()
{
    QTest::addColumn<CImageValues>("values");
    QTest::addColumn<QString>("expected");
    const QString img = "<IMG SRC=\"images/a.gif\" BORDER=\"0\" > ";
    // image, align, border, link, text
    QTest::newRow("link, text, image") << CImageValues{"images/a.gif", "", "", "x.html", "T"}
                                       << "<A HREF=\"x.html\">" + img + "T</A>\n";
    QTest::newRow("link, image") << CImageValues{"images/a.gif", "", "", "x.html", ""}
                                 << "<A HREF=\"x.html\">" + img + "</A>\n";
    QTest::newRow("link, text") << CImageValues{"", "left", "2", "x.html", "T"} << "<A HREF=\"x.html\">T</A>\n";
    QTest::newRow("link only") << CImageValues{"", "", "", "pages/next.html", ""}
                               << "<A HREF=\"pages/next.html\"></A>\n";
    QTest::newRow("text before image") << CImageValues{"images/a.gif", "", "", "", "T"} << "T" + img + "\n";
    QTest::newRow("text only") << CImageValues{"", "", "", "", "Only text"} << "Only text\n";
    QTest::newRow("image, align, border") << CImageValues{"images/a.gif", "left", "2", "", ""}
                                          << "<IMG SRC=\"images/a.gif\" BORDER=\"2\" ALIGN=\"left\"> \n";
    QTest::newRow("nothing") << CImageValues{"", "left", "2", "", ""} << "";
    QTest::newRow("spaces, non-ASCII") << CImageValues{"Bilder/Grüße 1.gif", "", "", "", ""}
                                       << "<IMG SRC=\"Bilder/Grüße 1.gif\" BORDER=\"0\" > \n";
}

void TestTableImageText::imageText()
{
    QFETCH(CImageValues, values);
    QFETCH(QString, expected);
    QCOMPARE(BuildImageText(values), expected);
}

void TestTableImageText::recordFolder_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("first pick") << QStringList() << "/web/img" << QStringList{"/web/img"};
    QTest::newRow("fifth folder: three kept") << QStringList{"/a", "/b", "/c", "/d"} << "/e"
                                              << QStringList{"/e", "/a", "/b"};
    QTest::newRow("already first") << QStringList{"/a", "/b"} << "/a" << QStringList{"/a", "/b"};
    QTest::newRow("from the middle") << QStringList{"/a", "/b", "/c", "/d"} << "/c"
                                     << QStringList{"/c", "/a", "/b"};
    QTest::newRow("case differs") << QStringList{"/Img"} << "/img" << QStringList{"/img", "/Img"};
}

void TestTableImageText::recordFolder()
{
    QFETCH(QStringList, before);
    QFETCH(QString, picked);
    QFETCH(QStringList, after);
    QCOMPARE(ZtImageFolders::RecordFolder(before, picked), after);
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
    QCOMPARE(ZtImageFolders::FolderOf(QStringLiteral("/Web/Img/A.GIF")), QStringLiteral("/Web/Img"));
    QCOMPARE(ZtImageFolders::FolderOf(QStringLiteral("/a.gif")), QStringLiteral("/"));
}

ZT_TEST_MAIN(TestTableImageText)
#include "tst_tableimagetext.moc"
