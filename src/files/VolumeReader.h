#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// One mounted file system, as the system lists it.
struct CVolume
{
    QString m_strRootPath;
    QString m_strName; // the volume's label; may be empty
    QByteArray m_device;
    QByteArray m_fileSystemType;
};

// Lists the mounted volumes off the window's thread. Listing asks each file
// system for its size, and a network mount whose server is gone answers
// only after minutes, or never: the window must not wait for that.
//
// All readers share one listing at a time: a request while one is under way
// waits for its result rather than starting another, so stalled mounts never
// hold more than one thread. The thread is the listing's own, not one of the
// pool's that folder reads need.
class CVolumeReader : public QObject
{
    Q_OBJECT
public:
    using Lister = std::function<QList<CVolume>()>;

    explicit CVolumeReader(QObject* parent = nullptr);
    ~CVolumeReader() override;

    // Asks for the volumes; volumesRead brings them, once.
    void Start();
    bool IsReading() const { return m_bReading; }

    // The mounted volumes whose root is a folder, read on the calling thread.
    static QList<CVolume> ReadAll();
    // Replaces the system's listing, for tests; an empty one restores it.
    static void SetLister(Lister lister);

signals:
    void volumesRead(const QList<CVolume>& volumes);

private:
    void Deliver(const QList<CVolume>& volumes);

    bool m_bReading = false;
};
