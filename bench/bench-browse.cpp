// Times Show as Web Page of a modified page up to the browser's
// loadFinished: the first one (the engine's module loaded and its processes
// started) and later ones of a 100 KB page (medians), and prints the
// program's resident memory before and after the browser's first use, with
// the engine's helper processes apart.
//
//   build/bin/bench-browse [runs]

#include "BenchSetup.h"
#include "Median.h"
#include "app/BrowseCommands.h"
#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
#include "browser/BrowserView.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "framework/DocTemplate.h"
#include "framework/MDIChildWnd.h"
#include "framework/MessageBox.h"
#include "res/CommandIds.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

QByteArray MakePage(qsizetype bytes)
{
    QByteArray page = "<HTML><HEAD><TITLE>Bench</TITLE></HEAD>\r\n<BODY>\r\n<TABLE BORDER=\"1\">\r\n";
    const QByteArray row = "<TR><TD ALIGN=\"left\">Cell 12.5 text &amp; more</TD><TD>second cell</TD></TR>\r\n";
    while (page.size() < bytes)
        page += row;
    return page + "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
}


long StatusKb(const QString& pid, const char* field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// The resident memory of every process below pid.
long DescendantsRssKb(const QString& pid)
{
    long total = 0;
    QDirIterator tasks(QStringLiteral("/proc/%1/task").arg(pid), QDir::Dirs | QDir::NoDotAndDotDot);
    while (tasks.hasNext()) {
        QFile children(tasks.next() + QStringLiteral("/children"));
        if (!children.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& child : children.readAll().split(' ')) {
            if (child.trimmed().isEmpty())
                continue;
            const QString childPid = QString::fromLatin1(child.trimmed());
            total += StatusKb(childPid, "VmRSS:") + DescendantsRssKb(childPid);
        }
    }
    return total;
}

void Wait(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

// Runs Show as Web Page on the modified page and waits for the browser to
// load the preview; milliseconds, or -1 when it never does.
double ShowModified(CMainFrame* frame, CZentrelView* editor, const QString& tempPage)
{
    editor->insertPlainText(QStringLiteral(" "));
    QElapsedTimer timer;
    timer.start();
    frame->ExecuteCommand(ZtCmd::ID_SHOW_AS_WEBPAGE);
    // Made by the first show; its load cannot finish before events run.
    CBrowserView* view = ZtApp()->BrowseCommands().BrowserView();
    if (!view)
        return -1;
    bool finished = false;
    const QMetaObject::Connection connection =
        QObject::connect(view, &CBrowserView::loadFinished, [&finished] { finished = true; });
    double ms = -1;
    while (timer.elapsed() < 60000) {
        if (finished && view->CurrentPath() == tempPage) {
            ms = timer.nsecsElapsed() / 1e6;
            break;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    QObject::disconnect(connection);
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    ZtBench::UseOffscreenWithoutDisplay();
    ZtBench::UseWebEngineQuietly();
    QTemporaryDir profileDir;
    ZtBench::UseOwnProfile(profileDir);
    CZentrelApp app(argc, argv);
    ZtBench::PrintMessagesAndAnswer(QMessageBox::Ok);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    CMainFrame* frame = ZtBench::ShowMainFrame(app);

    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.html"));
    const QString tempPage = dir.filePath(QStringLiteral("tempFile.html"));
    QFile file(page);
    file.open(QIODevice::WriteOnly);
    file.write(MakePage(100 * 1024));
    file.close();
    app.OpenFileInEditor(page, false);
    auto* editor = qobject_cast<CZentrelDoc*>(app.WebPageTemplate()->FirstDocument())->GetView();
    Wait(500);
    const QString self = QString::number(QCoreApplication::applicationPid());
    const long rssBefore = StatusKb(self, "VmRSS:");

    const double coldMs = ShowModified(frame, editor, tempPage);
    std::vector<double> warmMs;
    for (int run = 0; run < runs && coldMs >= 0; ++run) {
        app.GetMainFrame()->MdiArea()->setActiveSubWindow(editor->GetDocument()->Frames().first());
        warmMs.push_back(ShowModified(frame, editor, tempPage));
    }
    Wait(500);
    std::printf("page_kb: %lld KB\n", QFile(page).size() / 1024);
    std::printf("cold_show_ms: %.0f ms\n", coldMs);
    std::printf("warm_show_100kb_ms: %.0f ms\n", warmMs.empty() ? -1.0 : ZtBench::Median(warmMs));
    std::printf("rss_before_browser_mb: %.0f MB\n", rssBefore / 1024.0);
    std::printf("rss_after_browser_mb: %.0f MB\n", StatusKb(self, "VmRSS:") / 1024.0);
    std::printf("engine_processes_rss_mb: %.0f MB\n", DescendantsRssKb(self) / 1024.0);
    editor->GetDocument()->SetModifiedFlag(false);
    return coldMs >= 0 ? 0 : 1;
}
