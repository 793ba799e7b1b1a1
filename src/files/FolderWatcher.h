#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>

// Tells when the entries of watched folders change: a file or folder made,
// removed or renamed in one of them, by this program or another. The
// system's watches live on a thread of their own, since setting one up
// looks the folder up, and that can hang on a stalled network mount.
//
// Changes that come together (a copy of many files) are told once per
// folder. Nothing is told for a folder that is no longer watched, and
// nothing after the watcher is destroyed.
//
// A change made after a folder was asked for but before its watch is in
// place is told too, once, when the watch is: the folder's modification
// time tells it. So is, now and then, a change made just before the folder
// was asked for; a listener re-reads the folder needlessly then.
class CFolderWatcher : public QObject
{
    Q_OBJECT
public:
    explicit CFolderWatcher(QObject* parent = nullptr);
    ~CFolderWatcher() override;

    // Watches exactly these folders from now on; a folder that does not
    // exist is left out.
    void SetFolders(const QStringList& folders);
    QStringList Folders() const { return m_folders.values(); }
    bool IsWatching(const QString& folder) const { return m_folders.contains(folder); }
    // Whether watches asked for are still being set up. A change made
    // meanwhile is told before this turns false.
    bool IsSettingUp() const { return m_nPending > 0; }

    // Runs on the watcher's thread before each set-up, for tests that
    // change a folder while its watch is not yet in place.
    static void SetSetUpGate(std::function<void()> gate);

signals:
    void folderChanged(const QString& folder);

private:
    class CWorker;
    void OnChanged(const QStringList& folders);

    QThread m_thread;
    CWorker* m_pWorker;
    QSet<QString> m_folders;
    int m_nPending = 0;
};
