#include "support/AppTestMain.h"

#include "app/BarLayout.h"
#include "app/SplashWnd.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "projects/ListBar.h"

#include <QRandomGenerator>
#include <QScreen>
#include <QToolBar>

using namespace ZtCmd;

// Starts from a damaged profile. Each reader is fuzzed on its own in
// tests/framework/tst_damage.cpp; here the whole start runs, and the saved bar
// layout, which Qt reads without checks, is fuzzed.
class TestDamagedProfile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        CSplashWnd::EnableSplashScreen(false);
        ZtApp()->RegisterDocTemplates();
        ZtMessageBox::SetHandler([](const QString&, QMessageBox::StandardButtons) { return QMessageBox::Ok; });

        auto frame = Start(QByteArray());
        for (const char* name : {"one.html", "two.html"})
            ZtApp()->OpenDocumentFile(ZtTest::WriteFile(ZtTest::SandboxDir() + "/pages/" + name, "<HTML>\n</HTML>\n"));
        frame->ExecuteCommand(ID_VIEW_BROWSEBAR);
        frame->ExecuteCommand(ID_DOCKFLOAT_LISTBAR);
        ZtApp()->RecordSessionForReopen();
        frame->close();
        QVERIFY(CProfile::Instance().Flush());
        m_session = ZtTest::ReadFile(CProfile::Instance().FilePath());
        m_layout = CProfile::Instance().GetString(QStringLiteral("Barstate"), QStringLiteral("Layout"));
        QVERIFY(m_session.contains("w2="));
        cleanup();
    }

    void cleanup()
    {
        ZtApp()->CloseAllDocuments();
        ZtApp()->SetMainFrame(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void damagedLayoutNeverReachesQt()
    {
        const QByteArray sealed = QByteArray::fromBase64(m_layout.toLatin1());
        QVERIFY(sealed.size() > 100);
        CMainFrame frame;
        frame.LoadFrame();
        const auto atDefaultPlaces = [&frame] { return !frame.ListBar()->isFloating() && !frame.BrowseBar()->isHidden(); };

        // Flipped bytes (byte 16 XOR 0x91 crashed Qt's reader), layouts cut off
        // as bytes or as the profile's text, older unsealed layouts and text that
        // is no layout at all are all turned away.
        QByteArray flipped = sealed;
        flipped[16] = char(flipped[16] ^ 0x91);
        QStringList damaged{QString::fromLatin1(flipped.toBase64()), QString::fromLatin1(frame.saveState(1).toBase64()),
                            QStringLiteral("not base64 at all!"), QString(1 << 20, QLatin1Char('A'))};
        // Cutting off only the padding "=" loses nothing.
        const int unpadded = int(m_layout.size() - m_layout.count(QLatin1Char('=')));
        QRandomGenerator random(20261206);
        for (int i = 0; i < 1000; ++i) {
            const int position = random.bounded(int(sealed.size()));
            QByteArray bytes = sealed;
            bytes[position] = char(bytes[position] ^ (1 + random.bounded(255)));
            damaged << QString::fromLatin1(bytes.toBase64()) << QString::fromLatin1(sealed.left(position).toBase64())
                    << m_layout.left(random.bounded(unpadded));
        }
        for (const QString& text : std::as_const(damaged)) {
            QVERIFY2(!frame.BarLayout().Restore(text), qPrintable(text.left(100)));
            QVERIFY2(atDefaultPlaces(), qPrintable(text.left(100)));
        }
        // The sound layout still comes back.
        QVERIFY(frame.BarLayout().Restore(m_layout));
        QVERIFY(!atDefaultPlaces());
    }

    void randomDamageStartsCleanly()
    {
        // Each start gets a few flipped or cut bytes; the window must still come
        // up on a screen.
        QRandomGenerator random(120);
        for (int start = 0; start < 12; ++start) {
            QByteArray damaged = m_session;
            for (int change = random.bounded(1, 6); change > 0; --change) {
                const int at = random.bounded(int(damaged.size()));
                if (random.bounded(3) == 0)
                    damaged.remove(at, random.bounded(1, 40));
                else
                    damaged[at] = char(damaged[at] ^ random.bounded(1, 256));
            }
            auto frame = Start(damaged);
            QVERIFY2(frame->screen()->availableGeometry().intersects(frame->geometry()), damaged.constData());
            cleanup();
        }
    }

private:
    // The start of the program from its profile file, as InitInstance runs
    // it; the frame is shown, with the files the profile reopens.
    std::unique_ptr<CMainFrame> Start(const QByteArray& profileText)
    {
        ZtTest::WriteFile(CProfile::Instance().FilePath(), profileText);
        CProfile::Instance().Reload();
        ZtApp()->RecentFileList().ReadList();
        auto frame = std::make_unique<CMainFrame>();
        frame->LoadFrame();
        ZtApp()->SetMainFrame(frame.get());
        frame->RestorePlacement();
        ZtApp()->ReopenLastSession();
        frame->LoadBarState();
        return frame;
    }

    // The profile a session left: two pages open at exit, the List bar
    // floating and the Browse bar hidden; and the bar layout saved in it.
    QByteArray m_session;
    QString m_layout;
};

ZT_APP_TEST_MAIN(TestDamagedProfile)
#include "tst_damagedprofile.moc"
