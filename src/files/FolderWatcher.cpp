#include "files/FolderWatcher.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMetaObject>
#include <QMutex>

#include <utility>

namespace {
// A folder's time comes from the system's coarse clock, up to a tick behind
// the moment of the change; a file system that keeps whole seconds (or two,
// as FAT does) rounds it down further.
constexpr qint64 kClockTickSlackMs = 100;
constexpr qint64 kWholeSecondsSlackMs = 2000;

QMutex g_gateLock;
std::function<void()> g_setUpGate;

// Whether the entries of folder may have changed at or after sinceMs. A time
// within the slack before counts: a needless report costs a re-read, a
// missed one leaves a stale listing.
bool ChangedSince(const QString& folder, qint64 sinceMs)
{
    const QDateTime modified = QFileInfo(folder).lastModified();
    if (!modified.isValid())
        return false;
    const qint64 ms = modified.toMSecsSinceEpoch();
    const qint64 slack = ms % 1000 == 0 ? kWholeSecondsSlackMs : kClockTickSlackMs;
    return ms >= sinceMs - slack;
}
} // namespace

// Lives on the watcher's thread, and so does its system watcher, which it
// makes on first use so that its notifier belongs to that thread.
class CFolderWatcher::CWorker : public QObject
{
public:
    explicit CWorker(CFolderWatcher* owner) : m_pOwner(owner) {}

    // askedAtMs: when the owner asked for these folders.
    void Apply(const QStringList& folders, qint64 askedAtMs)
    {
        {
            QMutexLocker locker(&g_gateLock);
            if (const std::function<void()> gate = g_setUpGate) {
                locker.unlock();
                gate();
            }
        }
        if (!m_pWatcher) {
            m_pWatcher = new QFileSystemWatcher(this);
            connect(m_pWatcher, &QFileSystemWatcher::directoryChanged, this, &CWorker::OnDirectoryChanged);
        }
        const QSet<QString> wanted(folders.cbegin(), folders.cend());
        const QStringList watched = m_pWatcher->directories();
        QStringList gone;
        for (const QString& folder : watched) {
            if (!wanted.contains(folder))
                gone.append(folder);
        }
        if (!gone.isEmpty())
            m_pWatcher->removePaths(gone);
        const QSet<QString> kept(watched.cbegin(), watched.cend());
        QStringList added;
        for (const QString& folder : folders) {
            if (!kept.contains(folder))
                added.append(folder);
        }
        // A folder that is gone or unreadable is simply not watched.
        if (!added.isEmpty())
            m_pWatcher->addPaths(added);
        // A change made before the watch was in place raised no event. Told
        // through the same report as the events, it is told once even when
        // the watch saw it too.
        const QStringList watchedNow = m_pWatcher->directories();
        const QSet<QString> nowWatched(watchedNow.cbegin(), watchedNow.cend());
        for (const QString& folder : std::as_const(added)) {
            if (nowWatched.contains(folder) && ChangedSince(folder, askedAtMs))
                OnDirectoryChanged(folder);
        }
        // Through this thread's queue, behind that report: a caller that
        // sees set-up done has been told.
        QMetaObject::invokeMethod(
            this,
            [this] {
                CFolderWatcher* owner = m_pOwner;
                QMetaObject::invokeMethod(owner, [owner] { --owner->m_nPending; }, Qt::QueuedConnection);
            },
            Qt::QueuedConnection);
    }

private:
    void OnDirectoryChanged(const QString& folder)
    {
        // One report for the burst of events a copy or a save makes: the
        // rest arrive before the queued report goes out.
        if (m_changed.isEmpty())
            QMetaObject::invokeMethod(this, [this] { Report(); }, Qt::QueuedConnection);
        if (!m_changed.contains(folder))
            m_changed.append(folder);
    }

    void Report()
    {
        const QStringList changed = std::exchange(m_changed, {});
        CFolderWatcher* owner = m_pOwner;
        QMetaObject::invokeMethod(owner, [owner, changed] { owner->OnChanged(changed); }, Qt::QueuedConnection);
    }

    // Posts to the owner are safe: the owner stops this thread before it
    // goes, and its pending posts go with it.
    CFolderWatcher* m_pOwner;
    QFileSystemWatcher* m_pWatcher = nullptr;
    QStringList m_changed;
};

CFolderWatcher::CFolderWatcher(QObject* parent)
    : QObject(parent)
    , m_pWorker(new CWorker(this))
{
    m_pWorker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_pWorker, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("folder watcher"));
}

CFolderWatcher::~CFolderWatcher()
{
    if (!m_thread.isRunning()) {
        // Never started: the worker made nothing on a thread of its own.
        delete m_pWorker;
        return;
    }
    m_thread.quit();
    m_thread.wait();
}

void CFolderWatcher::SetFolders(const QStringList& folders)
{
    const QSet<QString> wanted(folders.cbegin(), folders.cend());
    if (wanted == m_folders)
        return;
    m_folders = wanted;
    // The thread starts with the first watch: a tree that never opens a
    // folder costs none.
    if (!m_thread.isRunning())
        m_thread.start();
    ++m_nPending;
    CWorker* worker = m_pWorker;
    const QStringList list = wanted.values();
    const qint64 askedAtMs = QDateTime::currentMSecsSinceEpoch();
    QMetaObject::invokeMethod(
        worker, [worker, list, askedAtMs] { worker->Apply(list, askedAtMs); }, Qt::QueuedConnection);
}

void CFolderWatcher::SetSetUpGate(std::function<void()> gate)
{
    QMutexLocker locker(&g_gateLock);
    g_setUpGate = std::move(gate);
}

void CFolderWatcher::OnChanged(const QStringList& folders)
{
    for (const QString& folder : folders) {
        // A listener may change what is watched.
        if (m_folders.contains(folder))
            emit folderChanged(folder);
    }
}
