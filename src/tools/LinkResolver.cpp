#include "tools/LinkResolver.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace {
bool HasScheme(const QString& url)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]*:"));
    return scheme.match(url).hasMatch();
}

QString FolderOf(const QString& path)
{
    return QFileInfo(path).path();
}

QString Decoded(const QString& path)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(path.toUtf8()));
}
} // namespace

namespace ZtLinkResolver {

QString PathPart(const QString& url, QString* suffix)
{
    qsizetype cut = url.size();
    for (const QChar mark : {QLatin1Char('?'), QLatin1Char('#')}) {
        const qsizetype at = url.indexOf(mark);
        if (at >= 0)
            cut = qMin(cut, at);
    }
    if (suffix)
        *suffix = url.mid(cut);
    return url.left(cut);
}

CLinkTarget Resolve(const QString& pagePath, const QString& baseHref, const QString& url, const QString& siteFolder)
{
    const QString written = url.trimmed();
    if (written.startsWith(QLatin1String("//")))
        return {CLinkTarget::External, {}};
    if (HasScheme(written)) {
        if (!written.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
            return {CLinkTarget::External, {}};
        const QString local = QUrl(PathPart(written)).toLocalFile();
        return local.isEmpty() ? CLinkTarget{CLinkTarget::External, {}}
                               : CLinkTarget{CLinkTarget::LocalFile, QDir::cleanPath(local)};
    }
    const QString path = Decoded(PathPart(written));
    if (path.isEmpty())
        return {CLinkTarget::SamePage, {}};
    QString folder = FolderOf(pagePath);
    if (!baseHref.isEmpty()) {
        const CLinkTarget base = Resolve(pagePath, QString(), baseHref, siteFolder);
        if (base.kind == CLinkTarget::External)
            return {CLinkTarget::External, {}};
        if (base.kind == CLinkTarget::LocalFile)
            folder = PathPart(baseHref).endsWith(QLatin1Char('/')) ? base.path : FolderOf(base.path);
    }
    if (path.startsWith(QLatin1Char('/')))
        return {CLinkTarget::LocalFile, QDir::cleanPath(siteFolder + path)};
    return {CLinkTarget::LocalFile, QDir::cleanPath(folder + QLatin1Char('/') + path)};
}

} // namespace ZtLinkResolver

void CSiteIndex::Add(const QString& path)
{
    m_exact.insert(path);
    m_folded.insert(path.toCaseFolded(), path);
    m_roots.insert(FolderOf(path));
}

CSiteIndex::Match CSiteIndex::Find(const QString& path, QString* actual) const
{
    if (m_exact.contains(path))
        return Exact;
    const auto folded = m_folded.constFind(path.toCaseFolded());
    if (folded != m_folded.constEnd()) {
        if (actual)
            *actual = folded.value();
        return CaseDiffers;
    }
    // A link that leaves the indexed folders is checked on the disk itself.
    if (!m_roots.contains(FolderOf(path)) && QFileInfo::exists(path))
        return Exact;
    return Missing;
}
