#include "tools/ShellWords.h"

#include <QRegularExpression>

namespace ZtShellWords {

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

// Inside double quotes a backslash escapes only these.
bool EscapableInDoubleQuotes(QChar c)
{
    return QStringLiteral("\"\\$`\n").contains(c);
}

} // namespace

QStringList Split(const QString& text)
{
    QStringList words;
    QString word;
    bool inWord = false; // a word has begun, even if it is still empty ("")
    enum class EQuote { None, Single, Double } quote = EQuote::None;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool hasNext = i + 1 < text.size();
        if (quote == EQuote::Single) {
            if (c == QLatin1Char('\''))
                quote = EQuote::None;
            else
                word += c;
        } else if (quote == EQuote::Double) {
            if (c == QLatin1Char('"'))
                quote = EQuote::None;
            else if (c == QLatin1Char('\\') && hasNext && EscapableInDoubleQuotes(text.at(i + 1)))
                word += text.at(++i);
            else
                word += c;
        } else if (IsBlank(c)) {
            if (inWord)
                words.append(std::exchange(word, QString()));
            inWord = false;
        } else {
            inWord = true;
            if (c == QLatin1Char('\''))
                quote = EQuote::Single;
            else if (c == QLatin1Char('"'))
                quote = EQuote::Double;
            else if (c == QLatin1Char('\\') && hasNext)
                word += text.at(++i);
            else
                word += c;
        }
    }
    if (inWord)
        words.append(word);
    return words;
}

QString Quote(const QString& word)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_@%+=:,./-]+$"));
    if (plain.match(word).hasMatch())
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString Join(const QStringList& words)
{
    QStringList quoted;
    for (const QString& word : words)
        quoted.append(Quote(word));
    return quoted.join(QLatin1Char(' '));
}

} // namespace ZtShellWords
