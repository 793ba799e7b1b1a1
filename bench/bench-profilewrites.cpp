// Counts how often the profile file is written while pages are opened the
// way a double click in a tree opens them. A write is a file finished or
// moved in under the profile's name, seen through inotify, so the count does
// not depend on how the program goes about its writes.
//
//   build/bin/bench-profilewrites [pages]

#include "BenchSetup.h"
#include "framework/MessageBox.h"
#include "framework/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Counts the files finished or moved in as name in a folder.
class CWriteCounter
{
public:
    CWriteCounter(const QString& folder, const QByteArray& name)
        : m_name(name)
    {
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ::inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~CWriteCounter() { ::close(m_fd); }

    int Take()
    {
        alignas(inotify_event) char buffer[65536];
        int count = 0;
        for (;;) {
            const ssize_t size = ::read(m_fd, buffer, sizeof buffer);
            if (size <= 0)
                return count;
            for (ssize_t offset = 0; offset < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
                if (event->len > 0 && m_name == event->name)
                    ++count;
                offset += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
    }

private:
    int m_fd = -1;
    QByteArray m_name;
};

// Runs the event loop for a while, so that timers due by then have fired.
void Settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

int main(int argc, char** argv)
{
    ZtBench::UseOffscreenWithoutDisplay();
    QTemporaryDir profileDir;
    ZtBench::UseOwnProfile(profileDir);
    CZentrelApp app(argc, argv);
    ZtBench::PrintMessagesAndAnswer(QMessageBox::No);
    const int pages = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    ZtBench::ShowMainFrame(app);
    Settle(1000);

    const QString profileFolder = QFileInfo(CProfile::Instance().FilePath()).absolutePath();
    QDir().mkpath(profileFolder);
    CWriteCounter counter(profileFolder, QFileInfo(CProfile::Instance().FilePath()).fileName().toUtf8());
    QTemporaryDir pageDir;
    int writes = 0;
    for (int i = 0; i < pages; ++i) {
        const QString path = pageDir.filePath(QStringLiteral("page%1.html").arg(i));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("<HTML>\n<BODY>\n</BODY>\n</HTML>\n");
        file.close();
        counter.Take();
        app.OpenFileInEditor(path, false);
        Settle(1000);
        writes += counter.Take();
    }
    std::printf("pages_opened: %d\n", pages);
    std::printf("profile_writes_per_opened_file: %.1f\n", double(writes) / pages);
    return 0;
}
