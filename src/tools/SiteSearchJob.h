#pragma once

#include "framework/JobChannel.h"
#include "tools/SiteFileText.h"
#include "tools/SiteMatcher.h"

#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <memory>

// The matching lines of one file.
struct CFileMatches
{
    QString path;
    QVector<CLineMatch> lines;
    int MatchCount() const;
};

// How a search or a replacement over files ended.
struct CSiteSearchSummary
{
    int filesSearched = 0;
    int matches = 0;
    int files = 0;               // files with matches, or files changed
    QStringList unreadable;      // files and folders that could not be read
    QStringList skipped;         // "path: why" of files a replacement left alone
    bool cancelled = false;
};

// Searches the files of a folder, or replaces in a list of files, on a worker
// thread. Matches arrive in batches (matchesFound) with the count of files
// searched so far (progress), then finished sums up.
//
// Starting again, Cancel and the job's destruction each end the run under
// way: none of its batches arrive afterwards.
class CSiteSearchJob : public QObject
{
    Q_OBJECT
public:
    explicit CSiteSearchJob(QObject* parent = nullptr);
    ~CSiteSearchJob() override;

    // Searches the files under folder whose names fit patterns, except those
    // in skipPaths (open documents, searched in the editor instead).
    void StartFind(const QString& folder, const QString& patterns, const CSiteSearchOptions& options,
                   const QStringList& skipPaths);
    // Replaces in each of paths and writes the changed ones back atomically.
    void StartReplace(const QStringList& paths, const CSiteSearchOptions& options);
    void Cancel();
    bool IsRunning() const { return m_channel.IsRunning(); }

    // What replacing does to one file on disk: false with the reason in why
    // when the file was left alone; count gets the matches replaced.
    static bool ReplaceInFile(const QString& path, const CSiteMatcher& matcher, int* count, QString* why);

signals:
    void matchesFound(const QVector<CFileMatches>& batch);
    void progress(int filesSearched);
    void finished(const CSiteSearchSummary& summary);

private:
    class CBatcher;

    CJobChannel m_channel{this};
};

Q_DECLARE_METATYPE(CFileMatches)
Q_DECLARE_METATYPE(CSiteSearchSummary)
