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
#include <QScrollBar>
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
    void init()
    {
        CSpellChecker::SetDictionaryFolders({kSystemDictionaries});
        SetSpellingInProfile(true);
    }

    void textWords_data();
    void textWords();
    void pageLanguage_data();
    void pageLanguage();
    void damagedDictionary_data();
    void damagedDictionary();
    void dictionaryEncoding();
    void underlines_data();
    void underlines();
    void editsReachLinesBelow_data();
    void editsReachLinesBelow();
    void lookBack();
    void missingDictionaryTurnsSpellingOff();
    void pageLanguageChoosesDictionary();
    void pageLanguageWithoutDictionary();
    void contextMenu();
};

void TestSpelling::textWords_data()
{
    ZtTest::ResultColumns();
    Row("text between tags", TextWords(QStringLiteral("<p>Hello <b>brave</b> world</p>")),
        QStringLiteral("Hello brave world"));
    Row("names and non-text values", TextWords(QStringLiteral("<div class=\"wrappr\" id=top>Hi there</div>")),
        QStringLiteral("Hi there"));
    Row("alt and title are text", TextWords(QStringLiteral("<img src=\"pics/cat.png\" alt=\"A sleepy cat\" width=100>")),
        QStringLiteral("sleepy cat"));
    Row("unquoted title", TextWords(QStringLiteral("<abbr title=Hypertext>HTML</abbr>")),
        QStringLiteral("Hypertext HTML"));
    Row("URL in a text attribute",
        TextWords(QStringLiteral("<a href=\"https://example.com/pge\" title=\"https://example.com/x\">Link text</a>")),
        QStringLiteral("Link text"));
    Row("comment words, not markup", TextWords(QStringLiteral("<!-- fix this later -->Done")),
        QStringLiteral("fix this later Done"));
    Row("tag inside a comment", TextWords(QStringLiteral("<!-- <p class=\"old\">Gone</p> -->")), QStringLiteral("Gone"));
    Row("comment over lines", TextWords(QStringLiteral("before <!-- first\nsecond -->after")),
        QStringLiteral("before first | second after"));
    Row("script over lines", TextWords(QStringLiteral("<script>\nvar tpyo = 1;\n</script>Back")),
        QStringLiteral("- | - | Back"));
    Row("upper-case script, end on the line",
        TextWords(QStringLiteral("<SCRIPT type=\"text/javascript\">alert(\"hi\")</SCRIPT> ok now")),
        QStringLiteral("ok now"));
    Row("style over lines", TextWords(QStringLiteral("<style>\nbody { colr: red }\n</style>\n<p>Styled</p>")),
        QStringLiteral("- | - | - | Styled"));
    Row("script start tag split over lines", TextWords(QStringLiteral("<script\n type=\"x\">\nwordz\n</script>ok")),
        QStringLiteral("- | - | - | ok"));
    Row("tag and value split over lines", TextWords(QStringLiteral("<img\n  src=\"a.png\"\n  alt=\"Two\n words\">After")),
        QStringLiteral("- | - | Two | words After"));
    Row("unterminated quote runs on", TextWords(QStringLiteral("<a title=\"open\nstill open>text")),
        QStringLiteral("open | still open text"));
    Row("< and > in a value", TextWords(QStringLiteral("<a title=\"x < y and z > w\" href=\"a<b\">Shown</a>")),
        QStringLiteral("and Shown"));
    Row("< as text", TextWords(QStringLiteral("if a < b then go")), QStringLiteral("if then go"));
    Row("doctype and html tag", TextWords(QStringLiteral("<!DOCTYPE html>\n<html lang=\"en\">")),
        QStringLiteral("- | -"));
    Row("entities", TextWords(QStringLiteral("Fish &amp; chips, caf&eacute;&nbsp;x")), QStringLiteral("Fish chips"));
    Row("apostrophes", TextWords(QStringLiteral("don't l'homme it\u2019s 'quoted' dogs'")),
        QStringLiteral("don't l'homme it\u2019s quoted dogs"));
    Row("non-ASCII letters", TextWords(QStringLiteral("na\u00EFve Stra\u00DFe \u0395\u03BB\u03BB\u03AC\u03B4\u03B1 cafe\u0301")),
        QStringLiteral("na\u00EFve Stra\u00DFe \u0395\u03BB\u03BB\u03AC\u03B4\u03B1 cafe\u0301"));
    Row("glued to digits, addresses, paths",
        TextWords(QStringLiteral("mp3 user@example.org www.example.com C:\\path x_y end.")), QStringLiteral("end"));
}

void TestSpelling::textWords()
{
    ZtTest::CompareResult();
}

void TestSpelling::pageLanguage_data()
{
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "<!DOCTYPE html>\n<html lang=\"de\">" << "de";
    QTest::newRow("upper case, single quotes") << "<HTML LANG='en-GB'>" << "en-GB";
    QTest::newRow("xml:lang") << "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"fr\">" << "fr";
    QTest::newRow("over lines, unquoted") << "<html\n dir=ltr\n lang=pt-BR>" << "pt-BR";
    QTest::newRow("no lang") << "<html><body lang=\"it\">" << "";
    QTest::newRow("no html") << "<p lang=\"it\">" << "";
}

void TestSpelling::pageLanguage()
{
    QFETCH(QString, head);
    QFETCH(QString, expected);
    QCOMPARE(CSpellTextScanner::PageLanguage(head), expected);
    const QStringList installed{QStringLiteral("de_AT"), QStringLiteral("de_DE"), QStringLiteral("en_GB"),
                                QStringLiteral("en_US"), QStringLiteral("pt_BR")};
    QCOMPARE(CSpellChecker::MatchLanguage(QStringLiteral("de"), installed), QStringLiteral("de_DE"));
    QCOMPARE(CSpellChecker::MatchLanguage(QStringLiteral("EN-us"), installed), QStringLiteral("en_US"));
    QCOMPARE(CSpellChecker::MatchLanguage(QStringLiteral("pt"), installed), QStringLiteral("pt_BR"));
    QCOMPARE(CSpellChecker::MatchLanguage(QStringLiteral("fr"), installed), QString());
}

void TestSpelling::damagedDictionary_data()
{
    QTest::addColumn<QByteArray>("aff");
    QTest::addColumn<QByteArray>("dic");
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing") << QByteArray() << QByteArray() << "is missing";
    QTest::newRow("no word count") << QByteArray("SET UTF-8\n") << QByteArray("hello\nworld\n") << "word count";
    QTest::newRow("binary") << QByteArray("SET UTF-8\n") << QByteArray("\x7f\x45\x4c\x46\x02\x01\x01\x00", 8)
                            << "word count";
    QTest::newRow("unknown encoding") << QByteArray("SET NO-SUCH-CODE\n") << QByteArray("1\nhello\n") << "encoding";
    QTest::newRow("knows none of its words") << QByteArray("NEEDAFFIX X\n") << QByteArray("1\nhello/X\n")
                                             << "own words";
}

void TestSpelling::damagedDictionary()
{
    QFETCH(QByteArray, aff);
    QFETCH(QByteArray, dic);
    QFETCH(QString, problem);
    const QString folder = ZtTest::FreshDir(QStringLiteral("damaged"));
    if (!aff.isEmpty())
        ZtTest::WriteFile(folder + QStringLiteral("/xx_XX.aff"), aff);
    if (!dic.isEmpty())
        ZtTest::WriteFile(folder + QStringLiteral("/xx_XX.dic"), dic);
    QString error;
    QVERIFY(!CSpellDictionary::Load(folder + QStringLiteral("/xx_XX.aff"), folder + QStringLiteral("/xx_XX.dic"), &error));
    QVERIFY2(error.contains(problem), qPrintable(error));
}

void TestSpelling::dictionaryEncoding()
{
    const QString folder = ZtTest::FreshDir(QStringLiteral("latin1"));
    WriteGermanDictionary(folder);
    QString error;
    auto german = CSpellDictionary::Load(folder + QStringLiteral("/de_DE.aff"), folder + QStringLiteral("/de_DE.dic"), &error);
    QVERIFY2(german, qPrintable(error));
    QCOMPARE(german->Encoding(), QStringLiteral("ISO8859-1"));
    QVERIFY(german->IsKnown(QStringLiteral("Stra\u00DFe")));
    QVERIFY(german->IsKnown(QStringLiteral("M\u00E4dchen")));
    QVERIFY(!german->IsKnown(QStringLiteral("Strase")));
    QVERIFY(german->Suggestions(QStringLiteral("Madchen"), 5).contains(QStringLiteral("M\u00E4dchen")));
    // Greek cannot be written in Latin-1: not the dictionary's to judge.
    QVERIFY(german->IsKnown(QStringLiteral("\u0395\u03BB\u03BB\u03AC\u03B4\u03B1")));

    auto english = CSpellDictionary::Load(kSystemDictionaries + QStringLiteral("/en_US.aff"),
                                          kSystemDictionaries + QStringLiteral("/en_US.dic"), &error);
    QVERIFY2(english, qPrintable(error));
    QVERIFY(english->IsKnown(CSpellTextScanner::DictionaryForm(QStringLiteral("it\u2019s"))));
    QVERIFY(english->IsKnown(QStringLiteral("don't")));
    QVERIFY(!english->IsKnown(QStringLiteral("speling")));
    const QStringList suggestions = english->Suggestions(QStringLiteral("speling"), CSpellChecker::kMaxSuggestions);
    QVERIFY(suggestions.contains(QStringLiteral("spelling")));
    QVERIFY(suggestions.size() <= CSpellChecker::kMaxSuggestions);
}

void TestSpelling::underlines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text") << "<p>Thiss is a tset</p>" << "Thiss@0 tset@0";
    QTest::newRow("script lines") << "<script>\nvar wrongg;\n</script>\n<p>wrongg</p>" << "wrongg@3";
    QTest::newRow("alt, not src") << "<img src=\"pictre.png\" alt=\"A mispelt pictre\">" << "mispelt@0 pictre@0";
    QTest::newRow("comment words") << "<!--\nnotee\n-->" << "notee@1";
    QTest::newRow("correct page") << "<html lang=\"en\"><p>All is well, isn't it?</p>" << "";
}

void TestSpelling::underlines()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    Page page(text);
    QVERIFY(page.spelling->IsChecking());
    QCOMPARE(Underlined(page.editor), expected);
    // Marks are the layout's only: no edit, nothing to undo or save.
    QVERIFY(!page.editor.document()->isModified());
    QCOMPARE(page.editor.document()->availableUndoSteps(), 0);
}

void TestSpelling::editsReachLinesBelow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("script opened above") << "<p>\nwrongg\n</p>" << 0 << "<script>" << "wrongg@1" << "";
    QTest::newRow("style opened on a new line") << "<p>\nwrongg\n</p>" << 0 << "<style>\n" << "wrongg@1" << "";
    QTest::newRow("tag closed above") << "<p class=\"x\nwrongg\">thier" << 11 << "\">" << "thier@1"
                                      << "wrongg@1 thier@1";
    QTest::newRow("script closed above") << "<script>\nvar a;\nwrongg" << 14 << "</script>" << ""
                                         << "wrongg@2";
    QTest::newRow("long script pasted above")
        << "<p>\nwrongg\n</p>" << 0
        << QStringLiteral("<script>\n") + QStringLiteral("var a;\n").repeated(CSpellDecorator::kLookBackLines + 100)
               + QStringLiteral("</script><style>\n")
        << "wrongg@1" << "";
    QTest::newRow("line split, nothing opened") << "<p>wrongg here\nalso wrongg</p>" << 3 << "\n"
                                                << "wrongg@0 wrongg@1" << "wrongg@1 wrongg@2";
    QTest::newRow("lines joined inside a script") << "<script>\nvar a;\n</script>\n<p>wrongg</p>" << 14 << ""
                                                  << "wrongg@3" << "wrongg@3";
}

void TestSpelling::editsReachLinesBelow()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, typed);
    QFETCH(QString, before);
    QFETCH(QString, after);
    Page page(text);
    QCOMPARE(Underlined(page.editor), before);
    QTextCursor cursor(page.editor.document());
    cursor.setPosition(position);
    if (typed.isEmpty())
        cursor.deletePreviousChar();
    else
        cursor.insertText(typed);
    // Lines off screen are marked when shown: the last three are shown now.
    auto showLastLine = [&page] {
        const QTextDocument* document = page.editor.document();
        const int first = document->findBlockByNumber(qMax(0, document->blockCount() - 3)).position();
        page.colorizer->ColorizeLines(first, document->lastBlock().position());
    };
    showLastLine();
    QCOMPARE(Underlined(page.editor), after);
    page.editor.undo();
    showLastLine();
    QCOMPARE(Underlined(page.editor), before);
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
    QVERIFY(!page.spelling->IsChecking());
    QCOMPARE(CProfile::Instance().GetString(QStringLiteral("Spelling"), QStringLiteral("Check")), QStringLiteral("no"));
    QCOMPARE(Underlined(page.editor), QString());
}

void TestSpelling::pageLanguageChoosesDictionary()
{
    const QString folder = ZtTest::FreshDir(QStringLiteral("german"));
    WriteGermanDictionary(folder);
    CSpellChecker::SetDictionaryFolders({folder, kSystemDictionaries});
    Page page(QStringLiteral("<html lang=\"de\">\n<p>Haus Hauss house</p>"));
    QCOMPARE(page.spelling->DictionaryName(), QStringLiteral("de_DE"));
    QCOMPARE(Underlined(page.editor), QStringLiteral("Hauss@1 house@1"));

    // Typing another language switches once the edit is over.
    QTextCursor cursor(page.editor.document());
    cursor.setPosition(12);
    cursor.setPosition(14, QTextCursor::KeepAnchor);
    cursor.insertText(QStringLiteral("en"));
    QTRY_COMPARE(page.spelling->DictionaryName(), QStringLiteral("en_US"));
    QCOMPARE(Underlined(page.editor), QStringLiteral("Haus@1 Hauss@1"));
}

void TestSpelling::pageLanguageWithoutDictionary()
{
    // Only en_US is installed: German words are not all misspelt English.
    Page page(QStringLiteral("<html lang=\"de\">\n<p>Haus Hauss house</p>"));
    const QString noGerman = QStringLiteral("No spelling dictionary for the language de of this page.");
    QCOMPARE(Underlined(page.editor), QString());
    QCOMPARE(page.notices, QStringList{noGerman});

    // Typing on the page says nothing more.
    QTextCursor cursor(page.editor.document());
    cursor.setPosition(page.editor.document()->characterCount() - 1);
    cursor.insertText(QStringLiteral(" Wortt"));
    QCoreApplication::processEvents();
    QCOMPARE(Underlined(page.editor), QString());
    QCOMPARE(page.notices, QStringList{noGerman});

    // The page's language followed: checked in English, unchecked again in
    // German without a second word, a third language told of once.
    auto setLanguage = [&page](const QString& language) {
        QTextCursor lang(page.editor.document());
        lang.setPosition(12);
        lang.setPosition(page.editor.document()->firstBlock().length() - 3, QTextCursor::KeepAnchor);
        lang.insertText(language);
        QCoreApplication::processEvents();
    };
    setLanguage(QStringLiteral("en"));
    QCOMPARE(page.spelling->DictionaryName(), QStringLiteral("en_US"));
    QCOMPARE(Underlined(page.editor), QStringLiteral("Haus@1 Hauss@1 Wortt@1"));
    setLanguage(QStringLiteral("de"));
    QCOMPARE(Underlined(page.editor), QString());
    setLanguage(QStringLiteral("fr"));
    setLanguage(QStringLiteral("de"));
    QCOMPARE(Underlined(page.editor), QString());
    QCOMPARE(page.notices,
             QStringList({noGerman, QStringLiteral("No spelling dictionary for the language fr of this page.")}));

    // Spelling turned off and on again tells again.
    page.checker.SetEnabled(false);
    page.checker.SetEnabled(true);
    QCOMPARE(page.notices.size(), 3);
    QCOMPARE(page.notices.last(), noGerman);
    QCOMPARE(Underlined(page.editor), QString());
}

void TestSpelling::contextMenu()
{
    CZentrelView view;
    view.setPlainText(QStringLiteral("<p>Zentrel wrold</p>"));
    view.SetLanguage(QStringLiteral("page.html"));
    QVERIFY(view.Spelling()->IsChecking());

    auto items = [&view](int position) {
        QMenu menu;
        menu.addAction(QStringLiteral("&Wizards"));
        view.AddContextItems(&menu, position);
        QStringList texts;
        for (QAction* action : menu.actions())
            texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
        return texts;
    };
    auto trigger = [&view](int position, const QString& text) {
        QMenu menu;
        view.AddContextItems(&menu, position);
        for (QAction* action : menu.actions()) {
            if (action->text() == text) {
                action->trigger();
                return true;
            }
        }
        return false;
    };
    // Outside a misspelt word the menu stays as it was.
    QCOMPARE(items(1), QStringList{QStringLiteral("&Wizards")});
    const QStringList wrold = items(13);
    QCOMPARE(wrold.mid(wrold.size() - 5),
             (QStringList{QStringLiteral("--"), QStringLiteral("Add to Dictionary"), QStringLiteral("Ignore"),
                          QStringLiteral("--"), QStringLiteral("&Wizards")}));
    QVERIFY(wrold.indexOf(QStringLiteral("world")) >= 0);
    QVERIFY(wrold.indexOf(QStringLiteral("--")) <= CSpellChecker::kMaxSuggestions);

    // A suggestion replaces the word as one undoable edit.
    QVERIFY(trigger(15, QStringLiteral("world")));
    QCOMPARE(view.toPlainText(), QStringLiteral("<p>Zentrel world</p>"));
    view.undo();
    QCOMPARE(view.toPlainText(), QStringLiteral("<p>Zentrel wrold</p>"));

    // Added words are kept in the personal list; ignored ones are not.
    QCOMPARE(Underlined(view), QStringLiteral("Zentrel@0 wrold@0"));
    QVERIFY(trigger(5, QStringLiteral("Add to Dictionary")));
    QCOMPARE(Underlined(view), QStringLiteral("wrold@0"));
    QCOMPARE(ZtTest::ReadFile(CPersonalWordList::DefaultPath()), QByteArray("Zentrel\n"));
    QVERIFY(trigger(13, QStringLiteral("Ignore")));
    QCOMPARE(Underlined(view), QString());
    QCOMPARE(ZtTest::ReadFile(CPersonalWordList::DefaultPath()), QByteArray("Zentrel\n"));
}

ZT_TEST_MAIN(TestSpelling)
#include "tst_spelling.moc"
