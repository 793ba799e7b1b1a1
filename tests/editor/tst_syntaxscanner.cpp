#include "support/TestMain.h"
#include "support/TokenNames.h"

#include "editor/KeywordLists.h"
#include "editor/KeywordSet.h"
#include "editor/LanguageTable.h"
#include "editor/SyntaxScanner.h"

#include <QRegularExpression>

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

class TestSyntaxScanner : public QObject
{
    Q_OBJECT
private slots:
    void tokens_data();
    void tokens();
    void scanStopsAtNul();
    void offsetShiftsPositions();
    void lookupEqualsListSearch();
    void languageByFileName_data();
    void languageByFileName();
};

void TestSyntaxScanner::tokens_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("table width 100%") << "a.html" << "<TABLE WIDTH=\"100%\">"
                                      << "kw1:TABLE@1 kw1:WIDTH@7 str:\"100%\"@13";
    QTest::newRow("upper-case extension") << "index.HTML" << "<TABLE BORDER>"
                                          << "kw1:TABLE@1 kw1:BORDER@7";
    QTest::newRow("lookups are case-sensitive") << "a.html" << "<table border>" << "";
    QTest::newRow("colour names secondary") << "a.html" << "Red red RED" << "kw2:Red@0";
    QTest::newRow("HTTP-EQUIV never matches") << "a.html" << "HTTP-EQUIV" << "";
    QTest::newRow("H1 is a word") << "a.html" << "<H1>" << "kw1:H1@1";
    QTest::newRow("1H is number then unknown word") << "a.html" << "1H" << "num:1@0";
    QTest::newRow("TABLES is no keyword") << "a.html" << "TABLES" << "";
    QTest::newRow("single quote is no string") << "a.html" << "'TABLE'" << "kw1:TABLE@1";
    QTest::newRow("unterminated string to CR") << "a.html" << "\"abc\rTABLE"
                                               << "str:\"abc@0 kw1:TABLE@5";
    QTest::newRow("string ends at LF and U+2029") << "a.html" << "\"a\nB\"c\u2029d"
                                                  << "str:\"a@0 str:\"c@4";
    QTest::newRow("unterminated string to end") << "a.html" << "x \"TABLE" << "str:\"TABLE@2";
    QTest::newRow("empty and adjacent strings") << "a.html" << "\"\"\"a\"\"b\""
                                                << "str:\"\"@0 str:\"a\"@2 str:\"b\"@5";
    QTest::newRow("bytes from 128 are other text") << "a.html" << "\u00e9TABLE\u00e91\u00e92"
                                                   << "kw1:TABLE@1 num:1@7 num:2@9";
    QTest::newRow("letters beyond ASCII end a word") << "a.html" << "TABLE\u00c4" << "kw1:TABLE@0";
    QTest::newRow("fullwidth digit is no number") << "a.html" << "\uff11" << "";
    QTest::newRow("css number and unit") << "a.css" << "12.5e3px" << "num:12.5e3@0 kw2:px@6";
    QTest::newRow("css primary before secondary") << "s.css" << "color COLOR" << "kw1:color@0 kw2:COLOR@6";
    QTest::newRow("hex is no number") << "a.css" << "0x1F" << "num:0@0";
    QTest::newRow("cnc G92.1") << "p.cnc" << "G92.1" << "kw1:G92@0 num:1@4";
    QTest::newRow("cnc bracket word never matches") << "p.cnc" << "[$FIXTURE] IF" << "kw2:IF@11";
    QTest::newRow("perl underscore words") << "a.pl" << "CONTENT_LENGTH _print print_ print"
                                           << "kw2:CONTENT_LENGTH@0 kw1:print@29";
    QTest::newRow("vbs exact case") << "a.vbs" << "Dim dim DIM vbCrLf" << "kw1:Dim@0 kw2:vbCrLf@12";
    QTest::newRow("java lists") << "A.java" << "JAVA java string" << "kw2:JAVA@0 kw1:string@10";
    QTest::newRow("no language: no strings, no words") << "Makefile" << "\"x\" 12 TABLE" << "num:12@4";
    QTest::newRow("js has no language") << "a.js" << "\"x\" TABLE" << "";

    QTest::newRow("number with point") << "x" << "1." << "num:1.@0";
    QTest::newRow("point exponent") << "x" << "1.e5" << "num:1.e5@0";
    QTest::newRow("exponent needs a digit") << "x" << "1e 2E+ 3e-4 5E+6" << "num:1@0 num:2@3 num:3e-4@7 num:5E+6@12";
    QTest::newRow("leading point") << "x" << ".5" << "num:5@1";
    QTest::newRow("two points") << "x" << "1.2.3" << "num:1.2@0 num:3@4";
    QTest::newRow("digits inside a word") << "a.html" << "A1 H12 A" << "kw1:A@7";
    QTest::newRow("empty text") << "a.html" << "" << "";
}

void TestSyntaxScanner::tokens()
{
    QFETCH(QString, fileName);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const CSyntaxScanner scanner = ScannerFor(fileName);
    QCOMPARE(Describe(text, scanner.Tokens(text)), expected);
}

void TestSyntaxScanner::scanStopsAtNul()
{
    const CSyntaxScanner scanner = ScannerFor(QStringLiteral("a.html"));
    const QString text = QStringLiteral("TABLE") + QChar(0) + QStringLiteral("TABLE");
    std::vector<CSyntaxToken> tokens;
    QCOMPARE(scanner.Scan(text, tokens), 5);
    QCOMPARE(Describe(text, tokens), QStringLiteral("kw1:TABLE@0"));

    // A string stops at the NUL too.
    const QString quoted = QStringLiteral("\"ab") + QChar(0) + QStringLiteral("c\"");
    tokens.clear();
    QCOMPARE(scanner.Scan(quoted, tokens), 3);
    QCOMPARE(Describe(quoted, tokens), QStringLiteral("str:\"ab@0"));
}

void TestSyntaxScanner::offsetShiftsPositions()
{
    const CSyntaxScanner scanner = ScannerFor(QStringLiteral("a.html"));
    std::vector<CSyntaxToken> tokens;
    scanner.Scan(u"<P>", tokens, 100);
    QCOMPARE(tokens.size(), std::size_t(1));
    QCOMPARE(tokens[0], (CSyntaxToken{101, 102, ZtTokenClass::Primary}));
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
        QVERIFY(list.size() > 2 && list.startsWith(QLatin1Char(' ')) && list.endsWith(QLatin1Char(' ')));
        QVERIFY(!list.contains(QStringLiteral("  ")));
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

// Only the part after the last dot counts, in any case, and it must match
// an extension whole.
void TestSyntaxScanner::languageByFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("language");
    QTest::newRow("upper case") << "index.HTML" << "HTML";
    QTest::newRow("htm") << "x.htm" << "HTML";
    QTest::newRow("last dot") << "a.b.css" << "CSS";
    QTest::newRow("prl") << "x.prl" << "Perl";
    QTest::newRow("pm has none") << "x.pm" << "";
    QTest::newRow("jav has none") << "X.jav" << "";
    QTest::newRow("no dot") << "Makefile" << "";
}

void TestSyntaxScanner::languageByFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, language);
    const CLanguageTable::Language* found = CLanguageTable::ForFileName(name);
    QCOMPARE(found ? QString::fromLatin1(found->name) : QString(), language);
    QCOMPARE(CLanguageTable::QuoteChars(found), found ? QStringLiteral("\"") : QString());
}

ZT_TEST_MAIN(TestSyntaxScanner)
#include "tst_syntaxscanner.moc"
