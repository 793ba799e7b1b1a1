#pragma once

#include <QString>

// Moves a symbolic link itself into the user's desktop trash
// ($XDG_DATA_HOME/Trash: the link goes to files/, a .trashinfo record with
// its old place and the deletion time to info/), never following it.
// QFile::moveToTrash looks at what a link points to, so it refuses a broken
// link or a link loop, and it would pick the trash of the target's file
// system rather than the link's.
class CLinkTrash
{
public:
    // False with *error set when the link cannot be moved; it is then
    // where it was and no record is left behind.
    static bool MoveLink(const QString& path, QString* error);

    // The home trash folder, holding files/ and info/.
    static QString TrashFolder();
};
