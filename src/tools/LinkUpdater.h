#pragma once

#include "tools/OpenText.h"

#include <QString>
#include <QStringList>
#include <QVector>

// One link to write anew: the written value at start (length long) in a
// page's text becomes text.
struct CLinkEdit
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString text;
};

// The links of one page that a move breaks, and what they become.
struct CPageLinkEdits
{
    QString path;
    QPointer<QTextDocument> document; // set when the page is open in the editor
    QVector<CLinkEdit> edits;
};

// Keeps the links of a site pointing where they did when a file or folder
// of it moved from one path to another: the links to what moved, from every
// page and style sheet, and the links of the moved pages themselves to what
// stayed. A new link is relative from its page (a link written from the site's
// root stays so), spelt with the letter case of the names on disk, and keeps
// its query and fragment.
namespace ZtLinkUpdater {

// The edits of one page's text, which now lies at pageNow; html: the text is
// a page's, else a style sheet's. Pages with a <base href> are left alone.
QVector<CLinkEdit> EditsForMove(const QString& text, bool html, const QString& pageNow, const QString& from,
                                const QString& to, const QString& siteFolder);
// Where path is after from moved to to, matching the letter case of from
// loosely as a link may; path itself when the move did not touch it.
QString MovedTarget(const QString& path, const QString& from, const QString& to);
// The written form of a link from a page in pageFolder to target.
QString RelativeLink(const QString& pageFolder, const QString& target);
// path with each name spelt as it is on disk, as far as they can be found.
QString DiskSpelling(const QString& path);

// Every page and style sheet of the site whose links the move breaks; open
// documents are read from the editor.
QVector<CPageLinkEdits> Plan(const QString& siteFolder, const QString& from, const QString& to,
                             const QList<COpenText>& openTexts);
int LinkCount(const QVector<CPageLinkEdits>& plan);
// Writes the edits: in an open document as one undoable edit, in a closed
// file atomically with every other byte kept. Returns "path: why" of each
// page that could not be changed.
QStringList Apply(const QVector<CPageLinkEdits>& plan);

} // namespace ZtLinkUpdater
