#pragma once

#include <QString>

// An exclusive advisory lock (flock) on a folder, held from construction to
// destruction. CProfile holds it on the profile's folder while a write
// re-reads, merges and replaces the file, so two programs writing at once
// never lose each other's change; the folder, not the file, is locked because
// every write replaces the file. The lock goes with the process, so a crash
// never leaves it behind. A holder that does not let go within two seconds is
// not waited for: the caller then goes ahead unlocked.
class CFolderLock
{
public:
    explicit CFolderLock(const QString& folder);
    ~CFolderLock();
    CFolderLock(const CFolderLock&) = delete;
    CFolderLock& operator=(const CFolderLock&) = delete;

private:
    int m_fd;
};
