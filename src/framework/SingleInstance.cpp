#include "framework/SingleInstance.h"

#include "framework/BlockingWait.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include <memory>

#include <unistd.h>

CSingleInstance::CSingleInstance(QObject* parent)
    : QObject(parent)
{
}

QString CSingleInstance::ServerName()
{
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime + QStringLiteral("/zentrel.socket");
    return QDir::tempPath() + QStringLiteral("/zentrel-%1.socket").arg(getuid());
}

bool CSingleInstance::SendToRunning(const QStringList& paths, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray message;
    for (const QString& path : paths)
        message += QFileInfo(path).absoluteFilePath().toUtf8() + '\n';
    message += '\n'; // an empty line ends the request
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // The running program answers once it has taken the request.
    return socket.waitForReadyRead(timeoutMs) && socket.readAll().startsWith("ok");
}

bool CSingleInstance::Listen()
{
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_pServer->listen(ServerName())) {
        // A socket file left by a program that crashed answers nobody.
        QLocalSocket probe;
        probe.connectToServer(ServerName());
        if (probe.waitForConnected(300))
            return false;
        QLocalServer::removeServer(ServerName());
        if (!m_pServer->listen(ServerName()))
            return false;
    }
    connect(m_pServer, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    return true;
}

void CSingleInstance::OnNewConnection()
{
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
            *received += socket->readAll();
            if (!received->endsWith("\n\n") && *received != "\n")
                return; // the request is not complete yet
            QStringList paths;
            for (const QByteArray& line : received->split('\n')) {
                if (!line.isEmpty())
                    paths.append(QString::fromUtf8(line));
            }
            socket->write("ok\n");
            socket->flush();
            // Opening files can ask questions and show messages, which must
            // not open during a blocking wait: the files open after it.
            CBlockingWait::Defer([self = QPointer<CSingleInstance>(this), paths] {
                if (self)
                    emit self->filesRequested(paths);
            });
        });
    }
}
