#include "tools/ConsoleRunner.h"

#include "tools/ShellWords.h"

#include <QDir>
#include <QFile>

CConsoleRunner::CConsoleRunner(EChannels channels, QObject* parent)
    : QObject(parent)
    , m_channels(channels)
{
    connect(&m_process, &QProcess::readyReadStandardOutput, this,
            [this] { emit outputReady(m_process.readAllStandardOutput()); });
    connect(&m_process, &QProcess::readyReadStandardError, this,
            [this] { emit outputReady(m_process.readAllStandardError()); });
    connect(&m_process, &QProcess::finished, this, &CConsoleRunner::OnFinished);
}

CConsoleRunner::~CConsoleRunner()
{
    if (IsRunning())
        Stop();
}

QString CConsoleRunner::Banner(const CCommandLine& line)
{
    if (line.IsEmpty())
        return QStringLiteral("$");
    QString banner = QStringLiteral("$ ") + ZtShellWords::Join(line.Words());
    if (line.m_bRedirectOutput)
        banner += QStringLiteral(" > ") + ZtShellWords::Quote(line.m_strOutputFile);
    return banner;
}

bool CConsoleRunner::Start(const CConsoleRequest& request)
{
    const CCommandLine& line = request.m_line;
    if (line.IsEmpty()) {
        m_strError = tr("No program to run.");
        return false;
    }
    if (!request.m_strWorkingDirectory.isEmpty())
        m_process.setWorkingDirectory(request.m_strWorkingDirectory);
    if (!PrepareOutputFile(line))
        return false;
    SetChannels(line);
    m_process.start(line.m_strProgram, line.m_arguments);
    if (!m_process.waitForStarted(-1)) {
        m_strError = tr("Cannot start %1: %2").arg(ZtShellWords::Quote(line.m_strProgram), m_process.errorString());
        return false;
    }
    return true;
}

bool CConsoleRunner::PrepareOutputFile(const CCommandLine& line)
{
    if (!line.m_bRedirectOutput)
        return true;
    // Opened here first so that a refusal is told in words, not as a program
    // that failed to start.
    const QString path = QDir(m_process.workingDirectory()).absoluteFilePath(line.m_strOutputFile);
    QFile file(path);
    if (line.m_strOutputFile.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_strError = tr("Cannot write the output file %1: %2")
                         .arg(ZtShellWords::Quote(line.m_strOutputFile),
                              line.m_strOutputFile.isEmpty() ? tr("no file name given") : file.errorString());
        return false;
    }
    file.close();
    m_process.setStandardOutputFile(path, QIODevice::Truncate);
    return true;
}

void CConsoleRunner::SetChannels(const CCommandLine& line)
{
    if (m_channels == EChannels::Forwarded) {
        m_process.setInputChannelMode(QProcess::ForwardedInputChannel);
        m_process.setProcessChannelMode(line.m_bRedirectOutput ? QProcess::ForwardedErrorChannel
                                                               : QProcess::ForwardedChannels);
    } else {
        m_process.setInputChannelMode(QProcess::ManagedInputChannel);
        m_process.setProcessChannelMode(line.m_bRedirectOutput ? QProcess::SeparateChannels
                                                               : QProcess::MergedChannels);
    }
}

void CConsoleRunner::WriteInput(const QByteArray& bytes)
{
    if (IsRunning())
        m_process.write(bytes);
}

void CConsoleRunner::CloseInput()
{
    m_process.closeWriteChannel();
}

void CConsoleRunner::Stop()
{
    m_process.terminate();
    if (!m_process.waitForFinished(2000))
        m_process.kill();
    m_process.waitForFinished(2000);
}

void CConsoleRunner::WaitForFinished()
{
    if (IsRunning())
        m_process.waitForFinished(-1);
}

void CConsoleRunner::OnFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    m_nExitStatus = exitStatus == QProcess::NormalExit ? exitCode : kAbnormalEnd;
    emit finished(m_nExitStatus);
}
