// Opens a 10 MB HTML file in the web-page editor the way the program does
// (document template, document, view) and saves it, printing the times as
// medians of several runs and the peak memory.
//
//   build/bin/bench-open [runs]

#include "Median.h"
#include "framework/DocTemplate.h"
#include "framework/MessageBox.h"
#include "BenchSetup.h"
#include "app/ZentrelApp.h"
#include "editor/SourceDoc.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray MakePage(qsizetype bytes)
{
    const QByteArray row = "<TR><TD ALIGN=\"left\" WIDTH=\"100\">Cell 12.5 text &amp; more</TD></TR>\r\n";
    QByteArray page = "<HTML>\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n<TABLE BORDER=\"1\">\r\n";
    while (page.size() < bytes)
        page += row;
    page += "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
    return page;
}


long PeakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    ZtBench::UseOffscreenWithoutDisplay();
    // A profile of its own, so the run leaves the user's recent files alone.
    QTemporaryDir profileDir;
    ZtBench::UseOwnProfile(profileDir);
    CZentrelApp app(argc, argv);
    app.RegisterDocTemplates();
    ZtBench::PrintMessagesAndAnswer(QMessageBox::No);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("big.html"));
    const QString target = dir.filePath(QStringLiteral("saved.html"));
    const QByteArray page = MakePage(10 * 1024 * 1024);
    QFile file(source);
    file.open(QIODevice::WriteOnly);
    file.write(page);
    file.close();

    std::vector<double> openMs, saveMs;
    bool identical = true;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        auto* document = qobject_cast<CSourceDoc*>(app.WebPageTemplate()->OpenDocumentFile(source));
        // A page this large comes in off the UI thread: count until all of it is in.
        while (document->IsLoading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        openMs.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        document->OnSaveDocument(target);
        saveMs.push_back(timer.nsecsElapsed() / 1e6);
        QFile saved(target);
        saved.open(QIODevice::ReadOnly);
        identical = identical && saved.readAll() == page;
        document->OnCloseDocument();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::printf("file_mb: %.1f MB\n", page.size() / 1048576.0);
    std::printf("open_10mb_ms: %.0f ms\n", ZtBench::Median(openMs));
    std::printf("save_10mb_ms: %.0f ms\n", ZtBench::Median(saveMs));
    std::printf("saved_identical: %s\n", identical ? "yes" : "NO");
    std::printf("peak_rss_mb: %.0f MB\n", PeakRssKb() / 1024.0);
    return identical ? 0 : 1;
}
