// How long the Table wizard's largest tables take to build and to insert
// into a coloured page editor, undo included.
//
//   build/bin/bench-table [cells ...]     default: 10000 100000

#include "BenchSetup.h"
#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
#include "editor/ZentrelView.h"
#include "framework/MDIChildWnd.h"
#include "framework/MessageBox.h"
#include "wizards/TableText.h"
#include "wizards/WizardTarget.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double Milliseconds(QElapsedTimer& timer)
{
    const double ms = timer.nsecsElapsed() / 1e6;
    timer.restart();
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    ZtBench::UseOffscreenWithoutDisplay();
    QTemporaryDir profileDir;
    ZtBench::UseOwnProfile(profileDir);
    CZentrelApp app(argc, argv);
    ZtMessageBox::SetHandler([](const QString&, QMessageBox::StandardButtons) { return QMessageBox::Ok; });
    app.WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("SyntaxColoringOn"), 1);
    app.WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 100000);
    CMainFrame* frame = ZtBench::ShowMainFrame(app);

    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.html"));
    QFile file(page);
    file.open(QIODevice::WriteOnly);
    file.write("<HTML>\n<BODY>\n\n</BODY>\n</HTML>\n");
    file.close();
    app.OpenFileInEditor(page, false);
    auto* view = dynamic_cast<CZentrelView*>(frame->MDIGetActive()->GetActiveView());

    std::printf("coloured: %s\n", view->IsSyntaxColoring() ? "yes" : "no");
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.append(atoi(argv[i]));
    if (sizes.isEmpty())
        sizes = {10000, 100000};
    for (int cells : sizes) {
        QElapsedTimer timer;
        timer.start();
        const QString text = BuildTableStartTag({}) + BuildTableRowsText({}, {}, cells / 10, 10);
        const double build = Milliseconds(timer);
        InsertWizardText(frame, text, QString());
        QCoreApplication::processEvents();
        const double insert = Milliseconds(timer);
        view->undo();
        QCoreApplication::processEvents();
        const double undo = Milliseconds(timer);
        std::printf("table_%d_cells: build %.0f ms, insert %.0f ms, undo %.0f ms, %.1f MB\n", cells, build, insert,
                    undo, text.size() / 1048576.0);
    }
    return 0;
}
