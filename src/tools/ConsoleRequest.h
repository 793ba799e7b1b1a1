#pragma once

#include "tools/CommandLine.h"

#include <QByteArray>
#include <optional>

// What the program asks of the console runner: a command line and the folder
// it runs in. It travels over the runner's local socket rather than on the
// terminal emulator's command line, so no terminal ever re-reads a file name
// as words of a command.
struct CConsoleRequest
{
    CCommandLine m_line;
    QString m_strWorkingDirectory;

    QByteArray Encode() const;
    // The request encoded in bytes; nullopt while bytes hold only part of it
    // or something else.
    static std::optional<CConsoleRequest> Decode(const QByteArray& bytes);
};
