#include "files/ShellExecute.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace {
CShellExecute::Handler& InstalledHandler()
{
    static CShellExecute::Handler handler;
    return handler;
}
} // namespace

void CShellExecute::SetHandler(Handler handler)
{
    InstalledHandler() = std::move(handler);
}

bool CShellExecute::Open(const QString& path, const QString& parameter, const QString& directory)
{
    if (InstalledHandler())
        return InstalledHandler()(path, parameter, directory);
    const QFileInfo info(path);
    if (info.isFile() && info.isExecutable()) {
        // An argument vector, never a command line: no name is ever split
        // or read by a shell.
        const QStringList arguments = parameter.isEmpty() ? QStringList() : QStringList{parameter};
        return QProcess::startDetached(path, arguments, directory);
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
