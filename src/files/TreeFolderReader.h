#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

// One entry of a folder as a folder tree shows it.
struct CTreeEntry
{
    QString m_strName;
    // A folder, or a link to one; a link that loops or leads nowhere is not.
    bool m_bFolder = false;
    // A folder holding at least one entry: the tree gives it an expand
    // button without reading it.
    bool m_bHasEntries = false;
};

// Lists folders for a folder tree on worker threads, so opening a folder of
// tens of thousands of entries or one on a stalled network mount never
// holds up the window. Each listing has a ticket and ends with one
// folderListed, bringing every entry in the order the file system gives
// them, and whether the folder could be read at all.
//
// Cancelling a ticket, and the reader's destruction, end that listing: its
// result never arrives.
class CTreeFolderReader : public QObject
{
    Q_OBJECT
public:
    explicit CTreeFolderReader(QObject* parent = nullptr);
    ~CTreeFolderReader() override;

    // Starts listing folder; the ticket is never 0.
    quint64 Start(const QString& folder);
    void Cancel(quint64 ticket);
    void CancelAll();
    bool IsReading() const { return !m_jobs.isEmpty(); }

    // Lists folder on the calling thread; false when it cannot be read.
    // cancelled, when given, is asked between entries and stops the
    // listing early (with false).
    static bool ReadAll(const QString& folder, QVector<CTreeEntry>* entries,
                        const std::function<bool()>& cancelled = {});

signals:
    void folderListed(quint64 ticket, const QVector<CTreeEntry>& entries, bool ok);

private:
    struct CJob;
    void Deliver(quint64 ticket, const QVector<CTreeEntry>& entries, bool ok);
    static void Read(const std::shared_ptr<CJob>& job);

    QHash<quint64, std::shared_ptr<CJob>> m_jobs;
    quint64 m_nLastTicket = 0;
};
