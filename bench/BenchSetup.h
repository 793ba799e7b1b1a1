#pragma once

// Set-up shared by the benchmarks that run the whole program: a headless
// platform when no display is there, a profile of their own, and a shown
// main window.

#include "app/MainFrame.h"
#include "app/SplashWnd.h"
#include "app/ZentrelApp.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

namespace ZtBench {

// Runs offscreen unless a display or a platform was chosen. Call before the
// application object exists.
inline void UseOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Points the profile at profileDir, so a run leaves the user's settings and
// recent files alone. Call before the application object exists.
inline void UseOwnProfile(const QTemporaryDir& profileDir)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(profileDir.path()));
}

// Registers the document types and shows the main window without a splash.
inline CMainFrame* ShowMainFrame(CZentrelApp& app)
{
    CSplashWnd::EnableSplashScreen(false);
    app.RegisterDocTemplates();
    auto* frame = new CMainFrame;
    frame->LoadFrame();
    app.SetMainFrame(frame);
    frame->show();
    return frame;
}

} // namespace ZtBench
