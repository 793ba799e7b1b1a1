#include "support/AppTestMain.h"

#include "app/MainFrame.h"
#include "app/SplashWnd.h"
#include "app/ZentrelApp.h"
#include "editor/ZentrelDoc.h"
#include "framework/DocTemplate.h"
#include "support/TestFiles.h"

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

int RunWithZentrelApp(int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest)
{
    CZentrelApp app(argc, argv);
    return RunInApp(&app, argc, argv, makeTest);
}

} // namespace ZtTest
