#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/ShellFileOperation.h"
#include "framework/MessageBox.h"
#include "projects/ProjectTreeCtrl.h"
#include "projects/ProjectTreeRules.h"
#include "res/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

// The label editor hands its text over, and then the tree acts on it, each
// a posted step later.
void EndEdit()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// What the shell operations and message boxes were asked and said.
struct CScript
{
    bool bConfirm = true;
    QStringList messages;
};

CScript g_script;

class CScriptedOperation : public CShellFileOperation
{
public:
    using CShellFileOperation::CShellFileOperation;

protected:
    EAnswer Confirm(EQuestion, const QString&) override
    {
        return g_script.bConfirm ? EAnswer::Yes : EAnswer::No;
    }
    void ShowError(const QString& message) override { g_script.messages << message; }
    void BeginProgress(const QString&, int) override {}
    bool StepProgress(int, const QString&) override { return true; }
    void EndProgress() override {}
};

// "name" for a file, "name/" for a folder, "name/+" for a folder with an
// expand button; children of an expanded folder follow in brackets.
QString Describe(const QTreeWidgetItem* item)
{
    QStringList parts;
    for (int i = 0; i < item->childCount(); ++i) {
        const QTreeWidgetItem* child = item->child(i);
        if (child->text(0).isEmpty() && child->flags() == Qt::NoItemFlags) {
            parts << QStringLiteral("+");
            continue;
        }
        QString text = child->text(0);
        if (CProjectTreeCtrl::ImageOf(child) != CProjectTreeCtrl::ImageFile)
            text += QLatin1Char('/');
        if (child->isExpanded())
            text += QLatin1Char('[') + Describe(child) + QLatin1Char(']');
        else if (child->childCount() > 0)
            text += QLatin1Char('+');
        parts << text;
    }
    return parts.join(QLatin1Char(' '));
}

QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& name)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == name)
            return parent->child(i);
    }
    return nullptr;
}

} // namespace

class TestProjectTree : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void projectPaths_data();
    void projectPaths();
    void orderEntries_data();
    void orderEntries();
    void pasteSource_data();
    void pasteSource();

    void fillsLazilyAndHidesProjectFile();
    void renamesInPlace();
    void newFolderGetsIndexFile();
    void deletesToTrash();
    void pastesCopiedPath();
    void dragMovesOnDisk();
    void commandsNeedProject();
    void menuFollowsItem();

private:
    // Makes the project Site under a fresh folder and a tree showing it.
    void MakeProject();
    void Rename(QTreeWidgetItem* item, const QString& name);
    QString P(const QString& relative) const { return m_strMain + QLatin1Char('/') + relative; }

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CProjectTreeCtrl> m_pTree;
    QString m_strMain;
};

void TestProjectTree::init()
{
    g_script = CScript();
    CShellFileOperation::SetFactory(
        [](QWidget* owner) { return std::make_unique<CScriptedOperation>(owner); });
    ZtMessageBox::SetHandler([](const QString& text, QMessageBox::StandardButtons) {
        g_script.messages << text;
        return QMessageBox::Ok;
    });
}

void TestProjectTree::cleanup()
{
    m_pTree.reset();
    m_pDir.reset();
    CShellFileOperation::SetFactory({});
    ZtMessageBox::SetHandler({});
}

void TestProjectTree::MakeProject()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    m_strMain = m_pDir->path() + QStringLiteral("/Site");
    ZtTest::WriteFile(P("Site.ztp"), "Site\r\r\n");
    m_pTree = std::make_unique<CProjectTreeCtrl>();
    m_pTree->SetProjectPath(P("Site.ztp"));
    m_pTree->FillTree();
}

void TestProjectTree::Rename(QTreeWidgetItem* item, const QString& name)
{
    m_pTree->SetCurrentItem(item);
    m_pTree->RenameItem();
    auto* editor = m_pTree->findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->setText(name);
    QTest::keyClick(editor, Qt::Key_Return);
    EndEdit();
}

void TestProjectTree::projectPaths_data()
{
    QTest::addColumn<QString>("projectFile");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("expected"); // main directory | name | item path

    QTest::newRow("nested item") << "/w/Site/Site.ztp" << QStringList{"sub", "a b.htm"}
                                 << "/w/Site|Site|/w/Site/sub/a b.htm";
    QTest::newRow("root") << "/w/Site/Site.ztp" << QStringList{} << "/w/Site|Site|/w/Site";
    QTest::newRow("project at the top") << "/Site.ztp" << QStringList{"x"} << "/|Site|/x";
    QTest::newRow("dots in names") << "/w/my.site/a.b.ztp" << QStringList{"c.d"}
                                   << "/w/my.site|a.b|/w/my.site/c.d";
    // A project file named unlike its folder still gives the real paths.
    QTest::newRow("name differs from folder") << "/w/Other/Site.ztp" << QStringList{"f"}
                                              << "/w/Other|Site|/w/Other/f";
}

void TestProjectTree::projectPaths()
{
    QFETCH(QString, projectFile);
    QFETCH(QStringList, names);
    QFETCH(QString, expected);
    const QString main = CProjectTreeRules::MainDirectoryOf(projectFile);
    QCOMPARE(QStringList({main, CProjectTreeRules::ProjectNameOf(projectFile),
                          CProjectTreeRules::ItemPath(main, names)})
                 .join(QLatin1Char('|')),
             expected);
}

void TestProjectTree::orderEntries_data()
{
    QTest::addColumn<QString>("entries"); // "d:" folder, "f:" file
    QTest::addColumn<QString>("expected");

    QTest::newRow("folders first, files by bytes")
        << "f:b.txt f:A.htm d:zeta f:a.css d:Alpha" << "Alpha zeta | A.htm a.css b.txt";
    QTest::newRow("capitals before small letters") << "f:alpha.htm f:Zeta.htm" << "| Zeta.htm alpha.htm";
    QTest::newRow("folders ignore case, ties by case") << "d:beta d:ALPHA d:Beta" << "ALPHA Beta beta |";
    QTest::newRow("project file hidden, folder of its name kept")
        << "f:Site.ztp d:Site.ztp f:site.ztp" << "Site.ztp | site.ztp";
}

void TestProjectTree::orderEntries()
{
    QFETCH(QString, entries);
    QFETCH(QString, expected);
    QVector<CProjectTreeRules::CEntry> list;
    for (const QString& entry : entries.split(QLatin1Char(' ')))
        list.append({entry.mid(2), entry.startsWith(QLatin1String("d:"))});
    const CProjectTreeRules::CListing listing =
        CProjectTreeRules::OrderEntries(list, QStringLiteral("Site.ztp"));
    QCOMPARE((listing.m_folders + QStringList{"|"} + listing.m_files).join(QLatin1Char(' ')).trimmed(),
             expected);
}

void TestProjectTree::pasteSource_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("data"); // %1 stands for an existing folder
    QTest::addColumn<QString>("expected");

    QTest::newRow("file manager copy") << "x-special/gnome-copied-files"
                                       << "copy\nfile://%1/a%20b.txt\nfile://%1/c.txt"
                                       << "copy %1/a b.txt,%1/c.txt";
    QTest::newRow("file manager cut") << "x-special/gnome-copied-files" << "cut\nfile://%1/c.txt"
                                      << "cut %1/c.txt";
    QTest::newRow("uri list") << "text/uri-list" << "file://%1/c.txt\r\n" << "copy %1/c.txt";
    QTest::newRow("uri list with a missing file")
        << "text/uri-list" << "file://%1/c.txt\r\nfile://%1/gone\r\n" << "copy ";
    QTest::newRow("path as text, line end") << "text/plain" << "%1/a b.txt\n" << "copy %1/a b.txt";
    QTest::newRow("text naming nothing") << "text/plain" << "hello" << "copy ";
    QTest::newRow("remote url") << "text/uri-list" << "https://example.com/c.txt" << "copy ";
}

void TestProjectTree::pasteSource()
{
    QFETCH(QString, format);
    QFETCH(QString, data);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    ZtTest::WriteFile(dir.filePath("a b.txt"), "a");
    ZtTest::WriteFile(dir.filePath("c.txt"), "c");
    QMimeData mime;
    mime.setData(format, QString(data).replace(QLatin1String("%1"), dir.path()).toUtf8());
    const CProjectTreeRules::CPasteSource source = CProjectTreeRules::PasteSourceOf(&mime);
    QCOMPARE((source.m_bCut ? QStringLiteral("cut ") : QStringLiteral("copy "))
                 + source.m_paths.join(QLatin1Char(',')),
             expected.replace(QLatin1String("%1"), dir.path()));
}

void TestProjectTree::fillsLazilyAndHidesProjectFile()
{
    MakeProject();
    for (const char* name : {"b.txt", "A.htm", "a.css", "it's \"$(rm -rf x)\";*.htm", "new\nline.txt",
                             "sub/Site.ztp", "sub/x.htm"})
        ZtTest::WriteFile(P(QString::fromUtf8(name)), "x");
    QDir().mkpath(P("empty"));
    QFile::link(P("loop"), P("loop"));   // a link to itself
    QFile::link(m_strMain, P("self"));   // a folder link back to the project

    QTreeWidgetItem* root = m_pTree->topLevelItem(0);
    QCOMPARE(root->text(0), QStringLiteral("Site"));
    QVERIFY(root->font(0).bold());
    QCOMPARE(Describe(root), QStringLiteral("+")); // nothing read before expanding

    root->setExpanded(true);
    QCOMPARE(Describe(root), QStringLiteral("empty/ self/+ sub/+ A.htm a.css b.txt "
                                            "it's \"$(rm -rf x)\";*.htm loop new\nline.txt"));
    QTreeWidgetItem* sub = Child(root, "sub");
    sub->setExpanded(true);
    QTreeWidgetItem* self = Child(root, "self");
    self->setExpanded(true); // the loop is read one level at a time only
    QCOMPARE(Describe(sub), QStringLiteral("x.htm"));
    QCOMPARE(m_pTree->GetItemPath(Child(self, "sub")), P("self/sub"));
    self->setExpanded(false);
    QCOMPARE(Describe(self), QStringLiteral("+"));
}

void TestProjectTree::renamesInPlace()
{
    MakeProject();
    ZtTest::WriteFile(P("b.txt"), "b");
    ZtTest::WriteFile(P("taken.txt"), "t");
    ZtTest::WriteFile(P("*.txt"), "star");
    QTreeWidgetItem* root = m_pTree->topLevelItem(0);
    root->setExpanded(true);

    Rename(Child(root, "b.txt"), QStringLiteral("a 'quoted' $name.txt"));
    QCOMPARE(ZtTest::ReadFile(P("a 'quoted' $name.txt")), QByteArray("b"));
    QVERIFY(!QFile::exists(P("b.txt")));

    // A name with a slash and a name in use: refused with a message, the
    // label names the file on disk again.
    Rename(Child(root, "taken.txt"), QStringLiteral("../escape.txt"));
    Rename(Child(root, "taken.txt"), QStringLiteral("*.txt"));
    QCOMPARE(g_script.messages.size(), 2);
    QVERIFY(Child(root, "taken.txt"));
    QCOMPARE(ZtTest::ReadFile(P("*.txt")), QByteArray("star"));

    // A file named like a pattern is renamed alone.
    Rename(Child(root, "*.txt"), QStringLiteral("star.txt"));
    QStringList files = QDir(m_strMain).entryList(QDir::Files);
    files.sort();
    QCOMPARE(files, QStringList({"Site.ztp", "a 'quoted' $name.txt", "star.txt", "taken.txt"}));
    QCOMPARE(Describe(root), QStringLiteral("a 'quoted' $name.txt star.txt taken.txt"));
}

void TestProjectTree::newFolderGetsIndexFile()
{
    MakeProject();
    ZtTest::WriteFile(P("zz/page.htm"), "p");
    QTreeWidgetItem* root = m_pTree->topLevelItem(0);
    m_pTree->SetCurrentItem(root);
    m_pTree->NewFolder();
    auto* editor = m_pTree->findChild<QLineEdit*>();
    QVERIFY(editor);
    QCOMPARE(editor->maxLength(), CProjectTreeCtrl::kMaxLabelLength);
    editor->setText(QStringLiteral("Docs"));
    QTest::keyClick(editor, Qt::Key_Return);
    EndEdit();

    QCOMPARE(ZtTest::ReadFile(P("Docs/Index.txt")),
             QByteArray("This file was generated by Zentrel,\r\n"
                        "you may use it as an dir. index or delete it at this point."));
    QCOMPARE(Describe(root), QStringLiteral("Docs/+ zz/+"));

    // A folder that cannot be made does not stay in the tree.
    m_pTree->SetCurrentItem(root);
    m_pTree->NewFolder();
    editor = m_pTree->findChild<QLineEdit*>();
    editor->setText(QStringLiteral("zz"));
    QTest::keyClick(editor, Qt::Key_Return);
    EndEdit();
    QCOMPARE(Describe(root), QStringLiteral("Docs/+ zz/+"));
    QCOMPARE(g_script.messages.size(), 1);
}

void TestProjectTree::deletesToTrash()
{
    MakeProject();
    ZtTest::WriteFile(P("a.htm"), "a");
    ZtTest::WriteFile(P("*.htm"), "star");
    ZtTest::WriteFile(P("sub/x.htm"), "x");
    QTreeWidgetItem* root = m_pTree->topLevelItem(0);
    root->setExpanded(true);
    // The highlighted item is another one: the right-clicked one goes.
    m_pTree->setCurrentItem(Child(root, "a.htm"));
    m_pTree->SetCurrentItem(Child(root, "*.htm"));
    m_pTree->DeleteItem();
    const QString trash =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash/files/");
    QCOMPARE(ZtTest::ReadFile(trash + QStringLiteral("*.htm")), QByteArray("star"));
    QVERIFY(QFile::exists(P("a.htm")));
    QCOMPARE(Describe(root), QStringLiteral("sub/+ a.htm"));

    // Cancelled: the tree is unchanged. An old shell: nothing deleted.
    g_script.bConfirm = false;
    m_pTree->SetCurrentItem(Child(root, "a.htm"));
    m_pTree->DeleteItem();
    m_pTree->SetShellVersionLevel(1);
    m_pTree->SetCurrentItem(Child(root, "sub"));
    m_pTree->DeleteItem();
    QCOMPARE(g_script.messages.size(), 1);
    QVERIFY(g_script.messages.first().startsWith("The version of Shell32.dll"));
    QCOMPARE(Describe(root), QStringLiteral("sub/+ a.htm"));

    g_script.bConfirm = true;
    m_pTree->SetShellVersionLevel(2);
    m_pTree->SetCurrentItem(Child(root, "sub"));
    m_pTree->DeleteItem();
    QCOMPARE(ZtTest::ReadFile(trash + QStringLiteral("sub/x.htm")), QByteArray("x"));
    QCOMPARE(Describe(root), QStringLiteral("a.htm"));
}

void TestProjectTree::pastesCopiedPath()
{
    MakeProject();
    ZtTest::WriteFile(P("a b.htm"), "a");
    ZtTest::WriteFile(P("sub/inner/x.txt"), "x");
    QTreeWidgetItem* root = m_pTree->topLevelItem(0);
    root->setExpanded(true);
    QTreeWidgetItem* sub = Child(root, "sub");
    sub->setExpanded(true);

    m_pTree->SetCurrentItem(Child(root, "a b.htm"));
    m_pTree->CopyItemPath();
    QCOMPARE(QApplication::clipboard()->text(), P("a b.htm"));
    m_pTree->SetCurrentItem(Child(sub, "inner"));
    QVERIFY(m_pTree->PasteFiles());
    QCOMPARE(ZtTest::ReadFile(P("sub/inner/a b.htm")), QByteArray("a"));
    QCOMPARE(Describe(Child(sub, "inner")), QStringLiteral("a b.htm x.txt"));

    // A folder pasted into its own subfolder: refused, nothing copied.
    m_pTree->SetCurrentItem(sub);
    m_pTree->CopyItemPath();
    m_pTree->SetCurrentItem(Child(sub, "inner"));
    QVERIFY(!m_pTree->PasteFiles());
    QCOMPARE(g_script.messages.size(), 1);
    QVERIFY(g_script.messages.first().contains("inside the source folder"));
    QVERIFY(!QFile::exists(P("sub/inner/sub")));
}

void TestProjectTree::dragMovesOnDisk()
{
    MakeProject();
    ZtTest::WriteFile(P("page.htm"), "p");
    ZtTest::WriteFile(P("sub/inner/x.txt"), "x");
    QTreeWidgetItem* root = m_pTree->topLevelItem(0);
    root->setExpanded(true);
    QTreeWidgetItem* sub = Child(root, "sub");
    sub->setExpanded(true);

    // A folder dropped on its own child: refused with the helper's message.
    QVERIFY(!m_pTree->MoveItem(sub, Child(sub, "inner")));
    QCOMPARE(g_script.messages.size(), 1);
    QCOMPARE(ZtTest::ReadFile(P("sub/inner/x.txt")), QByteArray("x"));

    // A file dropped on a file moves into that file's folder.
    Child(sub, "inner")->setExpanded(true);
    QVERIFY(m_pTree->MoveItem(Child(root, "page.htm"), Child(Child(sub, "inner"), "x.txt")));
    QCOMPARE(ZtTest::ReadFile(P("sub/inner/page.htm")), QByteArray("p"));
    QCOMPARE(Describe(root), QStringLiteral("sub/[inner/[page.htm x.txt]]"));
    QCOMPARE(m_pTree->GetItemPath(m_pTree->currentItem()), P("sub/inner/page.htm"));
}

void TestProjectTree::commandsNeedProject()
{
    CProjectTreeCtrl tree;
    tree.SetCurrentItem(tree.topLevelItem(0));
    tree.NewFolder();
    tree.RenameItem();
    tree.DeleteItem();
    QCOMPARE(g_script.messages, QStringList(3, QStringLiteral("No open project, command canceled!")));
    QCOMPARE(tree.topLevelItem(0)->text(0), QStringLiteral("No Open Project"));
}

void TestProjectTree::menuFollowsItem()
{
    MakeProject();
    ZtTest::WriteFile(P("Page.HTML"), "p");
    ZtTest::WriteFile(P("pic.gif"), "g");
    ZtTest::WriteFile(P("run.bat"), "b");
    QTreeWidgetItem* root = m_pTree->topLevelItem(0);
    root->setExpanded(true);
    QStringList states;
    QStringList opened;
    connect(m_pTree.get(), &CProjectTreeCtrl::openFileRequested, this,
            [&opened](const QString& path) { opened << QFileInfo(path).fileName(); });
    for (const char* name : {"Page.HTML", "pic.gif", "run.bat"}) {
        m_pTree->SetCurrentItem(Child(root, name));
        std::unique_ptr<QMenu> menu(m_pTree->CreateContextMenu());
        states << QStringLiteral("%1:%2%3").arg(name)
                      .arg(m_pTree->CommandAction(ZtCmd::ID_PROJTREE_EDIT)->isEnabled())
                      .arg(m_pTree->CommandAction(ZtCmd::ID_PROJTREE_SHOW_PAGE)->isEnabled());
        m_pTree->OpenItem();
    }
    QCOMPARE(states.join(' '), QStringLiteral("Page.HTML:11 pic.gif:01 run.bat:00"));
    QCOMPARE(opened, QStringList({"Page.HTML", "run.bat"}));
}

ZT_TEST_MAIN(TestProjectTree)
#include "tst_projecttree.moc"
