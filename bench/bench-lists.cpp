// Fills the List bar's list with a folder of many files, and expands a
// folder of many sub-folders in the Desktop tree; prints the medians of
// several runs.
//
//   build/bin/bench-lists [files] [folders] [runs]

#include "Median.h"
#include "projects/DesktopTreeCtrl.h"
#include "projects/FileListCtrl.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {


// From the request to the last row in name order; the first rows show
// long before.
qint64 FillMs(CFileListCtrl& list, const QString& folder, qint64* firstRowsMs, int* rows)
{
    bool filled = false;
    const QMetaObject::Connection done =
        QObject::connect(&list, &CFileListCtrl::listFilled, [&filled] { filled = true; });
    QElapsedTimer timer;
    timer.start();
    list.ShowFolder(folder);
    *firstRowsMs = -1;
    while (!filled) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        if (*firstRowsMs < 0 && list.RowCount() > 0)
            *firstRowsMs = timer.elapsed();
    }
    const qint64 elapsed = timer.elapsed();
    QObject::disconnect(done);
    *rows = list.RowCount();
    return elapsed;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int files = argc > 1 ? QByteArray(argv[1]).toInt() : 50000;
    const int folders = argc > 2 ? QByteArray(argv[2]).toInt() : 5000;
    const int runs = argc > 3 ? QByteArray(argv[3]).toInt() : 5;
    QTemporaryDir dir;
    const QString many = dir.filePath(QStringLiteral("many"));
    QDir().mkpath(many);
    for (int i = 0; i < files; ++i) {
        QFile file(many + QStringLiteral("/page %1.htm").arg(files - i));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }
    const QString tree = dir.filePath(QStringLiteral("tree"));
    for (int i = 0; i < folders; ++i)
        QDir().mkpath(tree + QStringLiteral("/folder %1").arg(i));

    CFileListCtrl list;
    list.resize(600, 400);
    list.show();
    std::vector<qint64> fills, firsts;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        qint64 first = 0;
        fills.push_back(FillMs(list, many, &first, &rows));
        firsts.push_back(first);
    }
    std::printf("list_files %d\nlist_rows %d\nlist_fill_ms %lld\nlist_first_rows_ms %lld\n", files, rows,
                ZtBench::Median(fills), ZtBench::Median(firsts));

    CDesktopTreeCtrl desktop;
    desktop.resize(300, 600);
    desktop.show();
    std::vector<qint64> expands, returns;
    int shown = 0;
    for (int run = 0; run < runs; ++run) {
        QTreeWidgetItem* home = desktop.topLevelItem(0);
        home->setExpanded(true);
        desktop.setCurrentItem(home);
        // The item stands for the test folder; a fresh one each run.
        desktop.PopulateTree();
        QTreeWidgetItem* item = new QTreeWidgetItem({QStringLiteral("tree")});
        item->setData(0, Qt::UserRole, tree);
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        desktop.addTopLevelItem(item);
        // The folders are read on a worker: from the click to the last
        // folder shown, and how long the window was held by the click.
        bool read = false;
        const QMetaObject::Connection done = QObject::connect(
            &desktop, &CShellTree::folderRead, [&read, item](QTreeWidgetItem* filled) { read |= filled == item; });
        QElapsedTimer timer;
        timer.start();
        item->setExpanded(true);
        returns.push_back(timer.elapsed());
        while (!read)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        QCoreApplication::processEvents();
        expands.push_back(timer.elapsed());
        QObject::disconnect(done);
        shown = item->childCount();
    }
    std::printf("tree_folders %d\ntree_shown %d\ntree_expand_ms %lld\ntree_expand_returns_ms %lld\n", folders, shown,
                ZtBench::Median(expands), ZtBench::Median(returns));
    return 0;
}
