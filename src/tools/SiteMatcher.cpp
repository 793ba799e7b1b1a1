#include "tools/SiteMatcher.h"

#include <QObject>

#include <algorithm>

namespace {
bool IsWordChar(QChar ch)
{
    return ch.isLetterOrNumber() || ch == QLatin1Char('_');
}

bool ContainsBytes(const QByteArray& haystack, const QByteArray& needle, bool matchCase)
{
    if (matchCase)
        return haystack.contains(needle);
    // ASCII letters folded into a buffer kept per thread, then one search: a
    // loop the compiler turns into vector code, far faster than comparing
    // folded bytes one by one. Bytes above 0x7F stay as they are.
    thread_local QByteArray folded;
    folded.resize(haystack.size());
    const auto* from = reinterpret_cast<const unsigned char*>(haystack.constData());
    auto* to = reinterpret_cast<unsigned char*>(folded.data());
    for (qsizetype i = 0; i < haystack.size(); ++i)
        to[i] = from[i] | (static_cast<unsigned char>(from[i] - 'A') < 26u ? 0x20 : 0);
    return QByteArrayView(folded).indexOf(needle.toLower()) >= 0;
}
} // namespace

CSiteMatcher::CSiteMatcher(const CSiteSearchOptions& options)
    : m_options(options)
{
    if (options.pattern.isEmpty()) {
        m_strError = QObject::tr("There is nothing to find.");
        return;
    }
    if (options.regularExpression) {
        QRegularExpression::PatternOptions flags = QRegularExpression::UseUnicodePropertiesOption;
        if (!options.matchCase)
            flags |= QRegularExpression::CaseInsensitiveOption;
        m_regex = QRegularExpression(options.pattern, flags);
        if (!m_regex.isValid())
            m_strError = QObject::tr("The regular expression does not compile: %1 (at character %2).")
                             .arg(m_regex.errorString())
                             .arg(m_regex.patternErrorOffset() + 1);
        else
            m_regex.optimize();
        // Looking around or anchoring to the subject's ends sees past a line
        // in the whole text, so such expressions are matched line by line only.
        static const QRegularExpression seesPastLine(QStringLiteral(R"(\(\?|\\[AzZG])"));
        if (m_regex.isValid() && !seesPastLine.match(options.pattern).hasMatch()) {
            m_wholeText = QRegularExpression(options.pattern, flags | QRegularExpression::MultilineOption);
            m_wholeText.optimize();
        }
        return;
    }
    const bool ascii = std::all_of(options.pattern.begin(), options.pattern.end(),
                                   [](QChar ch) { return ch.unicode() < 0x80; });
    if (ascii)
        m_asciiPattern = options.pattern.toLatin1();
}

bool CSiteMatcher::MayMatch(const QByteArray& bytes) const
{
    if (m_asciiPattern.isEmpty())
        return IsValid();
    if (ContainsBytes(bytes, m_asciiPattern, m_options.matchCase))
        return true;
    // Ignoring case, the Kelvin sign matches "k" and the long s matches "s".
    return !m_options.matchCase && (bytes.contains("\xe2\x84\xaa") || bytes.contains("\xc5\xbf"));
}

bool CSiteMatcher::MayMatchText(const QString& text) const
{
    if (!IsValid())
        return false;
    if (!m_options.regularExpression)
        return text.contains(m_options.pattern, m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
    return !m_wholeText.isValid() || m_wholeText.match(text).hasMatch();
}

CTextSpan CSiteMatcher::NextMatch(QStringView line, qsizetype from, QStringList* groups) const
{
    while (from < line.size()) {
        CTextSpan span{-1, 0};
        if (m_options.regularExpression) {
            const QRegularExpressionMatch match = m_regex.match(line, from);
            if (!match.hasMatch())
                return {-1, 0};
            span = {match.capturedStart(), match.capturedLength()};
            if (groups)
                *groups = match.capturedTexts();
        } else {
            const Qt::CaseSensitivity cs = m_options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
            span = {line.indexOf(m_options.pattern, from, cs), m_options.pattern.size()};
            if (span.start < 0)
                return {-1, 0};
        }
        // An empty match replaces nothing and would stall the search.
        if (span.length > 0 && (!m_options.wholeWord || IsWholeWord(line, span)))
            return span;
        from = span.start + 1;
    }
    return {-1, 0};
}

bool CSiteMatcher::IsWholeWord(QStringView line, const CTextSpan& span) const
{
    const qsizetype end = span.start + span.length;
    return (span.start == 0 || !IsWordChar(line[span.start - 1])) && (end >= line.size() || !IsWordChar(line[end]));
}

QVector<CTextSpan> CSiteMatcher::FindInLine(QStringView line, QStringList* replacements) const
{
    QVector<CTextSpan> spans;
    if (!IsValid())
        return spans;
    QStringList groups;
    for (CTextSpan span = NextMatch(line, 0, &groups); span.start >= 0;
         span = NextMatch(line, span.start + span.length, &groups)) {
        spans.append(span);
        if (replacements)
            replacements->append(Replacement(groups));
    }
    return spans;
}

QString CSiteMatcher::Replacement(const QStringList& groups) const
{
    if (!m_options.regularExpression)
        return m_options.replacement;
    QString text;
    const QString& source = m_options.replacement;
    for (qsizetype i = 0; i < source.size(); ++i) {
        if (source[i] == QLatin1Char('\\') && i + 1 < source.size() && source[i + 1].isDigit()
            && source[i + 1] != QLatin1Char('0')) {
            text += groups.value(source[i + 1].digitValue());
            ++i;
        } else {
            text += source[i];
        }
    }
    return text;
}

QString CSiteMatcher::ReplaceInLine(QStringView line, int* count) const
{
    QString result;
    qsizetype copied = 0;
    QStringList groups;
    for (CTextSpan span = NextMatch(line, 0, &groups); IsValid() && span.start >= 0;
         span = NextMatch(line, span.start + span.length, &groups)) {
        result += line.mid(copied, span.start - copied);
        result += Replacement(groups);
        copied = span.start + span.length;
        ++*count;
    }
    result += line.mid(copied);
    return result;
}
