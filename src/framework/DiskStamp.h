#pragma once

#include <QString>
#include <QtGlobal>

// What a file on disk looked like when a document last read or wrote it:
// whether it existed, its size and its modification time. Comparing the
// stamp taken then with one taken now tells whether another program changed
// or removed the file meanwhile.
struct CDiskStamp
{
    bool m_bExists = false;
    qint64 m_nSize = -1;
    // Milliseconds since the epoch, as the file system gives them.
    qint64 m_nModifiedMs = -1;

    // The stamp of path as it is now; a missing file gives m_bExists false.
    static CDiskStamp Of(const QString& path);

    // True when nothing was recorded yet (an untitled document).
    bool IsNull() const { return !m_bExists && m_nSize < 0 && m_nModifiedMs < 0; }

    friend bool operator==(const CDiskStamp&, const CDiskStamp&) = default;
};
