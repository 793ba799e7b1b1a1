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
// Where a window asked for at wanted goes on these screens.
QString Fit(const QRect& wanted, const QList<QRect>& screens)
{
    const QRect fitted = CWindowPlacement::FitToScreens(wanted, screens);
    return QStringLiteral("%1,%2 %3x%4").arg(fitted.x()).arg(fitted.y()).arg(fitted.width()).arg(fitted.height());
}
} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void parsesFields();
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
    const QRect one(0, 0, 1280, 1024);
    const QList<QRect> pair{one, QRect(1280, 0, 1920, 1080)};
    Row("fit: inside stays", Fit(QRect(25, 0, 1230, 974), {one}), "25,0 1230x974");
    Row("fit: hanging off right but title visible", Fit(QRect(1100, 100, 800, 600), {one}), "1100,100 800x600");
    Row("fit: title just off the right", Fit(QRect(1200, 100, 800, 600), {one}), "480,100 800x600");
    Row("fit: far away", Fit(QRect(5000, 5000, 400, 300), {one}), "880,724 400x300");
    Row("fit: above the screen", Fit(QRect(100, -40, 400, 300), {one}), "100,0 400x300");
    Row("fit: left of the screen", Fit(QRect(-500, 200, 400, 300), {one}), "0,200 400x300");
    Row("fit: too large", Fit(QRect(0, 0, 5000, 4000), {one}), "0,0 1280x1024");
    Row("fit: gone second screen", Fit(QRect(1500, 100, 800, 600), {one}), "480,100 800x600");
    Row("fit: to nearest screen", Fit(QRect(4000, 200, 800, 600), pair), "2400,200 800x600");
    Row("fit: larger than the small screen kept on the large", Fit(QRect(1300, 10, 1800, 1050), pair), "1300,10 1800x1050");
    Row("fit: largest screen bounds the size", Fit(QRect(1300, 10, 3000, 2000), pair), "1280,0 1920x1080");
    Row("fit: inverted rectangle", Fit(QRect(QPoint(500, 400), QPoint(99, 99)), {one}), "100,100 400x300");
    // Corners farther apart than an int can count: the width is not an
    // overflowed, tiny or negative number.
    Row("fit: corners an int apart", Fit(QRect(QPoint(-2147483647, -2147483647), QPoint(2147483646, 2147483646)), {one}),
        "0,0 1280x1024");
    Row("fit: near the end of int", Fit(QRect(QPoint(2147483000, 10), QPoint(2147483399, 309)), {one}), "880,10 400x300");
    Row("fit: no screens", Fit(QRect(9000, 9000, 10, 10), {}), "9000,9000 10x10");
}

void TestPlacement::parsesFields()
{
    const std::optional<CWindowPlacement> p = CWindowPlacement::Parse(QStringLiteral(" 2, 3,-1,-2,-8,-9,25,10,1255,974 "));
    QVERIFY(p);
    // Right and bottom lie outside the rectangle.
    QCOMPARE(QStringLiteral("%1 %2 %3,%4 %5,%6 %7,%8 %9x%10").arg(p->flags).arg(p->showCmd == CWindowPlacement::ShowMaximized)
                 .arg(p->minPosition.x()).arg(p->minPosition.y()).arg(p->maxPosition.x()).arg(p->maxPosition.y())
                 .arg(p->normal.x()).arg(p->normal.y()).arg(p->normal.width()).arg(p->normal.height()),
             QStringLiteral("2 1 -1,-2 -8,-9 25,10 1230x964"));
}

ZT_TEST_MAIN(TestPlacement)
#include "tst_placement.moc"
