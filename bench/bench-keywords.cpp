// Expands a Keywords folder whose keyword file holds many lines and prints
// how long the expansion takes (median of several runs), then how long one
// keyword edit (a new first line: read, edit, write, read the folder again)
// takes on that file.
//
//   build/bin/bench-keywords [lines] [runs]

#include "Median.h"
#include "projects/KeywordFile.h"
#include "projects/KeywordsTreeCtrl.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {


} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int lines = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    const int runs = argc > 2 ? QByteArray(argv[2]).toInt() : 7;
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/Keywords/Big");
    QDir().mkpath(folder);
    QByteArray bytes;
    for (int i = 0; i < lines; ++i)
        bytes += "<span class=\"keyword-" + QByteArray::number(i) + "\"></span>\r\n";
    QFile file(folder + QStringLiteral("/big.kwd"));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return 1;
    file.close();

    CKeywordsTreeCtrl tree;
    tree.resize(300, 600);
    tree.show();
    std::vector<qint64> expand, edit, pure;
    int shown = 0;
    for (int run = 0; run < runs; ++run) {
        tree.FillTree(dir.path() + QStringLiteral("/Keywords"));
        QTreeWidgetItem* root = tree.topLevelItem(0);
        root->setExpanded(true);
        QTreeWidgetItem* big = root->child(0);
        QElapsedTimer timer;
        timer.start();
        big->setExpanded(true);
        QApplication::processEvents();
        expand.push_back(timer.elapsed());
        shown = big->childCount();

        timer.restart();
        const QByteArray edited = CKeywordFile::InsertLine(bytes, 0, QStringLiteral("first"));
        pure.push_back(timer.elapsed());
        // A drop of the first keyword onto the last moves it: the whole round trip.
        timer.restart();
        tree.DropItem(big->child(1), big->child(big->childCount() - 1));
        QApplication::processEvents();
        edit.push_back(timer.elapsed());
        Q_UNUSED(edited);
    }
    std::printf("lines %d\nshown %d\nexpand_ms %lld\ninsert_line_pure_ms %lld\nmove_line_round_trip_ms %lld\n", lines,
                shown, ZtBench::Median(expand), ZtBench::Median(pure), ZtBench::Median(edit));
    return 0;
}
