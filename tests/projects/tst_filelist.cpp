#include "support/ResultTable.h"
#include "support/ScriptedShell.h"
#include "support/Sites.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "editor/ZentrelView.h"
#include "files/FileName.h"
#include "files/FolderWatcher.h"
#include "files/ShellExecute.h"
#include "projects/FileDrag.h"
#include "projects/FileListCtrl.h"
#include "projects/FileListModel.h"
#include "projects/FileListRules.h"
#include "projects/FileListState.h"
#include "projects/ProjectTreeCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

using ZtTest::Row;

// The List bar's list: its rules, its copy and cut state, and the list at
// work on a real folder with a Project tree to paste into.
class TestFileList : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void rules_data();
    void rules() { ZtTest::CompareResult(); }

    void fillsSortedFromFolder();
    void followsChangesKeepingSelection();
    void copyAndCutPasteIntoTree();
    void deletesToTrash();
    void runsProgramsAndStepsThroughFiles();
    void dropsOnTreeAndEditor();
    void columnWidthsRemembered();

private:
    // A folder Site with the project file and files (each holding its own
    // name), a list showing it, and a tree of the project.
    void MakeSite(std::initializer_list<const char*> files);
    QString P(const QString& relative) const { return m_strMain + QLatin1Char('/') + relative; }
    // "name|size|type" of each row, in order.
    QString Rows() const;
    void Select(std::initializer_list<const char*> names);

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CFileListCtrl> m_pList;
    std::unique_ptr<CProjectTreeCtrl> m_pTree;
    QString m_strMain;
    QStringList m_messages;
};

void TestFileList::init()
{
    m_messages.clear();
    ZtTest::CScriptedShell::Install(&m_messages);
}

void TestFileList::cleanup()
{
    m_pList.reset();
    m_pTree.reset();
    m_pDir.reset();
    CShellExecute::SetHandler({});
    ZtTest::CScriptedShell::Uninstall();
}

void TestFileList::MakeSite(std::initializer_list<const char*> files)
{
    m_pDir = std::make_unique<QTemporaryDir>();
    m_strMain = m_pDir->path() + QStringLiteral("/Site");
    ZtTest::WriteSite(m_strMain, files);
    m_pList = std::make_unique<CFileListCtrl>();
    QSignalSpy filled(m_pList.get(), &CFileListCtrl::listFilled);
    m_pList->ShowFolder(m_strMain);
    QVERIFY(filled.wait(5000));
    m_pTree = std::make_unique<CProjectTreeCtrl>();
    m_pTree->SetProjectPath(P("Site.ztp"));
    m_pTree->FillTree();
    m_pTree->topLevelItem(0)->setExpanded(true);
    QTRY_VERIFY(!m_pTree->IsReading());
    connect(m_pList.get(), &CFileListCtrl::copyListChanged, m_pTree.get(), &CProjectTreeCtrl::SetListCopy);
}

QString TestFileList::Rows() const
{
    QStringList rows;
    const CFileListModel* model = m_pList->Model();
    for (int row = 0; row < model->rowCount(); ++row)
        rows << QStringLiteral("%1|%2").arg(model->Row(row).m_strName, model->Row(row).m_strSize);
    return rows.join(QLatin1Char(' '));
}

void TestFileList::Select(std::initializer_list<const char*> names)
{
    m_pList->clearSelection();
    for (const char* name : names) {
        const QModelIndex index = m_pList->Model()->index(m_pList->Model()->RowOf(QString::fromUtf8(name)), 0);
        m_pList->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

namespace {

// Browser-showable and Edit-enabled of a name under an extension filter, as
// "11"; then the open action of a path (allow run, executable bit).
QString Rules(const QString& name, const QString& filter)
{
    return QStringLiteral("%1%2").arg(int(CFileListRules::IsBrowserShowable(name, filter)))
        .arg(int(CFileListRules::IsEditItemEnabled(name)));
}

QString Open(const QString& path, bool allowRun, bool executable)
{
    static const char* const kNames[] = {"nothing", "edit", "run"};
    return QString::fromLatin1(kNames[int(CFileListRules::OpenActionFor(path, allowRun, executable))]);
}

QString Step(const QString& name, bool up)
{
    return QString::number(CFileListRules::StepTarget({"a.htm", "b.htm", "c.gif", "C.GIF", "z.txt"}, name, up));
}

// Runs blank-separated operations ("copy a b", "cut a", "delete", "taken",
// "moved", "drag a b", "dragged"; commas between them) and describes the
// state as "copy:<list> wait:<0|1> cut:<list>".
QString CopyCut(const QString& operations)
{
    CFileListState state;
    for (const QString& operation : operations.split(QLatin1Char(','))) {
        QStringList words = operation.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString verb = words.takeFirst();
        if (verb == QLatin1String("copy"))
            state.Copy(words);
        else if (verb == QLatin1String("cut"))
            state.Cut(words);
        else if (verb == QLatin1String("delete"))
            state.Deleted();
        else if (verb == QLatin1String("taken"))
            state.CopyListTaken();
        else if (verb == QLatin1String("moved"))
            state.MoveCompleted();
        else if (verb == QLatin1String("drag"))
            state.DragStarted(words);
        else if (verb == QLatin1String("dragged"))
            state.DragEnded();
    }
    return QStringLiteral("copy:%1 wait:%2 cut:%3").arg(state.CopyList().join(QLatin1Char(',')))
        .arg(int(state.IsCopyWaiting())).arg(state.CutSource().join(QLatin1Char(',')));
}

} // namespace

void TestFileList::rules_data()
{
    ZtTest::ResultColumns();
    Row("page, any case", Rules("Index.HTML", ""), "11");
    Row("picture", Rules("logo.jpeg", ""), "11");
    Row("not a page", Rules("logo.png", ""), "01");
    Row("filter in capitals", Rules("logo.png", "PNG"), "11");
    Row("filter as a pattern", Rules("logo.png", "*.png"), "11");
    Row("no extension, no filter", Rules("Makefile", ""), "01");
    Row("program", Rules("setup.EXE", "exe"), "10");
    Row("nothing selected", Rules("", ""), "01");

    Row("open page", Open("/s/a.htm", true, false), "edit");
    Row("open page marked executable", Open("/s/a.htm", true, true), "edit");
    Row("open program", Open("/s/setup.exe", true, false), "run");
    Row("open program, dropped", Open("/s/setup.exe", false, false), "nothing");
    Row("open batch", Open("/s/go.BAT", true, false), "run");
    Row("open executable script", Open("/s/deploy", true, true), "run");
    Row("open plain file", Open("/s/deploy", true, false), "nothing");

    Row("step down, names in any case", Step("B.HTM", false), "2");
    Row("step down from the last", Step("z.txt", false), "-1");
    Row("step up from the first", Step("a.htm", true), "-1");
    Row("step from an unknown name", Step("gone.htm", false), "-1");
    Row("step up from the last of twins", Step("c.gif", true), "2");
    Row("step down from the first of twins", Step("c.gif", false), "3");

    Row("copy of several waits", CopyCut("copy a b"), "copy:a,b wait:1 cut:");
    Row("copy of one drops the list", CopyCut("copy a b,copy c"), "copy: wait:0 cut:");
    Row("copy of none changes nothing", CopyCut("copy a b,copy"), "copy:a,b wait:1 cut:");
    Row("cut stops the wait", CopyCut("copy a b,cut c"), "copy:a,b wait:0 cut:c");
    Row("delete loses the copy", CopyCut("cut c,copy a b,delete"), "copy: wait:0 cut:c");
    Row("paste takes the copy", CopyCut("copy a b,taken"), "copy: wait:0 cut:");
    Row("move empties the cut", CopyCut("cut a b,moved"), "copy: wait:0 cut:");
    Row("a drag carries its files", CopyCut("cut c,drag a b"), "copy: wait:0 cut:a,b");
    Row("a cut waits again after a drag", CopyCut("cut c,drag a b,dragged"), "copy: wait:0 cut:c");
}

// ---- The list at work --------------------------------------------------------------

void TestFileList::fillsSortedFromFolder()
{
    MakeSite({"b.htm", "A.txt", "sub/x.txt"});
    QFile::link(P("nowhere"), P("dangling"));
    QSignalSpy filled(m_pList.get(), &CFileListCtrl::listFilled);
    m_pList->ShowFolder(m_strMain);
    QVERIFY(filled.wait(5000));
    // Name order, any case; a folder and a broken link have no size.
    QCOMPARE(Rows(), QStringLiteral("A.txt|1 KB b.htm|1 KB dangling| Site.ztp|1 KB sub|"));
    // The listed folder becomes the current directory. A folder that is
    // gone leaves the list empty, and the list says why in its first line,
    // until a folder is read again; the current directory stays where it was.
    m_pList->ShowFolder(P("sub"));
    QVERIFY(filled.wait(5000));
    m_pList->resize(400, 200);
    m_pList->ShowFolder(P("sub/missing"));
    QVERIFY(filled.wait(5000));
    QCOMPARE(QDir::currentPath(), QDir(P("sub")).canonicalPath());
    QCOMPARE(m_pList->RowCount(), 0);
    QCOMPARE(m_pList->ReadError(), QStringLiteral("Cannot read %1: No such file or directory").arg(P("sub/missing")));
    const QImage failed = m_pList->viewport()->grab().toImage();
    QVERIFY(QDir().mkpath(P("empty")));
    m_pList->ShowFolder(P("empty"));
    QVERIFY(filled.wait(5000));
    QVERIFY(m_pList->ReadError().isEmpty());
    QVERIFY(m_pList->viewport()->grab().toImage() != failed);
}

// Files made, removed or renamed in the folder shown, by another program,
// show in the list; the rows still there keep their selection.
void TestFileList::followsChangesKeepingSelection()
{
    MakeSite({"a.htm", "b.htm", "c.htm"});
    // The list was filled; the folder, just made, may be read once more when
    // its watch is in place.
    QTRY_VERIFY(!m_pList->findChild<CFolderWatcher*>()->IsSettingUp());
    Select({"b.htm", "c.htm"});
    ZtTest::WriteFile(P("d.htm"), "d");
    QVERIFY(QFile::remove(P("a.htm")));
    QVERIFY(QFile::rename(P("c.htm"), P("e.htm")));
    QTRY_COMPARE(m_pList->Model()->Names().join(QLatin1Char(' ')), QStringLiteral("b.htm d.htm e.htm Site.ztp"));
    QCOMPARE(m_pList->SelectedPaths(), QStringList{P("b.htm")});

    // The folder itself gone: the list says so, as for any folder it
    // cannot read.
    QVERIFY(QDir(m_strMain).removeRecursively());
    QTRY_COMPARE(m_pList->RowCount(), 0);
    QVERIFY(m_pList->ReadError().startsWith(QStringLiteral("Cannot read ")));
}

void TestFileList::copyAndCutPasteIntoTree()
{
    MakeSite({"a.htm", "b.gif", "c.txt", "dest/keep.txt"});
    QTreeWidgetItem* dest = m_pTree->topLevelItem(0)->child(0);

    // One file: its path is the clipboard's text, and no list waits.
    Select({"a.htm"});
    QCOMPARE(m_pList->CopySelection(), 1);
    QCOMPARE(QApplication::clipboard()->text(), P("a.htm"));
    // Two files wait in the copy list, which the tree's paste takes.
    Select({"a.htm", "b.gif"});
    QCOMPARE(m_pList->CopySelection(), 2);
    // Both reach the clipboard too, for a file manager to paste.
    QCOMPARE(QApplication::clipboard()->mimeData()->urls(),
             (QList<QUrl>{QUrl::fromLocalFile(P("a.htm")), QUrl::fromLocalFile(P("b.gif"))}));
    QCOMPARE(QApplication::clipboard()->text(), P("a.htm") + QLatin1Char('\n') + P("b.gif"));
    QSignalSpy pasted(m_pTree.get(), &CProjectTreeCtrl::filesPasted);
    m_pTree->SetHighlightedItem(dest);
    QVERIFY(m_pTree->PasteFiles());
    QTRY_COMPARE(pasted.size(), 1);
    QCOMPARE(ZtTest::ReadFile(P("dest/b.gif")), QByteArray("b.gif"));
    QVERIFY(QFile::exists(P("a.htm")));
    QCOMPARE(pasted.first(), (QList<QVariant>{true, true, QStringList()}));

    // Cut, then paste: the files move and their rows go, other rows stay.
    // A second cut made while the move runs still waits afterwards.
    Select({"c.txt", "a.htm"});
    m_pList->CutSelection();
    const QStringList firstCut = m_pList->State().CutSource();
    m_pTree->SetListCut(firstCut);
    m_pTree->SetHighlightedItem(dest);
    QVERIFY(m_pTree->PasteFiles());
    Select({"b.gif"});
    m_pList->CutSelection();
    QTRY_COMPARE(pasted.size(), 2);
    QCOMPARE(pasted.at(1).at(2).toStringList(), firstCut);
    QVERIFY(!m_pList->CompleteMove(firstCut));
    QCOMPARE(Rows(), QStringLiteral("b.gif|1 KB dest| Site.ztp|1 KB"));
    QCOMPARE(m_pList->State().CutSource(), QStringList{P("b.gif")});
    QVERIFY(m_pList->CompleteMove(m_pList->State().CutSource()));
    QVERIFY(m_pList->State().CutSource().isEmpty());
    QVERIFY(m_messages.isEmpty());
}

void TestFileList::deletesToTrash()
{
    MakeSite({"a.htm", "b.gif", "c.txt"});
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                          + QStringLiteral("/Trash/files/");
    // Cancelled: every row stays, and the user hears of it once.
    ZtTest::CScriptedShell::Answer() = CShellFileOperation::EAnswer::No;
    Select({"a.htm", "b.gif"});
    m_pList->DeleteSelection();
    QTRY_COMPARE(m_messages, QStringList{QStringLiteral("delete files canceled.")});
    Select({"c.txt"});
    m_pList->DeleteSelection();
    QTRY_COMPARE(m_messages.size(), 2);
    QCOMPARE(m_messages.last(), QStringLiteral("delete file canceled."));

    ZtTest::CScriptedShell::Answer() = CShellFileOperation::EAnswer::Yes;
    m_messages.clear();
    Select({"a.htm", "c.txt"});
    m_pList->DeleteSelection();
    QTRY_COMPARE(Rows(), QStringLiteral("b.gif|1 KB Site.ztp|1 KB"));
    QCOMPARE(ZtTest::ReadFile(trash + QStringLiteral("a.htm")), QByteArray("a.htm"));
    QVERIFY(m_messages.isEmpty());
}

void TestFileList::runsProgramsAndStepsThroughFiles()
{
    MakeSite({"a.htm", "b.txt", "c.gif", "setup.exe"});
    QStringList started;
    CShellExecute::SetHandler([&started](const QString& path, const QString& parameter, const QString& directory) {
        started << QStringLiteral("%1 %2 %3").arg(QFileInfo(path).fileName(), QFileInfo(parameter).fileName(), directory);
        return true;
    });
    QSignalSpy opened(m_pList.get(), &CFileListCtrl::openFileRequested);
    QSignalSpy shown(m_pList.get(), &CFileListCtrl::showInBrowserRequested);

    // A program starts with its own path, in the root of its file system;
    // dropped elsewhere (no running allowed) it does not.
    m_pList->OpenListFile(P("setup.exe"), true);
    m_pList->OpenListFile(P("setup.exe"), false);
    QCOMPARE(started, QStringList{QStringLiteral("setup.exe setup.exe %1").arg(ZtFileName::GetRoot(m_strMain))});

    // Down from a.htm: b.txt opens, replacing the editor's file; c.gif
    // opens nothing, setup.exe is not started, and Site.ztp is the last row.
    Select({"a.htm"});
    m_pList->StepToFile(QStringLiteral("a.htm"), false, false);
    QCOMPARE(opened.takeFirst(), (QList<QVariant>{P("b.txt"), true}));
    for (int step = 0; step < 3; ++step)
        m_pList->StepToFile(m_pList->FirstSelectedName(), false, false);
    QCOMPARE(m_pList->FirstSelectedName(), QStringLiteral("Site.ztp"));
    QCOMPARE(started.size(), 1);
    QVERIFY(!m_pList->CanStep(false));
    QVERIFY(m_pList->CanStep(true));
    // With the browser active, only pages and pictures are shown.
    m_pList->StepToFile(QStringLiteral("Site.ztp"), true, true);
    m_pList->StepToFile(QStringLiteral("setup.exe"), true, true);
    QCOMPARE(shown.takeFirst().first().toString(), P("c.gif"));
    m_pList->StepToFile(QStringLiteral("c.gif"), true, true);
    QVERIFY(shown.isEmpty());
    QVERIFY(opened.isEmpty());
}

void TestFileList::dropsOnTreeAndEditor()
{
    MakeSite({"a.htm", "pic.gif", "dest/keep.txt"});
    m_pTree->resize(300, 300);
    m_pTree->show();
    QTreeWidgetItem* dest = m_pTree->topLevelItem(0)->child(0);
    const auto dropOn = [](QWidget* target, const QPoint& at, const QStringList& paths) {
        std::unique_ptr<QMimeData> data(CFileDrag::MakeMimeData(paths));
        QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QDropEvent drop(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    };
    // On a folder of the tree: copied, the source stays.
    const QPoint destAt = m_pTree->visualItemRect(dest).center();
    QVERIFY(dropOn(m_pTree->viewport(), destAt, {P("a.htm")}));
    QTRY_COMPARE(ZtTest::ReadFile(P("dest/a.htm")), QByteArray("a.htm"));
    QVERIFY(QFile::exists(P("a.htm")));
    // Below the items: nothing is copied, and the user is told where to drop.
    dropOn(m_pTree->viewport(), QPoint(10, 290), {P("pic.gif")});
    QCOMPARE(m_messages, QStringList{QStringLiteral("Drop on an item!")});
    QVERIFY(!QFile::exists(P("dest/pic.gif")));

    // On a page editor: the tag for the file under the pointer, where it is
    // let go.
    CZentrelView::SetFileDropHandler([](const QString& path) { return QStringLiteral("<%1>").arg(QFileInfo(path).fileName()); });
    CZentrelView editor;
    editor.setPlainText(QStringLiteral("ab"));
    editor.resize(300, 200);
    editor.show();
    QTextCursor cursor(editor.document());
    cursor.setPosition(1);
    const QPoint between = editor.cursorRect(cursor).center();
    QVERIFY(dropOn(editor.viewport(), between, {P("pic.gif"), P("a.htm")}));
    CZentrelView::SetFileDropHandler({});
    QCOMPARE(editor.toPlainText(), QStringLiteral("a<pic.gif>b"));
}

void TestFileList::columnWidthsRemembered()
{
    {
        CFileListCtrl list;
        list.header()->resizeSection(0, 222);
        // Closed right after the drag: the width is written all the same.
    }
    CFileListCtrl again;
    QCOMPARE(again.header()->sectionSize(0), 222);
}

ZT_TEST_MAIN(TestFileList)
#include "tst_filelist.moc"
