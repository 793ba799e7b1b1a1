#include "app/ZentrelApp.h"

#include "app/MainFrame.h"
#include "editor/SyntaxSettingsDlg.h"

int main(int argc, char** argv)
{
    // The embedded browser shares the widgets' graphics contexts, which must
    // be asked for before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    CZentrelApp app(argc, argv);
    app.m_onFirstRun = [&app] {
        CSyntaxSettingsDlg dialog(app.GetMainFrame());
        dialog.exec();
    };
    if (!app.InitInstance())
        return app.StartUpExitCode();
    return app.exec();
}
