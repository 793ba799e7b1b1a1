#pragma once

// Set-up shared by the benchmarks that run the whole program: a headless
// platform when no display is there, a profile of their own, and a shown
// main window.

#include "app/MainFrame.h"
#include "app/SplashWnd.h"
#include "app/ZentrelApp.h"
#include "framework/MessageBox.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

#include <unistd.h>

namespace ZtBench {

// Runs offscreen unless a display or a platform was chosen. Call before the
// application object exists.
inline void UseOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Lets the web engine start as root (its sandbox refuses to) and quiets its
// start-up notes. Call before the application object exists.
inline void UseWebEngineQuietly()
{
    if (geteuid() == 0 && !qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").contains("--no-sandbox"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false");
}

// Points the profile at profileDir, so a run leaves the user's settings and
// recent files alone. Call before the application object exists.
inline void UseOwnProfile(const QTemporaryDir& profileDir)
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(profileDir.path()));
}

// Every message box the run meets is printed to stderr and answered with
// answer instead of waiting for a user.
inline void PrintMessagesAndAnswer(QMessageBox::StandardButton answer)
{
    ZtMessageBox::SetHandler([answer](const QString& text, QMessageBox::StandardButtons) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return answer;
    });
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
