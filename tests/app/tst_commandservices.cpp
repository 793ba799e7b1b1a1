#include "support/AppTestMain.h"

#include "app/FileBarCommands.h"
#include "app/FolderTreeServices.h"
#include "app/KeywordCommands.h"
#include "editor/ZentrelView.h"
#include "projects/DesktopTreeCtrl.h"
#include "projects/FileListCtrl.h"
#include "projects/KeywordsTreeCtrl.h"
#include "projects/ListBar.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"

namespace {

// Services that write down what they are asked, in one line.
class CFakeServices : public CFolderTreeServices, public CFileBarCommands::CServices
{
public:
    explicit CFakeServices(CMainFrame* frame) : m_pFrame(frame) {}

    CMainFrame* GetMainFrame() const override { return m_pFrame; }
    void SetSelectedPath(const QString& folder) override { m_log << QStringLiteral("selected:") + folder; }
    void SetCurrentFile(const QString& path) override { m_log << QStringLiteral("current:") + path; }
    void OpenFileInEditor(const QString& path, bool closeCurrent) override
    {
        m_log << QStringLiteral("open:%1%2").arg(path, closeCurrent ? QStringLiteral(",close") : QString());
    }

    void ShowInBrowser(const QString& path, const QString& sourcePath) override
    {
        m_log << QStringLiteral("browse:%1,%2").arg(path, sourcePath);
    }

    QString TakeLog() { return std::exchange(m_log, {}).join(QLatin1Char(' ')); }

private:
    CMainFrame* m_pFrame;
    QStringList m_log;
};

} // namespace

// The command classes on their own: built with fake services over a main
// window of their own, each request of a tree or of the List bar reaches the
// service it names, and nothing else.
class TestCommandServices : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_frame = std::make_unique<CMainFrame>();
        m_frame->LoadFrame();
        m_services = std::make_unique<CFakeServices>(m_frame.get());
        m_keywords = std::make_unique<CKeywordCommands>(*m_services);
        m_fileBar = std::make_unique<CFileBarCommands>(*m_services);
        m_keywords->Connect(m_frame.get());
        m_fileBar->Connect(m_frame.get());
        ConnectFolderTree(m_frame->ProjectBar()->ProjectTree(), *m_services, &m_context);
    }

    void cleanupTestCase()
    {
        CZentrelView::SetFileOpenHandler(nullptr);
    }

    void requestsReachTheServices_data()
    {
        QTest::addColumn<QString>("source"); // project, keywords, desktop, list
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("listed"); // the List bar's folder after, when one is listed

        for (const char* tree : {"project", "keywords"}) {
            const QString name = QString::fromLatin1(tree);
            QTest::addRow("%s: folder", tree) << name << "folder" << "/site/img" << "selected:/site/img" << "/site/img";
            QTest::addRow("%s: file", tree) << name << "file" << "/site/a.html" << "open:/site/a.html" << "";
            QTest::addRow("%s: current", tree) << name << "current" << "/site/a.html" << "current:/site/a.html" << "";
            QTest::addRow("%s: refreshed", tree) << name << "refreshed" << "/site/doc" << "" << "/site/doc";
        }
        QTest::newRow("desktop: folder") << "desktop" << "folder" << "/home/u"
                                         << "current:/home/u selected:/home/u" << "/home/u";
        QTest::newRow("desktop: no folder") << "desktop" << "folder" << "" << "" << "";
        QTest::newRow("list: edit") << "list" << "file" << "/site/b.htm" << "open:/site/b.htm,close" << "";
        QTest::newRow("list: show") << "list" << "show" << "/site/b.htm" << "browse:/site/b.htm,/site/b.htm" << "";
    }

    void requestsReachTheServices()
    {
        QFETCH(QString, source);
        QFETCH(QString, request);
        QFETCH(QString, path);
        QFETCH(QString, log);
        QFETCH(QString, listed);
        CProjectBar* bar = m_frame->ProjectBar();
        CFolderTreeCtrl* tree = nullptr;
        if (source == QLatin1String("project"))
            tree = bar->ProjectTree();
        else if (source == QLatin1String("keywords"))
            tree = bar->KeywordsTree();
        m_frame->ListBar()->ShowFolder(QString());
        const QString listedBefore = m_frame->ListBar()->Folder();
        m_services->TakeLog();

        if (tree && request == QLatin1String("folder"))
            emit tree->folderSelected(path);
        else if (tree && request == QLatin1String("file"))
            emit tree->openFileRequested(path);
        else if (tree && request == QLatin1String("current"))
            emit tree->currentPathChanged(path);
        else if (tree && request == QLatin1String("refreshed"))
            emit tree->folderRefreshed(path);
        else if (source == QLatin1String("desktop"))
            emit bar->DesktopTree()->folderSelected(path);
        else if (request == QLatin1String("file"))
            emit m_frame->ListBar()->List()->openFileRequested(path, true);
        else
            emit m_frame->ListBar()->List()->showInBrowserRequested(path);

        QCOMPARE(m_services->TakeLog(), log);
        QCOMPARE(m_frame->ListBar()->Folder(), listed.isEmpty() ? listedBefore : listed);
    }

    void treePasteCompletesAPendingMove_data()
    {
        QTest::addColumn<bool>("keywordsTree");
        QTest::addColumn<bool>("done");
        QTest::addColumn<bool>("usedCopyList");
        QTest::addColumn<bool>("earlierCut"); // the paste moved a cut made before the pending one
        QTest::addColumn<bool>("stillPending");

        QTest::newRow("project tree") << false << true << false << false << false;
        QTest::newRow("keywords tree") << true << true << false << false << false;
        QTest::newRow("failed paste") << true << false << false << false << true;
        QTest::newRow("paste of the copy list") << false << true << true << false << true;
        QTest::newRow("move of an earlier cut") << false << true << false << true << true;
    }

    void treePasteCompletesAPendingMove()
    {
        QFETCH(bool, keywordsTree);
        QFETCH(bool, done);
        QFETCH(bool, usedCopyList);
        QFETCH(bool, earlierCut);
        QFETCH(bool, stillPending);
        m_fileBar->OnMoveCut();
        QVERIFY(m_fileBar->IsMovePending());
        CProjectBar* bar = m_frame->ProjectBar();
        CFolderTreeCtrl* tree = keywordsTree ? static_cast<CFolderTreeCtrl*>(bar->KeywordsTree())
                                             : static_cast<CFolderTreeCtrl*>(bar->ProjectTree());
        const QStringList pendingCut = m_frame->ListBar()->List()->State().CutSource();
        emit tree->filesPasted(done, usedCopyList, earlierCut ? QStringList{QStringLiteral("/earlier/a.htm")} : pendingCut);
        QCOMPARE(m_fileBar->IsMovePending(), stillPending);
        m_fileBar->OnTreePasted(true, false, pendingCut);
    }

private:
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CFakeServices> m_services;
    std::unique_ptr<CKeywordCommands> m_keywords;
    std::unique_ptr<CFileBarCommands> m_fileBar;
    QObject m_context;
};

ZT_APP_TEST_MAIN(TestCommandServices)
#include "tst_commandservices.moc"
