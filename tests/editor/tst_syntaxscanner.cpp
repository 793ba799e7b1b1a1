#include "support/ResultTable.h"
#include "support/TestMain.h"
#include "support/TokenNames.h"

#include "editor/KeywordLists.h"
#include "editor/KeywordSet.h"
#include "editor/LanguageTable.h"
#include "editor/SyntaxScanner.h"

#include <QRegularExpression>

using ZtTest::Row;

// Tokens are written as class:text@start, one blank between them; classes
// are kw1 (primary), kw2 (secondary), str and num.
static QString Describe(QStringView text, const std::vector<CSyntaxToken>& tokens)
{
    QStringList parts;
    for (const CSyntaxToken& token : tokens)
        parts << ZtTest::DescribeToken(token.tokenClass, text, token.start, token.end - token.start);
    return parts.join(QLatin1Char(' '));
}

static CSyntaxScanner ScannerFor(const QString& fileName)
{
    const CLanguageTable::Language* language = CLanguageTable::ForFileName(fileName);
    if (!language)
        return CSyntaxScanner(QString(), QString(), QString());
    return CSyntaxScanner(CLanguageTable::QuoteChars(language), *language->primaryList,
                          *language->secondaryList);
}

// The tokens of text in the language of fileName, positions shifted by
// offset, then "stop@n" when the scan stopped at n, short of the end.
static QString Tokens(const QString& fileName, const QString& text, int offset = 0)
{
    std::vector<CSyntaxToken> tokens;
    const int scanned = ScannerFor(fileName).Scan(text, tokens, offset);
    const QString described = Describe(QString(offset, QLatin1Char(' ')) + text, tokens);
    return scanned == text.size() ? described : described + QStringLiteral(" stop@%1").arg(scanned);
}

// The language a file name gets; its strings start with a double quote.
static QString Language(const QString& name)
{
    const CLanguageTable::Language* found = CLanguageTable::ForFileName(name);
    const QString quotes = CLanguageTable::QuoteChars(found);
    if (quotes != (found ? QStringLiteral("\"") : QString()))
        return QStringLiteral("quotes: ") + quotes;
    return found ? QString::fromLatin1(found->name) : QString();
}

class TestSyntaxScanner : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void lookupEqualsListSearch();
};

void TestSyntaxScanner::results_data()
{
    ZtTest::ResultColumns();
    Row("table width 100%", Tokens("a.html", "<TABLE WIDTH=\"100%\">"), "kw1:TABLE@1 kw1:WIDTH@7 str:\"100%\"@13");
    Row("upper-case extension", Tokens("index.HTML", "<TABLE BORDER>"), "kw1:TABLE@1 kw1:BORDER@7");
    Row("lookups are case-sensitive", Tokens("a.html", "<table border>"), "");
    Row("colour names secondary", Tokens("a.html", "Red red RED"), "kw2:Red@0");
    Row("HTTP-EQUIV never matches", Tokens("a.html", "HTTP-EQUIV"), "");
    Row("H1 is a word", Tokens("a.html", "<H1>"), "kw1:H1@1");
    Row("1H is number then unknown word", Tokens("a.html", "1H"), "num:1@0");
    Row("TABLES is no keyword", Tokens("a.html", "TABLES"), "");
    Row("single quote is no string", Tokens("a.html", "'TABLE'"), "kw1:TABLE@1");
    Row("unterminated string to CR", Tokens("a.html", "\"abc\rTABLE"), "str:\"abc@0 kw1:TABLE@5");
    Row("string ends at LF and U+2029", Tokens("a.html", "\"a\nB\"c\u2029d"), "str:\"a@0 str:\"c@4");
    Row("unterminated string to end", Tokens("a.html", "x \"TABLE"), "str:\"TABLE@2");
    Row("empty and adjacent strings", Tokens("a.html", "\"\"\"a\"\"b\""), "str:\"\"@0 str:\"a\"@2 str:\"b\"@5");
    Row("bytes from 128 are other text", Tokens("a.html", "\u00e9TABLE\u00e91\u00e92"), "kw1:TABLE@1 num:1@7 num:2@9");
    Row("letters beyond ASCII end a word", Tokens("a.html", "TABLE\u00c4"), "kw1:TABLE@0");
    Row("fullwidth digit is no number", Tokens("a.html", "\uff11"), "");
    Row("css number and unit", Tokens("a.css", "12.5e3px"), "num:12.5e3@0 kw2:px@6");
    Row("css primary before secondary", Tokens("s.css", "color COLOR"), "kw1:color@0 kw2:COLOR@6");
    Row("hex is no number", Tokens("a.css", "0x1F"), "num:0@0");
    Row("cnc G92.1", Tokens("p.cnc", "G92.1"), "kw1:G92@0 num:1@4");
    Row("cnc bracket word never matches", Tokens("p.cnc", "[$FIXTURE] IF"), "kw2:IF@11");
    Row("perl underscore words", Tokens("a.pl", "CONTENT_LENGTH _print print_ print"), "kw2:CONTENT_LENGTH@0 kw1:print@29");
    Row("vbs exact case", Tokens("a.vbs", "Dim dim DIM vbCrLf"), "kw1:Dim@0 kw2:vbCrLf@12");
    Row("java lists", Tokens("A.java", "JAVA java string"), "kw2:JAVA@0 kw1:string@10");
    Row("no language: no strings, no words", Tokens("Makefile", "\"x\" 12 TABLE"), "num:12@4");
    Row("js has no language", Tokens("a.js", "\"x\" TABLE"), "");

    Row("number with point", Tokens("x", "1."), "num:1.@0");
    Row("point exponent", Tokens("x", "1.e5"), "num:1.e5@0");
    Row("exponent needs a digit", Tokens("x", "1e 2E+ 3e-4 5E+6"), "num:1@0 num:2@3 num:3e-4@7 num:5E+6@12");
    Row("leading point", Tokens("x", ".5"), "num:5@1");
    Row("two points", Tokens("x", "1.2.3"), "num:1.2@0 num:3@4");
    Row("digits inside a word", Tokens("a.html", "A1 H12 A"), "kw1:A@7");
    Row("empty text", Tokens("a.html", ""), "");
    Row("nul stops the scan", Tokens("a.html", QStringLiteral("TABLE") + QChar(0) + "TABLE"), "kw1:TABLE@0 stop@5");
    Row("nul stops a string", Tokens("a.html", QStringLiteral("\"ab") + QChar(0) + "c\""), "str:\"ab@0 stop@3");
    Row("offset shifts positions", Tokens("a.html", "<P>", 100), "kw1:P@101");

    // Only the part after the last dot counts, and it must match an
    // extension whole (letter case has its rows in tst_filekinds).
    Row("language: htm", Language("x.htm"), "HTML");
    Row("language: last dot", Language("a.b.css"), "CSS");
    Row("language: prl", Language("x.prl"), "Perl");
    Row("language: pm has none", Language("x.pm"), "");
    Row("language: jav has none", Language("X.jav"), "");
}

// Every list has list form (one blank before and after each word), which the
// search in it and the appending of lists rely on; the hashed lookup answers
// as that search does, for the lists as a view holds them and malformed ones.
void TestSyntaxScanner::lookupEqualsListSearch()
{
    const QString shipped[] = {
        CKeywordLists::HtmlTags(),        CKeywordLists::HtmlColors(),   CKeywordLists::StyleProperties(),
        CKeywordLists::StyleValues(),     CKeywordLists::PerlFunctions(), CKeywordLists::CgiVariables(),
        CKeywordLists::CncCodes(),        CKeywordLists::CncMacroWords(), CKeywordLists::VbsKeywords(),
        CKeywordLists::VbsConstants(),    CKeywordLists::JavaKeywords(),  CKeywordLists::JavaSecondary()};
    QStringList lists;
    for (const QString& list : shipped) {
        QVERIFY2(list.size() > 2 && list.startsWith(QLatin1Char(' ')) && list.endsWith(QLatin1Char(' ')),
                 qPrintable(list.left(40)));
        QVERIFY2(!list.contains(QStringLiteral("  ")), qPrintable(list.left(40)));
        lists << list;
    }
    lists << CKeywordLists::HtmlTags() + CKeywordLists::HtmlColors() << QStringLiteral("head middle tail")
          << QStringLiteral("  two  blanks  ") << QString();
    // Candidate words: every word-character run in any list, with variants.
    QStringList candidates;
    const QRegularExpression wordRun(QStringLiteral("[A-Za-z0-9_]+"));
    for (const QString& list : std::as_const(lists)) {
        for (auto it = wordRun.globalMatch(list); it.hasNext();) {
            const QString word = it.next().captured();
            candidates << word << word.toLower() << word.toUpper() << word.left(word.size() - 1)
                       << word.mid(1) << word + QStringLiteral("S");
        }
    }
    for (const QString& list : std::as_const(lists)) {
        const CKeywordSet set(list);
        for (const QString& word : std::as_const(candidates)) {
            if (!word.isEmpty() && set.Contains(word) != (CKeywordSet::FindInList(list, word) >= 0))
                QFAIL(qPrintable(QStringLiteral("'%1' in '%2'").arg(word, list.left(40))));
        }
    }
}

ZT_TEST_MAIN(TestSyntaxScanner)
#include "tst_syntaxscanner.moc"
