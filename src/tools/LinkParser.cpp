#include "tools/LinkParser.h"

#include <QSet>

namespace {

bool IsSpace(QChar ch)
{
    return ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r')
        || ch == QLatin1Char('\f');
}

bool IsLinkAttribute(QStringView name)
{
    static const QSet<QString> names{QStringLiteral("href"), QStringLiteral("src"), QStringLiteral("background"),
                                     QStringLiteral("action")};
    return names.contains(name.toString().toLower());
}

// The few character references a link is likely to hold; "&amp;" above all.
QString DecodeReferences(QStringView value)
{
    if (!value.contains(QLatin1Char('&')))
        return value.toString();
    QString text = value.toString();
    text.replace(QLatin1String("&amp;"), QLatin1String("&"), Qt::CaseInsensitive);
    text.replace(QLatin1String("&#38;"), QLatin1String("&"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""), Qt::CaseInsensitive);
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    return text;
}

// Counts lines as the scanner moves forward, so that no offset is counted
// from the top twice.
class CLineCounter
{
public:
    explicit CLineCounter(QStringView text) : m_text(text) {}
    int LineAt(qsizetype offset)
    {
        for (; m_at < offset; ++m_at) {
            if (m_text[m_at] == QLatin1Char('\n'))
                ++m_line;
        }
        return m_line;
    }

private:
    QStringView m_text;
    qsizetype m_at = 0;
    int m_line = 1;
};

void ParseCssInto(QStringView text, qsizetype base, CLineCounter& lines, QVector<CPageLink>* links)
{
    qsizetype at = 0;
    while (true) {
        const qsizetype url = text.indexOf(QLatin1String("url("), at, Qt::CaseInsensitive);
        if (url < 0)
            return;
        qsizetype start = url + 4;
        while (start < text.size() && IsSpace(text[start]))
            ++start;
        QChar quote;
        if (start < text.size() && (text[start] == QLatin1Char('"') || text[start] == QLatin1Char('\'')))
            quote = text[start++];
        qsizetype end = start;
        while (end < text.size() && (quote.isNull() ? text[end] != QLatin1Char(')') && !IsSpace(text[end])
                                                    : text[end] != quote))
            ++end;
        if (end >= text.size())
            return;
        links->append({text.mid(start, end - start).toString(), lines.LineAt(base + start), base + start,
                       end - start});
        at = end;
    }
}

class CHtmlScanner
{
public:
    explicit CHtmlScanner(QStringView text) : m_text(text), m_lines(text) {}

    CParsedPage Scan()
    {
        while (m_at < m_text.size()) {
            const qsizetype open = m_text.indexOf(QLatin1Char('<'), m_at);
            if (open < 0)
                break;
            m_at = open + 1;
            if (m_text.mid(m_at).startsWith(QLatin1String("!--"))) {
                SkipPast(QLatin1String("-->"), m_at + 3);
                continue;
            }
            ScanTag();
        }
        return m_page;
    }

private:
    void SkipPast(QLatin1String end, qsizetype from)
    {
        const qsizetype found = m_text.indexOf(end, from, Qt::CaseInsensitive);
        m_at = found < 0 ? m_text.size() : found + end.size();
    }

    void ScanTag()
    {
        const qsizetype nameStart = m_at;
        while (m_at < m_text.size() && (m_text[m_at].isLetterOrNumber() || m_text[m_at] == QLatin1Char('-')))
            ++m_at;
        const QString tag = m_text.mid(nameStart, m_at - nameStart).toString().toLower();
        if (tag.isEmpty())
            return;
        ScanAttributes(tag);
        // The inside of a script holds no links; that of a style element holds CSS.
        if (tag == QLatin1String("script")) {
            SkipPast(QLatin1String("</script"), m_at);
        } else if (tag == QLatin1String("style")) {
            const qsizetype start = m_at;
            SkipPast(QLatin1String("</style"), m_at);
            const qsizetype end = m_at < m_text.size() ? m_at - 7 : m_at;
            ParseCssInto(m_text.mid(start, end - start), start, m_lines, &m_page.links);
        }
    }

    void ScanAttributes(const QString& tag)
    {
        while (m_at < m_text.size()) {
            while (m_at < m_text.size() && (IsSpace(m_text[m_at]) || m_text[m_at] == QLatin1Char('/')))
                ++m_at;
            if (m_at >= m_text.size() || m_text[m_at] == QLatin1Char('>')) {
                ++m_at;
                return;
            }
            const qsizetype nameStart = m_at;
            while (m_at < m_text.size() && !IsSpace(m_text[m_at]) && m_text[m_at] != QLatin1Char('=')
                   && m_text[m_at] != QLatin1Char('>'))
                ++m_at;
            const QStringView name = m_text.mid(nameStart, qMax(qsizetype(1), m_at - nameStart));
            if (m_at == nameStart)
                ++m_at; // a stray character
            qsizetype probe = m_at;
            while (probe < m_text.size() && IsSpace(m_text[probe]))
                ++probe;
            if (probe >= m_text.size() || m_text[probe] != QLatin1Char('='))
                continue;
            m_at = probe + 1;
            while (m_at < m_text.size() && IsSpace(m_text[m_at]))
                ++m_at;
            TakeValue(tag, name);
        }
    }

    void TakeValue(const QString& tag, QStringView name)
    {
        qsizetype start = m_at;
        qsizetype end = m_at;
        if (m_at < m_text.size() && (m_text[m_at] == QLatin1Char('"') || m_text[m_at] == QLatin1Char('\''))) {
            const QChar quote = m_text[m_at];
            start = m_at + 1;
            end = m_text.indexOf(quote, start);
            if (end < 0)
                end = m_text.size();
            m_at = qMin(end + 1, m_text.size());
        } else {
            while (end < m_text.size() && !IsSpace(m_text[end]) && m_text[end] != QLatin1Char('>'))
                ++end;
            m_at = end;
        }
        const QStringView value = m_text.mid(start, end - start);
        if (name.compare(QLatin1String("style"), Qt::CaseInsensitive) == 0) {
            ParseCssInto(value, start, m_lines, &m_page.links);
        } else if (IsLinkAttribute(name)) {
            if (tag == QLatin1String("base")) {
                if (m_page.baseHref.isEmpty() && name.compare(QLatin1String("href"), Qt::CaseInsensitive) == 0)
                    m_page.baseHref = DecodeReferences(value).trimmed();
                return;
            }
            m_page.links.append({DecodeReferences(value), m_lines.LineAt(start), start, end - start});
        }
    }

    QStringView m_text;
    CLineCounter m_lines;
    qsizetype m_at = 0;
    CParsedPage m_page;
};

} // namespace

namespace ZtLinkParser {

CParsedPage ParseHtml(QStringView text)
{
    return CHtmlScanner(text).Scan();
}

QVector<CPageLink> ParseCss(QStringView text)
{
    QVector<CPageLink> links;
    CLineCounter lines(text);
    ParseCssInto(text, 0, lines, &links);
    return links;
}

} // namespace ZtLinkParser
