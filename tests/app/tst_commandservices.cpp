#include "support/AppTestMain.h"

#include "app/FileBarCommands.h"
#include "app/FolderTreeServices.h"
#include "app/KeywordCommands.h"
#include "editor/ZentrelView.h"
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
    }

    void cleanupTestCase()
    {
        CZentrelView::SetFileOpenHandler(nullptr);
    }

    // The Keywords tree reaches the services through the connections every
    // folder tree gets; the Desktop tree's requests are followed in the whole
    // program (tst_projectcommands).
    void requestsReachTheServices_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("listed"); // the List bar's folder after, when one is listed
        QTest::newRow("tree: folder") << "folder" << "/site/img" << "selected:/site/img" << "/site/img";
        QTest::newRow("tree: file") << "file" << "/site/a.html" << "open:/site/a.html" << "";
        QTest::newRow("tree: current") << "current" << "/site/a.html" << "current:/site/a.html" << "";
        QTest::newRow("tree: refreshed") << "refreshed" << "/site/doc" << "" << "/site/doc";
        QTest::newRow("list: edit") << "list file" << "/site/b.htm" << "open:/site/b.htm,close" << "";
        QTest::newRow("list: show") << "list show" << "/site/b.htm" << "browse:/site/b.htm,/site/b.htm" << "";
    }

    void requestsReachTheServices()
    {
        QFETCH(QString, request);
        QFETCH(QString, path);
        QFETCH(QString, log);
        QFETCH(QString, listed);
        CKeywordsTreeCtrl* tree = m_frame->ProjectBar()->KeywordsTree();
        m_frame->ListBar()->ShowFolder(QString());
        const QString listedBefore = m_frame->ListBar()->Folder();
        m_services->TakeLog();

        if (request == QLatin1String("folder"))
            emit tree->folderSelected(path);
        else if (request == QLatin1String("file"))
            emit tree->openFileRequested(path);
        else if (request == QLatin1String("current"))
            emit tree->currentPathChanged(path);
        else if (request == QLatin1String("refreshed"))
            emit tree->folderRefreshed(path);
        else if (request == QLatin1String("list file"))
            emit m_frame->ListBar()->List()->openFileRequested(path, true);
        else
            emit m_frame->ListBar()->List()->showInBrowserRequested(path);

        QCOMPARE(m_services->TakeLog(), log);
        QCOMPARE(m_frame->ListBar()->Folder(), listed.isEmpty() ? listedBefore : listed);
    }

    void treePasteCompletesAPendingMove_data()
    {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("paste"); // done, failed, of the copy list, or of a cut made before the pending one
        QTest::addColumn<bool>("stillPending");
        QTest::newRow("keywords tree") << "keywords" << "done" << false;
        QTest::newRow("failed paste") << "keywords" << "failed" << true;
        QTest::newRow("paste of the copy list") << "project" << "copy list" << true;
        QTest::newRow("move of an earlier cut") << "project" << "earlier cut" << true;
    }

    void treePasteCompletesAPendingMove()
    {
        QFETCH(QString, tree);
        QFETCH(QString, paste);
        QFETCH(bool, stillPending);
        m_fileBar->OnMoveCut();
        CFolderTreeCtrl* pastedInto = m_frame->ProjectBar()->ProjectTree();
        if (tree == QLatin1String("keywords"))
            pastedInto = m_frame->ProjectBar()->KeywordsTree();
        const QStringList pendingCut = m_frame->ListBar()->List()->State().CutSource();
        const QStringList moved = paste == QLatin1String("earlier cut") ? QStringList{"/earlier/a.htm"} : pendingCut;
        emit pastedInto->filesPasted(paste != QLatin1String("failed"), paste == QLatin1String("copy list"), moved);
        QCOMPARE(m_fileBar->IsMovePending(), stillPending);
        m_fileBar->OnTreePasted(true, false, pendingCut);
    }

private:
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CFakeServices> m_services;
    std::unique_ptr<CKeywordCommands> m_keywords;
    std::unique_ptr<CFileBarCommands> m_fileBar;
};

ZT_APP_TEST_MAIN(TestCommandServices)
#include "tst_commandservices.moc"
