#include "app/ZentrelApp.h"

#include "app/MainFrame.h"
#include "editor/SyntaxSettingsDlg.h"

int main(int argc, char** argv)
{
    CZentrelApp app(argc, argv);
    app.SetFirstRunHandler([&app] {
        CSyntaxSettingsDlg dialog(app.GetMainFrame());
        dialog.exec();
    });
    if (!app.InitInstance())
        return app.StartUpExitCode();
    return app.exec();
}
