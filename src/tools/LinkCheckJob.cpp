#include "tools/LinkCheckJob.h"

#include "editor/SourceText.h"
#include "files/BackgroundPool.h"
#include "tools/LinkParser.h"
#include "tools/LinkResolver.h"
#include "tools/SiteFileWalker.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThreadPool>

#include <functional>

namespace {
constexpr qint64 kProgressMs = 50;

QString Suffix(const QString& path)
{
    return QFileInfo(path).suffix().toLower();
}

// Files a site needs though no page links to them: its start page and the
// project file.
bool IsEntryFile(const QString& path, const QString& folder)
{
    const QFileInfo info(path);
    if (info.suffix().compare(QLatin1String("ztp"), Qt::CaseInsensitive) == 0)
        return true;
    const QString base = info.completeBaseName().toLower();
    return info.path() == folder && (base == QLatin1String("index") || base == QLatin1String("default"));
}

// The page a server sends for a link to a folder, or nothing when the path
// is no folder or the folder has none of these pages.
QString FolderIndexPage(const QString& folderPath, const CSiteIndex& index)
{
    for (const char* name : {"index.html", "index.htm", "default.htm", "default.html"}) {
        const QString page = folderPath + QLatin1Char('/') + QLatin1String(name);
        if (index.Contains(page))
            return page;
    }
    return QString();
}

qsizetype ColumnOf(const QString& text, qsizetype offset)
{
    const qsizetype lineStart = text.lastIndexOf(QLatin1Char('\n'), offset - 1) + 1;
    return offset - lineStart;
}
} // namespace

CLinkCheckJob::CLinkCheckJob(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<CLinkReport>();
}

CLinkCheckJob::~CLinkCheckJob()
{
    Cancel();
}

bool CLinkCheckJob::IsPage(const QString& path)
{
    static const QStringList pages{QStringLiteral("html"), QStringLiteral("htm"), QStringLiteral("shtml"),
                                   QStringLiteral("xhtml")};
    return pages.contains(Suffix(path));
}

bool CLinkCheckJob::IsStyleSheet(const QString& path)
{
    return Suffix(path) == QLatin1String("css");
}

CLinkReport CLinkCheckJob::Check(const QString& folderPath, const std::atomic<bool>* cancelled,
                                 const std::function<void(int)>& progress)
{
    const QString folder = QDir::cleanPath(folderPath);
    CLinkReport report;
    CSiteIndex index;
    QStringList sources;
    QStringList files;
    CSiteFileWalker walker(folder, QString());
    walker.Walk(
        [&](const QString& path) {
            index.Add(path);
            files << path;
            for (QString parent = QFileInfo(path).path(); parent.size() > folder.size() && !index.Contains(parent);
                 parent = QFileInfo(parent).path())
                index.Add(parent);
            if (IsPage(path) || IsStyleSheet(path))
                sources << path;
            return true;
        },
        cancelled);
    report.unreadable = walker.Unreadable();
    // In name order, so that a report reads the same on every run.
    sources.sort();

    QSet<QString> linked;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    for (const QString& path : std::as_const(sources)) {
        if (cancelled && *cancelled)
            return report;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            report.unreadable << path;
            continue;
        }
        const CSourceText source = CSourceText::Decode(file.readAll());
        CParsedPage page;
        if (IsPage(path))
            page = ZtLinkParser::ParseHtml(source.text);
        else
            page.links = ZtLinkParser::ParseCss(source.text);
        ++report.pagesChecked;
        for (const CPageLink& link : std::as_const(page.links)) {
            const CLinkTarget target = ZtLinkResolver::Resolve(path, page.baseHref, link.url, folder);
            if (target.kind != CLinkTarget::LocalFile)
                continue;
            ++report.linksChecked;
            QString actual;
            const CSiteIndex::Match match = index.Find(target.path, &actual);
            if (match == CSiteIndex::Exact) {
                linked.insert(target.path);
                linked.insert(FolderIndexPage(target.path, index));
                continue;
            }
            CLinkProblem problem{match == CSiteIndex::Missing ? CLinkProblem::Broken : CLinkProblem::CaseDiffers,
                                 path, link.line, ColumnOf(source.text, link.start), link.url, actual};
            report.problems.append(problem);
            if (match == CSiteIndex::CaseDiffers) {
                linked.insert(actual);
                linked.insert(FolderIndexPage(actual, index));
            }
        }
        if (progress && sinceProgress.elapsed() >= kProgressMs) {
            progress(report.pagesChecked);
            sinceProgress.restart();
        }
    }
    QStringList orphans;
    for (const QString& path : std::as_const(files)) {
        if (!linked.contains(path) && !IsEntryFile(path, folder))
            orphans << path;
    }
    orphans.sort();
    for (const QString& path : std::as_const(orphans))
        report.problems.append({CLinkProblem::Orphan, path, 0, 0, QString(), QString()});
    return report;
}

void CLinkCheckJob::Cancel()
{
    m_channel.Cancel();
}

void CLinkCheckJob::Start(const QString& folder)
{
    std::shared_ptr<CJobChannel::CRun> run = m_channel.Start();
    // this is only used on arrival, which the channel allows only while the
    // job lives and still wants the check.
    ZtBackgroundPool().start([this, run, folder] {
        const CLinkReport report = Check(folder, run->CancelledFlag(), [this, &run](int pagesChecked) {
            run->Post([this, pagesChecked] { emit progress(pagesChecked); });
        });
        run->PostLast([this, report] {
            emit progress(report.pagesChecked);
            emit finished(report);
        });
    });
}
