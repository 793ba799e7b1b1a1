#pragma once
// A 64 KB tmpfs for tests of what a save does when the disk runs out of
// space. Mounting needs root (CI runs as root); elsewhere SkipReason() says
// why the test cannot run. The file system is unmounted when the object goes,
// so a failing check never leaves it behind.

#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace ZtTest {

class CFullDisk
{
public:
    CFullDisk()
    {
        static int count = 0;
        m_strFolder = SandboxDir() + QStringLiteral("/small-disk-%1").arg(++count);
        if (::geteuid() != 0) {
            m_strSkipReason = QStringLiteral("mounting a small tmpfs needs root");
            return;
        }
        QDir().mkpath(m_strFolder);
        if (::mount("tmpfs", QFile::encodeName(m_strFolder).constData(), "tmpfs", 0, "size=64k") != 0)
            m_strSkipReason = QStringLiteral("cannot mount a tmpfs: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    ~CFullDisk()
    {
        if (m_strSkipReason.isEmpty())
            ::umount2(QFile::encodeName(m_strFolder).constData(), MNT_DETACH);
    }
    CFullDisk(const CFullDisk&) = delete;
    CFullDisk& operator=(const CFullDisk&) = delete;

    // Empty when the file system is mounted.
    QString SkipReason() const { return m_strSkipReason; }
    QString Path(const QString& name) const { return m_strFolder + QLatin1Char('/') + name; }

    // Takes every free byte with a filler file. True when the disk is full.
    bool Fill() const
    {
        const int fd = ::open(QFile::encodeName(Path(QStringLiteral("filler"))).constData(),
                              O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        const QByteArray block(4096, 'f');
        while (::write(fd, block.constData(), size_t(block.size())) > 0) {
        }
        while (::write(fd, "f", 1) > 0) {
        }
        const bool full = errno == ENOSPC;
        ::close(fd);
        return full;
    }

    // The names in the folder other than the filler, to show that no
    // temporary file was left behind.
    QStringList Names() const
    {
        QStringList names = QDir(m_strFolder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        names.removeAll(QStringLiteral("filler"));
        return names;
    }

private:
    QString m_strFolder;
    QString m_strSkipReason;
};

} // namespace ZtTest
