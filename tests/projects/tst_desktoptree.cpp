#include "support/ResultTable.h"
#include "support/ScriptedShell.h"
#include "support/Sites.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/BackgroundPool.h"
#include "projects/ChooseDirectoryDlg.h"
#include "projects/DesktopTreeCtrl.h"
#include "projects/ProjectTreeRules.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

using ZtTest::ChildNamed;
using ZtTest::Row;

// The shell trees on a home folder of a few personal folders: the Desktop
// tab's tree, and the Choose Directory dialog with its own tree.
class TestDesktopTree : public QObject
{
    Q_OBJECT
public slots:
    // The desktop's handler of the addresses a test catches.
    void OnUrlOpened(const QUrl& url) { m_opened << url.toString(); }

private slots:
    void initTestCase();
    void init();
    void topLevelAndHiddenFolders();
    void newFolderWithIndexFile();
    void rightClickKeepsTheSelection();
    void expandingReadsInTheBackground();
    void showsFoldersMadeLater();
    void staleReadsAreDropped_data();
    void staleReadsAreDropped();
    void volumesJoinWithoutHoldingUpTheTree();

    void userVolumes_data();
    void userVolumes() { ZtTest::CompareResult(); }
    void typedPathExpandsAndOkReturnsIt_data();
    void typedPathExpandsAndOkReturnsIt();
    void contextMenuCreatesRenamesAndTrashes();
    void tabFollowsTheControlOrder();

private:
    QString m_strHome;
    QTemporaryDir m_tmp; // a folder outside home
    QStringList m_opened;
    QStringList m_messages;
};

namespace {
QString Texts(const QTreeWidgetItem* parent, const QTreeWidget* tree)
{
    QStringList texts;
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    for (int i = 0; i < count; ++i)
        texts << (parent ? parent->child(i) : tree->topLevelItem(i))->text(0);
    return texts.join(QLatin1Char(','));
}

// Every read's worker has ended and every batch it posted has arrived, so
// one that should have been dropped had its chance to land.
void SettleReads()
{
    ZtBackgroundPool().waitForDone();
    QCoreApplication::processEvents();
}

// "Documents>a>b": the names from the top-level place down to item.
QString Chain(const QTreeWidgetItem* item)
{
    QStringList names;
    for (; item; item = item->parent())
        names.prepend(item->text(0));
    return names.join(QLatin1Char('>'));
}

QAction* ActionNamed(QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}
} // namespace

void TestDesktopTree::initTestCase()
{
    // The test process has a home of its own.
    m_strHome = QDir::homePath();
    for (const char* folder : {"Desktop", "Documents/a/b", "Documents/.hidden/inner", "Music", "web/a", "web/B",
                               "web/c", ".cache"})
        QVERIFY(QDir(m_strHome).mkpath(QString::fromLatin1(folder)));
    ZtTest::WriteFile(m_strHome + QStringLiteral("/Documents/a/b/page.html"), "p");
    QVERIFY(QDir(m_tmp.path()).mkpath(QStringLiteral("with space/\"quoted\" $x")));
}

void TestDesktopTree::init()
{
    m_messages.clear();
    ZtTest::CScriptedShell::Install(&m_messages);
}

void TestDesktopTree::topLevelAndHiddenFolders()
{
    CDesktopTreeCtrl tree;
    // Home first and open (that it starts selected, the right-click test
    // sees); personal folders that exist; the file system; volumes (as the
    // machine has them); the trash last.
    const QString top = Texts(nullptr, &tree);
    QVERIFY2(top.startsWith(QStringLiteral("Home,Desktop,Documents,Music,File System,")), qPrintable(top));
    QVERIFY2(top.endsWith(QStringLiteral(",Trash")), qPrintable(top));
    QTreeWidgetItem* home = tree.topLevelItem(0);
    QVERIFY(home->font(0).bold());
    QTRY_VERIFY(!tree.IsReading());
    QCOMPARE(Texts(home, &tree), QStringLiteral("Desktop,Documents,Music,web"));

    // Hidden folders on request, in every opened folder.
    tree.SetShowHidden(true);
    QTRY_VERIFY(!tree.IsReading());
    QVERIFY(Texts(home, &tree).startsWith(QStringLiteral(".cache,")));
    QVERIFY(Texts(home, &tree).endsWith(QStringLiteral(",Desktop,Documents,Music,web")));
    tree.SetShowHidden(false);
    QTRY_VERIFY(!tree.IsReading());
    QCOMPARE(Texts(home, &tree), QStringLiteral("Desktop,Documents,Music,web"));

    // The file manager gets a folder as a file address, the trash as the
    // desktop's own location.
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "OnUrlOpened");
    QDesktopServices::setUrlHandler(QStringLiteral("trash"), this, "OnUrlOpened");
    tree.OpenInFileManager(home);
    tree.OpenInFileManager(tree.TrashItem());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("trash"));
    QCOMPARE(m_opened, QStringList({QUrl::fromLocalFile(m_strHome).toString(), QStringLiteral("trash:///")}));
}

// A right click opens the folder's menu without selecting the folder: the
// List bar keeps listing the selected one.
void TestDesktopTree::rightClickKeepsTheSelection()
{
    CDesktopTreeCtrl tree;
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QTRY_VERIFY(!tree.IsReading());
    QTreeWidgetItem* home = tree.topLevelItem(0);
    QTreeWidgetItem* web = home->child(3);
    QSignalSpy selected(&tree, &CShellTree::folderSelected);
    bool bMenuShown = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&bMenuShown] {
        if (QWidget* menu = QApplication::activePopupWidget()) {
            bMenuShown = true;
            menu->close();
        }
    });
    closer.start(20);
    const auto rightClick = [&tree](QTreeWidgetItem* item) {
        const QPoint at = tree.visualItemRect(item).center();
        QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, tree.viewport()->mapToGlobal(at));
        QApplication::sendEvent(tree.viewport(), &menuEvent);
    };
    rightClick(web);
    QVERIFY(bMenuShown);
    QCOMPARE(tree.currentItem(), home);
    QCOMPARE(selected.count(), 0);

    // File > New Folder makes its folder in the folder right-clicked last,
    // until the user picks again, even the folder already picked; a place
    // without a folder leaves the pick as it is. Home stays picked throughout.
    const auto newFolderParent = [&tree, home]() -> QString {
        QTreeWidgetItem* made = tree.NewFolder();
        if (!made)
            return QStringLiteral("none");
        QDir(CShellTree::ItemPath(made)).removeRecursively();
        tree.setCurrentItem(home);
        return made->parent()->text(0);
    };
    QCOMPARE(newFolderParent(), web->text(0));
    QCOMPARE(newFolderParent(), home->text(0));
    rightClick(web);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(home).center());
    QCOMPARE(newFolderParent(), home->text(0));
    QVERIFY(tree.TrashItem());
    rightClick(tree.TrashItem());
    QCOMPARE(newFolderParent(), home->text(0));
}

void TestDesktopTree::newFolderWithIndexFile()
{
    CDesktopTreeCtrl tree;
    tree.show();
    QTRY_VERIFY(!tree.IsReading());
    QTreeWidgetItem* web = tree.topLevelItem(0)->child(3);
    tree.setCurrentItem(web);
    // Twice: the second takes the next free name.
    QVERIFY(tree.NewFolder());
    tree.setCurrentItem(web);
    QTreeWidgetItem* second = tree.NewFolder();
    QVERIFY(second);
    QCOMPARE(ZtTest::ReadFile(m_strHome + QStringLiteral("/web/New_Folder/Index.txt")),
             CProjectTreeRules::IndexFileBytes());
    QVERIFY(QFile::exists(m_strHome + QStringLiteral("/web/New_Folder (2)/Index.txt")));

    // The name typed over it renames the folder on disk.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QList<QLineEdit*> editors = tree.findChildren<QLineEdit*>();
    QCOMPARE(editors.size(), 1);
    editors.first()->setText(QStringLiteral("pages"));
    QTest::keyClick(editors.first(), Qt::Key_Return);
    QTRY_COMPARE(CShellTree::ItemPath(second), m_strHome + QStringLiteral("/web/pages"));
    QVERIFY(QFile::exists(m_strHome + QStringLiteral("/web/pages/Index.txt")));
    QVERIFY(m_messages.isEmpty());
    // The read of web that the new folders started leaves them once.
    QTRY_VERIFY(!tree.IsReading());
    QCOMPARE(Texts(web, &tree), QStringLiteral("a,B,c,New_Folder,pages"));
}

void TestDesktopTree::expandingReadsInTheBackground()
{
    // Enough folders for several batches, in mixed case, in no order.
    const QString many = m_strHome + QStringLiteral("/many");
    for (int i = 0; i < 700; ++i) {
        const QString name = (i % 2 ? QStringLiteral("Folder %1") : QStringLiteral("folder %1")).arg(i * 7919 % 100000);
        QVERIFY(QDir(many).mkpath(name));
    }
    const QString order = QDir(many).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                               QDir::Name | QDir::IgnoreCase | QDir::LocaleAware).join(',');
    CDesktopTreeCtrl tree;
    QTRY_VERIFY(!tree.IsReading());
    QTreeWidgetItem* home = tree.topLevelItem(0);
    QTreeWidgetItem* manyItem = ChildNamed(home, QStringLiteral("many"));
    QTreeWidgetItem* music = ChildNamed(home, QStringLiteral("Music"));

    // Expanding returns at once with a stand-in; the folders follow.
    manyItem->setExpanded(true);
    music->setExpanded(true);
    QCOMPARE(Texts(manyItem, &tree), QStringLiteral("..."));
    QCOMPARE(Texts(music, &tree), QStringLiteral("..."));
    QTRY_VERIFY(!tree.IsReading());
    QCOMPARE(Texts(manyItem, &tree), order);
    // An empty folder loses its expand arrow once read.
    QCOMPARE(music->childCount(), 0);
    QCOMPARE(music->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
    QVERIFY(QDir(many).removeRecursively());
}

// Folders made, removed or renamed by another program while the tree is up
// show in the open folders; what is open and highlighted stays so.
void TestDesktopTree::showsFoldersMadeLater()
{
    const QString site = m_strHome + QStringLiteral("/site");
    for (const char* folder : {"a", "B", "c"})
        QVERIFY(QDir(site).mkpath(QString::fromLatin1(folder)));
    CDesktopTreeCtrl tree;
    QTRY_VERIFY(!tree.IsReading());
    QTreeWidgetItem* siteItem = ChildNamed(tree.topLevelItem(0), QStringLiteral("site"));
    siteItem->setExpanded(true);
    QTRY_VERIFY(!tree.IsReading());
    QTreeWidgetItem* a = ChildNamed(siteItem, QStringLiteral("a"));
    a->setExpanded(true);
    tree.setCurrentItem(ChildNamed(siteItem, QStringLiteral("c")));
    QTRY_VERIFY(!tree.IsReading());

    QVERIFY(QDir(site).mkpath(QStringLiteral("a/inner")));
    QVERIFY(QDir(site).mkpath(QStringLiteral("later")));
    QVERIFY(QDir(site).rename(QStringLiteral("B"), QStringLiteral("b2")));
    QTRY_COMPARE(Texts(siteItem, &tree), QStringLiteral("a,b2,c,later"));
    QTRY_COMPARE(Texts(a, &tree), QStringLiteral("inner"));
    QVERIFY(a->isExpanded());
    QCOMPARE(tree.currentItem()->text(0), QStringLiteral("c"));

    QVERIFY(QDir(site + QStringLiteral("/later")).removeRecursively());
    QVERIFY(QDir(site).rename(QStringLiteral("b2"), QStringLiteral("B")));
    QVERIFY(QDir(site + QStringLiteral("/a/inner")).removeRecursively());
    QTRY_COMPARE(Texts(siteItem, &tree), QStringLiteral("a,B,c"));
    QTRY_COMPARE(Texts(a, &tree), QString());
    QVERIFY(QDir(site).removeRecursively());
}

void TestDesktopTree::staleReadsAreDropped_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::newRow("collapsed") << "collapse";
    QTest::newRow("removed to the trash") << "trash";
}

void TestDesktopTree::staleReadsAreDropped()
{
    QFETCH(QString, meanwhile);
    QVERIFY(QDir(m_strHome).mkpath(QStringLiteral("doomed/x")));
    QVERIFY(QDir(m_strHome).mkpath(QStringLiteral("doomed/y")));
    CDesktopTreeCtrl tree;
    QTRY_VERIFY(!tree.IsReading());
    QTreeWidgetItem* home = tree.topLevelItem(0);
    QTreeWidgetItem* doomed = ChildNamed(home, QStringLiteral("doomed"));
    doomed->setExpanded(true);
    if (meanwhile == QLatin1String("collapse")) {
        doomed->setExpanded(false);
        SettleReads();
        QCOMPARE(Texts(doomed, &tree), QString());
        // Opened again, it is read afresh.
        doomed->setExpanded(true);
        QTRY_VERIFY(!tree.IsReading());
        QCOMPARE(Texts(doomed, &tree), QStringLiteral("x,y"));
        return;
    }
    tree.DeleteItem(doomed);
    QTRY_VERIFY(!ChildNamed(home, QStringLiteral("doomed")));
    // A new item most likely reuses the removed one's memory: the removed
    // folder's names must not land in it.
    tree.setCurrentItem(home);
    QTreeWidgetItem* fresh = tree.NewFolder();
    QVERIFY(fresh);
    SettleReads();
    QTRY_VERIFY(!tree.IsReading());
    QCOMPARE(fresh->childCount(), 0);
    QVERIFY(!Texts(home, &tree).contains(QStringLiteral("doomed")));
    QVERIFY(QDir(CShellTree::ItemPath(fresh)).removeRecursively());
}

// The Desktop tree and the Choose Directory dialog open while the volumes
// are still being listed, and take them in when the one listing ends.
void TestDesktopTree::volumesJoinWithoutHoldingUpTheTree()
{
    // A listing an earlier tree started would be joined, not replaced.
    CVolumeReader earlier;
    QSignalSpy earlierDone(&earlier, &CVolumeReader::volumesRead);
    earlier.Start();
    QVERIFY(earlierDone.wait(5000));
    auto release = std::make_shared<QSemaphore>();
    const QString stick = m_strHome + QStringLiteral("/web/a");
    int listings = 0;
    // A listing that hangs as one behind a dead network mount does, until
    // the test lets it go.
    CVolumeReader::SetLister([release, stick, this, &listings] {
        ++listings;
        release->tryAcquire(1, 30000);
        return QList<CVolume>{{stick, QStringLiteral("STICK"), "/dev/sdz1", "vfat"},
                              {m_strHome + QStringLiteral("/Music"), QString(), "/dev/sdz2", "ext4"},
                              {QStringLiteral("/proc"), QString(), "proc", "proc"}};
    });
    CDesktopTreeCtrl tree;
    QSignalSpy added(&tree, &CShellTree::volumesAdded);
    QVERIFY(tree.IsListingVolumes());
    QCOMPARE(Texts(nullptr, &tree), QStringLiteral("Home,Desktop,Documents,Music,File System,Trash"));
    CChooseDirectoryDlg dialog;
    dialog.m_strStartPath = m_strHome + QStringLiteral("/Desktop");
    QStringList before;
    QStringList after;
    QString typed;
    QTimer::singleShot(0, &dialog, [&] {
        for (int i = 0; i < dialog.PathBox()->count(); ++i)
            before << dialog.PathBox()->itemText(i);
        dialog.PathBox()->setEditText(QStringLiteral("/typed"));
        QSignalSpy dialogAdded(dialog.Tree(), &CShellTree::volumesAdded);
        release->release();
        QVERIFY(dialogAdded.wait(5000));
        for (int i = 0; i < dialog.PathBox()->count(); ++i)
            after << dialog.PathBox()->itemText(i);
        typed = dialog.PathBox()->currentText();
        dialog.reject();
    });
    dialog.exec();
    QTRY_COMPARE(added.size(), 1);
    CVolumeReader::SetLister({});
    QCOMPARE(listings, 1);
    // After the folders, before the trash; a folder shown already and a
    // system mount are not added.
    QCOMPARE(Texts(nullptr, &tree), QStringLiteral("Home,Desktop,Documents,Music,File System,STICK,Trash"));
    QCOMPARE(added.first().first().toStringList(), QStringList{stick});
    QCOMPARE(CShellTree::ItemPath(tree.topLevelItem(5)), stick);
    QVERIFY(!tree.IsListingVolumes());
    // The dialog's path box gains the volume and keeps what was typed.
    QCOMPARE(before.last(), QStringLiteral("/"));
    QCOMPARE(after, before + QStringList{stick});
    QCOMPARE(typed, QStringLiteral("/typed"));
}

// ---- The Choose Directory dialog ---------------------------------------------------

// Whether a volume (mount point, device, file system) is listed.
void TestDesktopTree::userVolumes_data()
{
    ZtTest::ResultColumns();
    const auto listed = [](const QString& point, const QByteArray& device, const QByteArray& type) {
        return ZtTest::YesNo(CShellTree::IsUserVolume(point, device, type));
    };
    Row("stick", listed("/media/ann/STICK", "/dev/sdb1", "vfat"), "yes");
    Row("tmpfs in /mnt", listed("/mnt/scratch", "tmpfs", "tmpfs"), "yes");
    Row("home partition", listed("/home", "/dev/sda3", "ext4"), "yes");
    Row("nfs share", listed("/srv/share", "server:/x", "nfs4"), "yes");
    Row("root", listed("/", "/dev/sda1", "ext4"), "no");
    Row("efi", listed("/boot/efi", "/dev/sda2", "vfat"), "no");
    Row("container tmpfs", listed("/tmp", "tmpfs", "tmpfs"), "no");
}

void TestDesktopTree::typedPathExpandsAndOkReturnsIt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("selected"); // the tree's chain to the selected folder
    const QString tmpChain = QStringLiteral("File System>") + m_tmp.path().mid(1).replace(QLatin1Char('/'), QLatin1Char('>'));
    QTest::newRow("under Documents") << m_strHome + "/Documents/a/b" << "Documents>a>b";
    QTest::newRow("tilde, doubled and trailing slashes") << "~/Documents//a/" << "Documents>a";
    // Relative paths start in the base directory, not in the current one.
    QTest::newRow("relative") << "a/b" << "Documents>a>b";
    QTest::newRow("hidden folder") << m_strHome + "/Documents/.hidden/inner" << "Documents>.hidden>inner";
    QTest::newRow("missing tail stops at the last folder") << m_strHome + "/Documents/a/nope/deeper" << "Documents>a";
    QTest::newRow("a file stops at its folder") << m_strHome + "/Documents/a/b/page.html" << "Documents>a>b";
    QTest::newRow("outside home, shell characters")
        << m_tmp.path() + "/with space/\"quoted\" $x" << tmpChain + ">with space>\"quoted\" $x";
}

void TestDesktopTree::typedPathExpandsAndOkReturnsIt()
{
    QFETCH(QString, typed);
    QFETCH(QString, selected);
    CChooseDirectoryDlg dialog;
    dialog.m_strStartPath = m_strHome + QStringLiteral("/Desktop");
    dialog.m_strBaseDirectory = m_strHome + QStringLiteral("/Documents");
    QDir::setCurrent(m_tmp.path());
    QString startText;
    QString chain;
    QTimer::singleShot(0, &dialog, [&] {
        startText = dialog.PathBox()->currentText();
        dialog.PathBox()->setEditText(typed);
        dialog.OnExpandTo();
        chain = Chain(dialog.Tree()->currentItem());
        dialog.accept();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QCOMPARE(startText, m_strHome + QStringLiteral("/Desktop"));
    QCOMPARE(chain, selected);
    // OK returns the text as typed, whether or not the tree reached it.
    QCOMPARE(dialog.m_strResultPath, typed);
}

// The keys reach the path box as in the dialog's control order: OK,
// Cancel, tree, path, "->", the dialog opening on OK.
void TestDesktopTree::tabFollowsTheControlOrder()
{
    CChooseDirectoryDlg dialog;
    dialog.m_strStartPath = m_strHome + QStringLiteral("/Desktop");
    QStringList order;
    QTimer::singleShot(0, &dialog, [&] {
        QApplication::setActiveWindow(&dialog);
        if (!QTest::qWaitForWindowActive(&dialog))
            order << QStringLiteral("never active");
        for (int i = 0; i < 6; ++i) {
            QWidget* focus = QApplication::focusWidget();
            order << (focus ? focus->objectName() : QStringLiteral("none"));
            QTest::keyClick(focus ? focus : &dialog, Qt::Key_Tab);
        }
        dialog.reject();
    });
    dialog.exec();
    QCOMPARE(order.join(QLatin1Char(' ')), QStringLiteral("1 2 1002 1006 1012 1"));
}

void TestDesktopTree::contextMenuCreatesRenamesAndTrashes()
{
    const QString folder = m_tmp.path() + QStringLiteral("/menu");
    QVERIFY(QDir().mkpath(folder));
    CShellTree tree;
    tree.PopulateTree();
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    QVERIFY(tree.TunnelTree(folder));
    QTreeWidgetItem* parent = tree.currentItem();

    // New Folder makes the folder on disk and starts its rename in place.
    std::unique_ptr<QMenu> menu(tree.CreateContextMenu(parent));
    ActionNamed(menu.get(), QStringLiteral("New &Folder"))->trigger();
    QVERIFY(QFileInfo(folder + QStringLiteral("/New Folder")).isDir());
    QTreeWidgetItem* created = tree.currentItem();
    QCOMPARE(CShellTree::ItemPath(created), folder + QStringLiteral("/New Folder"));
    auto* editor = tree.viewport()->findChild<QLineEdit*>();
    editor->setText(QStringLiteral("it's new"));
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its text over once the event loop runs.
    QTRY_VERIFY(QFileInfo(folder + QStringLiteral("/it's new")).isDir());
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/New Folder")));
    QTRY_COMPARE(CShellTree::ItemPath(created), folder + QStringLiteral("/it's new"));

    // A name with a slash is refused with a message; nothing moves.
    created->setText(0, QStringLiteral("a/b"));
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(created->text(0), QStringLiteral("it's new"));
    QVERIFY(QFileInfo(folder + QStringLiteral("/it's new")).isDir());

    // The top level cannot be renamed or deleted.
    menu.reset(tree.CreateContextMenu(tree.topLevelItem(0)));
    QVERIFY(!ActionNamed(menu.get(), QStringLiteral("Move to &Trash"))->isEnabled());

    // Saying No keeps the folder; Yes moves it to this test's own trash.
    QTRY_VERIFY(!tree.IsReading());
    ZtTest::CScriptedShell::Answer() = CShellFileOperation::EAnswer::No;
    menu.reset(tree.CreateContextMenu(created));
    ActionNamed(menu.get(), QStringLiteral("Move to &Trash"))->trigger();
    QVERIFY(QFileInfo(folder + QStringLiteral("/it's new")).isDir());
    QCOMPARE(parent->childCount(), 1);
    ZtTest::CScriptedShell::Answer() = CShellFileOperation::EAnswer::Yes;
    ActionNamed(menu.get(), QStringLiteral("Move to &Trash"))->trigger();
    QTRY_COMPARE(parent->childCount(), 0);
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/it's new")));
}

ZT_TEST_MAIN(TestDesktopTree)
#include "tst_desktoptree.moc"
