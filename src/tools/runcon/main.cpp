// zentrel-runcon: runs one program in a console for Zentrel.
//
//   zentrel-runcon [--window] [--output FILE] [--] PROGRAM [ARGUMENT...]
//   zentrel-runcon [--window] --notify SOCKET
//
// It shows the command line, runs the program with the user's keyboard as its
// input, then waits for Enter and exits with the program's status. --output
// sends the program's standard output into FILE. --window shows a console
// window of its own instead of using the terminal it runs in. --notify names
// Zentrel's local socket: the command line comes from there, and the open
// connection tells Zentrel that the runner still runs.

#include "tools/ConsoleRequest.h"
#include "tools/ConsoleRunner.h"
#include "tools/ConsoleWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QTextStream>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

struct CRunconArguments
{
    bool m_bWindow = false;
    QString m_strNotify;
    CConsoleRequest m_request;
    QString m_strError;
};

const char kUsage[] = "usage: zentrel-runcon [--window] [--output FILE] [--] PROGRAM [ARGUMENT...]\n"
                      "       zentrel-runcon [--window] --notify SOCKET\n";

// Read by hand: every word from the program on belongs to the program, and
// Qt's own options (-style, -platform) must not be taken out of them.
CRunconArguments ParseArguments(int argc, char** argv)
{
    CRunconArguments parsed;
    int i = 1;
    for (; i < argc; ++i) {
        const QString word = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (word == QLatin1String("--")) {
            ++i;
            break;
        }
        if (word == QLatin1String("--window")) {
            parsed.m_bWindow = true;
        } else if (word == QLatin1String("--notify") && hasValue) {
            parsed.m_strNotify = QString::fromLocal8Bit(argv[++i]);
        } else if (word == QLatin1String("--output") && hasValue) {
            parsed.m_request.m_line.m_bRedirectOutput = true;
            parsed.m_request.m_line.m_strOutputFile = QString::fromLocal8Bit(argv[++i]);
        } else if (word.startsWith(QLatin1Char('-'))) {
            parsed.m_strError = QStringLiteral("zentrel-runcon: unknown option %1\n").arg(word);
            return parsed;
        } else {
            break;
        }
    }
    if (i < argc)
        parsed.m_request.m_line.m_strProgram = QString::fromLocal8Bit(argv[i++]);
    for (; i < argc; ++i)
        parsed.m_request.m_line.m_arguments.append(QString::fromLocal8Bit(argv[i]));
    parsed.m_request.m_strWorkingDirectory = QDir::currentPath();
    return parsed;
}

// The command line Zentrel sends once the runner has connected.
std::optional<CConsoleRequest> ReceiveRequest(QLocalSocket& socket)
{
    QByteArray bytes;
    for (;;) {
        if (const std::optional<CConsoleRequest> request = CConsoleRequest::Decode(bytes))
            return request;
        if (!socket.waitForReadyRead(10000))
            return std::nullopt;
        bytes += socket.readAll();
    }
}

int RunInTerminal(const CConsoleRequest& request)
{
    QTextStream out(stdout);
    out << CConsoleRunner::Banner(request.m_line) << Qt::endl;
    CConsoleRunner runner(CConsoleRunner::EChannels::Forwarded);
    if (runner.Start(request))
        runner.WaitForFinished();
    else
        QTextStream(stderr) << runner.ErrorText() << Qt::endl;
    out << "\nExit status: " << runner.ExitStatus() << "\nPress Enter to close" << Qt::flush;
    // The end of the input closes as well as Enter does.
    char line[256];
    if (!std::fgets(line, sizeof line, stdin))
        out << Qt::endl;
    return runner.ExitStatus();
}

int RunInWindow(const CConsoleRequest& request)
{
    CConsoleWindow window;
    window.show();
    // A console that opens takes the keyboard, as a terminal window does;
    // without a window manager nothing else would give it.
    window.raise();
    window.activateWindow();
    window.Run(request);
    QApplication::exec();
    return window.ExitStatus();
}

} // namespace

int main(int argc, char** argv)
{
    CRunconArguments parsed = ParseArguments(argc, argv);
    if (!parsed.m_strError.isEmpty()) {
        std::fputs(qPrintable(parsed.m_strError), stderr);
        std::fputs(kUsage, stderr);
        return 2;
    }
    // Qt sees only the program's name: the rest is the program's.
    int qtArgc = 1;
    std::unique_ptr<QCoreApplication> app;
    if (parsed.m_bWindow)
        app = std::make_unique<QApplication>(qtArgc, argv);
    else
        app = std::make_unique<QCoreApplication>(qtArgc, argv);

    QLocalSocket zentrel;
    if (!parsed.m_strNotify.isEmpty()) {
        zentrel.connectToServer(parsed.m_strNotify);
        const bool fromZentrel = parsed.m_request.m_line.IsEmpty();
        std::optional<CConsoleRequest> request;
        if (zentrel.waitForConnected(10000) && fromZentrel)
            request = ReceiveRequest(zentrel);
        if (fromZentrel && !request) {
            std::fputs("zentrel-runcon: no command line came from Zentrel.\n", stderr);
            return 2;
        }
        if (request)
            parsed.m_request = *request;
    }
    return parsed.m_bWindow ? RunInWindow(parsed.m_request) : RunInTerminal(parsed.m_request);
}
