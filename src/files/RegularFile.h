#pragma once

#include <QString>

class QFile;

// Opens files the user named for reading, and only regular files: a named
// pipe would block the program until someone writes to it, and a device such
// as /dev/zero never ends. Nothing here ever waits on the file.
class CRegularFile
{
public:
    // Why path cannot be read as a file (not there, a folder, a pipe, a
    // device, a socket), ready for the user; empty when it is a regular file.
    // Symbolic links are followed.
    static QString Problem(const QString& path);

    // Opens path read-only into file. The type is checked again on what was
    // opened, since another file may have taken the name meanwhile. On
    // failure file stays closed and error, when given, says why.
    static bool OpenForReading(const QString& path, QFile& file, QString* error);
};
