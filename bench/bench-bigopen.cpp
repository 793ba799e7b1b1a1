// Opens a large HTML page (100 MB unless told) in the web-page editor of a
// shown main window, the way File Open does, and prints how soon the first
// screen is there, the longest time the UI thread was held while the page
// came in, the whole load time and the memory; then saves the page to another
// file and checks that the bytes are identical; then reloads it twice, as after
// a change on disk: at once on the UI thread (as every reload was before), and
// off the UI thread (as a page of 1 MB or more now is).
//
//   build/bin/bench-bigopen [megabytes]
//   build/bin/bench-bigopen FILE     (any file: shows how it ends, and the figures)
//
// The UI thread is watched by a 1 ms timer: the longest gap between two of
// its ticks, less the 1 ms, is the longest time the event loop could not
// answer (a key, a menu, a paint). On a machine shared with other work that
// gap also holds the time the thread waited for a core, so the UI thread's
// own processor time within the longest gap is printed too.

#include "BenchSetup.h"
#include "editor/SourceDoc.h"
#include "editor/SourceLoader.h"
#include "editor/SourceText.h"
#include "framework/Document.h"
#include "framework/MessageBox.h"
#include "framework/View.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <limits>

namespace {

void WritePage(const QString& path, qint64 bytes)
{
    const QByteArray row = "<TR><TD ALIGN=\"left\" WIDTH=\"100\">Cell 12.5 text &amp; more</TD></TR>\r\n";
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("<HTML>\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n<TABLE BORDER=\"1\">\r\n");
    QByteArray chunk;
    while (chunk.size() < (1 << 20))
        chunk += row;
    for (qint64 written = 0; written < bytes; written += chunk.size())
        file.write(chunk);
    file.write("</TABLE>\r\n</BODY>\r\n</HTML>\r\n");
}

qint64 ThreadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

long StatusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    ZtBench::UseOffscreenWithoutDisplay();
    QTemporaryDir profileDir;
    ZtBench::UseOwnProfile(profileDir);
    CZentrelApp app(argc, argv);
    CMainFrame* mainFrame = ZtBench::ShowMainFrame(app);
    ZtBench::PrintMessagesAndAnswer(QMessageBox::No);
    const QString argument = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const bool givenFile = !argument.isEmpty() && QFileInfo(argument).isFile();
    const qint64 megabytes = argc > 1 && !givenFile ? std::max(1, atoi(argv[1])) : 100;

    QTemporaryDir dir;
    const QString source = givenFile ? QFileInfo(argument).absoluteFilePath() : dir.filePath(QStringLiteral("big.html"));
    const QString target = dir.filePath(QStringLiteral("saved.html"));
    if (!givenFile)
        WritePage(source, megabytes << 20);
    // Read once, so the figures are of a file in the page cache.
    {
        QFile warm(source);
        warm.open(QIODevice::ReadOnly);
        while (!warm.read(8 << 20).isEmpty()) {
        }
    }
    QCoreApplication::processEvents();
    const long rssBeforeKb = StatusKb("VmRSS:");

    QElapsedTimer clock;
    qint64 lastTickNs = -1;
    qint64 longestGapNs = 0;
    qint64 lastTickCpuNs = 0;
    qint64 longestCpuNs = 0;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const qint64 cpu = ThreadCpuNs();
        if (lastTickNs >= 0) {
            longestGapNs = std::max(longestGapNs, now - lastTickNs - 1000000);
            longestCpuNs = std::max(longestCpuNs, cpu - lastTickCpuNs);
        }
        lastTickNs = now;
        lastTickCpuNs = cpu;
    });

    clock.start();
    watch.start();
    auto* document = qobject_cast<CSourceDoc*>(app.OpenDocumentFile(source));
    const double openReturnsMs = clock.nsecsElapsed() / 1e6;
    if (!document) {
        std::fprintf(stderr, "the page did not open\n");
        return 1;
    }
    auto* editor = qobject_cast<QPlainTextEdit*>(document->GetFirstView()->GetWidget());
    double firstScreenMs = -1;
    if (auto* loader = editor->findChild<CSourceLoader*>()) {
        QObject::connect(loader, &CSourceLoader::firstTextShown, [&] {
            // Painted at the next turn of the event loop.
            QTimer::singleShot(0, [&] { firstScreenMs = clock.nsecsElapsed() / 1e6; });
        });
    } else {
        firstScreenMs = openReturnsMs;
    }
    QPointer<CSourceDoc> watched = document;
    while (watched && watched->IsLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!watched) {
        std::printf("closed without a window, after %.0f ms; UI thread held at most %.1f ms\n",
                    clock.nsecsElapsed() / 1e6, longestGapNs / 1e6);
        std::printf("peak_rss_mb: %.0f MB\n", StatusKb("VmHWM:") / 1024.0);
        return 0;
    }
    const double loadedMs = clock.nsecsElapsed() / 1e6;
    watch.stop();
    const long rssLoadedKb = StatusKb("VmRSS:");
    const long peakLoadKb = StatusKb("VmHWM:");

    QElapsedTimer saveTimer;
    saveTimer.start();
    const bool saved = document->OnSaveDocument(target);
    const double saveMs = saveTimer.nsecsElapsed() / 1e6;
    QFile original(source);
    QFile copy(target);
    original.open(QIODevice::ReadOnly);
    copy.open(QIODevice::ReadOnly);
    bool identical = saved && original.size() == copy.size();
    while (identical) {
        const QByteArray a = original.read(8 << 20);
        identical = a == copy.read(8 << 20);
        if (a.isEmpty())
            break;
    }

    std::printf("file_mb: %.1f MB (%d lines)\n", QFileInfo(source).size() / 1048576.0,
                editor->document()->blockCount());
    std::printf("open_returns_ms: %.0f ms\n", openReturnsMs);
    std::printf("first_screen_ms: %.0f ms\n", firstScreenMs);
    std::printf("loaded_ms: %.0f ms\n", loadedMs);
    std::printf("ui_longest_busy_ms: %.1f ms\n", longestGapNs / 1e6);
    std::printf("ui_longest_busy_cpu_ms: %.1f ms\n", longestCpuNs / 1e6);
    std::printf("rss_before_mb: %.0f MB\n", rssBeforeKb / 1024.0);
    std::printf("rss_loaded_mb: %.0f MB\n", rssLoadedKb / 1024.0);
    std::printf("peak_rss_load_mb: %.0f MB\n", peakLoadKb / 1024.0);
    std::printf("save_ms: %.0f ms\n", saveMs);
    std::printf("peak_rss_with_save_mb: %.0f MB\n", StatusKb("VmHWM:") / 1024.0);
    std::printf("saved_identical: %s\n", identical ? "yes" : "NO");

    // Reloads: the UI thread's longest busy stretch, from the call to the last line in.
    const qint64 backgroundBytes = CSourceDoc::s_nBackgroundLoadBytes;
    for (const bool atOnce : {true, false}) {
        CSourceDoc::s_nBackgroundLoadBytes = atOnce ? std::numeric_limits<qint64>::max() : backgroundBytes;
        lastTickNs = -1;
        longestGapNs = 0;
        longestCpuNs = 0;
        watch.start();
        QCoreApplication::processEvents();
        const qint64 startNs = clock.nsecsElapsed();
        const bool reloading = document->ReloadFromDisk();
        const double returnsMs = (clock.nsecsElapsed() - startNs) / 1e6;
        while (reloading && watched && watched->IsLoading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
        watch.stop();
        if (!watched)
            return 1;
        const double doneMs = (clock.nsecsElapsed() - startNs) / 1e6;
        const char* name = atOnce ? "reload_at_once" : "reload_background";
        std::printf("%s_returns_ms: %.0f ms\n", name, returnsMs);
        std::printf("%s_loaded_ms: %.0f ms\n", name, doneMs);
        std::printf("%s_ui_longest_busy_ms: %.1f ms\n", name, std::max(returnsMs, longestGapNs / 1e6));
        std::printf("%s_identical: %s\n", name,
                    reloading && CSourceText::Save(editor->document()).size() == QFileInfo(source).size() ? "yes" : "NO");
    }
    CSourceDoc::s_nBackgroundLoadBytes = backgroundBytes;
    std::printf("peak_rss_with_reloads_mb: %.0f MB\n", StatusKb("VmHWM:") / 1024.0);
    mainFrame->close();
    return identical ? 0 : 1;
}
