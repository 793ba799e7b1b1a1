#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// The desktop's "open" for a file: a program file is started, anything else
// goes to the application the desktop associates with its type.
class CShellExecute
{
public:
    // A handler in place of the real start, for tests: it gets the file, its
    // parameter and the working folder and says whether the start succeeded.
    using Handler = std::function<bool(const QString& path, const QString& parameter, const QString& directory)>;

    // Starts path with parameter as its one argument in directory when it is
    // an executable file; otherwise hands it to the desktop's default
    // application. False when neither could be started.
    static bool Open(const QString& path, const QString& parameter, const QString& directory);
    // Replaces the real start by handler; an empty one restores it.
    static void SetHandler(Handler handler);
    // What the desktop is given for path: a file address for a file or
    // folder, the location itself for a place that is no file ("trash:///").
    static QUrl DesktopUrl(const QString& path);
};
