#include "support/Dialogs.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/BarDockState.h"
#include "framework/DockSide.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "framework/WindowPlacement.h"
#include "res/CommandIds.h"

#include <QFile>
#include <QFontMetrics>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <QDebug>

#include <algorithm>
#include <climits>

using ZtTest::Row;

// Damaged and hostile profile values: every reader the start runs keeps its
// result usable, quickly. Window placements and dock sides are read from such
// values, so their rules are rows here too.
class TestDamage : public QObject
{
    Q_OBJECT
private slots:
    void placementResults_data();
    void placementResults() { ZtTest::CompareResult(); }
    void placementParsesFields();
    void randomlyDamagedProfilesReadSafely();
    void dockStateStaysInRange();
    void recentListSkipsImpossiblePaths();
    void messagesFitTheScreen_data();
    void messagesFitTheScreen();
    void messageBoxStaysOnScreen();

private:
    QString ProfilePath() const { return ZtTest::SandboxDir() + QStringLiteral("/damaged.ini"); }
};

namespace {
const QByteArray kSoundProfile =
    "[Settings]\nWindowPos=0,1,-1,-1,-1,-1,25,0,1255,974\nw1=0,1,-1,-1,-1,-1,0,0,600,400\n"
    "ZTTypeWindowPos=2,3,-1,-1,-1,-1,10,10,500,300\nSyntaxFileSize=10000\nSyntaxColoringOn=1\n\n"
    "[Startup]\nFontFace=Courier New\nFontSize=200\nFilesOnExit=yes\nFilesOpen=2\nProjectOnExit=no\n\n"
    "[Recent File List]\nFile1=/home/user/site/index.html\nFile2=/home/user/site/a b&c.html\n";
const QList<QRect> kScreens{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};

// Flips, inserts, removes or cuts off bytes at a few random places.
QByteArray Damaged(QByteArray bytes, QRandomGenerator& random)
{
    static const char special[] = "\0\r\n[]=,-9 \xff";
    for (int i = 1 + random.bounded(8); i > 0 && !bytes.isEmpty(); --i) {
        const int at = random.bounded(int(bytes.size()));
        switch (random.bounded(4)) {
        case 0: bytes[at] = char(bytes[at] ^ (1 + random.bounded(255))); break;
        case 1: bytes.insert(at, special[random.bounded(int(sizeof special - 1))]); break;
        case 2: bytes.remove(at, 1 + random.bounded(20)); break;
        default: bytes.truncate(at);
        }
    }
    return bytes;
}

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

bool OnSomeScreen(const QRect& rect)
{
    return rect.width() <= 1920 && rect.height() <= 1080
           && std::any_of(kScreens.begin(), kScreens.end(), [&rect](const QRect& s) { return s.contains(rect.topLeft()); });
}
} // namespace

void TestDamage::placementResults_data()
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
    const QRect one = kScreens.first();
    Row("fit: inside stays", Fit(QRect(25, 0, 1230, 974), {one}), "25,0 1230x974");
    Row("fit: hanging off right but title visible", Fit(QRect(1100, 100, 800, 600), {one}), "1100,100 800x600");
    Row("fit: title just off the right", Fit(QRect(1200, 100, 800, 600), {one}), "480,100 800x600");
    Row("fit: far away", Fit(QRect(5000, 5000, 400, 300), {one}), "880,724 400x300");
    Row("fit: above the screen", Fit(QRect(100, -40, 400, 300), {one}), "100,0 400x300");
    Row("fit: left of the screen", Fit(QRect(-500, 200, 400, 300), {one}), "0,200 400x300");
    Row("fit: too large", Fit(QRect(0, 0, 5000, 4000), {one}), "0,0 1280x1024");
    Row("fit: gone second screen", Fit(QRect(1500, 100, 800, 600), {one}), "480,100 800x600");
    Row("fit: to nearest screen", Fit(QRect(4000, 200, 800, 600), kScreens), "2400,200 800x600");
    Row("fit: larger than the small screen kept on the large", Fit(QRect(1300, 10, 1800, 1050), kScreens), "1300,10 1800x1050");
    Row("fit: largest screen bounds the size", Fit(QRect(1300, 10, 3000, 2000), kScreens), "1280,0 1920x1080");
    Row("fit: inverted rectangle", Fit(QRect(QPoint(500, 400), QPoint(99, 99)), {one}), "100,100 400x300");
    // Corners farther apart than an int can count: the width is not an
    // overflowed, tiny or negative number.
    Row("fit: corners an int apart", Fit(QRect(QPoint(-2147483647, -2147483647), QPoint(2147483646, 2147483646)), {one}),
        "0,0 1280x1024");
    Row("fit: near the end of int", Fit(QRect(QPoint(2147483000, 10), QPoint(2147483399, 309)), {one}), "880,10 400x300");
    Row("fit: no screens", Fit(QRect(9000, 9000, 10, 10), {}), "9000,9000 10x10");
}

void TestDamage::placementParsesFields()
{
    const std::optional<CWindowPlacement> p = CWindowPlacement::Parse(QStringLiteral(" 2, 3,-1,-2,-8,-9,25,10,1255,974 "));
    QVERIFY(p);
    // Right and bottom lie outside the rectangle.
    QCOMPARE(QStringLiteral("%1 %2 %3,%4 %5,%6 %7,%8 %9x%10").arg(p->flags).arg(p->showCmd == CWindowPlacement::ShowMaximized)
                 .arg(p->minPosition.x()).arg(p->minPosition.y()).arg(p->maxPosition.x()).arg(p->maxPosition.y())
                 .arg(p->normal.x()).arg(p->normal.y()).arg(p->normal.width()).arg(p->normal.height()),
             QStringLiteral("2 1 -1,-2 -8,-9 25,10 1230x964"));
}

void TestDamage::randomlyDamagedProfilesReadSafely()
{
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        const QByteArray text = Damaged(kSoundProfile, random);
        CProfile profile(ZtTest::WriteFile(ProfilePath(), text));
        for (const char* key : {"WindowPos", "w1", "ZTTypeWindowPos"}) {
            const auto placement = CWindowPlacement::Parse(profile.GetString("Settings", key));
            if (placement)
                QVERIFY2(OnSomeScreen(CWindowPlacement::FitToScreens(placement->normal, kScreens)), text.constData());
        }
        CRecentFileList(profile).ReadList();
    }
}

void TestDamage::dockStateStaysInRange()
{
    CProfile& profile = CProfile::Instance();
    const CBarDockState tree(QStringLiteral("TreeBar"), ZtCmd::AFX_IDW_DOCKBAR_LEFT);
    profile.WriteInt("TreeBar", "dock left", -2147483647);
    profile.WriteInt("TreeBar", "dock right", INT_MAX);
    profile.WriteInt("TreeBar", "dock top", INT_MAX);
    profile.WriteInt("TreeBar", "float x", INT_MAX);
    // Width and height are true distances, not overflowed ones.
    const QRect dock = tree.DockRect();
    QCOMPARE(dock.width(), 2 * CBarDockState::kMaxCoordinate);
    QCOMPARE(dock.height(), CBarDockState::kMaxCoordinate - CBarDockState::kDefaultDockBottom);
    // A bar floated there still gets a rectangle whose edges are numbers.
    const QRect floating(tree.FloatPosition(), QSize(250, 400));
    QVERIFY(floating.right() > floating.left());
    QVERIFY(OnSomeScreen(CWindowPlacement::FitToScreens(floating, kScreens)));
}

void TestDamage::recentListSkipsImpossiblePaths()
{
    CProfile profile(ProfilePath() + QStringLiteral(".mru"));
    const QString huge = QLatin1Char('/') + QString(1000000, QLatin1Char('x')) + QStringLiteral(".html");
    const QString longName = QStringLiteral("/site/") + QString(300, QLatin1Char('n')) + QStringLiteral(".html");
    profile.WriteString("Recent File List", "File1", huge);
    profile.WriteString("Recent File List", "File2", longName);
    // An empty entry ends the list: what follows it is a leftover.
    profile.WriteString("Recent File List", "File3", QString());
    profile.WriteString("Recent File List", "File4", QStringLiteral("/site/after-the-gap.html"));
    CRecentFileList list(profile);
    list.ReadList();
    QCOMPARE(list.Entries(), QStringList{longName});
    // A file name too long for the menu loses its middle, not its ends.
    QCOMPARE(list.MenuText(0), "&1 " + QString(19, QLatin1Char('n')) + "..." + QString(13, QLatin1Char('n')) + ".html");
}

void TestDamage::messagesFitTheScreen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("unchanged");
    const QString path = QStringLiteral("/home/user/site/") + QString(400, QLatin1Char('p')) + QStringLiteral(".html");
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many.append(QStringLiteral("line %1").arg(i));
    QTest::newRow("short") << QStringLiteral("Save changes to /srv/a.html?") << true;
    QTest::newRow("long path") << QStringLiteral("Cannot open\n%1\nagain").arg(path) << false;
    QTest::newRow("million characters") << QString(1000000, QLatin1Char('x')) << false;
    QTest::newRow("many lines") << many.join(QLatin1Char('\n')) << false;
    QTest::newRow("endless sentence") << QStringLiteral("word ").repeated(2000) << false;
}

void TestDamage::messagesFitTheScreen()
{
    QFETCH(QString, text);
    QFETCH(bool, unchanged);
    ZtTest::CMessageLog messages;
    ZtMessageBox::Show(text);
    const QString shown = messages.texts.value(0);
    QCOMPARE(shown == text, unchanged);

    // The box's text fits half the screen across and 25 rows down, and keeps
    // both ends of what it shortened.
    const QFontMetrics metrics(QApplication::font("QMessageBox"));
    const int maxWidth = QApplication::primaryScreen()->availableGeometry().width() / 2;
    int rows = 0;
    for (const QString& line : shown.split(QLatin1Char('\n'))) {
        for (const QString& word : line.split(QLatin1Char(' ')))
            QVERIFY2(metrics.horizontalAdvance(word) <= maxWidth, qPrintable(word.left(60)));
        rows += qMax(1, (metrics.horizontalAdvance(line) + maxWidth - 1) / maxWidth);
    }
    QVERIFY(rows <= ZtMessageBox::kMaxRows);
    QCOMPARE(shown.left(4), text.left(4));
    if (!text.contains(QLatin1Char('\n')))
        QCOMPARE(shown.right(4), text.right(4));
}

void TestDamage::messageBoxStaysOnScreen()
{
    // The real box, with a path of a million characters in it.
    QRect boxRect;
    QTimer::singleShot(0, this, [&boxRect] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            boxRect = box->frameGeometry();
            box->close();
        }
    });
    ZtMessageBox::Show(QStringLiteral("Cannot open /%1.html").arg(QString(1000000, QLatin1Char('x'))));
    QVERIFY(!boxRect.isEmpty());
    QVERIFY2(QApplication::primaryScreen()->geometry().contains(boxRect), qPrintable(QDebug::toString(boxRect)));
}

ZT_TEST_MAIN(TestDamage)
#include "tst_damage.moc"
