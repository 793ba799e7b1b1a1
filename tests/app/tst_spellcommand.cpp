#include "support/AppTestMain.h"

#include "app/SpellCommands.h"
#include "editor/SpellChecker.h"
#include "editor/ZentrelView.h"
#include "framework/Profile.h"

#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>

using namespace ZtCmd;

// Tools > Check Spelling in the running program: off by default, kept in the
// profile, and what it switches reaches the open pages at once.
class TestSpellCommand : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ZtTest::ShowMainFrame(); }
    void cleanup() { QCOMPARE(std::exchange(m_log.texts, {}), QStringList()); }
    void switchesPagesOnAndOff();
    void choosesTheDictionary();
    void pageWithoutItsDictionaryIsTold();

private:
    ZtTest::CMessageLog m_log;
};

namespace {
QString Underlined(const CZentrelView* view)
{
    QStringList words;
    for (QTextBlock block = view->document()->begin(); block.isValid(); block = block.next()) {
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                words << block.text().mid(range.start, range.length);
        }
    }
    return words.join(QLatin1Char(' '));
}

QString CheckInProfile()
{
    return CProfile::Instance().GetString(QStringLiteral("Spelling"), QStringLiteral("Check"));
}
} // namespace

void TestSpellCommand::switchesPagesOnAndOff()
{
    CZentrelView* page = ZtTest::OpenPageEditor(ZtTest::SandboxDir() + QStringLiteral("/page.html"),
                                                "<p>A wrongg word</p>\n<script>var wrongg;</script>");
    QVERIFY(page);
    CZentrelView* styleSheet = ZtTest::OpenPageEditor(ZtTest::SandboxDir() + QStringLiteral("/style.css"),
                                                      "p { colr: wrongg }");
    QVERIFY(styleSheet);
    QCOMPARE(Underlined(page), QString());

    CMainFrame* frame = ZtApp()->GetMainFrame();
    QVERIFY(frame->ExecuteCommand(ID_CHECK_SPELLING));
    QCOMPARE(CheckInProfile(), QStringLiteral("yes"));
    QCOMPARE(Underlined(page), QStringLiteral("wrongg"));
    // Only web pages are checked.
    QCOMPARE(Underlined(styleSheet), QString());

    QVERIFY(frame->ExecuteCommand(ID_CHECK_SPELLING));
    QCOMPARE(CheckInProfile(), QStringLiteral("no"));
    QCOMPARE(Underlined(page), QString());
}

void TestSpellCommand::choosesTheDictionary()
{
    const QString folder = ZtTest::SandboxDir() + QStringLiteral("/dictionaries");
    ZtTest::WriteFile(folder + QStringLiteral("/de_DE.aff"), "SET UTF-8\n");
    ZtTest::WriteFile(folder + QStringLiteral("/de_DE.dic"), "2\nHaus\nwrongg\n");
    CSpellChecker::SetDictionaryFolders({folder, QStringLiteral("/usr/share/hunspell")});
    QStringList offered;
    CSpellCommands::SetChooser([&offered](QWidget*, const QStringList& installed, const QString& current) {
        offered = installed;
        offered << current;
        return QStringLiteral("de_DE");
    });
    CZentrelView* page = ZtTest::OpenPageEditor(ZtTest::SandboxDir() + QStringLiteral("/haus.html"),
                                                "<p>Haus house wrongg</p>");
    CMainFrame* frame = ZtApp()->GetMainFrame();
    QVERIFY(frame->ExecuteCommand(ID_CHECK_SPELLING));
    QCOMPARE(Underlined(page), QStringLiteral("Haus wrongg"));

    QVERIFY(frame->ExecuteCommand(ID_SPELLING_DICTIONARY));
    QCOMPARE(offered, (QStringList{QStringLiteral("de_DE"), QStringLiteral("en_US"), QStringLiteral("en_US")}));
    QCOMPARE(CProfile::Instance().GetString(QStringLiteral("Spelling"), QStringLiteral("Dictionary")),
             QStringLiteral("de_DE"));
    // The open page is checked with the new dictionary at once.
    QCOMPARE(Underlined(page), QStringLiteral("house"));
    CSpellCommands::SetChooser(nullptr);
}

void TestSpellCommand::pageWithoutItsDictionaryIsTold()
{
    CSpellChecker::SetDictionaryFolders({QStringLiteral("/usr/share/hunspell")});
    CProfile::Instance().WriteString(QStringLiteral("Spelling"), QStringLiteral("Check"), QStringLiteral("yes"));
    CZentrelView* page = ZtTest::OpenPageEditor(ZtTest::SandboxDir() + QStringLiteral("/bonjour.html"),
                                                "<html lang=\"fr\">\n<p>Bonjour le monde</p>");
    QVERIFY(page);
    QCOMPARE(Underlined(page), QString());
    QCOMPARE(ZtApp()->GetMainFrame()->statusBar()->currentMessage(),
             QStringLiteral("No spelling dictionary for the language fr of this page."));
}

ZT_APP_TEST_MAIN(TestSpellCommand)
#include "tst_spellcommand.moc"
