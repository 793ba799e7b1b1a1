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
    return QDesktopServices::openUrl(DesktopUrl(path));
}

QUrl CShellExecute::DesktopUrl(const QString& path)
{
    // Our paths are absolute, so anything else with a scheme of its own is
    // a location; a file address would make it "file:trash:///".
    if (!path.startsWith(QLatin1Char('/'))) {
        const QUrl location(path, QUrl::StrictMode);
        if (location.isValid() && location.scheme().size() > 1)
            return location;
    }
    return QUrl::fromLocalFile(path);
}
