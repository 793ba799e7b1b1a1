#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "framework/DockSide.h"
#include "framework/WindowPlacement.h"

using ZtTest::Row;

namespace {
// A placement read and written again; "rejected" when it cannot be read.
QString Reread(const QString& text)
{
    const std::optional<CWindowPlacement> placement = CWindowPlacement::Parse(text);
    return placement ? placement->Format() : QStringLiteral("rejected");
}

// The dock side for a drop at x, y in a frame client area of 1000 x 600,
// whose halves are at 500 and 300.
QString Side(int x, int y)
{
    return QString::number(DockSideFromPosition(x, y, QSize(1000, 600)));
}
} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void parsesFields();
    void fitToScreens_data();
    void fitToScreens();
};

void TestPlacement::results_data()
{
    ZtTest::ResultColumns();
    for (const char* sound : {"0,1,-1,-1,-8,-8,25,0,1255,974", "2,3,-32000,-32000,-1,-1,100,120,900,700",
                              "0,1,0,0,0,0,10,10,10,10",
                              "4294967295,0,-2147483648,2147483647,0,0,-2147483647,-2147483647,2147483647,2147483647"})
        Row(sound, Reread(sound), sound);

    Row("empty", Reread(""), "rejected");
    Row("nine numbers", Reread("0,1,0,0,0,0,10,10,100"), "rejected");
    Row("eleven numbers", Reread("0,1,0,0,0,0,10,10,100,100,5"), "rejected");
    Row("empty field", Reread("0,1,0,,0,0,10,10,100,100"), "rejected");
    Row("number with garbage", Reread("0,1,0,0,0,0,10,10,100px,100"), "rejected");
    Row("garbage after", Reread("0,1,0,0,0,0,10,10,100,100 x"), "rejected");
    Row("negative flags", Reread("-1,1,0,0,0,0,10,10,100,100"), "rejected");
    Row("negative show", Reread("0,-3,0,0,0,0,10,10,100,100"), "rejected");
    Row("too large", Reread("0,1,0,0,0,0,10,10,2147483648,100"), "rejected");
    Row("flags too large", Reread("4294967296,1,0,0,0,0,10,10,100,100"), "rejected");
    Row("right at the lowest", Reread("0,1,0,0,0,0,10,10,-2147483648,100"), "rejected");
    Row("padded past 1024 characters", Reread("0,1,0,0,0,0,10,10,100," + QString(1100, QLatin1Char(' ')) + "100"),
        "rejected");

    Row("dock: middle is left", Side(500, 10), "59420");
    Row("dock: right of middle", Side(501, 10), "59421");
    Row("dock: lower half at left edge", Side(0, 300), "59422");
    Row("dock: lower half x 40", Side(40, 599), "59422");
    Row("dock: lower half x 41", Side(41, 599), "59420");
    Row("dock: just above half", Side(0, 299), "59420");
    Row("dock: off the left in lower half", Side(-300, 400), "59422");
}

void TestPlacement::parsesFields()
{
    const std::optional<CWindowPlacement> p = CWindowPlacement::Parse(QStringLiteral(" 2, 3,-1,-2,-8,-9,25,10,1255,974 "));
    QVERIFY(p);
    QCOMPARE(p->flags, 2u);
    QCOMPARE(p->showCmd, CWindowPlacement::ShowMaximized);
    QCOMPARE(p->minPosition, QPoint(-1, -2));
    QCOMPARE(p->maxPosition, QPoint(-8, -9));
    // Right and bottom lie outside the rectangle.
    QCOMPARE(p->normal, QRect(25, 10, 1230, 964));
}

void TestPlacement::fitToScreens_data()
{
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("expected");
    const QRect one(0, 0, 1280, 1024);
    const QList<QRect> single{one};
    const QList<QRect> pair{one, QRect(1280, 0, 1920, 1080)};

    QTest::newRow("inside stays") << QRect(25, 0, 1230, 974) << single << QRect(25, 0, 1230, 974);
    QTest::newRow("hanging off right but title visible")
        << QRect(1100, 100, 800, 600) << single << QRect(1100, 100, 800, 600);
    QTest::newRow("title just off the right") << QRect(1200, 100, 800, 600) << single << QRect(480, 100, 800, 600);
    QTest::newRow("far away") << QRect(5000, 5000, 400, 300) << single << QRect(880, 724, 400, 300);
    QTest::newRow("above the screen") << QRect(100, -40, 400, 300) << single << QRect(100, 0, 400, 300);
    QTest::newRow("left of the screen") << QRect(-500, 200, 400, 300) << single << QRect(0, 200, 400, 300);
    QTest::newRow("too large") << QRect(0, 0, 5000, 4000) << single << one;
    QTest::newRow("gone second screen") << QRect(1500, 100, 800, 600) << single << QRect(480, 100, 800, 600);
    QTest::newRow("to nearest screen") << QRect(4000, 200, 800, 600) << pair << QRect(2400, 200, 800, 600);
    QTest::newRow("larger than the small screen kept on the large")
        << QRect(1300, 10, 1800, 1050) << pair << QRect(1300, 10, 1800, 1050);
    QTest::newRow("largest screen bounds the size")
        << QRect(1300, 10, 3000, 2000) << pair << QRect(1280, 0, 1920, 1080);
    QTest::newRow("inverted rectangle") << QRect(QPoint(500, 400), QPoint(99, 99)) << single
                                        << QRect(100, 100, 400, 300);
    // Corners farther apart than an int can count: the width is not an
    // overflowed, tiny or negative number.
    QTest::newRow("corners an int apart") << QRect(QPoint(-2147483647, -2147483647), QPoint(2147483646, 2147483646))
                                          << single << one;
    QTest::newRow("near the end of int") << QRect(QPoint(2147483000, 10), QPoint(2147483399, 309)) << single
                                         << QRect(880, 10, 400, 300);
    QTest::newRow("no screens") << QRect(9000, 9000, 10, 10) << QList<QRect>() << QRect(9000, 9000, 10, 10);
}

void TestPlacement::fitToScreens()
{
    QFETCH(QRect, wanted);
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, expected);
    QCOMPARE(CWindowPlacement::FitToScreens(wanted, screens), expected);
}

ZT_TEST_MAIN(TestPlacement)
#include "tst_placement.moc"
