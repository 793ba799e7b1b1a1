#include "tools/ConsoleLauncher.h"

#include "framework/MessageBox.h"
#include "tools/ConsoleRequest.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUuid>

namespace {

// How long an emulator that has already returned may take to start the
// runner (a terminal server starting up) before the runner counts as lost.
constexpr int kRunnerStartGraceMs = 15000;

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

// Swallows the user's input to every window of the program while the runner
// runs: the windows still paint, but no command can start in the meantime.
class CInputBlocker : public QObject
{
public:
    CInputBlocker() { QCoreApplication::instance()->installEventFilter(this); }
    ~CInputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close:
            event->ignore();
            return true;
        default:
            return false;
        }
    }
};

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
        connect(&m_grace, &QTimer::timeout, &m_loop, &QEventLoop::quit);
    }

    bool Listen()
    {
        const QString name = QStringLiteral("zentrel-runcon-%1").arg(QUuid::createUuid().toString(QUuid::Id128));
        return m_server.listen(name);
    }

    // graceMs: how long to wait for the runner once the started program has
    // ended without it having connected.
    bool Start(const QString& program, const QStringList& arguments, const QString& workingDirectory, int graceMs)
    {
        m_nGraceMs = graceMs;
        m_process.setWorkingDirectory(workingDirectory);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(program, arguments);
        return m_process.waitForStarted(-1);
    }

    QString ServerName() const { return m_server.fullServerName(); }

    void Wait()
    {
        CInputBlocker blocker;
        m_loop.exec();
        // The emulator normally closes with the runner; one that stays is
        // not waited for.
        if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(2000))
            m_process.kill();
    }

private:
    void OnConnection()
    {
        QLocalSocket* runner = m_server.nextPendingConnection();
        if (!runner || m_runner) {
            delete runner;
            return;
        }
        m_runner = runner;
        m_grace.stop();
        connect(runner, &QLocalSocket::disconnected, &m_loop, &QEventLoop::quit);
        runner->write(m_request.Encode());
        if (runner->state() != QLocalSocket::ConnectedState)
            QTimer::singleShot(0, &m_loop, &QEventLoop::quit);
    }

    void OnProcessEnded()
    {
        if (!m_runner)
            m_grace.start(m_nGraceMs);
    }

    CConsoleRequest m_request;
    QLocalServer m_server;
    QProcess m_process;
    QPointer<QLocalSocket> m_runner;
    QTimer m_grace;
    QEventLoop m_loop;
    int m_nGraceMs = 0;
};

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
                                 kRunnerStartGraceMs);
        else
            started = wait.Start(runner, runnerCommand.mid(1) + QStringList{QStringLiteral("--window")},
                                 workingDirectory, 0);
    }
    if (!started) {
        ZtMessageBox::Show(QObject::tr("CreateProcess failed."));
        return false;
    }
    wait.Wait();
    return true;
}

bool CConsoleLauncher::OpenTerminal(const QString& folder)
{
    const CTerminalEmulator terminal = Terminal();
    if (!terminal.IsValid())
        return false;
    QProcess process;
    process.setProgram(terminal.m_strProgram);
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}
