#include "support/Dialogs.h"
#include "support/FullDisk.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/Archive.h"
#include "framework/CmdTarget.h"
#include "framework/CmdUI.h"
#include "framework/CommandRouter.h"
#include "framework/ContextHelp.h"
#include "framework/ContextMenuKey.h"
#include "framework/DiskChangeRules.h"
#include "framework/FocusKeeper.h"
#include "framework/KeysBack.h"
#include "framework/Document.h"
#include "framework/JobChannel.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "framework/SingleInstance.h"
#include "files/RegularFile.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QSignalSpy>
#include <QThread>
#include <QVBoxLayout>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using ZtTest::Row;

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
    bool FollowsFileOnDisk() const override { return true; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar.Bytes() = bytes;
        else
            bytes = ar.Bytes();
    }
    QByteArray bytes;
};

CDiskStamp Stamp(qint64 size, qint64 modifiedMs)
{
    CDiskStamp stamp;
    stamp.m_bExists = true;
    stamp.m_nSize = size;
    stamp.m_nModifiedMs = modifiedMs;
    return stamp;
}

CDiskStamp Gone()
{
    CDiskStamp stamp;
    stamp.m_nSize = 0;
    stamp.m_nModifiedMs = 0;
    return stamp;
}

// What a document does about its file: "none", "reload", "ask" or "gone".
QString Decide(const CDiskStamp& recorded, const CDiskStamp& settled, const CDiskStamp& now, bool modified)
{
    const char* const names[] = {"none", "reload", "ask", "gone"};
    return QString::fromLatin1(names[int(DiskChangeRules::Decide(recorded, settled, now, modified))]);
}

// Opens path as a document and directly: "opened" with the text read, or
// the message shown ("~" for the path).
QString Open(const QString& path)
{
    // Should an open wait for a writer on the pipe, this thread plays the
    // writer, so that the test fails instead of hanging.
    std::atomic<bool> done = false;
    QThread* writer = QThread::create([&] {
        for (int fd = -1; !done && fd < 0; QThread::msleep(10)) {
            if ((fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK)) >= 0)
                ::close(fd);
        }
    });
    if (path.endsWith(QStringLiteral("pipe")))
        writer->start();
    ZtTest::CMessageLog messages;
    CDocument document;
    const bool opened = document.OnOpenDocument(path);
    // The type is checked again once the file is open.
    QFile file;
    QString error;
    const bool openedDirectly = CRegularFile::OpenForReading(path, file, &error);
    done = true;
    writer->wait();
    delete writer;
    if (opened != openedDirectly)
        return QStringLiteral("opened only one way");
    return (opened ? QStringLiteral("opened ") + QString::fromUtf8(file.readAll()) : QString())
           + messages.texts.join(QLatin1Char('|')).replace(path, QStringLiteral("~"));
}
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
    void keysComeBackAfterADialog();
    void keptWidgetTakesTheKeysOnlyFromTheUser();
    void saveOntoAFullDiskKeepsTheFile();
    void saveKeepsLinkAndPermissions();
    void decidesFromTheStamps_data();
    void decidesFromTheStamps() { ZtTest::CompareResult(); }
    void saveAsksBeforeReplacingAChangedFile_data();
    void saveAsksBeforeReplacingAChangedFile();
    void saveAsRefusesAFileOpenElsewhere();
    void opensOnlyRegularFiles_data();
    void opensOnlyRegularFiles() { ZtTest::CompareResult(); }
    void stampFollowsReadsAndWrites();
    void jobChannelDeliversOnlyWhatIsStillWanted();
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

// When no focus event comes back after a dialog (the window kept the window
// system's focus all along), the window is still made the active one: its
// shortcuts and menu mnemonics depend on it.
void TestFramework::keysComeBackAfterADialog()
{
    QWidget window;
    auto* edit = new QLineEdit;
    (new QVBoxLayout(&window))->addWidget(edit);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QApplication::setActiveWindow(nullptr);
    ZtGiveKeysBack(edit);
    QCOMPARE(QApplication::activeWindow(), &window);
}

void TestFramework::keptWidgetTakesTheKeysOnlyFromTheUser()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* editor = new QLineEdit(&window);
    auto* preview = new QWidget(&window);
    layout->addWidget(editor);
    layout->addWidget(preview);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    editor->setFocus();
    new CFocusKeeper(preview);
    // A widget the kept one gets later, as a web view makes one for each
    // new renderer, and takes the focus by itself.
    auto* page = new QLineEdit(preview);
    page->show();
    page->setFocus();
    QCOMPARE(QApplication::focusWidget(), editor);
    // The user clicking into it or tabbing to it keeps it there.
    page->setFocus(Qt::MouseFocusReason);
    QCOMPARE(QApplication::focusWidget(), page);
    editor->setFocus(Qt::TabFocusReason);
    page->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), page);
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

// What a document does about its file being changed or removed by another
// program, and the question Save asks before it replaces such a file.
void TestFramework::decidesFromTheStamps_data()
{
    ZtTest::ResultColumns();
    const CDiskStamp loaded = Stamp(100, 5000);
    const CDiskStamp none;
    for (const bool modified : {false, true}) {
        const char* state = modified ? "modified" : "unmodified";
        const QString changed = modified ? "ask" : "reload";
        QTest::addRow("%s, unchanged", state) << Decide(loaded, none, loaded, modified) << "none";
        QTest::addRow("%s, rewritten same size", state) << Decide(loaded, none, Stamp(100, 6000), modified) << changed;
        QTest::addRow("%s, same time other size", state) << Decide(loaded, none, Stamp(101, 5000), modified) << changed;
        QTest::addRow("%s, deleted", state) << Decide(loaded, none, Gone(), modified) << "gone";
        QTest::addRow("%s, untitled", state) << Decide(none, none, Gone(), modified) << "none";
    }
    // Once the user kept their text, or was told the file is gone, the same
    // change stays quiet; a newer one speaks again.
    const CDiskStamp kept = Stamp(120, 7000);
    Row("kept text, same change", Decide(loaded, kept, kept, true), "none");
    Row("kept text, newer change", Decide(loaded, kept, Stamp(130, 8000), true), "ask");
    Row("kept text, file put back", Decide(loaded, kept, loaded, true), "none");
    Row("told gone, still gone", Decide(loaded, Gone(), Gone(), true), "none");
    Row("told gone, file back", Decide(loaded, Gone(), kept, true), "ask");
    Row("kept text, then deleted", Decide(loaded, kept, Gone(), true), "gone");
}

void TestFramework::saveAsksBeforeReplacingAChangedFile_data()
{
    QTest::addColumn<QByteArray>("otherProgramWrites"); // "-" deletes the file
    QTest::addColumn<int>("questions");
    QTest::newRow("untouched") << QByteArray() << 0;
    QTest::newRow("rewritten") << QByteArray("their longer text") << 1;
    QTest::newRow("deleted") << QByteArray("-") << 0;
}

// Whatever the change, answering Yes writes the document's bytes; the file
// changed by another program is replaced only after the question.
void TestFramework::saveAsksBeforeReplacingAChangedFile()
{
    QFETCH(QByteArray, otherProgramWrites);
    QFETCH(int, questions);
    const QString path = ZtTest::WriteFile(ZtTest::FreshDir(QStringLiteral("save")) + QStringLiteral("/page.html"),
                                           "first");
    CBytesDoc document;
    QVERIFY(document.OnOpenDocument(path));
    document.SetPathName(path, false);
    document.bytes = "mine";
    document.SetModifiedFlag(true);
    if (otherProgramWrites == "-")
        QVERIFY(QFile::remove(path));
    else if (!otherProgramWrites.isEmpty())
        ZtTest::WriteFile(path, otherProgramWrites);

    ZtTest::CMessageLog messages(QMessageBox::Yes);
    QVERIFY(document.DoFileSave());
    QCOMPARE(ZtTest::ReadFile(path), QByteArray("mine"));
    QCOMPARE(messages.texts.size(), questions);
    if (questions)
        QCOMPARE(messages.texts.first(), QDir::toNativeSeparators(path) +
                                             " was changed by another program since it was opened here.\n"
                                             "Do you want to replace it with this text?");
    // Saved, the file is the document's again: the next save asks nothing.
    document.bytes = "mine again";
    QVERIFY(document.DoFileSave());
    QCOMPARE(messages.texts.size(), questions);
}

// Saved over the file of another open window, a page would leave two windows
// on one file, each later save undoing the other's.
void TestFramework::saveAsRefusesAFileOpenElsewhere()
{
    const QString folder = ZtTest::FreshDir(QStringLiteral("saveas"));
    const QString pathA = ZtTest::WriteFile(folder + QStringLiteral("/a.html"), "a");
    const QString pathB = ZtTest::WriteFile(folder + QStringLiteral("/b.html"), "b");
    CBytesDoc a;
    CBytesDoc b;
    QVERIFY(a.OnOpenDocument(pathA));
    a.SetPathName(pathA, false);
    QVERIFY(b.OnOpenDocument(pathB));
    b.SetPathName(pathB, false);
    a.bytes = "typed in a";
    a.SetModifiedFlag(true);

    ZtTest::CMessageLog messages(QMessageBox::Yes);
    QVERIFY(!a.DoSave(folder + QStringLiteral("/./b.html")));
    QCOMPARE(messages.texts, QStringList{QDir::toNativeSeparators(pathB) + " is open in another window.\n"
                                                                           "Close that window first, or save under "
                                                                           "another name."});
    QCOMPARE(ZtTest::ReadFile(pathB), QByteArray("b"));
    QCOMPARE(a.GetPathName(), pathA);
    QVERIFY(a.IsModified());
    // Its own file, and a file no window holds, are saved as ever.
    QVERIFY(a.DoSave(pathA));
    QVERIFY(a.DoSave(folder + QStringLiteral("/c.html")));
    QCOMPARE(ZtTest::ReadFile(folder + QStringLiteral("/c.html")), QByteArray("typed in a"));
    QCOMPARE(messages.texts.size(), 1);
}

// Only regular files open; anything else is refused at once, with a message.
void TestFramework::opensOnlyRegularFiles_data()
{
    ZtTest::ResultColumns();
    const QString folder = ZtTest::FreshDir(QStringLiteral("open"));
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    QVERIFY(server->listen(folder + QStringLiteral("/socket")));
    const QString fifo = folder + QStringLiteral("/pipe");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    Row("regular file", Open(ZtTest::WriteFile(folder + QStringLiteral("/page.html"), "<P>")), "opened <P>");
    const QString special = "~\nis not a regular file (it may be a pipe, a device or a socket) and cannot be opened.";
    Row("named pipe", Open(fifo), special);
    Row("character device", Open(QStringLiteral("/dev/null")), special);
    Row("socket", Open(server->fullServerName()), special);
    Row("folder", Open(folder), "~\nis a folder, not a file.");
    Row("missing", Open(folder + QStringLiteral("/gone.html")), "~\nFile not found.");
}

// The stamp is the file as the document last read or wrote it, so a change
// by another program in between is seen.
void TestFramework::stampFollowsReadsAndWrites()
{
    const QString path =
        ZtTest::WriteFile(ZtTest::FreshDir(QStringLiteral("stamp")) + QStringLiteral("/stamped.html"), "<P>");
    CDocument document;
    QVERIFY(document.OnOpenDocument(path));
    QCOMPARE(document.DiskStamp(), CDiskStamp::Of(path));
    QCOMPARE(document.DiskStamp().m_nSize, 3);

    ZtTest::WriteFile(path, "<P>longer");
    QVERIFY(!(document.DiskStamp() == CDiskStamp::Of(path)));
    QVERIFY(document.OnSaveDocument(path));
    QCOMPARE(document.DiskStamp(), CDiskStamp::Of(path));

    // A file gone is not a document that never had one.
    QVERIFY(QFile::remove(path));
    const CDiskStamp gone = CDiskStamp::Of(path);
    QVERIFY(!gone.m_bExists && !gone.IsNull());
}

// What reaches a job's receiver: posts of the run under way only, even those
// queued before the run was ended.
void TestFramework::jobChannelDeliversOnlyWhatIsStillWanted()
{
    QObject receiver;
    CJobChannel channel(&receiver);
    QStringList got;
    const auto post = [&got](const std::shared_ptr<CJobChannel::CRun>& run, const QString& what) {
        return run->Post([&got, what] { got << what; });
    };

    const auto first = channel.Start();
    QVERIFY(post(first, QStringLiteral("first, queued before the restart")));
    const auto second = channel.Start();
    QVERIFY(first->IsCancelled());
    QVERIFY(!post(first, QStringLiteral("first, after the restart")));
    QVERIFY(post(second, QStringLiteral("second")));
    QCoreApplication::processEvents();
    QCOMPARE(got, QStringList{QStringLiteral("second")});

    QVERIFY(post(second, QStringLiteral("second, queued before the cancel")));
    channel.Cancel();
    QVERIFY(!channel.IsRunning());
    QVERIFY(!post(second, QStringLiteral("second, after the cancel")));
    QCoreApplication::processEvents();
    QCOMPARE(got, QStringList{QStringLiteral("second")});

    // A last post ends its run before it is delivered: what it sets off may
    // start the next run, which goes on, and the ended run posts no more.
    const auto third = channel.Start();
    std::shared_ptr<CJobChannel::CRun> fourth;
    QVERIFY(third->PostLast([&] {
        QVERIFY(!channel.IsRunning());
        fourth = channel.Start();
    }));
    QCoreApplication::processEvents();
    QVERIFY(fourth && channel.IsRunning());
    QVERIFY(!post(third, QStringLiteral("third, after its last post")));
    QVERIFY(post(fourth, QStringLiteral("fourth")));
    QCoreApplication::processEvents();
    QCOMPARE(got.last(), QStringLiteral("fourth"));
}

ZT_TEST_MAIN(TestFramework)
#include "tst_framework.moc"
