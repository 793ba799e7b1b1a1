#pragma once

#include <QString>

// The user's "Templates" and "Keywords" folders, in the user's data folder
// ($XDG_DATA_HOME/Zentrel). The first time a folder is asked for it is made
// and filled with the templates and keyword files the program ships; the
// seeding copies only into a folder it has just created, so a user's own
// files, and files a user deleted, are never touched again.
class CUserDataFolders
{
public:
    static QString Templates();
    static QString Keywords();

    // The folder the program's shared files were installed in: share/zentrel
    // beside the program's bin folder (the build tree has one as well), else
    // the system's data folders. Empty when none is found.
    static QString SharedDataDirectory();

    // Makes folder and copies the files and folders of seed into it, when
    // folder does not exist yet. Returns folder (empty when it cannot be made).
    static QString EnsureSeeded(const QString& folder, const QString& seed);

private:
    static QString Folder(const QString& name);
};
