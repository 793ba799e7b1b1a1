#include "support/ScriptedShell.h"
#include "support/Sites.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/BackgroundPool.h"
#include "projects/DesktopTreeCtrl.h"
#include "projects/ProjectTreeRules.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThreadPool>
#include <QTimer>

using ZtTest::ChildNamed;

// The Desktop tab's tree on a home folder of a few personal folders.
class TestDesktopTree : public QObject
{
    Q_OBJECT
public slots:
    // The desktop's handler of the addresses a test catches.
    void OnUrlOpened(const QUrl& url) { m_opened << url.toString(); }

private slots:
    void initTestCase();
    void cleanup();
    void topLevelAndHiddenFolders();
    void newFolderWithIndexFile();
    void rightClickKeepsTheSelection();
    void expandingReadsInTheBackground();
    void showsFoldersMadeLater();
    void staleReadsAreDropped_data();
    void staleReadsAreDropped();
    void volumesJoinWithoutHoldingUpTheTree();

private:
    QString m_strHome;
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
} // namespace

void TestDesktopTree::initTestCase()
{
    // The test process has a home of its own.
    m_strHome = QDir::homePath();
    for (const char* folder : {"Desktop", "Documents", "Music", "web/a", "web/B", "web/c", ".cache"})
        QVERIFY(QDir(m_strHome).mkpath(QString::fromLatin1(folder)));
    ZtTest::CScriptedShell::Install(&m_messages);
}

void TestDesktopTree::cleanup()
{
    m_messages.clear();
}

void TestDesktopTree::topLevelAndHiddenFolders()
{
    CDesktopTreeCtrl tree;
    // Home first, open and selected; personal folders that exist; the file
    // system; volumes (as the machine has them); the trash last.
    const QString top = Texts(nullptr, &tree);
    QVERIFY2(top.startsWith(QStringLiteral("Home,Desktop,Documents,Music,File System,")), qPrintable(top));
    QVERIFY2(top.endsWith(QStringLiteral(",Trash")), qPrintable(top));
    QTreeWidgetItem* home = tree.topLevelItem(0);
    QVERIFY(home->isExpanded());
    QVERIFY(home->font(0).bold());
    QCOMPARE(tree.currentItem(), home);
    QTRY_VERIFY(!tree.IsReading());
    QCOMPARE(Texts(home, &tree), QStringLiteral("Desktop,Documents,Music,web"));

    // Selecting a folder names it; the trash is no folder to list.
    QSignalSpy selected(&tree, &CShellTree::folderSelected);
    tree.setCurrentItem(home->child(3));
    tree.setCurrentItem(tree.TrashItem());
    QCOMPARE(selected.at(0).first().toString(), m_strHome + QStringLiteral("/web"));
    QCOMPARE(selected.at(1).first().toString(), QString());

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
    QCOMPARE(editors.first()->maxLength(), 127);
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
    QVERIFY(tree.WatchedFolders().contains(site + QStringLiteral("/a")));

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

void TestDesktopTree::volumesJoinWithoutHoldingUpTheTree()
{
    // A listing that hangs as one behind a dead network mount does, until
    // the test lets it go.
    // A listing an earlier tree started would be joined, not replaced.
    CVolumeReader earlier;
    QSignalSpy earlierDone(&earlier, &CVolumeReader::volumesRead);
    earlier.Start();
    QVERIFY(earlierDone.wait(5000));
    auto release = std::make_shared<QSemaphore>();
    const QString stick = m_strHome + QStringLiteral("/web/a");
    CVolumeReader::SetLister([release, stick, this] {
        release->tryAcquire(1, 30000);
        return QList<CVolume>{{stick, QStringLiteral("STICK"), "/dev/sdz1", "vfat"},
                              {m_strHome + QStringLiteral("/Music"), QString(), "/dev/sdz2", "ext4"},
                              {QStringLiteral("/proc"), QString(), "proc", "proc"}};
    });
    CDesktopTreeCtrl tree;
    QSignalSpy added(&tree, &CShellTree::volumesAdded);
    QVERIFY(tree.IsListingVolumes());
    QCOMPARE(Texts(nullptr, &tree), QStringLiteral("Home,Desktop,Documents,Music,File System,Trash"));
    release->release();
    QVERIFY(added.wait(5000));
    CVolumeReader::SetLister({});
    // After the folders, before the trash; a folder shown already and a
    // system mount are not added.
    QCOMPARE(Texts(nullptr, &tree), QStringLiteral("Home,Desktop,Documents,Music,File System,STICK,Trash"));
    QCOMPARE(added.first().first().toStringList(), QStringList{stick});
    QCOMPARE(CShellTree::ItemPath(tree.topLevelItem(5)), stick);
    QVERIFY(!tree.IsListingVolumes());
}

ZT_TEST_MAIN(TestDesktopTree)
#include "tst_desktoptree.moc"
