// Expands a project folder of many files in the Project tree and prints how
// long the expansion takes until the entries are shown (median of several
// runs), with and without folders among the files. The folder is read on a
// worker thread; expand_held_ms is how long the expansion itself holds the
// window.
//
//   build/bin/bench-tree [files] [runs]

#include "Median.h"
#include "projects/ProjectTreeCtrl.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {


qint64 MedianExpandMs(CProjectTreeCtrl& tree, int runs, int* shown, qint64* heldMs)
{
    std::vector<qint64> times;
    std::vector<qint64> held;
    for (int run = 0; run < runs; ++run) {
        tree.FillTree();
        QTreeWidgetItem* root = tree.topLevelItem(0);
        QEventLoop shownLoop;
        QObject::connect(&tree, &CFolderTreeCtrl::folderRead, &shownLoop, &QEventLoop::quit);
        QElapsedTimer timer;
        timer.start();
        root->setExpanded(true);
        held.push_back(timer.elapsed());
        shownLoop.exec();
        times.push_back(timer.elapsed());
        *shown = root->childCount();
    }
    *heldMs = ZtBench::Median(held);
    return ZtBench::Median(times);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int files = argc > 1 ? QByteArray(argv[1]).toInt() : 5000;
    const int runs = argc > 2 ? QByteArray(argv[2]).toInt() : 9;
    QTemporaryDir dir;
    const QString main = dir.path() + QStringLiteral("/Site");
    QDir().mkpath(main);
    for (int i = 0; i < files; ++i) {
        QFile file(main + QStringLiteral("/page %1.htm").arg(files - i));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }
    QFile(main + QStringLiteral("/Site.ztp")).open(QIODevice::WriteOnly);

    CProjectTreeCtrl tree;
    tree.resize(300, 600);
    tree.show();
    tree.SetProjectPath(main + QStringLiteral("/Site.ztp"));
    int shown = 0;
    qint64 heldMs = 0;
    const qint64 filesMs = MedianExpandMs(tree, runs, &shown, &heldMs);
    std::printf("expand_files %d\nexpand_files_ms %lld\nexpand_held_ms %lld\nshown %d\n", files,
                static_cast<long long>(filesMs), static_cast<long long>(heldMs), shown);

    // A tenth of them folders, each with one entry (so each gets its button).
    for (int i = 0; i < files / 10; ++i)
        QDir().mkpath(main + QStringLiteral("/folder %1/inner").arg(i));
    const qint64 mixedMs = MedianExpandMs(tree, runs, &shown, &heldMs);
    std::printf("expand_with_folders_ms %lld\nshown %d\n", static_cast<long long>(mixedMs), shown);
    return shown == files + files / 10 ? 0 : 2;
}
