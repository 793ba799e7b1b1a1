#pragma once

#include <QObject>
#include <QStringList>

class QLocalServer;

// Lets "zentrel --open FILE..." hand its files to the Zentrel that is already
// running for this user, the way a desktop opens documents in a running
// program. The running program listens on a local socket in the user's
// runtime directory; a new one sends the absolute paths, one a line, and
// ends.
class CSingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit CSingleInstance(QObject* parent = nullptr);

    // The socket's path: $XDG_RUNTIME_DIR/zentrel.socket, or a per-user
    // name in the temporary folder.
    static QString ServerName();
    // Hands paths to the running Zentrel; false when none answered.
    static bool SendToRunning(const QStringList& paths, int timeoutMs = 2000);
    // Starts listening; false when another Zentrel already listens.
    bool Listen();

signals:
    // Held back while a CBlockingWait runs, until it has ended.
    void filesRequested(const QStringList& paths);

private:
    void OnNewConnection();

    QLocalServer* m_pServer = nullptr;
};
