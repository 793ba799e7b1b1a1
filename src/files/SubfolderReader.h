#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// Lists the sub-folders of folders on worker threads, several folders at a
// time, so a folder of tens of thousands of entries or a slow network mount
// never holds up the window. Each listing has a ticket; its names arrive in
// batches (foldersRead, each batch in name order), the first one early, then
// finished says whether the folder could be read at all.
//
// Cancelling a ticket, and the reader's destruction, end that listing: none
// of its batches arrive afterwards.
class CSubfolderReader : public QObject
{
    Q_OBJECT
public:
    explicit CSubfolderReader(QObject* parent = nullptr);
    ~CSubfolderReader() override;

    // Starts listing folder; bHidden lists folders whose names start with a
    // dot too. The ticket is never 0.
    quint64 Start(const QString& folder, bool bHidden);
    void Cancel(quint64 ticket);
    void CancelAll();
    bool IsReading() const { return !m_jobs.isEmpty(); }

    // The order folders are shown in: by name in the user's locale, case
    // folded, ties by case.
    static bool NameLess(const QString& a, const QString& b);

signals:
    void foldersRead(quint64 ticket, const QStringList& names);
    void finished(quint64 ticket, bool ok);

private:
    struct CJob;
    void Deliver(quint64 ticket, const QStringList& names, bool bDone, bool ok);
    static void Read(const std::shared_ptr<CJob>& job);

    QHash<quint64, std::shared_ptr<CJob>> m_jobs;
    quint64 m_nLastTicket = 0;
};
