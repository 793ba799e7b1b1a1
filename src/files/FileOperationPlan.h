#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One top-level item of a copy, move or rename: the path it has now and the
// full path it will have afterwards.
struct CFileTransfer
{
    QString m_strSource;
    QString m_strTarget;

    bool operator==(const CFileTransfer& other) const
    {
        return m_strSource == other.m_strSource && m_strTarget == other.m_strTarget;
    }
};

// Works out what a shell file operation will do before anything is touched:
// which paths a request names, where each one ends up, and whether the
// request makes sense at all. Nothing here shows a dialog or changes the disk,
// so every rule can be checked directly.
//
// Requests arrive in the forms the trees and the list build:
// - a source "dir/*.*" (or "dir/*", or any wildcard name) standing for the
//   matching entries of dir; "*.*" matches every name, with or without a dot;
// - a destination ending in "/" or "/*.*" meaning "into this folder".
class CFileOperationPlan
{
public:
    // The operations callers pass to CFileName::ShellCopyList.
    enum class EMode { Move, Copy, Delete, Rename };

    // True when the last component of path holds '*' or '?'.
    static bool HasWildcard(const QString& path);

    // Replaces every wildcard source by its matches (sorted by name, hidden
    // entries included); other paths stay as they are, existing or not. A
    // wildcard name that exists as such is that one entry, not a pattern;
    // PlanTransfers and PlanRename take it the same way.
    static QStringList ExpandSources(const QStringList& sources);

    // The folder a destination names when it ends in "/", "/*" or "/*.*";
    // an empty string when it names no folder that way.
    static QString ExplicitFolder(const QString& destination);

    // Pairs every source with its target. The sources go into the
    // destination folder when the destination is written as a folder, is an
    // existing directory, or when there are several sources; a single source
    // with any other destination is copied or moved to that very name.
    // A copy onto itself gets a free "(copy)" name; a move onto itself is
    // left out, there being nothing to do.
    static QVector<CFileTransfer> PlanTransfers(const QStringList& sources,
                                                const QString& destination, bool bCopy);

    // The first transfer whose target lies inside its own source folder (a
    // folder copied or moved into itself), or -1.
    static int FindSelfNesting(const QVector<CFileTransfer>& transfers);

    // True when path is folder itself or lies somewhere below it.
    static bool IsSameOrInside(const QString& path, const QString& folder);

    // A name beside target that does not exist yet: "page (copy).html",
    // then "page (copy 2).html", ...; a name without extension or starting
    // with a dot keeps the whole name before the suffix.
    static QString UniqueCopyName(const QString& target);

    // Plans a rename. "to" may be a bare name (kept in the folder of
    // "from") or a full path. A wildcard "from" such as "dir/*.htm" renames
    // every match, each wildcard of "to" ("*.html") taking the text its
    // counterpart matched.
    static QVector<CFileTransfer> PlanRename(const QString& from, const QString& to);

    // The text of name with the wildcards of fromPattern filled into
    // toPattern; empty when name does not match fromPattern.
    static QString MapWildcardName(const QString& name, const QString& fromPattern,
                                   const QString& toPattern);

    // Path without trailing separators ("/" itself stays "/").
    static QString CleanPath(const QString& path);
};
