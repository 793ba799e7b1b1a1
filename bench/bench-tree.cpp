// Expands a project folder of many files in the Project tree and prints how
// long the expansion takes (median of several runs), with and without
// folders among the files.
//
//   build/bin/bench-tree [files] [runs]

#include "projects/ProjectTreeCtrl.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

qint64 MedianExpandMs(CProjectTreeCtrl& tree, int runs, int* shown)
{
    std::vector<qint64> times;
    for (int run = 0; run < runs; ++run) {
        tree.FillTree();
        QTreeWidgetItem* root = tree.topLevelItem(0);
        QElapsedTimer timer;
        timer.start();
        root->setExpanded(true);
        times.push_back(timer.elapsed());
        *shown = root->childCount();
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
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
    const qint64 filesMs = MedianExpandMs(tree, runs, &shown);
    std::printf("expand_files %d\nexpand_files_ms %lld\nshown %d\n", files,
                static_cast<long long>(filesMs), shown);

    // A tenth of them folders, each with one entry (so each gets its button).
    for (int i = 0; i < files / 10; ++i)
        QDir().mkpath(main + QStringLiteral("/folder %1/inner").arg(i));
    const qint64 mixedMs = MedianExpandMs(tree, runs, &shown);
    std::printf("expand_with_folders_ms %lld\nshown %d\n", static_cast<long long>(mixedMs), shown);
    return shown == files + files / 10 ? 0 : 2;
}
