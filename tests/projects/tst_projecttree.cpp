#include "support/ResultTable.h"
#include "support/ScriptedShell.h"
#include "support/ShellJob.h"
#include "support/Sites.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "files/BackgroundPool.h"
#include "framework/CmdTarget.h"
#include "framework/CommandActions.h"
#include "projects/FileDrag.h"
#include "projects/LabelDelegate.h"
#include "projects/ProjectTreeCtrl.h"
#include "projects/ProjectTreeRules.h"
#include "projects/TreeLines.h"
#include "res/Accelerators.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>

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

// Runs every command of the accelerator table by writing its id down.
class CRecordingTarget : public CCmdTarget
{
public:
    explicit CRecordingTarget(QStringList* ran)
    {
        for (const ZtRes::Accelerator& accelerator : ZtRes::Accelerators())
            OnCommand(accelerator.id, [ran, id = accelerator.id] { ran->append(QString::number(id)); });
    }
};

// The Project tree with its drag start in reach of the test.
class CDraggableTree : public CProjectTreeCtrl
{
public:
    using CProjectTreeCtrl::startDrag;
};

QString NameOf(const QTreeWidgetItem* item)
{
    return item ? item->text(0) : QStringLiteral("(none)");
}

QString Describe(Qt::DropActions actions)
{
    QStringList names;
    for (const auto& [action, name] : {std::pair{Qt::MoveAction, "move"}, std::pair{Qt::CopyAction, "copy"},
                                       std::pair{Qt::LinkAction, "link"}}) {
        if (actions & action)
            names << QString::fromLatin1(name);
    }
    return names.join(QLatin1Char(','));
}

} // namespace

// The Project tree: its rules, what it shows of the disk, its commands on
// the disk, and what its mouse, keys and drags act on: the item the user
// sees selected, what a drag offers other programs, and the keys a label
// editor keeps from the main window.
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
    void labelEditorKeepsAcceleratorKeys();
    void commandsActOnTheSelectedItem();
    void dragOffersOtherProgramsACopy();

private:
    // Makes the project Site under a fresh folder, with files (each holding
    // its own name), and a tree in a window showing it. Returns the tree's
    // root, opened and read unless told otherwise; null when a window to be
    // shown never was.
    QTreeWidgetItem* MakeProject(std::initializer_list<const char*> files, bool expand = true, bool show = false);
    // Opens a folder item and waits until it has been read.
    void Expand(QTreeWidgetItem* item);
    // Waits until every folder read has been shown.
    void Settle();
    // Types name into the label editor of the item being named.
    void Type(const QString& name);
    void Rename(QTreeWidgetItem* item, const QString& name);
    QString P(const QString& relative) const { return m_strMain + QLatin1Char('/') + relative; }
    // The folders watched, sorted.
    QStringList Watched() const;
    // The selected item's name, or how many are selected.
    QString Selected() const;

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<QWidget> m_pWindow;
    CDraggableTree* m_pTree = nullptr;
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
    m_pWindow.reset();
    m_pTree = nullptr;
    m_pDir.reset();
    CFileDrag::SetExecHandler({});
    ZtTest::CScriptedShell::Uninstall();
}

QTreeWidgetItem* TestProjectTree::MakeProject(std::initializer_list<const char*> files, bool expand, bool show)
{
    m_pDir = std::make_unique<QTemporaryDir>();
    m_strMain = m_pDir->path() + QStringLiteral("/Site");
    ZtTest::WriteSite(m_strMain, files);
    m_pWindow = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_pWindow.get());
    m_pTree = new CDraggableTree;
    layout->addWidget(m_pTree);
    m_pTree->SetProjectPath(P("Site.ztp"));
    m_pTree->FillTree();
    if (show) {
        m_pWindow->resize(300, 400);
        m_pWindow->show();
        if (!QTest::qWaitForWindowExposed(m_pWindow.get()))
            return nullptr;
    }
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

QStringList TestProjectTree::Watched() const
{
    QStringList watched = m_pTree->WatchedFolders();
    watched.sort();
    return watched;
}

QString TestProjectTree::Selected() const
{
    const QList<QTreeWidgetItem*> selected = m_pTree->selectedItems();
    return selected.size() == 1 ? NameOf(selected.first()) : QStringLiteral("%1 items").arg(selected.size());
}

void TestProjectTree::Type(const QString& name)
{
    QVERIFY(ZtTest::TypeLabel(m_pTree, name));
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
    Row("picture", FileCommands("/w/pic.GIF"), "100");
    Row("picture not shown alone", FileCommands("/w/photo.jpeg"), "000");
    Row("batch file", FileCommands("/w/run.BAT"), "001");

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
    QVERIFY(root->font(0).bold());

    // Nothing is read before opening, and opening returns at once, the
    // marker standing in; the entries follow from a worker thread.
    root->setExpanded(true);
    QCOMPARE(Describe(root), QStringLiteral("+"));
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
    QCOMPARE(Watched(), QStringList({m_strMain, P("empty"), P("old"), P("sub"), P("sub/deeper")}));

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

    sub->setExpanded(false);
    Settle();
    QCOMPARE(Watched(), QStringList({m_strMain, P("empty"), P("images"), P("later"), P("sub")}));
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
}

void TestProjectTree::menuFollowsItem()
{
    QTreeWidgetItem* root = MakeProject({"Page.HTML", "pic.gif", "run.bat"});
    QStringList states;
    QStringList opened;
    connect(m_pTree, &CProjectTreeCtrl::openFileRequested, this,
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

// Keys with Ctrl (and Alt+Backspace, Shift+Delete) stay with the label
// editor; a key without Ctrl still reaches the window.
void TestProjectTree::labelEditorKeepsAcceleratorKeys()
{
    QTreeWidgetItem* root = MakeProject({"a.htm"}, true, true);
    QVERIFY(root);
    QStringList ran;
    CRecordingTarget target(&ran);
    auto* documentArea = new QWidget(m_pWindow.get());
    CCommandActions commands(m_pWindow.get(), [&target] { return QList<CCmdTarget*>{&target}; });
    commands.InstallAccelerators(documentArea);
    m_pWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));

    m_pTree->SetHighlightedItem(ChildNamed(root, "a.htm"));
    m_pTree->RenameItem();
    auto* editor = m_pTree->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTRY_COMPARE(QApplication::focusWidget(), editor);
    QTest::keyClicks(editor, QStringLiteral("b.htm"));
    // Alt+Backspace undoes the typing, as in an edit field on Windows.
    QTest::keyClick(editor, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(editor->text(), QStringLiteral("a.htm"));
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    for (const QKeyCombination key : {ctrl | Qt::Key_S, ctrl | Qt::Key_N, ctrl | Qt::Key_O, ctrl | Qt::Key_P,
                                      ctrl | Qt::AltModifier | Qt::Key_P, ctrl | Qt::Key_Down,
                                      Qt::ShiftModifier | Qt::Key_Delete, QKeyCombination(Qt::Key_F6)})
        QTest::keyClick(editor, key.key(), key.keyboardModifiers());
    QCOMPARE(ran, QStringList{QString::number(ZtCmd::ID_NEXT_PANE)});
    // The name is still being typed, and is then taken.
    QCOMPARE(m_pTree->findChild<QLineEdit*>(), editor);
    editor->setText(QStringLiteral("c.htm"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(QFile::exists(P("c.htm")));
}

void TestProjectTree::commandsActOnTheSelectedItem()
{
    QTreeWidgetItem* root = MakeProject({"a.htm", "b.htm", "c.htm", "sub/x.txt"}, true, true);
    QVERIFY(root);
    QWidget* viewport = m_pTree->viewport();
    const auto at = [this, root](const char* name) { return m_pTree->visualItemRect(ChildNamed(root, name)).center(); };
    const auto* delegate = qobject_cast<const CLabelDelegate*>(m_pTree->itemDelegate());
    QVERIFY(delegate);
    m_pTree->setCurrentItem(ChildNamed(root, "a.htm"));

    // Files from the List bar pass over two items and leave: each is
    // highlighted as the drop place in turn, the selection never moves.
    std::unique_ptr<QMimeData> files(CFileDrag::MakeMimeData({P("sub/x.txt")}));
    QDragEnterEvent enter(at("b.htm"), Qt::CopyAction, files.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QStringList dropPlaces;
    for (const char* name : {"b.htm", "sub"}) {
        QDragMoveEvent move(at(name), Qt::CopyAction, files.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        dropPlaces << NameOf(m_pTree->itemFromIndex(delegate->DropTarget())) + QLatin1Char('/') + Selected();
    }
    QDragLeaveEvent leave;
    QApplication::sendEvent(viewport, &leave);
    QCOMPARE(dropPlaces, QStringList({"b.htm/a.htm", "sub/a.htm"}));
    QVERIFY(!delegate->DropTarget().isValid());
    QCOMPARE(Selected(), QStringLiteral("a.htm"));

    // A right click picks its item for the menu without moving the
    // selection; the menu key then opens the selected item's menu, and
    // Delete deletes the selected item.
    QMouseEvent press(QEvent::MouseButtonPress, at("c.htm"), viewport->mapToGlobal(at("c.htm")), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QCOMPARE(NameOf(m_pTree->HighlightedItem()) + QLatin1Char('/') + Selected(), QStringLiteral("c.htm/a.htm"));
    QString menuFor;
    QTimer::singleShot(0, this, [this, &menuFor] {
        menuFor = NameOf(m_pTree->HighlightedItem());
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), m_pTree->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(m_pTree, &menuKey);
    QCOMPARE(menuFor, QStringLiteral("a.htm"));
    // A left click beside the items leaves the highlighted item the target.
    const QPoint empty(viewport->width() / 2, viewport->height() - 4);
    QVERIFY(!m_pTree->itemAt(empty));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, empty);
    QCOMPARE(NameOf(m_pTree->HighlightedItem()) + QLatin1Char('/') + Selected(), QStringLiteral("a.htm/a.htm"));
    m_pTree->setFocus();
    QTest::keyClick(m_pTree, Qt::Key_Delete);
    QTRY_VERIFY(!QFile::exists(P("a.htm")));
    QVERIFY(QFile::exists(P("b.htm")) && QFile::exists(P("c.htm")));
    QVERIFY(m_messages.isEmpty());
}

void TestProjectTree::dragOffersOtherProgramsACopy()
{
    QTreeWidgetItem* root = MakeProject({"a.htm"}, true, true);
    QVERIFY(root);
    QString offered;
    CFileDrag::SetExecHandler([&offered](const QMimeData* data, Qt::DropActions actions, Qt::DropAction defaultAction) {
        offered = QStringLiteral("%1 default:%2 offered:%3")
                      .arg(QFileInfo(data->urls().value(0).toLocalFile()).fileName(), Describe(defaultAction),
                           Describe(actions));
        // A file manager took it.
        return CFileDrag::CResult{defaultAction, nullptr};
    });
    m_pTree->SetHighlightedItem(ChildNamed(root, "a.htm"));
    // The button has been down long enough for a drag.
    QTest::qWait(int(CProjectTreeRules::kDragDelayMs) + 20);
    m_pTree->startDrag(Qt::MoveAction | Qt::CopyAction);
    QCOMPARE(offered, QStringLiteral("a.htm default:copy offered:copy,link"));
    QCOMPARE(ZtTest::ReadFile(P("a.htm")), QByteArray("a.htm"));
}

ZT_TEST_MAIN(TestProjectTree)
#include "tst_projecttree.moc"
