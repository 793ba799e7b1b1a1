#include "support/AppTestMain.h"

#include "app/MainFrame.h"
#include "app/SplashWnd.h"
#include "app/ZentrelApp.h"
#include "framework/DocTemplate.h"
#include "framework/MessageBox.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "res/CommandIds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QScreen>

using namespace ZtCmd;

class TestDamagedProfile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void longRecentEntryStartsQuickly();
    void randomDamageStartsCleanly();

private:
    // The start of the program from its profile file, as InitInstance runs
    // it; the frame is shown, with the files the profile reopens.
    std::unique_ptr<CMainFrame> Start(const QByteArray& profileText);
    QString MakePage(const QString& name);

    QString m_dir;
    QStringList m_messages;
};

void TestDamagedProfile::initTestCase()
{
    CSplashWnd::EnableSplashScreen(false);
    ZtApp()->RegisterDocTemplates();
    m_dir = ZtTest::SandboxDir() + QStringLiteral("/pages");
    QVERIFY(QDir().mkpath(m_dir));
    ZtMessageBox::SetHandler([this](const QString& text, QMessageBox::StandardButtons) {
        m_messages.append(text);
        return QMessageBox::Ok;
    });
}

void TestDamagedProfile::cleanup()
{
    ZtApp()->CloseAllDocuments();
    ZtApp()->SetMainFrame(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_messages.clear();
}

QString TestDamagedProfile::MakePage(const QString& name)
{
    const QString path = m_dir + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("<HTML>\n</HTML>\n") < 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

std::unique_ptr<CMainFrame> TestDamagedProfile::Start(const QByteArray& profileText)
{
    QFile file(CProfile::Instance().FilePath());
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (!file.open(QIODevice::WriteOnly) || file.write(profileText) != profileText.size())
        qFatal("cannot write the profile");
    file.close();
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

void TestDamagedProfile::longRecentEntryStartsQuickly()
{
    // A recent-file entry of a million characters is no path: it is passed
    // over, and no message or menu text carries it.
    const QString page = MakePage(QStringLiteral("b.html"));
    const QByteArray longPath = "/" + QByteArray(1000000, 'x') + ".html";
    auto frame = Start("[Recent File List]\nFile1=" + longPath + "\nFile2=" + page.toUtf8()
                       + "\n[Startup]\nFilesOnExit=yes\nFilesOpen=4\n");
    QCOMPARE(ZtApp()->RecentFileList().Entries(), QStringList{page});
    QCOMPARE(ZtApp()->m_pWebPageTemplate->Documents().size(), 1);
    for (const QString& message : std::as_const(m_messages))
        QVERIFY(message.size() < 2000);
    frame->UpdateMenu(frame->menuBar()->actions().first()->menu());
    QVERIFY(frame->Action(ID_FILE_MRU_FILE1)->text().size() < 50);
}

void TestDamagedProfile::randomDamageStartsCleanly()
{
    // The profile a session leaves: two pages open at exit, the List bar
    // floated, the layout saved.
    QByteArray sound;
    {
        auto frame = Start(QByteArray());
        ZtApp()->OpenDocumentFile(MakePage(QStringLiteral("one.html")));
        ZtApp()->OpenDocumentFile(MakePage(QStringLiteral("two.html")));
        frame->ExecuteCommand(ID_DOCKFLOAT_LISTBAR);
        ZtApp()->RecordSessionForReopen();
        frame->close();
        QFile file(CProfile::Instance().FilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        sound = file.readAll();
        cleanup();
    }
    QVERIFY(sound.contains("Layout=") && sound.contains("w2="));

    // Each start gets a few flipped, inserted or cut bytes; the window must
    // still come up on a screen.
    QRandomGenerator random(120);
    for (int start = 0; start < 12; ++start) {
        QByteArray damaged = sound;
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

ZT_APP_TEST_MAIN(TestDamagedProfile)
#include "tst_damagedprofile.moc"
