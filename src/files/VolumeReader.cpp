#include "files/VolumeReader.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QMutex>
#include <QStorageInfo>

#include <thread>

namespace {
// What the listing thread shares with the readers: the readers waiting for
// its result. A reader that goes takes itself out under the lock, so the
// thread never posts to a dead object.
struct CShared
{
    QMutex m_lock;
    bool m_bListing = false;
    QList<CVolumeReader*> m_waiting;
    CVolumeReader::Lister m_lister;
};

CShared& Shared()
{
    // Never destroyed: a listing thread stuck on a dead mount may still
    // come back while the program ends.
    static CShared* shared = new CShared;
    return *shared;
}
} // namespace

CVolumeReader::CVolumeReader(QObject* parent)
    : QObject(parent)
{
}

CVolumeReader::~CVolumeReader()
{
    CShared& shared = Shared();
    QMutexLocker locker(&shared.m_lock);
    shared.m_waiting.removeAll(this);
}

void CVolumeReader::SetLister(Lister lister)
{
    CShared& shared = Shared();
    QMutexLocker locker(&shared.m_lock);
    shared.m_lister = std::move(lister);
}

QList<CVolume> CVolumeReader::ReadAll()
{
    QList<CVolume> volumes;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !QFileInfo(volume.rootPath()).isDir())
            continue;
        volumes.append({volume.rootPath(), volume.name(), volume.device(), volume.fileSystemType()});
    }
    return volumes;
}

void CVolumeReader::Start()
{
    CShared& shared = Shared();
    QMutexLocker locker(&shared.m_lock);
    m_bReading = true;
    if (!shared.m_waiting.contains(this))
        shared.m_waiting.append(this);
    if (shared.m_bListing)
        return;
    shared.m_bListing = true;
    const Lister lister = shared.m_lister ? shared.m_lister : Lister(&CVolumeReader::ReadAll);
    // Detached: a listing stuck on a dead mount must not hold up the
    // program's exit either.
    std::thread([lister] {
        const QList<CVolume> volumes = lister();
        CShared& shared = Shared();
        QMutexLocker locker(&shared.m_lock);
        shared.m_bListing = false;
        for (CVolumeReader* reader : std::as_const(shared.m_waiting))
            QMetaObject::invokeMethod(reader, [reader, volumes] { reader->Deliver(volumes); }, Qt::QueuedConnection);
        shared.m_waiting.clear();
    }).detach();
}

void CVolumeReader::Deliver(const QList<CVolume>& volumes)
{
    m_bReading = false;
    emit volumesRead(volumes);
}
