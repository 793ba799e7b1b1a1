#pragma once
// Whole files for tests: a file a test cannot write is a broken test machine,
// not a finding, so writing ends the program; reading gives a marker no test
// expects.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "support/TestMain.h"

namespace ZtTest {

// Writes bytes to path, making its folder first. Returns path.
inline QString WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("(unreadable)");
}

// A shell script that may be run, with body after its "#!/bin/sh" line.
inline QString WriteScript(const QString& path, const QByteArray& body)
{
    WriteFile(path, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

// The files below folder, with their paths from it, sorted and joined by
// spaces: "a.html pages/b.html".
inline QString FilesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files.join(QLatin1Char(' '));
}

// An empty folder of the sandbox, emptied if an earlier test left it full.
inline QString FreshDir(const QString& name)
{
    const QString path = SandboxDir() + QLatin1Char('/') + name;
    QDir(path).removeRecursively();
    if (!QDir().mkpath(path))
        qFatal("cannot make %s", qPrintable(path));
    return path;
}

} // namespace ZtTest
