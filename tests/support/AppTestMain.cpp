#include "support/AppTestMain.h"

#include "app/SplashWnd.h"
#include "editor/ZentrelDoc.h"
#include "framework/View.h"
#include "projects/FileListCtrl.h"
#include "projects/FileListModel.h"
#include "projects/ListBar.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"

#include <QDropEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTextBlock>
#include <QSignalSpy>

namespace ZtTest {

CMainFrame* ShowMainFrame()
{
    CSplashWnd::EnableSplashScreen(false);
    ZtApp()->RegisterDocTemplates();
    auto* frame = new CMainFrame;
    frame->LoadFrame();
    ZtApp()->SetMainFrame(frame);
    frame->show();
    return frame;
}

void CloseAllDocuments()
{
    for (CDocTemplate* docTemplate : ZtApp()->Templates()) {
        for (CDocument* document : docTemplate->Documents())
            document->SetModifiedFlag(false);
    }
    ZtApp()->CloseAllDocuments();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CZentrelView* OpenPageEditor(const QString& path, const QByteArray& bytes)
{
    WriteFile(path, bytes);
    ZtApp()->OpenFileInEditor(path, false);
    for (CDocument* document : ZtApp()->WebPageTemplate()->Documents()) {
        auto* page = qobject_cast<CZentrelDoc*>(document);
        if (page && document->GetPathName() == path)
            return page->GetView();
    }
    return nullptr;
}

QPlainTextEdit* EditorOf(CDocument* document)
{
    CView* view = document ? document->GetFirstView() : nullptr;
    return view ? qobject_cast<QPlainTextEdit*>(view->GetWidget()) : nullptr;
}

bool Run(int id)
{
    return ZtApp()->GetMainFrame()->ExecuteCommand(id);
}

CProjectTreeCtrl* OpenProjectTree(const QString& projectFile)
{
    CProjectTreeCtrl* tree = ZtApp()->GetMainFrame()->ProjectBar()->ProjectTree();
    ZtApp()->OpenProject(projectFile);
    if (tree->topLevelItemCount() == 0)
        return tree;
    tree->topLevelItem(0)->setExpanded(true);
    if (!QTest::qWaitFor([tree] { return !tree->IsReading(); }))
        qWarning("The project tree was still reading after the wait");
    return tree;
}

QTreeWidgetItem* ProjectTreeItem(const QString& name)
{
    const QTreeWidgetItem* root = ZtApp()->GetMainFrame()->ProjectBar()->ProjectTree()->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i) {
        if (root->child(i)->text(0) == name)
            return root->child(i);
    }
    return nullptr;
}

bool ListFolder(const QString& folder, const QStringList& selected)
{
    CFileListCtrl* list = ZtApp()->GetMainFrame()->ListBar()->List();
    QSignalSpy filled(list, &CFileListCtrl::listFilled);
    ZtApp()->GetMainFrame()->ShowFolderInListBar(folder);
    if (!filled.wait(5000))
        return false;
    SelectListRows(selected);
    return true;
}

void SelectListRows(const QStringList& names)
{
    CFileListCtrl* list = ZtApp()->GetMainFrame()->ListBar()->List();
    list->clearSelection();
    for (const QString& name : names) {
        const QModelIndex index = list->Model()->index(list->Model()->RowOf(name), 0);
        list->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

Qt::DropAction DropOnLine(QPlainTextEdit* editor, const QMimeData* data, int line, Qt::DropActions actions)
{
    const QPoint point = editor->cursorRect(QTextCursor(editor->document()->findBlockByNumber(line))).center();
    QDragEnterEvent enter(point, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor->viewport(), &enter);
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDropEvent drop(QPointF(point), actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor->viewport(), &drop);
    return drop.dropAction();
}

void LeaveAndComeBack()
{
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
}

void AllowBrowserEngine()
{
    if (!qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--no-sandbox"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false");
}

bool PassesInChild(const QStringList& environment, const QStringList& wrapper)
{
    QProcess child;
    QProcessEnvironment settings = QProcessEnvironment::systemEnvironment();
    for (const QString& setting : environment)
        settings.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
    child.setProcessEnvironment(settings);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QByteArray function = QTest::currentTestFunction();
    QStringList arguments = wrapper;
    arguments << QCoreApplication::applicationFilePath() << QString::fromLatin1(function);
    child.start(arguments.takeFirst(), arguments);
    const bool finished = child.waitForFinished(240000);
    const QByteArray output = child.readAll();
    const bool passed = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0
                        && output.contains("::" + function + "()") && output.contains("PASS   : ");
    if (!passed)
        qWarning("%s", output.constData());
    return passed;
}

int RunWithZentrelApp(int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest)
{
    CZentrelApp app(argc, argv);
    return RunInApp(&app, argc, argv, makeTest);
}

} // namespace ZtTest
