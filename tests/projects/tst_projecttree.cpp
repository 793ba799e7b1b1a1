#include "support/ResultTable.h"
#include "support/ScriptedShell.h"
#include "support/ShellJob.h"
#include "support/Sites.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/BackgroundPool.h"
#include "projects/ProjectTreeCtrl.h"
#include "projects/ProjectTreeRules.h"
#include "projects/TreeLines.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <memory>

using ZtTest::ChildNamed;
using ZtTest::Row;

namespace {

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

} // namespace

class TestProjectTree : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rules_data();
    void rules() { ZtTest::CompareResult(); }

    void fillsLazilyAndHidesProjectFile();
    void staleReadsAreDropped_data();
    void staleReadsAreDropped();
    void showsWhatChangesOnDisk();
    void newFolderAndRenameInPlace();
    void escapeDropsTheTypedLabel();
    void deletesToTrash();
    void pastesAndDragsOnDisk();
    void commandsNeedProject();
    void menuFollowsItem();

private:
    // Makes the project Site under a fresh folder, with files (each holding
    // its own name), and a tree showing it. Returns the tree's root, opened
    // and read unless told otherwise.
    QTreeWidgetItem* MakeProject(std::initializer_list<const char*> files, bool expand = true);
    // Opens a folder item and waits until it has been read.
    void Expand(QTreeWidgetItem* item);
    // Waits until every folder read has been shown.
    void Settle();
    // Types name into the label editor of the item being named.
    void Type(const QString& name);
    void Rename(QTreeWidgetItem* item, const QString& name);
    QString P(const QString& relative) const { return m_strMain + QLatin1Char('/') + relative; }

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CProjectTreeCtrl> m_pTree;
    QString m_strMain;
    QStringList m_messages;
};

void TestProjectTree::init()
{
    m_messages.clear();
    ZtTest::CScriptedShell::Install(&m_messages);
}

void TestProjectTree::cleanup()
{
    m_pTree.reset();
    m_pDir.reset();
    ZtTest::CScriptedShell::Uninstall();
}

QTreeWidgetItem* TestProjectTree::MakeProject(std::initializer_list<const char*> files, bool expand)
{
    m_pDir = std::make_unique<QTemporaryDir>();
    m_strMain = m_pDir->path() + QStringLiteral("/Site");
    ZtTest::WriteSite(m_strMain, files);
    m_pTree = std::make_unique<CProjectTreeCtrl>();
    m_pTree->SetProjectPath(P("Site.ztp"));
    m_pTree->FillTree();
    if (expand)
        Expand(m_pTree->topLevelItem(0));
    return m_pTree->topLevelItem(0);
}

void TestProjectTree::Expand(QTreeWidgetItem* item)
{
    item->setExpanded(true);
    Settle();
}

void TestProjectTree::Settle()
{
    QTRY_VERIFY(!m_pTree->IsReading());
}

void TestProjectTree::Type(const QString& name)
{
    QVERIFY(ZtTest::TypeLabel(m_pTree.get(), name));
    // The editor hands its text over, and then the tree acts on it, each a
    // posted step later.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QTRY_VERIFY(ZtTest::JobsDone());
}

void TestProjectTree::Rename(QTreeWidgetItem* item, const QString& name)
{
    m_pTree->SetHighlightedItem(item);
    m_pTree->RenameItem();
    Type(name);
}

namespace {

// Main directory | project name | path of the item below it named by names.
QString Paths(const QString& projectFile, const QStringList& names)
{
    const QString main = CProjectTreeRules::MainDirectoryOf(projectFile);
    return QStringList({main, CProjectTreeRules::ProjectNameOf(projectFile), CProjectTreeRules::ItemPath(main, names)})
        .join(QLatin1Char('|'));
}

// Show page enabled, page shown, opened by Edit and a double click.
QString FileCommands(const QString& path)
{
    return QStringLiteral("%1%2%3").arg(int(CProjectTreeRules::IsShowPageEnabled(path)))
        .arg(int(CProjectTreeRules::IsShowablePage(path))).arg(int(CProjectTreeRules::IsOpenable(path)));
}

// Entries as "d:folder" and "f:file"; the folders, "|", the files.
QString Order(const QString& entries)
{
    QVector<CProjectTreeRules::CEntry> list;
    for (const QString& entry : entries.split(QLatin1Char(' ')))
        list.append({entry.mid(2), entry.startsWith(QLatin1String("d:"))});
    const CProjectTreeRules::CListing listing = CProjectTreeRules::OrderEntries(list, QStringLiteral("Site.ztp"));
    return (listing.m_folders + QStringList{"|"} + listing.m_files).join(QLatin1Char(' ')).trimmed();
}

// The paste source of clipboard data in a format, %1 standing for a folder
// holding "a b.txt" and "c.txt" (and in the result).
QString Paste(const QString& format, const QString& data)
{
    QTemporaryDir dir;
    ZtTest::WriteFile(dir.filePath("a b.txt"), "a");
    ZtTest::WriteFile(dir.filePath("c.txt"), "c");
    QMimeData mime;
    mime.setData(format, QString(data).replace(QLatin1String("%1"), dir.path()).toUtf8());
    const CProjectTreeRules::CPasteSource source = CProjectTreeRules::PasteSourceOf(&mime);
    QString described = (source.m_bCut ? QStringLiteral("cut ") : QStringLiteral("copy ")) + source.m_paths.join(',');
    return described.replace(dir.path(), QLatin1String("%1"));
}

// The lines of a row 16 pixels high, its levels 20 pixels wide, as
// "x1,y1-x2,y2" each.
QString Lines(const QVector<bool>& continues, bool firstAtTop, bool next, bool children)
{
    const CTreeLines::CRow row{QRect(0, 0, 20 * int(continues.size() + 1), 16), 20, continues, firstAtTop, next, children};
    QStringList parts;
    for (const QLine& line : CTreeLines::Segments(row))
        parts << QStringLiteral("%1,%2-%3,%4").arg(line.x1()).arg(line.y1()).arg(line.x2()).arg(line.y2());
    return parts.join(' ');
}

} // namespace

// Show page is offered for pages and two picture kinds, in any case, but
// shows only a page whose extension is spelled in lower case; Edit and a
// double click open editable files and batch files. Folders come first in
// an order that ignores case.
void TestProjectTree::rules_data()
{
    ZtTest::ResultColumns();
    Row("project at the top", Paths("/Site.ztp", {"x"}), "/|Site|/x");
    Row("dots in names", Paths("/w/my.site/a.b.ztp", {"c.d"}), "/w/my.site|a.b|/w/my.site/c.d");

    Row("page", FileCommands("/w/page.html"), "111");
    Row("page in capitals", FileCommands("/w/Page.HTML"), "101");
    Row("short page, mixed case", FileCommands("/w/page.Htm"), "101");
    Row("picture", FileCommands("/w/pic.GIF"), "100");
    Row("picture not shown alone", FileCommands("/w/photo.jpeg"), "000");
    Row("batch file", FileCommands("/w/run.BAT"), "001");
    Row("page name inside a folder's", FileCommands("/w/a.html/notes.txt"), "001");

    Row("folders first, files by bytes", Order("f:b.txt f:A.htm d:Zeta f:a.css d:alpha"), "alpha Zeta | A.htm a.css b.txt");
    Row("folders ignore case, ties by case", Order("d:beta d:ALPHA d:Beta"), "ALPHA Beta beta |");
    Row("project file hidden, folder of its name kept", Order("f:Site.ztp d:Site.ztp f:site.ztp"), "Site.ztp | site.ztp");

    const char* const copied = "x-special/gnome-copied-files";
    Row("file manager copy", Paste(copied, "copy\nfile://%1/a%20b.txt\nfile://%1/c.txt"), "copy %1/a b.txt,%1/c.txt");
    Row("file manager cut", Paste(copied, "cut\nfile://%1/c.txt"), "cut %1/c.txt");
    Row("uri list", Paste("text/uri-list", "file://%1/c.txt\r\n"), "copy %1/c.txt");
    Row("uri list with a missing file", Paste("text/uri-list", "file://%1/c.txt\r\nfile://%1/gone\r\n"), "copy ");
    Row("path as text, line end", Paste("text/plain", "%1/a b.txt\n"), "copy %1/a b.txt");

    // Dotted lines join items to their parents and siblings, around the
    // expand buttons.
    Row("root alone", Lines({}, true, false, true), "15,8-19,8");
    Row("last file below the root", Lines({false}, false, false, false), "30,0-30,8 30,8-39,8");
    Row("folder between siblings, in a folder between siblings", Lines({false, true}, false, true, true),
        "30,0-30,15 50,0-50,3 50,13-50,15 55,8-59,8");
}

void TestProjectTree::fillsLazilyAndHidesProjectFile()
{
    QTreeWidgetItem* root = MakeProject({"b.txt", "A.htm", "sub/Site.ztp", "sub/x.htm"}, false);
    QDir().mkpath(P("empty"));
    QFile::link(P("loop"), P("loop"));   // a link to itself
    QFile::link(m_strMain, P("self"));   // a folder link back to the project
    QCOMPARE(root->text(0), QStringLiteral("Site"));
    QVERIFY(root->font(0).bold());
    QCOMPARE(Describe(root), QStringLiteral("+")); // nothing read before expanding

    // Opening returns at once, the marker standing in; the entries follow
    // from a worker thread.
    root->setExpanded(true);
    QCOMPARE(Describe(root), QStringLiteral("+"));
    QVERIFY(m_pTree->IsReading());
    Settle();
    QCOMPARE(Describe(root), QStringLiteral("empty/ self/+ sub/+ A.htm b.txt loop"));
    // A folder shows the open folder while it is selected.
    const QIcon folder = ChildNamed(root, "sub")->icon(0);
    const QStyle* style = m_pTree->style();
    QCOMPARE(folder.pixmap(16).toImage(), style->standardIcon(QStyle::SP_DirIcon).pixmap(16).toImage());
    QCOMPARE(folder.pixmap(16, QIcon::Selected).toImage(), style->standardIcon(QStyle::SP_DirOpenIcon).pixmap(16).toImage());
    // A line runs down from the root to its first child.
    m_pTree->resize(300, 300);
    const QImage image = m_pTree->viewport()->grab().toImage();
    const QRect first = m_pTree->visualItemRect(root->child(0));
    const int x = m_pTree->indentation() + m_pTree->indentation() / 2;
    int linePixels = 0;
    for (int y = first.top(); y < first.center().y(); ++y)
        linePixels += image.pixel(x, y) == m_pTree->palette().color(QPalette::Dark).rgb() ? 1 : 0;
    QVERIFY(linePixels > 0);
    ChildNamed(root, "sub")->setExpanded(true);
    QTreeWidgetItem* self = ChildNamed(root, "self");
    self->setExpanded(true); // the loop is read one level at a time only
    Settle();
    QCOMPARE(Describe(ChildNamed(root, "sub")), QStringLiteral("x.htm"));
    QCOMPARE(m_pTree->GetItemPath(ChildNamed(self, "sub")), P("self/sub"));
    self->setExpanded(false);
    QCOMPARE(Describe(self), QStringLiteral("+"));
}

void TestProjectTree::staleReadsAreDropped_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::newRow("collapsed") << "collapse";
    QTest::newRow("removed") << "remove";
    QTest::newRow("new folder named in it") << "new folder";
}

void TestProjectTree::staleReadsAreDropped()
{
    QFETCH(QString, meanwhile);
    QTreeWidgetItem* root = MakeProject({"a.htm", "sub/x.htm", "sub/deeper/y.htm"});
    QTreeWidgetItem* sub = ChildNamed(root, "sub");
    sub->setExpanded(true);
    if (meanwhile == QLatin1String("collapse")) {
        sub->setExpanded(false);
        Settle();
        QCOMPARE(Describe(root), QStringLiteral("sub/+ a.htm"));
        return;
    }
    if (meanwhile == QLatin1String("remove")) {
        delete sub;
        Settle();
        QCOMPARE(Describe(root), QStringLiteral("a.htm"));
        return;
    }
    // The folder's entries arrive while the new folder's name is typed:
    // the item being named is not swept away, and the folder shows what
    // is on disk once it is named.
    m_pTree->SetHighlightedItem(sub);
    m_pTree->NewFolder();
    ZtBackgroundPool().waitForDone();
    QCoreApplication::processEvents();
    Type(QStringLiteral("Docs"));
    QVERIFY(QFile::exists(P("sub/Docs/Index.txt")));
    Settle();
    QCOMPARE(Describe(sub), QStringLiteral("deeper/+ Docs/+ x.htm"));
    QCOMPARE(m_pTree->currentItem()->text(0), QStringLiteral("Docs"));
    QVERIFY(m_messages.isEmpty());
}

// Files and folders made or removed after the tree was filled, by another
// program or by this one, show in the open folders; what is open and
// highlighted stays so. Closed folders are watched only for their expand
// buttons, and the folders below them not at all.
void TestProjectTree::showsWhatChangesOnDisk()
{
    QTreeWidgetItem* root = MakeProject({"index.html", "sub/x.htm", "sub/deeper/y.htm", "old/z.htm"});
    QDir().mkpath(P("empty"));
    QTreeWidgetItem* sub = ChildNamed(root, "sub");
    Expand(sub);
    Expand(ChildNamed(sub, "deeper"));
    m_pTree->setCurrentItem(ChildNamed(sub, "x.htm"));
    QStringList watched = m_pTree->WatchedFolders();
    watched.sort();
    QCOMPARE(watched, QStringList({m_strMain, P("empty"), P("old"), P("sub"), P("sub/deeper")}));

    ZtTest::WriteFile(P("about.html"), "about");
    ZtTest::WriteFile(P("images/logo.gif"), "gif");
    ZtTest::WriteFile(P("sub/new.htm"), "new");
    QVERIFY(QFile::remove(P("sub/deeper/y.htm")));
    QVERIFY(QDir(P("old")).removeRecursively());
    QTRY_COMPARE(Describe(root),
                 QStringLiteral("empty/ images/+ sub/[deeper/[] new.htm x.htm] about.html index.html"));
    QCOMPARE(m_pTree->currentItem(), ChildNamed(sub, "x.htm"));
    // A folder made later gets its expand button when something is put in it.
    QVERIFY(QDir().mkpath(P("later")));
    QTRY_VERIFY(ChildNamed(root, "later"));
    Settle();
    ZtTest::WriteFile(P("later/a.htm"), "a");
    QTRY_COMPARE(ChildNamed(root, "later")->childCount(), 1);

    sub->setExpanded(false);
    Settle();
    watched = m_pTree->WatchedFolders();
    watched.sort();
    QCOMPARE(watched, QStringList({m_strMain, P("empty"), P("images"), P("later"), P("sub")}));
    // A closed folder emptied loses its expand button.
    QVERIFY(QFile::remove(P("images/logo.gif")));
    QTRY_COMPARE(Describe(root), QStringLiteral("empty/ images/ later/+ sub/+ about.html index.html"));

    // A page this program saves shows at once, without waiting for the
    // watch; an empty closed folder gets its expand button.
    Settle();
    ZtTest::WriteFile(P("contact.html"), "contact");
    m_pTree->ShowSavedFile(P("contact.html"));
    ZtTest::WriteFile(P("empty/draft.html"), "draft");
    m_pTree->ShowSavedFile(P("empty/draft.html"));
    m_pTree->ShowSavedFile(P("Site.ztp"));
    QCOMPARE(Describe(root), QStringLiteral("empty/+ images/ later/+ sub/+ about.html contact.html index.html"));
    Settle();
    QTRY_COMPARE(Describe(root),
                 QStringLiteral("empty/+ images/ later/+ sub/+ about.html contact.html index.html"));
    QVERIFY(m_messages.isEmpty());
}

void TestProjectTree::newFolderAndRenameInPlace()
{
    QTreeWidgetItem* root = MakeProject({"b.txt", "*.txt", "zz/page.htm"});
    m_pTree->SetHighlightedItem(root);
    m_pTree->NewFolder();
    Type(QStringLiteral("Docs"));
    QCOMPARE(ZtTest::ReadFile(P("Docs/Index.txt")), CProjectTreeRules::IndexFileBytes());
    // A folder that cannot be made does not stay in the tree.
    m_pTree->SetHighlightedItem(root);
    m_pTree->NewFolder();
    Type(QStringLiteral("zz"));
    QCOMPARE(m_messages.size(), 1);

    // A name with a slash and a name in use: refused with a message, the
    // label names the file on disk again.
    Rename(ChildNamed(root, "b.txt"), QStringLiteral("../escape.txt"));
    Rename(ChildNamed(root, "b.txt"), QStringLiteral("*.txt"));
    Rename(ChildNamed(root, "b.txt"), QStringLiteral("."));
    Rename(ChildNamed(root, "b.txt"), QStringLiteral(".."));
    QCOMPARE(m_messages.mid(3), QStringList({"'.' is not a valid name for a file or folder.",
                                             "'..' is not a valid name for a file or folder."}));
    QVERIFY(ChildNamed(root, "b.txt"));
    // A file named like a pattern is renamed alone.
    Rename(ChildNamed(root, "*.txt"), QStringLiteral("star.txt"));
    Rename(ChildNamed(root, "b.txt"), QStringLiteral("new name.txt"));
    QCOMPARE(QDir(m_strMain).entryList(QDir::Files, QDir::Name), QStringList({"Site.ztp", "new name.txt", "star.txt"}));
    Settle();
    QCOMPARE(Describe(root), QStringLiteral("Docs/+ zz/+ new name.txt star.txt"));
}

// Escape ends a label edit without what was typed, as in any Linux tree: a
// new folder is still made, under the name it was offered with.
void TestProjectTree::escapeDropsTheTypedLabel()
{
    QTreeWidgetItem* root = MakeProject({"b.txt"});
    const auto typeThenEscape = [this](const QString& name) {
        auto* editor = m_pTree->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(name);
        QTest::keyClick(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    m_pTree->SetHighlightedItem(ChildNamed(root, "b.txt"));
    m_pTree->RenameItem();
    typeThenEscape(QStringLiteral("c.txt"));
    m_pTree->SetHighlightedItem(root);
    m_pTree->NewFolder();
    typeThenEscape(QStringLiteral("Docs"));
    Settle();
    QCOMPARE(m_messages.size(), 0);
    QCOMPARE(QDir(m_strMain).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
             QStringList({"New_Folder", "Site.ztp", "b.txt"}));
    QCOMPARE(Describe(root), QStringLiteral("New_Folder/+ b.txt"));
}

void TestProjectTree::deletesToTrash()
{
    QTreeWidgetItem* root = MakeProject({"a.htm", "*.htm", "sub/x.htm"});
    // The highlighted item is another one: the right-clicked one goes.
    m_pTree->setCurrentItem(ChildNamed(root, "a.htm"));
    m_pTree->SetHighlightedItem(ChildNamed(root, "*.htm"));
    m_pTree->DeleteItem();
    QTRY_VERIFY(ZtTest::JobsDone());
    QVERIFY(!QFile::exists(P("*.htm")));
    QVERIFY(QFile::exists(P("a.htm")));
    Settle();
    QCOMPARE(Describe(root), QStringLiteral("sub/+ a.htm"));

    // Cancelled: the tree is unchanged. An old shell: nothing deleted.
    ZtTest::CScriptedShell::Answer() = CShellFileOperation::EAnswer::No;
    m_pTree->SetHighlightedItem(ChildNamed(root, "a.htm"));
    m_pTree->DeleteItem();
    m_pTree->SetShellVersionLevel(1);
    m_pTree->SetHighlightedItem(ChildNamed(root, "sub"));
    m_pTree->DeleteItem();
    QTRY_VERIFY(ZtTest::JobsDone());
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages.first().startsWith("The version of Shell32.dll"));
    Settle();
    QCOMPARE(Describe(root), QStringLiteral("sub/+ a.htm"));
}

void TestProjectTree::pastesAndDragsOnDisk()
{
    QTreeWidgetItem* root = MakeProject({"a b.htm", "sub/inner/x.txt"});
    QTreeWidgetItem* sub = ChildNamed(root, "sub");
    Expand(sub);
    QTreeWidgetItem* inner = ChildNamed(sub, "inner");

    m_pTree->SetHighlightedItem(ChildNamed(root, "a b.htm"));
    m_pTree->CopyItemPath();
    QCOMPARE(QApplication::clipboard()->text(), P("a b.htm"));
    m_pTree->SetHighlightedItem(sub);
    QVERIFY(m_pTree->PasteFiles());
    QTRY_VERIFY(ZtTest::JobsDone());
    QCOMPARE(ZtTest::ReadFile(P("sub/a b.htm")), QByteArray("a b.htm"));
    Settle();
    inner = ChildNamed(sub, "inner");

    // A folder dropped on its own child: refused, nothing moves.
    m_pTree->MoveItem(sub, inner);
    QTRY_VERIFY(ZtTest::JobsDone());
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(ChildNamed(sub, "inner"), inner);
    // A file dropped on a file moves into that file's folder.
    Expand(inner);
    QVERIFY(m_pTree->MoveItem(ChildNamed(root, "a b.htm"), ChildNamed(inner, "x.txt")));
    QTRY_VERIFY(ZtTest::JobsDone());
    QVERIFY(!QFile::exists(P("a b.htm")));
    Settle();
    QCOMPARE(Describe(root), QStringLiteral("sub/[inner/[a b.htm x.txt] a b.htm]"));
    QCOMPARE(m_pTree->GetItemPath(m_pTree->currentItem()), P("sub/inner/a b.htm"));
}

void TestProjectTree::commandsNeedProject()
{
    CProjectTreeCtrl tree;
    tree.SetHighlightedItem(tree.topLevelItem(0));
    tree.NewFolder();
    tree.RenameItem();
    tree.DeleteItem();
    QCOMPARE(m_messages, QStringList(3, QStringLiteral("No open project, command canceled!")));
    QCOMPARE(tree.topLevelItem(0)->text(0), QStringLiteral("No Open Project"));
}

void TestProjectTree::menuFollowsItem()
{
    QTreeWidgetItem* root = MakeProject({"Page.HTML", "pic.gif", "run.bat"});
    QStringList states;
    QStringList opened;
    connect(m_pTree.get(), &CProjectTreeCtrl::openFileRequested, this,
            [&opened](const QString& path) { opened << QFileInfo(path).fileName(); });
    for (const char* name : {"Page.HTML", "pic.gif", "run.bat"}) {
        m_pTree->SetHighlightedItem(ChildNamed(root, name));
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
