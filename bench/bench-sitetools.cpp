// Find in Files over a large site and the link check over many pages.
//
// Writes a site of `files` files (about 10 KB each, so 10,000 files make
// 100 MB) and times, warm cache, median of `runs`:
//   find_ms          a plain word found in few files (the byte prefilter's case)
//   find_nocase_ms   the same word ignoring case
//   find_common_ms   a word on every line of every file (every file decoded)
//   find_regex_ms    a regular expression (every file decoded and matched)
//   ui_max_busy_ms   the longest the event loop went without turning during a
//                    search: how long the window could freeze
// Then writes `pages` linked pages and times the link check over them.
//
//   build/bin/bench-sitetools [files] [pages] [runs]

#include "Median.h"
#include "tools/LinkCheckJob.h"
#include "tools/SiteSearchJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {


void Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// About 10 KB of markup: 128 lines of 80 bytes, some CR LF, some LF.
QByteArray PageBytes(int number, bool withNeedle)
{
    QByteArray page;
    for (int line = 0; line < 128; ++line) {
        QByteArray text = "<p class=\"body\">Lorem ipsum dolor sit amet, consectetur common " + QByteArray::number(number * 131 + line);
        if (withNeedle && line == 64)
            text += " Needleword";
        text = text.leftJustified(78, ' ');
        page += text + (line % 2 ? "\r\n" : "\n");
    }
    return page;
}

struct CSearchTimes
{
    qint64 medianMs = 0;
    qint64 uiMaxBusyMs = 0;
    int matches = 0;
    int files = 0;
};

CSearchTimes TimeFind(const QString& folder, const CSiteSearchOptions& options, int runs)
{
    CSearchTimes result;
    std::vector<qint64> times;
    for (int run = 0; run < runs; ++run) {
        CSiteSearchJob job;
        QEventLoop loop;
        QObject::connect(&job, &CSiteSearchJob::finished, &loop, [&](const CSiteSearchSummary& summary) {
            result.matches = summary.matches;
            result.files = summary.files;
            loop.quit();
        });
        // A 1 ms tick measures how long the event loop is held between turns.
        QElapsedTimer sinceTick;
        qint64 longest = 0;
        QTimer tick;
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceTick.restart());
        });
        QElapsedTimer timer;
        timer.start();
        sinceTick.start();
        tick.start();
        job.StartFind(folder, QStringLiteral("*.html;*.css"), options, {});
        loop.exec();
        times.push_back(timer.elapsed());
        result.uiMaxBusyMs = std::max(result.uiMaxBusyMs, longest);
    }
    result.medianMs = ZtBench::Median(times);
    return result;
}

CSiteSearchOptions Options(const QString& pattern, bool matchCase, bool regex)
{
    CSiteSearchOptions options;
    options.pattern = pattern;
    options.matchCase = matchCase;
    options.regularExpression = regex;
    return options;
}

void Report(const char* name, const CSearchTimes& times)
{
    std::printf("%-16s %6lld ms   ui_max_busy %3lld ms   %d matches in %d files\n", name,
                static_cast<long long>(times.medianMs), static_cast<long long>(times.uiMaxBusyMs), times.matches,
                times.files);
}

void WriteLinkedSite(const QString& folder, int pages)
{
    for (int i = 0; i < pages; ++i) {
        QByteArray page = "<html><head><link rel=stylesheet href=\"../style.css\"></head><body>\n";
        for (int k = 1; k <= 10; ++k) {
            const int target = (i + k * 37) % pages;
            page += "<p><a href=\"../d" + QByteArray::number(target / 100) + "/p" + QByteArray::number(target)
                  + ".html#s" + QByteArray::number(k) + "\">Page " + QByteArray::number(target) + "</a>\n";
        }
        page += "<img src=\"../img/pic" + QByteArray::number(i % 50) + ".png\"> <a href=\"mailto:a@example.org\">m</a>\n";
        if (i % 500 == 0)
            page += "<a href=\"missing" + QByteArray::number(i) + ".html\">broken</a>\n";
        page += QByteArray(6000, 'x') + "\n</body></html>\n";
        Write(folder + QStringLiteral("/d%1/p%2.html").arg(i / 100).arg(i), page);
    }
    for (int i = 0; i < 50; ++i)
        Write(folder + QStringLiteral("/img/pic%1.png").arg(i), "png");
    Write(folder + "/style.css", "body { background: url(img/pic0.png) }\n");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int pages = argc > 2 ? std::atoi(argv[2]) : 5000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;

    QTemporaryDir dir;
    const QString site = dir.path() + QStringLiteral("/site");
    qint64 bytes = 0;
    for (int i = 0; i < files; ++i) {
        const QByteArray page = PageBytes(i, i % 500 == 7);
        bytes += page.size();
        Write(site + QStringLiteral("/f%1/page%2.html").arg(i / 100).arg(i), page);
    }
    std::printf("site: %d files, %.1f MB\n", files, double(bytes) / 1e6);
    TimeFind(site, Options("Needleword", true, false), 1); // warms the cache
    Report("find", TimeFind(site, Options("Needleword", true, false), runs));
    Report("find_nocase", TimeFind(site, Options("needleword", false, false), runs));
    Report("find_common", TimeFind(site, Options("common", true, false), runs));
    Report("find_regex", TimeFind(site, Options("Needle\\w+", true, true), runs));

    const QString linked = dir.path() + QStringLiteral("/linked");
    WriteLinkedSite(linked, pages);
    CLinkCheckJob::Check(linked); // warms the cache
    std::vector<qint64> times;
    CLinkReport report;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        report = CLinkCheckJob::Check(linked);
        times.push_back(timer.elapsed());
    }
    std::printf("link_check       %6lld ms   %d pages, %d links, %lld findings\n", static_cast<long long>(ZtBench::Median(times)),
                report.pagesChecked, report.linksChecked, static_cast<long long>(report.problems.size()));
    return 0;
}
