#include "browser/PreviewSite.h"

#include "browser/BrowserEngine.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The real place of path with links followed; for a path to nothing, the
// real place of its folder with the name added. Empty when not even the
// folder exists.
QString RealPath(const QString& path)
{
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    if (!real.isEmpty())
        return real;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty() || info.fileName().isEmpty() || info.fileName() == QLatin1String("..")
        || info.fileName() == QLatin1String("."))
        return QString();
    return folder + QLatin1Char('/') + info.fileName();
}

QString FolderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

} // namespace

QString CPreviewSite::SiteRoot(const QString& pagePath, const QString& projectFolder)
{
    if (!projectFolder.isEmpty() && IsInside(projectFolder, pagePath))
        return projectFolder;
    return FolderOf(pagePath);
}

bool CPreviewSite::IsInside(const QString& root, const QString& path)
{
    if (root.isEmpty() || path.isEmpty() || !QDir::isAbsolutePath(path))
        return false;
    const QString realRoot = QFileInfo(root).canonicalFilePath();
    const QString realPath = RealPath(path);
    if (realRoot.isEmpty() || realPath.isEmpty())
        return false;
    if (realPath == realRoot)
        return true;
    const QString prefix = realRoot.endsWith(QLatin1Char('/')) ? realRoot : realRoot + QLatin1Char('/');
    return realPath.startsWith(prefix);
}

QUrl CPreviewSite::PreviewUrl(const QString& path)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(CBrowserEngine::kPreviewScheme));
    // Set as a decoded path, never pasted into a string: "#", "?" and "%"
    // in a folder name would turn into a fragment, a query or an escape.
    url.setPath(path, QUrl::DecodedMode);
    return url;
}

QString CPreviewSite::PathOfPreviewUrl(const QUrl& url)
{
    if (url.scheme() != QLatin1String(CBrowserEngine::kPreviewScheme))
        return QString();
    return url.path(QUrl::FullyDecoded);
}

QString CPreviewSite::LocalPathOf(const QUrl& url)
{
    return url.isLocalFile() ? url.toLocalFile() : PathOfPreviewUrl(url);
}

bool CPreviewSite::MayLoad(const QUrl& url, const QUrl& pageUrl, const QString& projectFolder)
{
    const bool local = url.isLocalFile() || url.scheme() == QLatin1String(CBrowserEngine::kPreviewScheme);
    if (!local)
        return true;
    const QString pagePath = LocalPathOf(pageUrl);
    if (pagePath.isEmpty())
        return false;
    return IsInside(SiteRoot(pagePath, projectFolder), LocalPathOf(url));
}
