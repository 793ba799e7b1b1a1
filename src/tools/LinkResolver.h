#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// Where a link leads, as far as the files of a site go.
struct CLinkTarget
{
    enum Kind {
        LocalFile, // path: the file or folder it names
        SamePage,  // "#top", "?page=2", "": the page itself
        External,  // a scheme (http:, mailto:, javascript:), "//host/", or below an absolute <base href>
    };
    Kind kind = SamePage;
    QString path;
};

// Turns the links of a page into the files they name, as a browser would on
// a server serving siteFolder at its root: a query and a fragment name no
// file, "%20" and the other percent escapes stand for their characters, "/"
// starts at the site's folder, and a <base href> replaces the page's folder.
namespace ZtLinkResolver {

CLinkTarget Resolve(const QString& pagePath, const QString& baseHref, const QString& url, const QString& siteFolder);
// The link without its query and fragment, and the rest ("?a=1#top").
QString PathPart(const QString& url, QString* suffix = nullptr);

} // namespace ZtLinkResolver

// The files and folders of a site as they are spelt on disk, to tell a link
// that names a file exactly from one whose letter case differs: the second
// works on a case-insensitive file system only, and breaks on a Linux server.
class CSiteIndex
{
public:
    enum Match { Exact, CaseDiffers, Missing };

    void Add(const QString& path);
    // Exact, or CaseDiffers with the spelling on disk in actual, or Missing.
    // Paths outside the indexed folders are looked up on disk.
    Match Find(const QString& path, QString* actual = nullptr) const;
    bool Contains(const QString& path) const { return m_exact.contains(path); }
    const QSet<QString>& Paths() const { return m_exact; }

private:
    QSet<QString> m_exact;
    QHash<QString, QString> m_folded;
    QSet<QString> m_roots;
};
