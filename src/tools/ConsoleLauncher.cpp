#include "tools/ConsoleLauncher.h"

#include "framework/BlockingWait.h"
#include "framework/MessageBox.h"
#include "tools/ConsoleRequest.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

#include <cerrno>
#include <csignal>

namespace {

// How long the started program (a terminal emulator, or a terminal server
// it hands the window to) may take to start the runner before the runner
// counts as lost.
constexpr int kRunnerStartGraceMs = 15000;

// How often a console window's detached process is looked for.
constexpr int kDetachedPollMs = 300;

int& GraceOverride()
{
    static int ms = 0;
    return ms;
}

QString& RunnerOverride()
{
    static QString path;
    return path;
}

CConsoleLauncher::TerminalFinder& FinderOverride()
{
    static CConsoleLauncher::TerminalFinder finder;
    return finder;
}

// One run of the runner: the socket it reports to, the process started, and
// the wait for its end.
class CRunnerWait : public QObject
{
public:
    explicit CRunnerWait(const CConsoleRequest& request)
        : m_request(request)
    {
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        connect(&m_server, &QLocalServer::newConnection, this, [this] { OnConnection(); });
        connect(&m_process, &QProcess::finished, this, [this] { OnProcessEnded(); });
        connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                OnProcessEnded();
        });
        m_grace.setSingleShot(true);
        connect(&m_grace, &QTimer::timeout, this, [this] { m_wait.Quit(); });
    }

    bool Listen()
    {
        const QString name = QStringLiteral("zentrel-runcon-%1").arg(QUuid::createUuid().toString(QUuid::Id128));
        return m_server.listen(name);
    }

    // viaEmulator: the program is a terminal emulator, which may end before
    // the runner starts (its server starts it) and is then given the grace
    // time; the runner itself ending unconnected ends the wait at once.
    bool Start(const QString& program, const QStringList& arguments, const QString& workingDirectory,
               bool viaEmulator)
    {
        m_bViaEmulator = viaEmulator;
        m_process.setWorkingDirectory(workingDirectory);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(program, arguments);
        if (!m_process.waitForStarted(-1))
            return false;
        // From the start, not from the emulator's end: one that stays open
        // without ever running the runner (an error it shows, a prompt of
        // its own) would otherwise be waited for without end.
        m_grace.start(GraceOverride() > 0 ? GraceOverride() : kRunnerStartGraceMs);
        return true;
    }

    QString ServerName() const { return m_server.fullServerName(); }

    // Waits for the runner's end; false when it never started.
    bool Wait()
    {
        m_wait.Exec();
        m_grace.stop();
        if (m_process.state() != QProcess::NotRunning) {
            // The emulator normally closes with the runner; one that stays,
            // or never ran the runner, is not waited for.
            if (!m_bRunnerStarted || !m_process.waitForFinished(2000))
                m_process.kill();
            m_process.waitForFinished(2000);
        }
        return m_bRunnerStarted;
    }

private:
    void OnConnection()
    {
        QLocalSocket* runner = m_server.nextPendingConnection();
        if (!runner || m_bRunnerStarted) {
            delete runner;
            return;
        }
        m_bRunnerStarted = true;
        m_grace.stop();
        connect(runner, &QLocalSocket::disconnected, this, [this] { m_wait.Quit(); });
        runner->write(m_request.Encode());
        if (runner->state() != QLocalSocket::ConnectedState)
            m_wait.Quit();
    }

    void OnProcessEnded()
    {
        if (!m_bRunnerStarted && !m_bViaEmulator)
            m_wait.Quit();
    }

    CConsoleRequest m_request;
    QLocalServer m_server;
    QProcess m_process;
    QTimer m_grace;
    CBlockingWait m_wait;
    bool m_bViaEmulator = false;
    // The runner connected: it started, whatever became of its socket since.
    bool m_bRunnerStarted = false;
};

// Whether a process is still running: signal 0 only asks whether it is
// there, and one that has ended but is not yet reaped (an init that reaps
// late, or never) is still there, in state Z.
bool IsRunning(qint64 pid)
{
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    // "pid (name) state ...": the name may hold blanks and parentheses.
    const QByteArray fields = stat.readAll();
    const qsizetype nameEnd = fields.lastIndexOf(')');
    return nameEnd < 0 || fields.mid(nameEnd + 2, 1) != "Z";
}

// A detached process is no child of ours to wait for: it is asked after
// now and then.
void CallWhenProcessGone(qint64 pid, std::function<void()> call)
{
    auto* poll = new QTimer(QCoreApplication::instance());
    poll->setInterval(kDetachedPollMs);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, pid, call = std::move(call)] {
        if (IsRunning(pid))
            return;
        poll->deleteLater();
        call();
    });
    poll->start();
}

} // namespace

QString CConsoleLauncher::RunnerPath()
{
    if (!RunnerOverride().isEmpty())
        return RunnerOverride();
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/zentrel-runcon");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(QStringLiteral("zentrel-runcon"));
}

void CConsoleLauncher::SetRunnerPath(const QString& path)
{
    RunnerOverride() = path;
}

void CConsoleLauncher::SetTerminalFinder(TerminalFinder finder)
{
    FinderOverride() = std::move(finder);
}

CTerminalEmulator CConsoleLauncher::Terminal()
{
    return FinderOverride() ? FinderOverride()() : CTerminalEmulator::Find();
}

bool CConsoleLauncher::Run(const CCommandLine& line, const QString& workingDirectory)
{
    CRunnerWait wait(CConsoleRequest{line, workingDirectory});
    const QString runner = RunnerPath();
    bool started = !runner.isEmpty() && QFileInfo(runner).isExecutable() && wait.Listen();
    if (started) {
        const QStringList runnerCommand{runner, QStringLiteral("--notify"), wait.ServerName()};
        const CTerminalEmulator terminal = Terminal();
        if (terminal.IsValid())
            started = wait.Start(terminal.m_strProgram, terminal.ArgumentsToRun(runnerCommand), workingDirectory,
                                 true);
        else
            started = wait.Start(runner, runnerCommand.mid(1) + QStringList{QStringLiteral("--window")},
                                 workingDirectory, false);
    }
    if (!started || !wait.Wait()) {
        ZtMessageBox::Show(QObject::tr("CreateProcess failed."));
        return false;
    }
    return true;
}

void CConsoleLauncher::SetRunnerStartGraceMs(int ms)
{
    GraceOverride() = ms;
}

bool CConsoleLauncher::OpenTerminal(const QString& folder, std::function<void()> whenWindowGone)
{
    const CTerminalEmulator terminal = Terminal();
    QProcess process;
    if (terminal.IsValid()) {
        process.setProgram(terminal.m_strProgram);
    } else {
        // Without an emulator the runner's own console window holds the
        // system's command interpreter, as a terminal would.
        const QString runner = RunnerPath();
        if (runner.isEmpty() || !QFileInfo(runner).isExecutable())
            return false;
        process.setProgram(runner);
        process.setArguments({QStringLiteral("--window"), QStringLiteral("--"), QStringLiteral("/bin/sh"),
                              QStringLiteral("-i")});
    }
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        return false;
    // Only for the runner's own window: an emulator's process often ends at
    // once, handing its window to a server.
    if (!terminal.IsValid() && whenWindowGone)
        CallWhenProcessGone(pid, std::move(whenWindowGone));
    return true;
}
