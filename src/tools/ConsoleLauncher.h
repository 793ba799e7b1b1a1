#pragma once

#include "tools/CommandLine.h"
#include "tools/TerminalEmulator.h"

#include <functional>

// Starts the console runner "zentrel-runcon" for a command line and waits for
// it, and opens terminals.
//
// The runner runs inside the desktop's terminal emulator; without one it
// opens a console window of its own. Only "zentrel-runcon --notify <socket>"
// passes through the emulator's command line: the runner connects to that
// local socket, receives the command line and keeps the connection until it
// ends. So the wait does not depend on whether an emulator returns at once
// (many hand the window to a server process) or stays until its window
// closes.
class CConsoleLauncher
{
public:
    using TerminalFinder = std::function<CTerminalEmulator()>;

    // Runs line in a console window whose runner works in workingDirectory,
    // and returns when the runner has ended. Meanwhile the program's windows
    // keep painting but take no input and open no box (CBlockingWait). False,
    // after the message "CreateProcess failed.", when the runner could not be
    // started or did not start within the grace time (an emulator that stays
    // open without running it).
    static bool Run(const CCommandLine& line, const QString& workingDirectory);

    // Opens the terminal emulator in folder without waiting for it; without
    // one, the runner's console window with an interactive /bin/sh there,
    // and then calls whenWindowGone once that window's process has ended.
    // False when neither can start.
    static bool OpenTerminal(const QString& folder, std::function<void()> whenWindowGone = {});

    // The runner program: beside this program's executable, else on PATH.
    static QString RunnerPath();

    // Seams for tests: the runner to start, and the emulator to use (an
    // invalid one means none is installed). Empty restores the default.
    static void SetRunnerPath(const QString& path);
    static void SetTerminalFinder(TerminalFinder finder);
    // Seam for tests: how long the runner may take to start; 0 restores the
    // default.
    static void SetRunnerStartGraceMs(int ms);
    static CTerminalEmulator Terminal();
};
