#pragma once

#include "files/FileRow.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <memory>

// Lists a folder on a worker thread, so a folder of tens of thousands of
// entries or a slow network mount never holds up the window. Rows arrive in
// batches (rowsRead) in the order the file system gives them, so the first
// ones show at once; then sorted brings them all again in name order (case
// folded, ties by case: the order a Windows file system lists in), sorted on
// the worker too; then finished says whether
// the folder could be read at all, and Failure why not.
//
// Starting another listing, Cancel and the reader's destruction each end the
// listing under way: none of its batches arrive afterwards.
class CFolderReader : public QObject
{
    Q_OBJECT
public:
    explicit CFolderReader(QObject* parent = nullptr);
    ~CFolderReader() override;

    void Start(const QString& folder);
    void Cancel();
    bool IsReading() const { return m_bReading; }
    // Why the last listing failed, in the system's words; empty after one
    // that succeeded or while one is under way.
    QString Failure() const { return m_strFailure; }

    // The rows of folder, read on the calling thread; false when the folder
    // cannot be read.
    static bool ReadAll(const QString& folder, QVector<CFileRow>* rows);

signals:
    void rowsRead(const QVector<CFileRow>& rows);
    void sorted(const QVector<CFileRow>& rows);
    void finished(bool ok);

private:
    struct CJob;
    void Deliver(quint64 generation, const QVector<CFileRow>& rows, bool bDone, bool ok, const QString& failure);
    static void SortByName(QVector<CFileRow>* rows);

    std::shared_ptr<CJob> m_pJob;
    quint64 m_nGeneration = 0;
    bool m_bReading = false;
    QString m_strFailure;
};
