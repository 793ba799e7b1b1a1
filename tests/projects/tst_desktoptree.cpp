#include "support/ScriptedShell.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "projects/DesktopTreeCtrl.h"
#include "projects/ProjectTreeRules.h"

#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>

// The Desktop tab's tree on a home folder of a few personal folders.
class TestDesktopTree : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void topLevelAndHiddenFolders();
    void newFolderWithIndexFile();

private:
    QString m_strHome;
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
} // namespace

void TestDesktopTree::initTestCase()
{
    // The test process has a home of its own.
    m_strHome = QDir::homePath();
    for (const char* folder : {"Desktop", "Documents", "Music", "web", ".cache"})
        QDir(m_strHome).mkpath(QString::fromLatin1(folder));
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
    QCOMPARE(Texts(home, &tree), QStringLiteral("Desktop,Documents,Music,web"));

    // Selecting a folder names it; the trash is no folder to list.
    QSignalSpy selected(&tree, &CShellTree::folderSelected);
    tree.setCurrentItem(home->child(3));
    tree.setCurrentItem(tree.TrashItem());
    QCOMPARE(selected.at(0).first().toString(), m_strHome + QStringLiteral("/web"));
    QCOMPARE(selected.at(1).first().toString(), QString());

    // Hidden folders on request, in every opened folder.
    tree.SetShowHidden(true);
    QVERIFY(Texts(home, &tree).startsWith(QStringLiteral(".cache,")));
    tree.SetShowHidden(false);
    QCOMPARE(Texts(home, &tree), QStringLiteral("Desktop,Documents,Music,web"));
}

void TestDesktopTree::newFolderWithIndexFile()
{
    CDesktopTreeCtrl tree;
    tree.show();
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
    QCoreApplication::processEvents();
    QVERIFY(QFile::exists(m_strHome + QStringLiteral("/web/pages/Index.txt")));
    QCOMPARE(CShellTree::ItemPath(second), m_strHome + QStringLiteral("/web/pages"));
    QVERIFY(m_messages.isEmpty());
}

ZT_TEST_MAIN(TestDesktopTree)
#include "tst_desktoptree.moc"
