// What looking for files changed by other programs costs when a window is
// activated: 50 pages open in the web-page editor, none changed on disk.
// Prints the median time of one check of all 50 files, and for comparison
// the median time of activating a child window (which includes the check).
//
//   build/bin/bench-diskcheck [runs]

#include "BenchSetup.h"
#include "Median.h"
#include "app/ZentrelApp.h"
#include "framework/DocTemplate.h"
#include "framework/MDIChildWnd.h"
#include "framework/MessageBox.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {


} // namespace

int main(int argc, char** argv)
{
    ZtBench::UseOffscreenWithoutDisplay();
    QTemporaryDir profileDir;
    ZtBench::UseOwnProfile(profileDir);
    CZentrelApp app(argc, argv);
    CMainFrame* frame = ZtBench::ShowMainFrame(app);
    int messages = 0;
    ZtMessageBox::SetHandler([&messages](const QString& text, QMessageBox::StandardButtons) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        ++messages;
        return QMessageBox::No;
    });
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    constexpr int kFiles = 50;

    QTemporaryDir dir;
    QByteArray page = "<HTML>\r\n<BODY>\r\n";
    while (page.size() < 20 * 1024)
        page += "<P>A paragraph of the page with <B>some</B> markup.</P>\r\n";
    for (int index = 0; index < kFiles; ++index) {
        const QString path = dir.filePath(QStringLiteral("page%1.html").arg(index));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(page);
        file.close();
        app.WebPageTemplate()->OpenDocumentFile(path);
    }
    QCoreApplication::processEvents();
    const QList<CMDIChildWnd*> children = frame->ChildFrames();

    std::vector<double> checkUs, activateUs;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        frame->CheckFilesOnDisk();
        checkUs.push_back(timer.nsecsElapsed() / 1e3);
        timer.restart();
        frame->MdiArea()->setActiveSubWindow(children.at(run % children.size()));
        QCoreApplication::processEvents();
        activateUs.push_back(timer.nsecsElapsed() / 1e3);
    }
    std::printf("open_files: %lld\n", static_cast<long long>(children.size()));
    std::printf("check_50_files_us: %.0f us\n", ZtBench::Median(checkUs));
    std::printf("activate_child_us: %.0f us\n", ZtBench::Median(activateUs));
    std::printf("messages: %d\n", messages);
    return children.size() == kFiles && messages == 0 ? 0 : 1;
}
