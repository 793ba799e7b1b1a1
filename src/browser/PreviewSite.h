#pragma once

#include <QString>
#include <QUrl>

// Which files a previewed page may read: those of its own site and nothing
// else on the disk. A page is often someone else's template, and its
// scripts could otherwise read any of the user's files and send them out.
//
// The site is the open project's folder when the page lies inside it, else
// the page's own folder. Remote addresses (a CDN's style sheets, scripts
// and pictures) are no concern of these rules.
class CPreviewSite
{
public:
    // The folder a page's site starts at. projectFolder is empty while no
    // project is open.
    static QString SiteRoot(const QString& pagePath, const QString& projectFolder);

    // Whether path lies in the folder root or below it, where the file
    // really is: links are followed and ".." is resolved first, so neither
    // leads out. A path to nothing is judged by the folder it would be in;
    // one whose folder does not exist is outside.
    static bool IsInside(const QString& root, const QString& path);

    // The live preview's address of a local file, and the file of such an
    // address (empty for any other address). Every character of a path
    // survives the way there and back ("#", "?", "%", spaces).
    static QUrl PreviewUrl(const QString& path);
    static QString PathOfPreviewUrl(const QUrl& url);
    // The local file of a file:// or preview address; empty for any other.
    static QString LocalPathOf(const QUrl& url);

    // Whether the page at pageUrl may load url into itself: anything that
    // is not a local file; a local file (by file:// or the preview's
    // address) only from the page's site, and never into a page that is
    // not local itself.
    static bool MayLoad(const QUrl& url, const QUrl& pageUrl, const QString& projectFolder);
};
