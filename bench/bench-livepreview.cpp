// Times the live preview of a 100 KB page: from a keystroke to the preview's
// render of the new text (median and 95th percentile, the pause before the
// render subtracted, so from the render request), and the cost of one
// keystroke in the editor with the preview hidden and shown (medians).
// Prints the program's resident memory before the preview is first shown.
//
//   build/bin/bench-livepreview [renders]

#include "BenchSetup.h"
#include "app/LivePreviewCommands.h"
#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
#include "browser/LivePreviewBar.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "framework/DocTemplate.h"
#include "framework/MessageBox.h"
#include "res/CommandIds.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

QByteArray MakePage(qsizetype bytes)
{
    QByteArray page = "<HTML><HEAD><TITLE>Bench</TITLE></HEAD>\r\n<BODY>\r\n<P>Typed: </P>\r\n<TABLE BORDER=\"1\">\r\n";
    const QByteArray row = "<TR><TD ALIGN=\"left\">Cell 12.5 text &amp; more</TD><TD>second cell</TD></TR>\r\n";
    while (page.size() < bytes)
        page += row;
    return page + "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(fraction * double(values.size())))];
}

long RssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

void Wait(int ms)
{
    // A real event loop, not a polling one: polling keeps a core busy that the
    // engine's processes would otherwise have, on a machine of two.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void SendKey(CZentrelView* editor, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(editor, &press);
    QCoreApplication::sendEvent(editor, &release);
}

// One typed character, as the keyboard delivers it; milliseconds. A
// Backspace, not timed, takes it away again: laying a line out costs more
// the longer it is, so every timed key finds the line as long as the first.
double Keystroke(CZentrelView* editor)
{
    QElapsedTimer timer;
    timer.start();
    SendKey(editor, Qt::Key_X, QStringLiteral("x"));
    const double ms = timer.nsecsElapsed() / 1e6;
    SendKey(editor, Qt::Key_Backspace, QString());
    return ms;
}

// Median cost of keystrokes typed in bursts, each burst followed by a pause
// long enough for the preview (when shown) to render.
double KeystrokeMedian(CZentrelView* editor, int bursts)
{
    std::vector<double> costs;
    for (int burst = 0; burst < bursts; ++burst) {
        for (int key = 0; key < 20; ++key) {
            costs.push_back(Keystroke(editor));
            QCoreApplication::processEvents();
        }
        Wait(CLivePreviewCommands::kRenderDelayMs + 300);
    }
    return Percentile(costs, 0.5);
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
    const int renders = argc > 1 ? std::max(2, atoi(argv[1])) : 40;
    CMainFrame* frame = ZtBench::ShowMainFrame(app);

    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.html"));
    QFile file(page);
    file.open(QIODevice::WriteOnly);
    file.write(MakePage(100 * 1024));
    file.close();
    app.OpenFileInEditor(page, false);
    auto* editor = qobject_cast<CZentrelDoc*>(app.WebPageTemplate()->FirstDocument())->GetView();
    QTextCursor caret = editor->document()->find(QStringLiteral("Typed: "));
    editor->setTextCursor(caret);
    Wait(500);
    const long rssBefore = RssKb();

    const double keystrokeOffMs = KeystrokeMedian(editor, 5);
    frame->ExecuteCommand(ZtCmd::ID_VIEW_LIVEPREVIEW);
    CLivePreviewView* view = frame->LivePreview()->Bar()->ViewIfMade();
    if (!view || !view->HasEngine()) {
        std::fprintf(stderr, "the live preview has no engine\n");
        return 1;
    }
    Wait(3000); // the engine's first start
    const double keystrokeOnMs = KeystrokeMedian(editor, 5);
    Wait(1000);

    // From the render request to the render's end, for one keystroke at a
    // time: the next comes once the last render is over.
    QElapsedTimer sinceRequest;
    bool done = false;
    QObject::connect(view, &CLivePreviewView::renderRequested, [&] {
        sinceRequest.start();
        done = false;
    });
    QEventLoop renderLoop;
    QObject::connect(view, &CLivePreviewView::rendered, [&] {
        done = sinceRequest.isValid();
        if (done)
            renderLoop.quit();
    });
    std::vector<double> renderMs;
    for (int run = 0; run < renders; ++run) {
        sinceRequest.invalidate();
        done = false;
        Keystroke(editor);
        QTimer::singleShot(30000, &renderLoop, &QEventLoop::quit);
        if (!done)
            renderLoop.exec();
        renderMs.push_back(sinceRequest.isValid() ? sinceRequest.nsecsElapsed() / 1e6 : 30000.0);
        Wait(100);
    }
    // Hidden again, with the engine still running: what remains of the
    // difference is not the preview's work per keystroke.
    frame->ExecuteCommand(ZtCmd::ID_VIEW_LIVEPREVIEW);
    const double keystrokeHiddenAgainMs = KeystrokeMedian(editor, 5);
    std::printf("page_kb: %lld KB\n", QFile(page).size() / 1024);
    std::printf("render_median_ms: %.0f ms (from the render request, %d ms after the keystroke)\n",
                Percentile(renderMs, 0.5), CLivePreviewCommands::kRenderDelayMs);
    std::printf("render_p95_ms: %.0f ms\n", Percentile(renderMs, 0.95));
    std::printf("keystroke_preview_off_ms: %.3f ms\n", keystrokeOffMs);
    std::printf("keystroke_preview_on_ms: %.3f ms\n", keystrokeOnMs);
    std::printf("keystroke_preview_hidden_again_ms: %.3f ms\n", keystrokeHiddenAgainMs);
    std::printf("rss_before_preview_mb: %.1f MB\n", rssBefore / 1024.0);
    std::printf("rss_after_preview_mb: %.1f MB\n", RssKb() / 1024.0);
    editor->GetDocument()->SetModifiedFlag(false);
    return 0;
}
