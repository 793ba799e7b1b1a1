#include "tools/LinkUpdater.h"

#include "editor/SourceText.h"
#include "files/AtomicFile.h"
#include "tools/LinkCheckJob.h"
#include "tools/LinkParser.h"
#include "tools/LinkResolver.h"
#include "tools/SiteFileWalker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QObject>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace {
bool IsUnder(const QString& path, const QString& folder, Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    return path.compare(folder, cs) == 0 || path.startsWith(folder + QLatin1Char('/'), cs);
}

// Where a page now at pageNow lay before the move.
QString PathBefore(const QString& pageNow, const QString& from, const QString& to)
{
    return IsUnder(pageNow, to) ? from + pageNow.mid(to.size()) : pageNow;
}

// The text of an open document with each block on a line of its own, so
// that offsets in it are positions in the document.
QString DocumentText(const QTextDocument* document)
{
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

// The relative link with each name spelt as the written link spelt it, so
// that percent escapes the author wrote stay.
QString KeptEscapes(const QString& relative, const QString& writtenPath)
{
    QHash<QString, QString> writtenNames;
    for (const QString& name : writtenPath.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        writtenNames.insert(QString::fromUtf8(QByteArray::fromPercentEncoding(name.toUtf8())), name);
    QStringList names = relative.split(QLatin1Char('/'));
    for (QString& name : names) {
        const QString plain = QString::fromUtf8(QByteArray::fromPercentEncoding(name.toUtf8()));
        name = writtenNames.value(plain, name);
    }
    return names.join(QLatin1Char('/'));
}

QString Applied(QString text, const QVector<CLinkEdit>& edits)
{
    for (qsizetype i = edits.size() - 1; i >= 0; --i)
        text.replace(edits[i].start, edits[i].length, edits[i].text);
    return text;
}

bool WriteFileEdits(const CPageLinkEdits& page, QString* why)
{
    QFile file(page.path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    CSourceText source = CSourceText::Decode(bytes);
    if (CSourceText::FirstNul(bytes) >= 0 || source.Bytes() != bytes) {
        *why = QObject::tr("does not read back as the same bytes");
        return false;
    }
    source.text = Applied(source.text, page.edits);
    return CAtomicFile::Write(page.path, source.Bytes(), why);
}

void ApplyToDocument(const CPageLinkEdits& page)
{
    QTextCursor cursor(page.document);
    cursor.beginEditBlock();
    for (qsizetype i = page.edits.size() - 1; i >= 0; --i) {
        cursor.setPosition(int(page.edits[i].start));
        cursor.setPosition(int(page.edits[i].start + page.edits[i].length), QTextCursor::KeepAnchor);
        cursor.insertText(page.edits[i].text);
    }
    cursor.endEditBlock();
}
} // namespace

namespace ZtLinkUpdater {

QString MovedTarget(const QString& path, const QString& from, const QString& to)
{
    if (IsUnder(path, from))
        return to + path.mid(from.size());
    if (IsUnder(path, from, Qt::CaseInsensitive))
        return to + path.mid(from.size());
    return path;
}

QString DiskSpelling(const QString& path)
{
    if (QFileInfo::exists(path) || !path.startsWith(QLatin1Char('/')))
        return path;
    QString spelt;
    for (const QString& name : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QString found = name;
        if (!QFileInfo::exists(spelt + QLatin1Char('/') + name)) {
            const QStringList entries = QDir(spelt.isEmpty() ? QStringLiteral("/") : spelt)
                                            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
            for (const QString& entry : entries) {
                if (entry.compare(name, Qt::CaseInsensitive) == 0) {
                    found = entry;
                    break;
                }
            }
        }
        spelt += QLatin1Char('/') + found;
    }
    return spelt;
}

QString RelativeLink(const QString& pageFolder, const QString& target)
{
    QString relative = QDir(pageFolder).relativeFilePath(target);
    // Only what would end the path or start an escape is escaped.
    relative.replace(QLatin1Char('%'), QLatin1String("%25"));
    relative.replace(QLatin1Char(' '), QLatin1String("%20"));
    relative.replace(QLatin1Char('#'), QLatin1String("%23"));
    relative.replace(QLatin1Char('?'), QLatin1String("%3F"));
    return relative;
}

QVector<CLinkEdit> EditsForMove(const QString& text, bool html, const QString& pageNow, const QString& from,
                                const QString& to, const QString& siteFolder)
{
    QVector<CLinkEdit> edits;
    CParsedPage page;
    if (html)
        page = ZtLinkParser::ParseHtml(text);
    else
        page.links = ZtLinkParser::ParseCss(text);
    if (!page.baseHref.isEmpty())
        return edits;
    const QString pageBefore = PathBefore(pageNow, from, to);
    const bool pageMoved = pageBefore != pageNow;
    for (const CPageLink& link : std::as_const(page.links)) {
        const QString written = text.mid(link.start, link.length);
        if (written.trimmed().startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
            continue;
        const CLinkTarget target = ZtLinkResolver::Resolve(pageBefore, QString(), link.url, siteFolder);
        if (target.kind != CLinkTarget::LocalFile)
            continue;
        const QString targetNow = MovedTarget(target.path, from, to);
        if (!pageMoved && targetNow == target.path)
            continue;
        // A link that still leads where it did, from where the page is now,
        // stays as the author wrote it.
        const CLinkTarget stillLeads = ZtLinkResolver::Resolve(pageNow, QString(), link.url, siteFolder);
        if (stillLeads.kind == CLinkTarget::LocalFile && stillLeads.path == targetNow)
            continue;
        QString suffix;
        const QString writtenPath = ZtLinkResolver::PathPart(written.trimmed(), &suffix);
        const QString spelt = DiskSpelling(targetNow);
        const bool fromRoot = writtenPath.startsWith(QLatin1Char('/'));
        QString relative = KeptEscapes(RelativeLink(fromRoot ? siteFolder : QFileInfo(pageNow).path(), spelt),
                                       writtenPath);
        // The site's root or the page's own folder is "" here, never ".".
        if (relative == QLatin1String("."))
            relative.clear();
        while (relative.endsWith(QLatin1Char('/')))
            relative.chop(1);
        const bool folder = QFileInfo(spelt).isDir();
        QString newLink = fromRoot ? QLatin1Char('/') + relative : relative;
        if (folder && !newLink.endsWith(QLatin1Char('/')) && (relative.isEmpty() || writtenPath.endsWith(QLatin1Char('/'))))
            newLink += relative.isEmpty() && !fromRoot ? QLatin1String("./") : QLatin1String("/");
        newLink += suffix;
        if (newLink != written.trimmed())
            edits.append({link.start, link.length, newLink});
    }
    return edits;
}

QVector<CPageLinkEdits> Plan(const QString& siteFolder, const QString& from, const QString& to,
                             const QList<COpenText>& openTexts)
{
    QVector<CPageLinkEdits> plan;
    CSiteFileWalker walker(siteFolder, QString());
    walker.Walk([&](const QString& path) {
        const bool html = CLinkCheckJob::IsPage(path);
        if (!html && !CLinkCheckJob::IsStyleSheet(path))
            return true;
        CPageLinkEdits page{path, nullptr, {}};
        const auto open = std::find_if(openTexts.begin(), openTexts.end(),
                                       [&](const COpenText& text) { return text.path == path && text.document; });
        QString text;
        if (open != openTexts.end()) {
            page.document = open->document;
            text = DocumentText(open->document);
        } else {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                return true;
            text = CSourceText::Decode(file.readAll()).text;
        }
        page.edits = EditsForMove(text, html, path, from, to, siteFolder);
        if (!page.edits.isEmpty())
            plan.append(page);
        return true;
    });
    return plan;
}

int LinkCount(const QVector<CPageLinkEdits>& plan)
{
    int count = 0;
    for (const CPageLinkEdits& page : plan)
        count += int(page.edits.size());
    return count;
}

QStringList Apply(const QVector<CPageLinkEdits>& plan)
{
    QStringList failures;
    for (const CPageLinkEdits& page : plan) {
        QString why;
        if (page.document)
            ApplyToDocument(page);
        else if (!WriteFileEdits(page, &why))
            failures << QStringLiteral("%1: %2").arg(page.path, why);
    }
    return failures;
}

} // namespace ZtLinkUpdater
