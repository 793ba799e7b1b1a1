#include "support/AppTestMain.h"

#include "app/BarLayout.h"
#include "app/MainFrame.h"
#include "app/SplashWnd.h"
#include "app/ZentrelApp.h"
#include "framework/Profile.h"
#include "projects/ListBar.h"
#include "res/CommandIds.h"

#include <QRandomGenerator>
#include <QToolBar>

using namespace ZtCmd;

class TestBarLayout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void damagedLayoutNeverReachesQt();

private:
    // A layout saved by a frame whose List bar floats and Browse bar is hidden.
    QString SavedLayout();
    // True while the frame's bars stand where a first start puts them.
    static bool AtDefaultPlaces(const CMainFrame& frame);
};

void TestBarLayout::initTestCase()
{
    CSplashWnd::EnableSplashScreen(false);
    ZtApp()->RegisterDocTemplates();
}

QString TestBarLayout::SavedLayout()
{
    CMainFrame frame;
    frame.LoadFrame();
    frame.show();
    frame.ExecuteCommand(ID_VIEW_BROWSEBAR);
    frame.ExecuteCommand(ID_DOCKFLOAT_LISTBAR);
    frame.SaveBarState();
    return CProfile::Instance().GetString(QStringLiteral("Barstate"), QStringLiteral("Layout"));
}

bool TestBarLayout::AtDefaultPlaces(const CMainFrame& frame)
{
    return !frame.ListBar()->isFloating() && !frame.BrowseBar()->isHidden();
}

void TestBarLayout::damagedLayoutNeverReachesQt()
{
    const QString saved = SavedLayout();
    CMainFrame frame;
    QVERIFY(frame.LoadFrame());
    const QByteArray sealed = QByteArray::fromBase64(saved.toLatin1());
    QVERIFY(sealed.size() > 100);

    // Flipped bytes (byte 16 XOR 0x91 crashed Qt's reader) and cut-off
    // layouts, as the bytes or as the profile's text, are all turned away.
    QRandomGenerator random(20261206);
    // Cutting off only the padding "=" loses nothing.
    const int unpadded = int(saved.size() - saved.count(QLatin1Char('=')));
    QByteArray flipped = sealed;
    flipped[16] = char(flipped[16] ^ 0x91);
    QStringList damaged{QString::fromLatin1(flipped.toBase64())};
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes = sealed;
        const int position = random.bounded(int(bytes.size()));
        if (i % 3 == 0) {
            damaged.append(saved.left(random.bounded(unpadded)));
            continue;
        }
        if (i % 3 == 1)
            bytes.truncate(position);
        else
            bytes[position] = char(bytes[position] ^ (1 + random.bounded(255)));
        damaged.append(QString::fromLatin1(bytes.toBase64()));
    }
    // Older unsealed layouts, and text that is no layout at all.
    damaged << QString::fromLatin1(frame.saveState(1).toBase64()) << QStringLiteral("not base64 at all!")
            << QString(1 << 20, QLatin1Char('A'));
    for (const QString& text : std::as_const(damaged)) {
        QVERIFY(!frame.BarLayout().Restore(text));
        QVERIFY(AtDefaultPlaces(frame));
    }

    // The sound layout still comes back.
    QVERIFY(frame.BarLayout().Restore(saved));
    QVERIFY(!AtDefaultPlaces(frame));
}

ZT_APP_TEST_MAIN(TestBarLayout)
#include "tst_barlayout.moc"
