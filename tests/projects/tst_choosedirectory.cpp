#include "support/ResultTable.h"
#include "support/ScriptedShell.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "projects/ChooseDirectoryDlg.h"
#include "projects/ShellTree.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

using ZtTest::Row;

namespace {
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

class TestChooseDirectory : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void topLevelIsTheUsersPlacesThenTheFileSystem();
    void userVolumes_data();
    void userVolumes() { ZtTest::CompareResult(); }
    void typedPathExpandsAndOkReturnsIt_data();
    void typedPathExpandsAndOkReturnsIt();
    void contextMenuCreatesRenamesAndTrashes();
    void volumesJoinTheListLater();
    void tabFollowsTheControlOrder();

private:
    QString m_home;
    QTemporaryDir m_tmp;
    QStringList m_messages;
};

void TestChooseDirectory::initTestCase()
{
    m_home = QDir::homePath();
    QVERIFY(QDir(m_home).mkpath(QStringLiteral("Desktop")));
    QVERIFY(QDir(m_home).mkpath(QStringLiteral("Documents/a/b")));
    QVERIFY(QDir(m_home).mkpath(QStringLiteral("Documents/.hidden/inner")));
    ZtTest::WriteFile(m_home + QStringLiteral("/Documents/a/b/page.html"), "p");
    QVERIFY(QDir(m_tmp.path()).mkpath(QStringLiteral("with space/\"quoted\" $x")));
    ZtTest::CScriptedShell::Install(&m_messages);
}

void TestChooseDirectory::topLevelIsTheUsersPlacesThenTheFileSystem()
{
    // Music, Pictures and the rest do not exist in the test's home: they
    // are left out rather than shown as folders that cannot be opened.
    QStringList shown;
    for (const CShellPlace& place : CShellTree::TopLevelPlaces().mid(0, 4))
        shown.append(place.m_strName + QLatin1Char('=') + place.m_strPath);
    QCOMPARE(shown, QStringList({QStringLiteral("Home=") + m_home,
                                 QStringLiteral("Desktop=") + m_home + QStringLiteral("/Desktop"),
                                 QStringLiteral("Documents=") + m_home + QStringLiteral("/Documents"),
                                 QStringLiteral("File System=/")}));
    for (const CShellPlace& place : CShellTree::TopLevelPlaces())
        QVERIFY2(QFileInfo(place.m_strPath).isDir(), qPrintable(place.m_strPath));
}

// Whether a volume (mount point, device, file system) is listed.
void TestChooseDirectory::userVolumes_data()
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

void TestChooseDirectory::typedPathExpandsAndOkReturnsIt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("selected"); // the tree's chain to the selected folder
    const QString tmpChain = QStringLiteral("File System>") + m_tmp.path().mid(1).replace(QLatin1Char('/'), QLatin1Char('>'));
    QTest::newRow("under Documents") << m_home + "/Documents/a/b" << "Documents>a>b";
    QTest::newRow("tilde, doubled and trailing slashes") << "~/Documents//a/" << "Documents>a";
    // Relative paths start in the base directory, not in the current one.
    QTest::newRow("relative") << "a/b" << "Documents>a>b";
    QTest::newRow("relative, up and down") << "../Documents/a" << "Documents>a";
    QTest::newRow("hidden folder") << m_home + "/Documents/.hidden/inner" << "Documents>.hidden>inner";
    QTest::newRow("missing tail stops at the last folder") << m_home + "/Documents/a/nope/deeper" << "Documents>a";
    QTest::newRow("a file stops at its folder") << m_home + "/Documents/a/b/page.html" << "Documents>a>b";
    QTest::newRow("outside home, shell characters")
        << m_tmp.path() + "/with space/\"quoted\" $x" << tmpChain + ">with space>\"quoted\" $x";
}

void TestChooseDirectory::typedPathExpandsAndOkReturnsIt()
{
    QFETCH(QString, typed);
    QFETCH(QString, selected);
    CChooseDirectoryDlg dialog;
    dialog.m_strStartPath = m_home + QStringLiteral("/Desktop");
    dialog.m_strBaseDirectory = m_home + QStringLiteral("/Documents");
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
    QCOMPARE(startText, m_home + QStringLiteral("/Desktop"));
    QCOMPARE(chain, selected);
    // OK returns the text as typed, whether or not the tree reached it.
    QCOMPARE(dialog.m_strResultPath, typed);
}

// The keys reach the path box as in the dialog's control order: OK,
// Cancel, tree, path, "->", the dialog opening on OK.
void TestChooseDirectory::tabFollowsTheControlOrder()
{
    CChooseDirectoryDlg dialog;
    dialog.m_strStartPath = m_home + QStringLiteral("/Desktop");
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

void TestChooseDirectory::contextMenuCreatesRenamesAndTrashes()
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

void TestChooseDirectory::volumesJoinTheListLater()
{
    // A listing an earlier tree started would be joined, not replaced.
    CVolumeReader earlier;
    QSignalSpy earlierDone(&earlier, &CVolumeReader::volumesRead);
    earlier.Start();
    QVERIFY(earlierDone.wait(5000));
    auto release = std::make_shared<QSemaphore>();
    const QString volume = m_tmp.path() + QStringLiteral("/with space");
    int listings = 0;
    CVolumeReader::SetLister([release, volume, &listings] {
        ++listings;
        release->tryAcquire(1, 30000);
        return QList<CVolume>{{volume, QStringLiteral("Disk"), "/dev/sdz1", "ext4"}};
    });
    CChooseDirectoryDlg dialog;
    dialog.m_strStartPath = m_home + QStringLiteral("/Desktop");
    QStringList before;
    QStringList after;
    QString typed;
    QTimer::singleShot(0, &dialog, [&] {
        // Open while the volumes are still being listed.
        for (int i = 0; i < dialog.PathBox()->count(); ++i)
            before << dialog.PathBox()->itemText(i);
        dialog.PathBox()->setEditText(QStringLiteral("/typed"));
        QSignalSpy added(dialog.Tree(), &CShellTree::volumesAdded);
        release->release();
        QVERIFY(added.wait(5000));
        for (int i = 0; i < dialog.PathBox()->count(); ++i)
            after << dialog.PathBox()->itemText(i);
        typed = dialog.PathBox()->currentText();
        dialog.reject();
    });
    dialog.exec();
    CVolumeReader::SetLister({});
    QCOMPARE(listings, 1);
    QCOMPARE(before.last(), QStringLiteral("/"));
    QCOMPARE(after, before + QStringList{volume});
    QCOMPARE(typed, QStringLiteral("/typed"));
    QCOMPARE(dialog.Tree()->topLevelItem(dialog.Tree()->topLevelItemCount() - 1)->text(0), QStringLiteral("Disk"));
}

ZT_TEST_MAIN(TestChooseDirectory)
#include "tst_choosedirectory.moc"
