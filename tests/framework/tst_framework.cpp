#include "support/Dialogs.h"
#include "support/FullDisk.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/Archive.h"
#include "framework/BlockingWait.h"
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
#include "framework/JournalRecord.h"
#include "framework/MessageBox.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "framework/RecoveryFolder.h"
#include "framework/SingleInstance.h"
#include "files/RegularFile.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMimeData>
#include <QProcess>
#include <QShortcut>
#include <QSignalSpy>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

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

// An empty folder for journals, a new one at each call.
QString NewFolder()
{
    static int folders = 0;
    return ZtTest::FreshDir(QStringLiteral("journals/%1").arg(++folders));
}

// A lock as a process that has ended left it.
void WriteDeadLock(const QString& lockPath)
{
    QProcess gone;
    gone.start(QStringLiteral("true"));
    gone.waitForFinished(60000);
    ZtTest::WriteFile(lockPath, QByteArray::number(gone.processId() ? gone.processId() : 999999) + "\nzentrel\n"
                                    + QSysInfo::machineHostName().toUtf8() + '\n');
}

// "header:ok|damaged bytes:ok|damaged" with the path read back.
QString Describe(const QString& journalFile)
{
    CJournalRecord record = CJournalRecord::ReadHeader(journalFile);
    QString result = QStringLiteral("header:") + (record.m_bDamaged ? QStringLiteral("damaged") : QStringLiteral("ok"));
    if (record.m_bDamaged)
        return result;
    QByteArray bytes;
    result += QStringLiteral(" bytes:") + (record.ReadBytes(bytes) ? QStringLiteral("ok") : QStringLiteral("damaged"));
    if (!bytes.isEmpty())
        result += QStringLiteral(" path:") + record.m_strPath;
    return result;
}

// A page's journal damaged as named, read back. A newline in the page's
// file name must not end the header line.
QString Damaged(const QString& damage)
{
    CJournalRecord record;
    record.m_strPath = QStringLiteral("/w/a\nb.html");
    record.m_strKind = QStringLiteral("HTML");
    record.m_loadStamp = {true, 12, 1700000000000};
    QByteArray bytes = record.Encode(QByteArray("<P>caf\xe9\r\n\r\r\n", 13));
    const QString path = NewFolder() + QStringLiteral("/1.ztj");
    if (damage == QLatin1String("cut"))
        bytes.chop(1);
    else if (damage == QLatin1String("add"))
        bytes += 'x';
    else if (damage == QLatin1String("flip"))
        bytes[bytes.size() - 3] = 'Q';
    else if (damage == QLatin1String("headeronly"))
        bytes = bytes.left(bytes.indexOf("\n\n"));
    else if (damage == QLatin1String("empty"))
        bytes.clear();
    else if (damage == QLatin1String("foreign"))
        bytes = "[Settings]\nkey=value\n\nmore\n";
    else if (damage == QLatin1String("badnumber"))
        bytes.replace("size 12", "size 1x");
    if (damage == QLatin1String("fifo"))
        mkfifo(QFile::encodeName(path).constData(), 0600);
    else if (damage == QLatin1String("link"))
        QFile::link(ZtTest::WriteFile(path + QStringLiteral(".target"), bytes), path);
    else
        ZtTest::WriteFile(path, bytes);
    return Describe(path);
}

// Notes the kinds of input that reach it, one word each.
class CInputRecorder : public QWidget
{
public:
    CInputRecorder()
    {
        setAcceptDrops(true);
        setAttribute(Qt::WA_InputMethodEnabled);
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), this);
        shortcut->setContext(Qt::ApplicationShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] { m_log.append(QStringLiteral("shortcut")); });
        resize(100, 100);
    }

    QStringList m_log;

protected:
    bool event(QEvent* event) override
    {
        static const QHash<QEvent::Type, QString> words{
            {QEvent::KeyPress, QStringLiteral("key")},       {QEvent::MouseButtonPress, QStringLiteral("mouse")},
            {QEvent::Wheel, QStringLiteral("wheel")},        {QEvent::InputMethod, QStringLiteral("text")},
            {QEvent::DragEnter, QStringLiteral("drag")},     {QEvent::Drop, QStringLiteral("drop")},
            {QEvent::ContextMenu, QStringLiteral("menu")},   {QEvent::Close, QStringLiteral("close")},
        };
        if (words.contains(event->type()))
            m_log.append(words.value(event->type()));
        if (event->type() == QEvent::DragEnter)
            event->accept();
        return QWidget::event(event);
    }
};

// Gives widget one piece of input of the kind named.
void SendInput(const QString& kind, QWidget* widget)
{
    const QPointF centre(50, 50);
    if (kind == QLatin1String("key")) {
        QTest::keyClick(widget, Qt::Key_A);
    } else if (kind == QLatin1String("shortcut")) {
        QTest::keyClick(widget, Qt::Key_K, Qt::ControlModifier);
    } else if (kind == QLatin1String("mouse")) {
        QTest::mouseClick(widget, Qt::LeftButton);
    } else if (kind == QLatin1String("wheel")) {
        QWheelEvent wheel(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(widget, &wheel);
    } else if (kind == QLatin1String("text")) {
        QInputMethodEvent text;
        text.setCommitString(QStringLiteral("x"));
        QCoreApplication::sendEvent(widget, &text);
    } else if (kind == QLatin1String("drop")) {
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/page.html"))});
        QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &enter);
        QDropEvent drop(centre, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &drop);
    } else if (kind == QLatin1String("menu")) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, centre.toPoint(), widget->mapToGlobal(centre.toPoint()));
        QCoreApplication::sendEvent(widget, &menu);
    } else if (kind == QLatin1String("close")) {
        // As the window system asks: through the native window, which asks
        // the widget.
        QCloseEvent close;
        QCoreApplication::sendEvent(widget->windowHandle(), &close);
    }
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
    void waitSwallowsEveryInput();
    void nothingOpensABoxUntilTheWaitEnds();
    void damagedJournals_data();
    void damagedJournals() { ZtTest::CompareResult(); }
    void largeJournal();
    void recoverySessionsOffered();
    void thousandJournals();
    void unusableRecoveryRoot_data();
    void unusableRecoveryRoot();
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

// The wait for an outside program: no input of any kind reaches the program's
// windows, no box opens inside it, and the wait ends when asked even if one
// did; messages, closes and files handed over come after it.
//
// Each kind of input as the window gets it without a wait, then what reaches
// it from a wait: nothing, but a close asked for during the wait, which
// closes the window once it is over.
void TestFramework::waitSwallowsEveryInput()
{
    CInputRecorder window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList received;
    for (const char* kind : {"key", "shortcut", "mouse", "wheel", "text", "drop", "menu", "close"}) {
        window.m_log.clear();
        SendInput(kind, &window);
        const QString without = window.m_log.join(QLatin1Char(' '));
        window.m_log.clear();
        window.show();
        CBlockingWait wait;
        QTimer::singleShot(0, &window, [&] {
            SendInput(kind, &window);
            wait.Quit();
        });
        wait.Exec();
        QCoreApplication::processEvents();
        received << without + QStringLiteral(" / ") + window.m_log.join(QLatin1Char(' '))
                        + (window.isVisible() ? QString() : QStringLiteral(" closed"));
    }
    QCOMPARE(received.join(QStringLiteral(" | ")),
             QStringLiteral("key /  | key shortcut /  | mouse /  | wheel /  | text /  | drag drop /  | menu /  | "
                            "close / close closed"));
}

void TestFramework::nothingOpensABoxUntilTheWaitEnds()
{
    ZtTest::CMessageLog messages;
    CSingleInstance running;
    QVERIFY(running.Listen());
    QSignalSpy requested(&running, &CSingleInstance::filesRequested);
    QStringList during;

    CBlockingWait wait;
    QTimer::singleShot(0, this, [&] {
        const auto message = ZtMessageBox::Show(QStringLiteral("Compiled."));
        const auto question = ZtMessageBox::Show(QStringLiteral("Save?"), QMessageBox::Question,
                                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        const auto yesNo = ZtMessageBox::Show(QStringLiteral("Reload?"), QMessageBox::Question,
                                              QMessageBox::Yes | QMessageBox::No);
        during << QStringLiteral("message %1, question %2, yes-no %3, shown %4")
                      .arg(message == QMessageBox::Ok)
                      .arg(question == QMessageBox::Cancel)
                      .arg(yesNo == QMessageBox::No)
                      .arg(messages.texts.size());
        // A box that bypasses the message seam is turned away, and the quit
        // asked for while it is open still ends the wait.
        QMessageBox stray(QMessageBox::Warning, QString(), QStringLiteral("stray"), QMessageBox::Ok);
        QTimer::singleShot(0, this, [&] { wait.Quit(); });
        during << QStringLiteral("stray box rejected %1").arg(stray.exec() != QMessageBox::Ok);
    });
    wait.Exec();

    // Files handed over by "zentrel --open" during a wait: the running
    // program answers at once but opens them after it.
    QLocalSocket secondStart;
    CBlockingWait handOver;
    connect(&secondStart, &QLocalSocket::readyRead, this, [&] {
        during << QStringLiteral("files requested %1").arg(requested.size());
        handOver.Quit();
    });
    QTimer::singleShot(0, this, [&] {
        secondStart.connectToServer(CSingleInstance::ServerName());
        secondStart.write("/tmp/a.html\n\n");
    });
    handOver.Exec();

    QCOMPARE(during, (QStringList{"message 1, question 1, yes-no 1, shown 0", "stray box rejected 1",
                                  "files requested 0"}));
    QTRY_COMPARE(requested.size(), 1);
    QCOMPARE(requested.first().first().toStringList(), QStringList{"/tmp/a.html"});
    QCOMPARE(messages.texts, QStringList{"Compiled."});
}

// Journal files and the folder that keeps them: what counts as damaged, and
// which sessions a start may offer.
void TestFramework::damagedJournals_data()
{
    ZtTest::ResultColumns();
    Row("whole", Damaged(""), "header:ok bytes:ok path:/w/a\nb.html");
    for (const char* damage : {"cut", "add", "flip", "headeronly", "empty", "foreign", "badnumber", "fifo", "link"})
        Row(damage, Damaged(damage), "header:damaged");
}

// A 50 MB journal: the header is read without the text, and the text
// comes back whole.
void TestFramework::largeJournal()
{
    CJournalRecord record;
    record.m_strPath = QStringLiteral("/w/big.html");
    const QByteArray text(50 * 1024 * 1024, 'a');
    const QString path = NewFolder() + QStringLiteral("/1.ztj");
    ZtTest::WriteFile(path, record.Encode(text));
    CJournalRecord read = CJournalRecord::ReadHeader(path);
    QCOMPARE(read.m_nLength, text.size());
    QByteArray bytes;
    QVERIFY(read.ReadBytes(bytes));
    QVERIFY(bytes == text);
}

// Only sessions of processes that are gone are offered: not this
// process's own, not one whose owner still runs; foreign names and
// files are skipped, damaged journals listed as damaged.
void TestFramework::recoverySessionsOffered()
{
    const QString root = NewFolder();
    CRecoveryFolder own(root);
    QVERIFY(own.Open());
    ZtTest::WriteFile(own.SessionFolder() + QStringLiteral("/1.ztj"), CJournalRecord().Encode("own"));
    CRecoveryFolder live(root);
    QVERIFY(live.Open());
    ZtTest::WriteFile(live.SessionFolder() + QStringLiteral("/1.ztj"), CJournalRecord().Encode("live"));

    QDir().mkpath(root + QStringLiteral("/100-1"));
    WriteDeadLock(root + QStringLiteral("/100-1.lock"));
    CJournalRecord dead;
    dead.m_strPath = QStringLiteral("/w/dead.html");
    ZtTest::WriteFile(root + QStringLiteral("/100-1/1.ztj"), dead.Encode("dead"));
    ZtTest::WriteFile(root + QStringLiteral("/100-1/2.ztj"), "damaged");
    ZtTest::WriteFile(root + QStringLiteral("/100-1/notes.txt"), "foreign");
    QDir().mkpath(root + QStringLiteral("/200-2")); // no lock at all
    CJournalRecord unlocked;
    unlocked.m_strPath = QStringLiteral("/w/unlocked.html");
    ZtTest::WriteFile(root + QStringLiteral("/200-2/1.ztj"), unlocked.Encode("unlocked"));
    QDir().mkpath(root + QStringLiteral("/foreign"));
    ZtTest::WriteFile(root + QStringLiteral("/foreign/1.ztj"), CJournalRecord().Encode("foreign"));
    QVERIFY(QFile::link(root + QStringLiteral("/200-2"), root + QStringLiteral("/300-3")));

    CRecoveryFolder next(root);
    QVERIFY(next.Open());
    QStringList offered;
    for (const CJournalRecord& record : next.ClaimOrphans())
        offered.append(record.m_bDamaged ? QStringLiteral("damaged") : record.m_strPath);
    QCOMPARE(offered.join(QLatin1Char(',')), QStringLiteral("/w/dead.html,damaged,/w/unlocked.html"));
    // Claimed sessions are not offered twice, not even to another start.
    CRecoveryFolder concurrent(root);
    QVERIFY(concurrent.Open());
    QVERIFY(concurrent.ClaimOrphans().isEmpty());
    // Kept journals are offered again once released.
    next.ReleaseOrphans();
    QCOMPARE(concurrent.ClaimOrphans().size(), 3);
}

// 1,000 journals are all listed.
void TestFramework::thousandJournals()
{
    const QString root = NewFolder();
    QDir().mkpath(root + QStringLiteral("/100-1"));
    for (int i = 0; i < 1000; ++i)
        ZtTest::WriteFile(root + QStringLiteral("/100-1/%1.ztj").arg(i), CJournalRecord().Encode(QByteArray::number(i)));
    CRecoveryFolder next(root);
    QVERIFY(next.Open());
    const QList<CJournalRecord> offered = next.ClaimOrphans();
    QCOMPARE(offered.size(), 1000);
    QVERIFY(std::none_of(offered.begin(), offered.end(), [](const CJournalRecord& r) { return r.m_bDamaged; }));
}

// A folder that is a link, or a file in its place, is not used: the
// journals would go, and later be removed, somewhere else.
void TestFramework::unusableRecoveryRoot_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a symbolic link") << "link";
    QTest::newRow("a file") << "file";
    QTest::newRow("below a file") << "belowfile";
}

void TestFramework::unusableRecoveryRoot()
{
    QFETCH(QString, kind);
    const QString base = NewFolder();
    QString root = base + QStringLiteral("/recovery");
    if (kind == QLatin1String("link")) {
        QDir().mkpath(base + QStringLiteral("/elsewhere"));
        QVERIFY(QFile::link(base + QStringLiteral("/elsewhere"), root));
    } else if (kind == QLatin1String("file")) {
        ZtTest::WriteFile(root, "not a folder");
    } else {
        ZtTest::WriteFile(base + QStringLiteral("/plain"), "not a folder");
        root = base + QStringLiteral("/plain/recovery");
    }
    CRecoveryFolder folder(root);
    QVERIFY(!folder.Open());
    QVERIFY(!folder.Problem().isEmpty() && folder.SessionFolder().isEmpty() && folder.ClaimOrphans().isEmpty());
    QVERIFY(QDir(base + QStringLiteral("/elsewhere")).isEmpty());
}

ZT_TEST_MAIN(TestFramework)
#include "tst_framework.moc"
