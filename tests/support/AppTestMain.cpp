#include "support/AppTestMain.h"

#include "app/MainFrame.h"
#include "app/SplashWnd.h"
#include "app/ZentrelApp.h"

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

int RunWithZentrelApp(int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest)
{
    CZentrelApp app(argc, argv);
    return RunInApp(&app, argc, argv, makeTest);
}

} // namespace ZtTest
