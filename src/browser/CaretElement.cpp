#include "browser/CaretElement.h"

#include <QHash>
#include <QSet>
#include <QVector>

namespace {

// Elements that have no end tag.
bool IsVoid(const QString& tag)
{
    static const QSet<QString> tags{"area", "base", "br", "col", "embed", "hr", "img", "input", "link",
                                    "meta", "param", "source", "track", "wbr"};
    return tags.contains(tag);
}

// Elements the parser makes by itself when the source leaves them out, and
// those outside the body: no place to scroll to.
bool IsFrame(const QString& tag)
{
    static const QSet<QString> tags{"html", "head", "body", "title", "meta", "link", "base", "style", "script"};
    return tags.contains(tag);
}

bool IsNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char(':');
}

// The end of the tag that starts at start ('<'): just after its '>', past
// quoted values; the text's end when it never closes.
qsizetype TagEnd(const QString& text, qsizetype start)
{
    QChar quote;
    for (qsizetype i = start + 1; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            return i + 1;
        }
    }
    return text.size();
}

struct OpenElement
{
    QString tag;
    int index;
};

} // namespace

CCaretElement CCaretElement::At(const QString& text, qsizetype position)
{
    QHash<QString, int> counts;
    QVector<OpenElement> open;
    CCaretElement last;
    qsizetype i = 0;
    while (i < position) {
        i = text.indexOf(QLatin1Char('<'), i);
        if (i < 0 || i >= position)
            break;
        if (text.mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype end = text.indexOf(QLatin1String("-->"), i + 4);
            i = end < 0 ? text.size() : end + 3;
            continue;
        }
        const bool closing = text.mid(i + 1, 1) == QLatin1String("/");
        qsizetype nameEnd = i + (closing ? 2 : 1);
        while (nameEnd < text.size() && IsNameChar(text.at(nameEnd)))
            ++nameEnd;
        const QString tag = text.mid(i + (closing ? 2 : 1), nameEnd - i - (closing ? 2 : 1)).toLower();
        if (tag.isEmpty() || !tag.at(0).isLetter()) {
            i = TagEnd(text, i); // "<!DOCTYPE", "<?xml", a lone "<"
            continue;
        }
        qsizetype end = TagEnd(text, i);
        if (closing) {
            for (qsizetype k = open.size() - 1; k >= 0; --k) {
                if (open.at(k).tag == tag) {
                    open.resize(k);
                    break;
                }
            }
        } else {
            const int index = counts[tag]++;
            if (!IsFrame(tag))
                last = {tag, index};
            const bool selfClosed = end >= 2 && text.at(end - 2) == QLatin1Char('/');
            if (!IsVoid(tag) && !selfClosed)
                open.append({tag, index});
            // Their insides are text, whatever they look like.
            if (tag == QLatin1String("script") || tag == QLatin1String("style")) {
                const qsizetype close = text.indexOf(QLatin1String("</") + tag, end, Qt::CaseInsensitive);
                if (close < 0 || close >= position)
                    return {}; // the place is inside one
                end = close;
            }
        }
        if (end > position)
            break; // the place is inside this tag
        i = end;
    }
    for (qsizetype k = open.size() - 1; k >= 0; --k) {
        if (!IsFrame(open.at(k).tag))
            return {open.at(k).tag, open.at(k).index};
    }
    return last;
}

QString CCaretElement::RevealScript() const
{
    if (tag.isEmpty())
        return QString();
    // The tag holds name characters only; the document is asked in the
    // isolated world, so the page's own scripts cannot stand in the way.
    return QStringLiteral("(function(){var e=document.getElementsByTagName('%1')[%2];"
                          "if(e)e.scrollIntoView({block:'nearest',inline:'nearest'});})()")
        .arg(tag)
        .arg(index);
}
