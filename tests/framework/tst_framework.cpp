#include "support/Dialogs.h"
#include "support/FullDisk.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/Archive.h"
#include "framework/CmdTarget.h"
#include "framework/CmdUI.h"
#include "framework/CommandRouter.h"
#include "framework/ContextHelp.h"
#include "framework/ContextMenuKey.h"
#include "framework/Document.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "framework/SingleInstance.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QThread>
#include <QVBoxLayout>

namespace {
// A command target whose handlers record what ran.
class CRecordingTarget : public CCmdTarget
{
public:
    explicit CRecordingTarget(QString name) : m_name(std::move(name)) {}
    void Handle(int id) { OnCommand(id, [this, id] { log.append(m_name + QString::number(id)); }); }
    void Update(int id, bool enabled, bool checked)
    {
        OnUpdate(id, [enabled, checked](CCmdUI* cmdUI) {
            cmdUI->Enable(enabled);
            cmdUI->SetCheck(checked);
        });
    }
    static QStringList log;

private:
    QString m_name;
};
QStringList CRecordingTarget::log;

// A field that notes each context-menu request and where it came from.
class CRecordingEdit : public QLineEdit
{
public:
    QStringList m_requests;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        m_requests << (event->reason() == QContextMenuEvent::Keyboard ? QStringLiteral("keyboard")
                                                                      : QStringLiteral("mouse"));
    }
};

// A document whose contents are its bytes.
class CBytesDoc : public CDocument
{
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar.Bytes() = bytes;
        else
            bytes = ar.Bytes();
    }
    QByteArray bytes;
};
} // namespace

class TestFramework : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { CContextMenuKey::Install(QApplication::instance()); }
    void routesAlongTheChain();
    void recentListKeepsFourMostRecent();
    void singleInstanceHandsFilesOver();
    void contextHelpShowsTheControlsTopic();
    void shiftF10RequestsTheMenu();
    void saveOntoAFullDiskKeepsTheFile();
    void saveKeepsLinkAndPermissions();
};

void TestFramework::routesAlongTheChain()
{
    CRecordingTarget view(QStringLiteral("view")), document(QStringLiteral("doc")), app(QStringLiteral("app"));
    QList<CCmdTarget*> chain{&view, &document, &app};
    CCommandRouter router([&chain] { return chain; });
    CRecordingTarget::log.clear();

    // The first handler on the chain wins.
    view.Handle(1);
    app.Handle(1);
    QVERIFY(router.Execute(1));
    QCOMPARE(CRecordingTarget::log, QStringList{QStringLiteral("view1")});

    // Without update handlers a command is enabled exactly when someone handles it.
    app.Handle(2);
    QVERIFY(router.IsEnabled(2));
    QVERIFY(!router.IsEnabled(3));
    QVERIFY(!router.Execute(3));

    // An update handler further up decides even for a command handled lower
    // down, and a disabled command does not run.
    document.Update(2, false, true);
    CCmdUI cmdUI(2);
    router.Update(&cmdUI);
    QVERIFY(!cmdUI.m_bEnabled);
    QVERIFY(cmdUI.m_bChecked);
    QVERIFY(!router.Execute(2));
    QCOMPARE(CRecordingTarget::log.size(), 1);

    // When the active view goes, its handlers leave the chain with it.
    chain.removeFirst();
    QVERIFY(router.IsEnabled(1)); // the application still handles 1
    QVERIFY(router.Execute(1));
    QCOMPARE(CRecordingTarget::log.last(), QStringLiteral("app1"));
}

void TestFramework::recentListKeepsFourMostRecent()
{
    CProfile profile(ZtTest::SandboxDir() + QStringLiteral("/mru.ini"));
    CRecentFileList list(profile);
    for (const char* name : {"/a", "/b", "/c&d", "/d", "/e", "/c&d"})
        list.Add(QString::fromLatin1(name));
    QCOMPARE(list.Entries(), (QStringList{"/c&d", "/e", "/d", "/b"}));
    QCOMPARE(profile.GetString(QStringLiteral("recent file list"), QStringLiteral("file1")), QStringLiteral("/c&d"));

    list.Remove(1);
    CRecentFileList reread(profile);
    reread.ReadList();
    QCOMPARE(reread.Entries(), (QStringList{"/c&d", "/d", "/b"}));
    QVERIFY(!profile.Contains(QStringLiteral("Recent File List"), QStringLiteral("File4")));
    QCOMPARE(reread.MenuText(0), QStringLiteral("&1 /c&&d"));
}

void TestFramework::singleInstanceHandsFilesOver()
{
    QVERIFY(!CSingleInstance::SendToRunning({QStringLiteral("/tmp/x.html")}, 200));
    CSingleInstance running;
    QVERIFY(running.Listen());
    QSignalSpy requested(&running, &CSingleInstance::filesRequested);
    QStringList sent{QStringLiteral("/tmp/a b.html"), QStringLiteral("/tmp/c;$(d).css")};
    bool delivered = false;
    // The sender blocks, so it runs in another thread while this one serves.
    QThread* sender = QThread::create([&] { delivered = CSingleInstance::SendToRunning(sent, 3000); });
    sender->start();
    QVERIFY(requested.wait(3000));
    sender->wait();
    delete sender;
    QVERIFY(delivered);
    QCOMPARE(requested.first().first().toStringList(), sent);
}

void TestFramework::contextHelpShowsTheControlsTopic()
{
    QList<int> shown;
    CContextHelp::SetHandler([&shown](int topic, QWidget*) { shown.append(topic); });
    const auto rightClick = [](QWidget* control) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
        QApplication::sendEvent(control, &event);
    };
    QDialog dialog;
    auto* withTopic = new QLineEdit(&dialog);
    withTopic->setObjectName(CContextHelp::ObjectNameFor(1007));
    auto* withoutTopic = new QCheckBox(&dialog);
    withoutTopic->setObjectName(CContextHelp::ObjectNameFor(1009));
    CContextHelp::Install(&dialog, {1007});
    dialog.show();
    rightClick(withTopic);
    rightClick(withoutTopic);
    withTopic->setFocus();
    QTest::keyClick(withTopic, Qt::Key_F1);
    // Another window's control with the same id gets nothing from this table.
    QLineEdit other;
    other.setObjectName(CContextHelp::ObjectNameFor(1007));
    rightClick(&other);
    QCOMPARE(shown, (QList<int>{1007, 1007}));
    CContextHelp::SetHandler({});
}

// Shift+F10 asks the focused widget for its context menu, once, as the
// Menu key would; other F10 combinations pass through.
void TestFramework::shiftF10RequestsTheMenu()
{
    QWidget window;
    auto* edit = new CRecordingEdit;
    (new QVBoxLayout(&window))->addWidget(edit);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    for (const Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::KeyboardModifiers(),
                                                  Qt::ControlModifier | Qt::ShiftModifier}) {
        QTest::keyClick(edit, Qt::Key_F10, modifiers);
        edit->m_requests << QStringLiteral("|");
    }
    QCOMPARE(edit->m_requests.join(' '), QStringLiteral("keyboard | | |"));
}

void TestFramework::saveOntoAFullDiskKeepsTheFile()
{
    ZtTest::CFullDisk disk;
    if (!disk.SkipReason().isEmpty())
        QSKIP(qPrintable(disk.SkipReason()));
    const QString path = disk.Path(QStringLiteral("page.html"));
    const QByteArray original(8192, 'p');
    CBytesDoc doc;
    doc.bytes = original;
    QVERIFY(doc.OnSaveDocument(path));
    doc.SetPathName(path);
    QVERIFY(disk.Fill());

    ZtTest::CMessageLog messages;
    doc.bytes += 'x';
    doc.SetModifiedFlag(true);
    QVERIFY(!doc.DoFileSave());
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.first().contains(QStringLiteral("No space left on device")), qPrintable(messages.texts.first()));
    QCOMPARE(ZtTest::ReadFile(path), original);
    QCOMPARE(disk.Names(), QStringList{QStringLiteral("page.html")}); // no temporary file left
    QVERIFY(doc.IsModified());
    QCOMPARE(doc.bytes, original + 'x');
}

void TestFramework::saveKeepsLinkAndPermissions()
{
    const QString folder = ZtTest::SandboxDir() + QStringLiteral("/linked");
    const QString real = ZtTest::WriteFile(folder + QStringLiteral("/real.css"), "old");
    const QString link = folder + QStringLiteral("/link.css");
    const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(real, mode));
    QVERIFY(QFile::link(real, link));

    CBytesDoc doc;
    doc.bytes = "new";
    QVERIFY(doc.OnSaveDocument(link));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(ZtTest::ReadFile(real), QByteArray("new"));
    QCOMPARE(QFile::permissions(real) & QFileDevice::Permissions(0x7077), mode); // owner, group, others
}

ZT_TEST_MAIN(TestFramework)
#include "tst_framework.moc"
