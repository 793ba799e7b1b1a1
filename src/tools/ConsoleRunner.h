#pragma once

#include "tools/ConsoleRequest.h"

#include <QObject>
#include <QProcess>
#include <QString>

// Runs one command line for the console runner and carries its input and
// output. Forwarded, the program shares the runner's terminal (what the user
// types goes straight to it); captured, its output comes out of outputReady
// and its input goes in through WriteInput, for a console window of our own.
// With an output file the program's standard output goes there instead.
class CConsoleRunner : public QObject
{
    Q_OBJECT
public:
    enum class EChannels { Forwarded, Captured };
    // The status the runner ends with when the program could not run at all,
    // and when it ended by a signal.
    static constexpr int kNotStarted = 127;
    static constexpr int kAbnormalEnd = 255;

    explicit CConsoleRunner(EChannels channels, QObject* parent = nullptr);
    ~CConsoleRunner() override;

    // The first line a console shows: the command line, quoted so that it can
    // be pasted into a shell.
    static QString Banner(const CCommandLine& line);

    // Starts the request's program; false when it did not start, with the
    // reason in ErrorText.
    bool Start(const CConsoleRequest& request);
    void WriteInput(const QByteArray& bytes);
    // The program reads the end of its input.
    void CloseInput();
    // Ends the program: asked first, then killed.
    void Stop();
    // Waits for the program's end (forwarded: nothing else needs the thread).
    void WaitForFinished();

    bool IsRunning() const { return m_process.state() != QProcess::NotRunning; }
    // The program's exit status, kAbnormalEnd after a signal, kNotStarted when
    // it never ran.
    int ExitStatus() const { return m_nExitStatus; }
    QString ErrorText() const { return m_strError; }

signals:
    void outputReady(const QByteArray& bytes);
    void finished(int status);

private:
    bool PrepareOutputFile(const CCommandLine& line);
    void SetChannels(const CCommandLine& line);
    void OnFinished(int exitCode, QProcess::ExitStatus exitStatus);

    EChannels m_channels;
    QProcess m_process;
    int m_nExitStatus = kNotStarted;
    QString m_strError;
};
