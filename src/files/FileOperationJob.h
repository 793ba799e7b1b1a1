#pragma once

#include "files/FileOperationPlan.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <utility>

// How the user answers a question of a file operation.
enum class EFileAnswer { Yes, YesToAll, No, Cancel };
// What a file operation asks: a Delete question offers only Yes and No, the
// others also Yes to all and Cancel.
enum class EFileQuestion { ReplaceFile, MergeFolder, Delete };

// The disk work of a copy, move, rename or delete, done on whatever thread
// calls Run...: the requests were checked beforehand (CShellFileOperation
// does that on the UI thread), so everything here may take long. Questions,
// progress and the cancel state go through a CHost, which is the only
// thing the job shares with its caller.
//
// A cancel or a failure stops the job where it is: what was already copied
// stays, a file being copied is removed, and a move removes no source.
class CFileOperationJob
{
public:
    class CHost
    {
    public:
        virtual ~CHost() = default;
        // Blocks until the user answered.
        virtual EFileAnswer Ask(EFileQuestion question, const QString& text) = 0;
        // done of total units are finished, path is next; false to stop.
        virtual bool Step(int done, int total, const QString& path) = 0;
        // Asked between the blocks of a file being copied.
        virtual bool IsCancelled() = 0;
    };

    CFileOperationJob(CHost* host, bool bCopy);

    // Each is true when everything was carried out.
    bool RunTransfers(const QVector<CFileTransfer>& transfers);
    bool RunDelete(const QStringList& items);

    bool WasCancelled() const { return m_bCancelled; }
    // Why the job stopped; empty after success or a cancel.
    QString Error() const { return m_strError; }
    // Every item a move set out to move, source and target, in order.
    QVector<std::pair<QString, QString>> Moves() const { return m_moves; }
    // Pipes, sockets and devices met in a copied folder: opening one would
    // wait for a writer that never comes, so they are left out.
    QStringList Skipped() const { return m_skipped; }

    // A file is copied in blocks of this many bytes, the cancel state asked
    // after each.
    static constexpr qint64 kBlockBytes = 1 << 20;

private:
    bool TransferItem(const QString& source, const QString& target);
    bool MoveItem(const QString& source, const QString& target);
    bool CopyFolder(const QString& source, const QString& target);
    bool CopyFile(const QString& source, const QString& target);
    bool CopyBytes(const QString& source, const QString& partial, QString* error);
    bool CopyLink(const QString& source, const QString& target);
    // Copies the entry name (not valid in the file name encoding) of
    // sourceFolder into targetFolder by its bytes, whole.
    bool CopyUndecodable(const QString& sourceFolder, const QString& targetFolder, const QByteArray& name);
    bool RemoveMovedSources();
    EFileAnswer AskConflict(EFileQuestion question, const QString& target);

    // Walks path once, remembering the count of every folder below it, so
    // that a declined or renamed folder is never walked again.
    int CountTree(const QString& path);
    // The units path stands for: its count when it was walked, else 1.
    int Units(const QString& path) const { return m_counts.value(path, 1); }
    // A move that must copy path after all: its files become units.
    void ExpandUnits(const QString& path);
    bool CountStep(const QString& path);
    bool Fail(const QString& message);
    QString Verb() const;

    CHost* m_pHost;
    bool m_bCopy;
    bool m_bCancelled = false;
    bool m_bReplaceAll = false;
    int m_nDone = 0;
    int m_nTotal = 0;
    QString m_strError;
    QHash<QString, int> m_counts;
    // Sources already copied during a move that could not be done by a
    // plain rename; they are removed once the whole copy succeeded.
    QStringList m_movedSources;
    // The same for entries whose names Qt cannot decode, as native paths.
    QList<QByteArray> m_movedUndecodable;
    QVector<std::pair<QString, QString>> m_moves;
    QStringList m_skipped;
};
