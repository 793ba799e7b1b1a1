#pragma once

#include <QString>
#include <QStringView>
#include <QVector>

// One reference to another file, as written in a page or a style sheet.
struct CPageLink
{
    QString url;        // as written, with the character references of HTML decoded
    int line = 0;       // 1-based
    qsizetype start = 0;  // where the written value starts in the text
    qsizetype length = 0; // how long the written value is
};

// The links of a page: its href, src, background and action attributes, the
// url(...) of its style attributes and style elements, and its <base href>.
struct CParsedPage
{
    QVector<CPageLink> links;
    QString baseHref; // empty when the page has no <base href>
};

// Finds links in HTML and CSS text. It reads as browsers read: case does not
// count in names, values may be quoted either way or not at all, comments and
// the inside of script elements hold no links.
namespace ZtLinkParser {

CParsedPage ParseHtml(QStringView text);
QVector<CPageLink> ParseCss(QStringView text);

} // namespace ZtLinkParser
