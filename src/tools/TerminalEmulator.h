#pragma once

#include <QString>
#include <QStringList>

// The desktop's terminal emulator and how it is told to run a command.
struct CTerminalEmulator
{
    QString m_strProgram; // full path; empty when none is installed
    // The words between the program and the command it runs ("-e", "--").
    QStringList m_commandPrefix;

    bool IsValid() const { return !m_strProgram.isEmpty(); }
    // Arguments that make it run command (program and arguments).
    QStringList ArgumentsToRun(const QStringList& command) const { return m_commandPrefix + command; }

    // The first one installed: x-terminal-emulator (the desktop's choice),
    // then $TERMINAL, then the common emulators.
    static CTerminalEmulator Find();
    // The emulator at path, with the prefix its name calls for ("-e" when it
    // is not one we know).
    static CTerminalEmulator ForProgram(const QString& path);
};
