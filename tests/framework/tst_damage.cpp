#include "support/Dialogs.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/BarDockState.h"
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

// Damaged and hostile profile values: every reader the start runs keeps its
// result usable, quickly.
class TestDamage : public QObject
{
    Q_OBJECT
private slots:
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

bool OnSomeScreen(const QRect& rect)
{
    return rect.width() <= 1920 && rect.height() <= 1080
           && std::any_of(kScreens.begin(), kScreens.end(), [&rect](const QRect& s) { return s.contains(rect.topLeft()); });
}
} // namespace

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
    const QString text = list.MenuText(0);
    QVERIFY(text.size() <= 43);
    QVERIFY(text.startsWith(QStringLiteral("&1 nnn")) && text.contains(QStringLiteral("...")));
    QVERIFY(text.endsWith(QStringLiteral("nn.html")));
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
