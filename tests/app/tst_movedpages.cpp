#include "support/AppTestMain.h"
#include "support/ScriptedShell.h"
#include "support/Sites.h"
#include "support/TestFiles.h"

#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
#include "files/FileMoveNotifier.h"
#include "framework/Document.h"
#include "framework/View.h"
#include "projects/FileListCtrl.h"
#include "projects/FileListModel.h"
#include "projects/ListBar.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"
#include "res/CommandIds.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>

using namespace ZtCmd;

// Open pages whose files the program itself renames or moves: they go
// along to the new place, and coming back to the program neither asks
// nor marks them changed.
class TestMovedPages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void openPagesFollowTheirFiles_data();
    void openPagesFollowTheirFiles();

private:
    QString P(const QString& relative) const { return m_strMain + QLatin1Char('/') + relative; }
    CProjectTreeCtrl* Tree() const { return m_app->GetMainFrame()->ProjectBar()->ProjectTree(); }
    CFileListCtrl* List() const { return m_app->GetMainFrame()->ListBar()->List(); }
    QTreeWidgetItem* TreeItem(const QString& name) const;
    void RenameInTree(const QString& name, const QString& newName);
    void MoveWithListBar(const QString& name, const QString& folder);
    // Each page's path below the main directory and whether it is
    // modified, then the questions asked.
    QString Describe(const QList<CDocument*>& pages) const;

    CZentrelApp* m_app = nullptr;
    QString m_strMain;
    QStringList m_messages;
};

void TestMovedPages::initTestCase()
{
    m_app = ZtApp();
    ZtTest::ShowMainFrame();
    ZtTest::CScriptedShell::Install(&m_messages, QMessageBox::No);
}

void TestMovedPages::cleanup()
{
    ZtTest::CloseAllDocuments();
    Tree()->ShowNoProject();
    m_messages.clear();
}

QTreeWidgetItem* TestMovedPages::TreeItem(const QString& name) const
{
    const QTreeWidgetItem* root = Tree()->topLevelItem(0);
    return root ? ZtTest::ChildNamed(root, name) : nullptr;
}

void TestMovedPages::RenameInTree(const QString& name, const QString& newName)
{
    QTreeWidgetItem* item = TreeItem(name);
    QVERIFY(item);
    Tree()->SetHighlightedItem(item);
    Tree()->RenameItem();
    QVERIFY(ZtTest::TypeLabel(Tree(), newName));
    // The editor hands its text over, and the tree renames, a posted step later.
    QSignalSpy moved(CFileMoveNotifier::Instance(), &CFileMoveNotifier::pathMoved);
    QTRY_VERIFY(TreeItem(newName));
    QTRY_VERIFY(!moved.isEmpty());
}

void TestMovedPages::MoveWithListBar(const QString& name, const QString& folder)
{
    QSignalSpy filled(List(), &CFileListCtrl::listFilled);
    m_app->GetMainFrame()->ShowFolderInListBar(m_strMain);
    QVERIFY(filled.wait(5000));
    List()->clearSelection();
    const QModelIndex index = List()->Model()->index(List()->Model()->RowOf(name), 0);
    List()->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QVERIFY(m_app->GetMainFrame()->ExecuteCommand(ID_LIST_MOVE_CUT));
    Tree()->SetHighlightedItem(TreeItem(folder));
    QSignalSpy moved(CFileMoveNotifier::Instance(), &CFileMoveNotifier::pathMoved);
    QVERIFY(Tree()->PasteFiles());
    QTRY_VERIFY(!moved.isEmpty());
}

QString TestMovedPages::Describe(const QList<CDocument*>& pages) const
{
    QStringList seen;
    for (CDocument* page : pages) {
        seen << page->GetPathName().mid(m_strMain.size() + 1) + QStringLiteral(" ")
                    + (page->IsModified() ? QStringLiteral("modified") : QStringLiteral("unmodified"));
    }
    seen << QStringLiteral("asked:%1").arg(m_messages.size());
    return seen.join(QStringLiteral(", "));
}

void TestMovedPages::openPagesFollowTheirFiles_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addRow("page renamed in the project tree")
        << "tree rename a.html b.html" << QStringList{"a.html"} << false << "b.html unmodified, asked:0";
    QTest::addRow("folder of two pages renamed in the project tree")
        << "tree rename pages docs" << QStringList{"pages/x.html", "pages/y.html"} << false
        << "docs/x.html unmodified, docs/y.html unmodified, asked:0";
    QTest::addRow("page moved with the List bar")
        << "list move a.html pages" << QStringList{"a.html"} << false << "pages/a.html unmodified, asked:0";
    QTest::addRow("folder of a page typed in renamed in the project tree")
        << "tree rename pages docs" << QStringList{"pages/x.html"} << true << "docs/x.html modified, asked:0";
}

void TestMovedPages::openPagesFollowTheirFiles()
{
    QFETCH(QString, how);
    QFETCH(QStringList, pages);
    QFETCH(bool, typed);
    QFETCH(QString, expected);
    m_strMain = ZtTest::FreshDir(QStringLiteral("moved/Site"));
    ZtTest::WriteFile(P("Site.ztp"), "Site\r\r\n");
    for (const char* name : {"a.html", "pages/x.html", "pages/y.html"})
        ZtTest::WriteFile(P(QString::fromLatin1(name)), QByteArray("<P>") + name + "\r\n");
    m_app->OpenProject(P("Site.ztp"));
    Tree()->topLevelItem(0)->setExpanded(true);
    QTRY_VERIFY(!Tree()->IsReading());
    QList<CDocument*> documents;
    QStringList oldPaths;
    for (const QString& page : pages) {
        documents << m_app->OpenDocumentFile(P(page));
        QVERIFY(documents.last());
        oldPaths << documents.last()->GetPathName();
        if (typed) {
            auto* editor = qobject_cast<QPlainTextEdit*>(documents.last()->GetFirstView()->GetWidget());
            QVERIFY(editor);
            editor->moveCursor(QTextCursor::End);
            QTest::keyClicks(editor, QStringLiteral("typed"));
            QVERIFY(documents.last()->IsModified());
        }
    }

    const QStringList words = how.split(QLatin1Char(' '));
    if (words.at(0) == QLatin1String("tree"))
        RenameInTree(words.at(2), words.at(3));
    else
        MoveWithListBar(words.at(2), words.at(3));
    // The user leaves the program and comes back.
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    QCoreApplication::processEvents();
    QCOMPARE(Describe(documents), expected);

    // Save writes where the page is now, and leaves no copy behind.
    for (CDocument* document : std::as_const(documents)) {
        QVERIFY(document->DoFileSave());
        QVERIFY(QFile::exists(document->GetPathName()));
        QCOMPARE(ZtTest::ReadFile(document->GetPathName()).endsWith("typed"), typed);
    }
    for (const QString& path : std::as_const(oldPaths))
        QVERIFY2(!QFile::exists(path), qPrintable(path));
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
}

ZT_APP_TEST_MAIN(TestMovedPages)
#include "tst_movedpages.moc"
