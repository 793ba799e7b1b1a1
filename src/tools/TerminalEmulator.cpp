#include "tools/TerminalEmulator.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

struct CKnownTerminal
{
    const char* name;
    QStringList prefix; // each runs the words after it as the command, unparsed
};

const QList<CKnownTerminal>& KnownTerminals()
{
    static const QList<CKnownTerminal> terminals{
        {"gnome-terminal", {QStringLiteral("--")}},
        {"konsole", {QStringLiteral("--nofork"), QStringLiteral("-e")}},
        {"xfce4-terminal", {QStringLiteral("--disable-server"), QStringLiteral("-x")}},
        {"mate-terminal", {QStringLiteral("-x")}},
        {"terminator", {QStringLiteral("-x")}},
        {"alacritty", {QStringLiteral("-e")}},
        {"kitty", {}},
        {"foot", {}},
        {"urxvt", {QStringLiteral("-e")}},
        {"xterm", {QStringLiteral("-e")}},
    };
    return terminals;
}

} // namespace

CTerminalEmulator CTerminalEmulator::ForProgram(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    for (const CKnownTerminal& known : KnownTerminals()) {
        if (name == QLatin1String(known.name))
            return {path, known.prefix};
    }
    return {path, {QStringLiteral("-e")}};
}

CTerminalEmulator CTerminalEmulator::Find()
{
    QStringList candidates{QStringLiteral("x-terminal-emulator")};
    const QString chosen = qEnvironmentVariable("TERMINAL");
    if (!chosen.isEmpty())
        candidates.append(chosen);
    for (const CKnownTerminal& known : KnownTerminals())
        candidates.append(QLatin1String(known.name));
    for (const QString& candidate : std::as_const(candidates)) {
        const QString path = QStandardPaths::findExecutable(candidate);
        if (!path.isEmpty())
            return ForProgram(path);
    }
    return {};
}
