#pragma once

#include <QString>
#include <QStringList>

// Which files a start reopens as pages, and which placement key each one
// takes. Exit and start-up both ask here, so the window recorded under "w2"
// is the one the next start opens with "w2".
class CReopenRules
{
public:
    // The most recent files that reopen as pages, at most count of them and
    // never more than the four placement keys. The list ends at its first
    // empty entry. A project file is no page: the project comes back on its
    // own, so its entry is passed over and takes no page's place.
    static QStringList PagesToReopen(const QStringList& recentFiles, int count, const QString& projectExtension);
    // The recent files as Exit leaves them for the next start: the open
    // pages first, at most four, so that none is pushed out by a project
    // file or by a file closed earlier; pages already listed keep their
    // order and the others follow in the order given. The other entries come
    // after them, as far as size leaves room.
    static QStringList RecentFilesWithPagesFirst(const QStringList& recentFiles, const QStringList& openPages, int size);
    // The placement key of page index (0 is the first page): "w1" to "w4".
    static QString PlacementKey(int index);

    static constexpr int kMaxPages = 4;
};
