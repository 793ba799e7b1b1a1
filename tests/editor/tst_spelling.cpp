#include "support/Dialogs.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "editor/SpellChecker.h"
#include "editor/SpellDecorator.h"
#include "editor/SpellDictionary.h"
#include "editor/SpellTextScanner.h"
#include "editor/SyntaxColorizer.h"
#include "editor/ZentrelView.h"
#include "framework/Profile.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

using ZtTest::Row;

namespace {

const QString kSystemDictionaries = QStringLiteral("/usr/share/hunspell");

// The words each line offers for checking, read line after line as the
// editor does; " | " between lines, "-" for a line without any.
QString TextWords(const QString& page)
{
    QStringList lines;
    CSpellLineState state;
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        QStringList words;
        for (const CSpellTextScanner::Range& word : CSpellTextScanner::Words(line, state, &state))
            words << line.mid(word.start, word.length);
        lines << (words.isEmpty() ? QStringLiteral("-") : words.join(QLatin1Char(' ')));
    }
    return lines.join(QStringLiteral(" | "));
}

// The underlined words of an editor, as word@line.
QString Underlined(const QPlainTextEdit& editor)
{
    QStringList words;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                words << block.text().mid(range.start, range.length) + QLatin1Char('@')
                             + QString::number(block.blockNumber());
        }
    }
    return words.join(QLatin1Char(' '));
}

// A German dictionary of three words, in ISO 8859-1, in folder.
void WriteGermanDictionary(const QString& folder)
{
    ZtTest::WriteFile(folder + QStringLiteral("/de_DE.aff"), "SET ISO8859-1\nTRY esianrtolcdugmphbyfvkwz\n");
    ZtTest::WriteFile(folder + QStringLiteral("/de_DE.dic"), QStringLiteral("3\nHaus\nStra\u00DFe\nM\u00E4dchen\n").toLatin1());
}

void SetSpellingInProfile(bool on)
{
    CProfile::Instance().WriteString(QStringLiteral("Spelling"), QStringLiteral("Check"),
                                     on ? QStringLiteral("yes") : QStringLiteral("no"));
}

// An editor of an HTML page with its own colorizer, checker and decorator.
struct Page
{
    explicit Page(const QString& text, const QString& personalWords = ZtTest::SandboxDir() + QStringLiteral("/words.txt"))
        : checker(personalWords)
    {
        editor.resize(600, 400);
        editor.setPlainText(text);
        colorizer = new CSyntaxColorizer(&editor);
        colorizer->SetLanguage(QStringLiteral("page.html"));
        spelling = new CSpellDecorator(&editor, colorizer, checker);
        QObject::connect(&checker, &CSpellChecker::noticed, [this](const QString& text) { notices << text; });
        spelling->SetFileName(QStringLiteral("page.html"));
    }
    CSpellChecker checker; // outlives the editor and its decorator
    QStringList notices;
    QPlainTextEdit editor;
    CSyntaxColorizer* colorizer;
    CSpellDecorator* spelling;
};

} // namespace

class TestSpelling : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { init(); } // the rows of results are made before any init()
    void init()
    {
        CSpellChecker::SetDictionaryFolders({kSystemDictionaries});
        SetSpellingInProfile(true);
    }

    void results_data();
    void results() { ZtTest::CompareResult(); }
    void dictionaryEncoding();
    void lookBack();
    void missingDictionaryTurnsSpellingOff();
    void pageLanguageChoosesDictionary();
    void pageLanguageWithoutDictionary();
    void contextMenu();
};

namespace {

// The underlined words of a page, as word@line.
QString UnderlinedIn(const QString& text)
{
    Page page(text);
    return Underlined(page.editor);
}

// Why a dictionary of these files (empty: none) cannot be loaded.
QString LoadError(const QByteArray& aff, const QByteArray& dic)
{
    const QString folder = ZtTest::FreshDir(QStringLiteral("damaged"));
    if (!aff.isEmpty())
        ZtTest::WriteFile(folder + QStringLiteral("/xx_XX.aff"), aff);
    if (!dic.isEmpty())
        ZtTest::WriteFile(folder + QStringLiteral("/xx_XX.dic"), dic);
    QString error;
    if (CSpellDictionary::Load(folder + QStringLiteral("/xx_XX.aff"), folder + QStringLiteral("/xx_XX.dic"), &error))
        return QStringLiteral("loaded");
    return error.replace(folder, QStringLiteral("dir"));
}

// Edits a page (removes the character before position when typed is empty,
// else inserts typed there) and shows its last three lines: the underlined
// words before, after, and after an undo when those differ from before.
QString AfterEdit(const QString& text, int position, const QString& typed)
{
    Page page(text);
    const QString before = Underlined(page.editor);
    QTextCursor cursor(page.editor.document());
    cursor.setPosition(position);
    if (typed.isEmpty())
        cursor.deletePreviousChar();
    else
        cursor.insertText(typed);
    // Lines off screen are marked when shown.
    const auto showLastLines = [&page] {
        const QTextDocument* document = page.editor.document();
        const int first = document->findBlockByNumber(qMax(0, document->blockCount() - 3)).position();
        page.colorizer->ColorizeLines(first, document->lastBlock().position());
        return Underlined(page.editor);
    };
    const QString after = showLastLines();
    page.editor.undo();
    const QString undone = showLastLines();
    return before + QStringLiteral(" -> ") + after + (undone == before ? QString() : QStringLiteral(" undone ") + undone);
}
} // namespace

void TestSpelling::results_data()
{
    ZtTest::ResultColumns();
    Row("text between tags", TextWords("<p>Hello <b>brave</b> world</p>"), "Hello brave world");
    Row("names and non-text values", TextWords("<div class=\"wrappr\" id=top>Hi there</div>"), "Hi there");
    Row("alt and title are text", TextWords("<img src=\"pics/cat.png\" alt=\"A sleepy cat\" width=100>"), "sleepy cat");
    Row("unquoted title", TextWords("<abbr title=Hypertext>HTML</abbr>"), "Hypertext HTML");
    Row("URL in a text attribute",
        TextWords("<a href=\"https://example.com/pge\" title=\"https://example.com/x\">Link text</a>"), "Link text");
    Row("comment words, not markup", TextWords("<!-- fix this later -->Done"), "fix this later Done");
    Row("tag inside a comment", TextWords("<!-- <p class=\"old\">Gone</p> -->"), "Gone");
    Row("comment over lines", TextWords("before <!-- first\nsecond -->after"), "before first | second after");
    Row("script over lines", TextWords("<script>\nvar tpyo = 1;\n</script>Back"), "- | - | Back");
    Row("upper-case script, end on the line", TextWords("<SCRIPT type=\"text/javascript\">alert(\"hi\")</SCRIPT> ok now"),
        "ok now");
    Row("style over lines", TextWords("<style>\nbody { colr: red }\n</style>\n<p>Styled</p>"), "- | - | - | Styled");
    Row("script start tag split over lines", TextWords("<script\n type=\"x\">\nwordz\n</script>ok"), "- | - | - | ok");
    Row("tag and value split over lines", TextWords("<img\n  src=\"a.png\"\n  alt=\"Two\n words\">After"),
        "- | - | Two | words After");
    Row("unterminated quote runs on", TextWords("<a title=\"open\nstill open>text"), "open | still open text");
    Row("< and > in a value", TextWords("<a title=\"x < y and z > w\" href=\"a<b\">Shown</a>"), "and Shown");
    Row("< as text", TextWords("if a < b then go"), "if then go");
    Row("doctype and html tag", TextWords("<!DOCTYPE html>\n<html lang=\"en\">"), "- | -");
    Row("entities", TextWords("Fish &amp; chips, caf&eacute;&nbsp;x"), "Fish chips");
    Row("apostrophes", TextWords("don't l'homme it\u2019s 'quoted' dogs'"), "don't l'homme it\u2019s quoted dogs");
    Row("non-ASCII letters", TextWords("na\u00EFve Stra\u00DFe \u0395\u03BB\u03BB\u03AC\u03B4\u03B1 cafe\u0301"),
        "na\u00EFve Stra\u00DFe \u0395\u03BB\u03BB\u03AC\u03B4\u03B1 cafe\u0301");
    Row("glued to digits, addresses, paths",
        TextWords("mp3 user@example.org www.example.com C:\\path x_y end."), "end");

    Row("page language: plain", CSpellTextScanner::PageLanguage(u"<!DOCTYPE html>\n<html lang=\"de\">"), "de");
    Row("page language: upper case, single quotes", CSpellTextScanner::PageLanguage(u"<HTML LANG='en-GB'>"), "en-GB");
    Row("page language: xml:lang",
        CSpellTextScanner::PageLanguage(u"<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"fr\">"), "fr");
    Row("page language: over lines, unquoted", CSpellTextScanner::PageLanguage(u"<html\n dir=ltr\n lang=pt-BR>"),
        "pt-BR");
    Row("page language: no lang", CSpellTextScanner::PageLanguage(u"<html><body lang=\"it\">"), "");
    Row("page language: no html", CSpellTextScanner::PageLanguage(u"<p lang=\"it\">"), "");
    QStringList matched;
    for (const char* language : {"de", "EN-us", "pt", "fr"})
        matched << CSpellChecker::MatchLanguage(language, {"de_AT", "de_DE", "en_GB", "en_US", "pt_BR"});
    Row("dictionaries for de, EN-us, pt, fr", matched.join(' '), "de_DE en_US pt_BR ");

    Row("damaged: missing", LoadError({}, {}), "dir/xx_XX.aff is missing.");
    Row("damaged: no word count", LoadError("SET UTF-8\n", "hello\nworld\n"),
        "dir/xx_XX.dic is damaged: it does not start with its word count.");
    Row("damaged: binary", LoadError("SET UTF-8\n", QByteArray("\x7f\x45\x4c\x46\x02\x01\x01\x00", 8)),
        "dir/xx_XX.dic is damaged: it does not start with its word count.");
    Row("damaged: unknown encoding", LoadError("SET NO-SUCH-CODE\n", "1\nhello\n"),
        "dir/xx_XX.aff is damaged: its encoding \"NO-SUCH-CODE\" is unknown.");
    Row("damaged: knows none of its words", LoadError("NEEDAFFIX X\n", "1\nhello/X\n"),
        "dir/xx_XX.dic is damaged: the dictionary does not know its own words.");

    Row("underlined: text", UnderlinedIn("<p>Thiss is a tset</p>"), "Thiss@0 tset@0");
    Row("underlined: correct page", UnderlinedIn("<html lang=\"en\"><p>All is well, isn't it?</p>"), "");

    const QString longScript = QStringLiteral("<script>\n") + QStringLiteral("var a;\n").repeated(CSpellDecorator::kLookBackLines + 100)
                               + QStringLiteral("</script><style>\n");
    Row("edit: script opened above", AfterEdit("<p>\nwrongg\n</p>", 0, "<script>"), "wrongg@1 -> ");
    Row("edit: style opened on a new line", AfterEdit("<p>\nwrongg\n</p>", 0, "<style>\n"), "wrongg@1 -> ");
    Row("edit: tag closed above", AfterEdit("<p class=\"x\nwrongg\">thier", 11, "\">"), "thier@1 -> wrongg@1 thier@1");
    Row("edit: script closed above", AfterEdit("<script>\nvar a;\nwrongg", 14, "</script>"), " -> wrongg@2");
    Row("edit: long script pasted above", AfterEdit("<p>\nwrongg\n</p>", 0, longScript), "wrongg@1 -> ");
    Row("edit: line split, nothing opened", AfterEdit("<p>wrongg here\nalso wrongg</p>", 3, "\n"),
        "wrongg@0 wrongg@1 -> wrongg@1 wrongg@2");
    Row("edit: lines joined inside a script", AfterEdit("<script>\nvar a;\n</script>\n<p>wrongg</p>", 14, ""),
        "wrongg@3 -> wrongg@3");
}

// Each word as "word" when known, "word?" when not.
static QString Known(CSpellDictionary& dictionary, const QStringList& words)
{
    QStringList result;
    for (const QString& word : words)
        result << (dictionary.IsKnown(word) ? word : word + QLatin1Char('?'));
    return result.join(QLatin1Char(' '));
}

void TestSpelling::dictionaryEncoding()
{
    const QString folder = ZtTest::FreshDir(QStringLiteral("latin1"));
    WriteGermanDictionary(folder);
    QString error;
    auto german = CSpellDictionary::Load(folder + QStringLiteral("/de_DE.aff"), folder + QStringLiteral("/de_DE.dic"), &error);
    QVERIFY2(german, qPrintable(error));
    // Greek cannot be written in Latin-1: not the dictionary's to judge.
    QCOMPARE(Known(*german, {"Stra\u00DFe", "M\u00E4dchen", "Strase", "\u0395\u03BB\u03BB\u03AC\u03B4\u03B1"}),
             QStringLiteral("Stra\u00DFe M\u00E4dchen Strase? \u0395\u03BB\u03BB\u03AC\u03B4\u03B1"));
    QVERIFY(german->Suggestions(QStringLiteral("Madchen"), 5).contains(QStringLiteral("M\u00E4dchen")));

    auto english = CSpellDictionary::Load(kSystemDictionaries + QStringLiteral("/en_US.aff"),
                                          kSystemDictionaries + QStringLiteral("/en_US.dic"), &error);
    QVERIFY2(english, qPrintable(error));
    QCOMPARE(Known(*english, {CSpellTextScanner::DictionaryForm(QStringLiteral("it\u2019s")), "don't", "speling"}),
             QStringLiteral("it's don't speling?"));
    const QStringList suggestions = english->Suggestions(QStringLiteral("speling"), CSpellChecker::kMaxSuggestions);
    QVERIFY(suggestions.contains(QStringLiteral("spelling")) && suggestions.size() <= CSpellChecker::kMaxSuggestions);
}

void TestSpelling::lookBack()
{
    // A line coloured on its own finds the script it lies in by looking back.
    QStringList lines{QStringLiteral("<script>")};
    for (int i = 0; i < CSpellDecorator::kLookBackLines * 3 / 4; ++i)
        lines << QStringLiteral("var x;");
    lines << QStringLiteral("wrongg;") << QStringLiteral("</script><p>wrongg</p>");
    Page longScript(lines.join(QLatin1Char('\n')));
    const int lastLines = longScript.editor.document()->findBlockByNumber(lines.size() - 2).position();
    longScript.colorizer->ColorizeLines(lastLines, lastLines + 20);
    QCOMPARE(Underlined(longScript.editor), QStringLiteral("wrongg@%1").arg(lines.size() - 1));
}

void TestSpelling::missingDictionaryTurnsSpellingOff()
{
    CSpellChecker::SetDictionaryFolders({ZtTest::FreshDir(QStringLiteral("nodictionaries"))});
    SetSpellingInProfile(false);
    CSpellChecker checker(ZtTest::SandboxDir() + QStringLiteral("/words.txt"));
    ZtTest::CMessageLog messages;
    checker.SetEnabled(true);
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.first().contains(QStringLiteral("en_US")), qPrintable(messages.texts.first()));
    QVERIFY(!checker.IsEnabled());

    // On from the last run, it turns itself off when a page needs it.
    SetSpellingInProfile(true);
    Page page(QStringLiteral("<p>wrongg</p>"));
    QCOMPARE(messages.texts.size(), 2);
    QCOMPARE(CProfile::Instance().GetString(QStringLiteral("Spelling"), QStringLiteral("Check")), QStringLiteral("no"));
    QCOMPARE(Underlined(page.editor), QString());
}

void TestSpelling::pageLanguageChoosesDictionary()
{
    const QString folder = ZtTest::FreshDir(QStringLiteral("german"));
    WriteGermanDictionary(folder);
    CSpellChecker::SetDictionaryFolders({folder, kSystemDictionaries});
    Page page(QStringLiteral("<html lang=\"de\">\n<p>Haus Hauss house</p>"));
    QCOMPARE(Underlined(page.editor), QStringLiteral("Hauss@1 house@1"));

    // Typing another language switches once the edit is over.
    QTextCursor cursor(page.editor.document());
    cursor.setPosition(12);
    cursor.setPosition(14, QTextCursor::KeepAnchor);
    cursor.insertText(QStringLiteral("en"));
    QTRY_COMPARE(Underlined(page.editor), QStringLiteral("Haus@1 Hauss@1"));
}

void TestSpelling::pageLanguageWithoutDictionary()
{
    // Only en_US is installed: German words are not all misspelt English.
    Page page(QStringLiteral("<html lang=\"de\">\n<p>Haus Hauss house</p>"));
    // The underlined words and the notices so far, after an edit at position.
    auto edited = [&page](int position, int removed, const QString& text) {
        QTextCursor cursor(page.editor.document());
        cursor.setPosition(position);
        cursor.setPosition(position + removed, QTextCursor::KeepAnchor);
        cursor.insertText(text);
        QCoreApplication::processEvents();
        return Underlined(page.editor) + QLatin1Char('|') + QString::number(page.notices.size());
    };
    QCOMPARE(page.notices, QStringList{"No spelling dictionary for the language de of this page."});
    // Typing on the page says nothing more; the page's language followed:
    // checked in English, unchecked again in German without a second word, a
    // third language told of once.
    QCOMPARE(edited(page.editor.document()->characterCount() - 1, 0, " Wortt"), "|1");
    QCOMPARE(edited(12, 2, "en"), "Haus@1 Hauss@1 Wortt@1|1");
    QCOMPARE(edited(12, 2, "de"), "|1");
    QCOMPARE(edited(12, 2, "fr"), "|2");
    QCOMPARE(edited(12, 2, "de"), "|2");
    QCOMPARE(page.notices.last(), QStringLiteral("No spelling dictionary for the language fr of this page."));

    // Spelling turned off and on again tells again.
    page.checker.SetEnabled(false);
    page.checker.SetEnabled(true);
    QCOMPARE(page.notices.size(), 3);
    QCOMPARE(page.notices.last(), page.notices.first());
    QCOMPARE(Underlined(page.editor), QString());
}

void TestSpelling::contextMenu()
{
    CZentrelView view;
    view.setPlainText(QStringLiteral("<p>Zentrel wrold</p>"));
    view.SetLanguage(QStringLiteral("page.html"));
    // The menu's items at position, "--" for a separator; the item named
    // chosen is triggered.
    auto menu = [&view](int position, const QString& chosen = QString()) {
        QMenu menu;
        menu.addAction(QStringLiteral("&Wizards"));
        view.AddContextItems(&menu, position);
        QStringList texts;
        for (QAction* action : menu.actions()) {
            texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
            if (action->text() == chosen)
                action->trigger();
        }
        return texts;
    };
    auto marksAndWords = [&view] {
        return Underlined(view) + QLatin1Char('|') + QString::fromUtf8(ZtTest::ReadFile(CPersonalWordList::DefaultPath()));
    };
    // Outside a misspelt word the menu stays as it was.
    QCOMPARE(menu(1), QStringList{QStringLiteral("&Wizards")});
    const QStringList wrold = menu(13);
    QCOMPARE(wrold.mid(wrold.indexOf(QStringLiteral("--"))).join(QLatin1Char('|')),
             QStringLiteral("--|Add to Dictionary|Ignore|--|&Wizards"));
    QVERIFY(wrold.contains(QStringLiteral("world")) && wrold.indexOf(QStringLiteral("--")) <= CSpellChecker::kMaxSuggestions);

    // A suggestion replaces the word as one undoable edit.
    menu(15, QStringLiteral("world"));
    QCOMPARE(view.toPlainText(), QStringLiteral("<p>Zentrel world</p>"));
    view.undo();
    QCOMPARE(view.toPlainText(), QStringLiteral("<p>Zentrel wrold</p>"));

    // Added words are kept in the personal list; ignored ones are not.
    QCOMPARE(Underlined(view), QStringLiteral("Zentrel@0 wrold@0"));
    menu(5, QStringLiteral("Add to Dictionary"));
    QCOMPARE(marksAndWords(), QStringLiteral("wrold@0|Zentrel\n"));
    menu(13, QStringLiteral("Ignore"));
    QCOMPARE(marksAndWords(), QStringLiteral("|Zentrel\n"));
}

ZT_TEST_MAIN(TestSpelling)
#include "tst_spelling.moc"
