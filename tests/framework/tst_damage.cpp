#include "support/TestMain.h"

#include "framework/BarDockState.h"
#include "framework/Profile.h"
#include "framework/WindowPlacement.h"
#include "res/CommandIds.h"

#include <QFile>
#include <QRandomGenerator>

#include <climits>

// Damaged and hostile profile values: every reader the start runs keeps its
// result usable, quickly.
class TestDamage : public QObject
{
    Q_OBJECT
private slots:
    void randomlyDamagedProfilesReadSafely();
    void dockStateStaysInRange();

private:
    QString ProfilePath() const { return ZtTest::SandboxDir() + QStringLiteral("/damaged.ini"); }
};

namespace {
const QByteArray kSoundProfile =
    "[Settings]\nWindowPos=0,1,-1,-1,-1,-1,25,0,1255,974\nw1=0,1,-1,-1,-1,-1,0,0,600,400\n"
    "ZTTypeWindowPos=2,3,-1,-1,-1,-1,10,10,500,300\nSyntaxFileSize=10000\nSyntaxColoringOn=1\n\n"
    "[Startup]\nFontFace=Courier New\nFontSize=200\nFilesOnExit=yes\nFilesOpen=2\nProjectOnExit=no\n\n"
    "[Recent File List]\nFile1=/home/user/site/index.html\nFile2=/home/user/site/a b&c.html\n\n"
    "[TreeBar]\nfloat x=100\nfloat y=120\ndock left=37\ndock top=100\ndock right=287\ndock bottom=600\n"
    "dock side=59420\n\n[ListBar]\ndock side=59422\n";
const QList<QRect> kScreens{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};

QByteArray Damaged(QByteArray bytes, QRandomGenerator& random)
{
    static const char special[] = "\0\r\n[]=,-9 \xff";
    const int changes = 1 + random.bounded(8);
    for (int i = 0; i < changes && !bytes.isEmpty(); ++i) {
        const int at = random.bounded(int(bytes.size()));
        switch (random.bounded(4)) {
        case 0:
            bytes[at] = char(bytes[at] ^ (1 + random.bounded(255)));
            break;
        case 1:
            bytes.insert(at, special[random.bounded(int(sizeof special - 1))]);
            break;
        case 2:
            bytes.remove(at, 1 + random.bounded(20));
            break;
        default:
            bytes.truncate(at);
        }
    }
    return bytes;
}

bool OnSomeScreen(const QRect& rect)
{
    for (const QRect& screen : kScreens) {
        if (screen.contains(rect.topLeft()) && rect.width() <= 1920 && rect.height() <= 1080)
            return true;
    }
    return false;
}
} // namespace

void TestDamage::randomlyDamagedProfilesReadSafely()
{
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        const QByteArray text = Damaged(kSoundProfile, random);
        QFile file(ProfilePath());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        CProfile profile(ProfilePath());
        for (const char* key : {"WindowPos", "w1", "ZTTypeWindowPos"}) {
            const auto placement = CWindowPlacement::Parse(profile.GetString("Settings", key));
            if (placement)
                QVERIFY2(OnSomeScreen(CWindowPlacement::FitToScreens(placement->normal, kScreens)), text.constData());
        }
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

ZT_TEST_MAIN(TestDamage)
#include "tst_damage.moc"
