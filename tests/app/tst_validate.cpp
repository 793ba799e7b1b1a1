#include "support/AppTestMain.h"

#include "app/SpellCommands.h"
#include "app/ValidateCommands.h"
#include "editor/SpellChecker.h"
#include "editor/ZentrelView.h"
#include "framework/Profile.h"
#include "tools/MessagesBar.h"
#include "tools/ValidateJob.h"

#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTreeWidget>

using namespace ZtCmd;

namespace {
QString Spelling(const QString& key)
{
    return CProfile::Instance().GetString(QStringLiteral("Spelling"), key);
}
} // namespace

// The checks of a page in the running program. Tools > Validate Page: the
// key runs it over the page's unsaved text, the Messages bar lists what HTML
// Tidy says, a row leads to its place, the lines with errors are underlined,
// and the page itself is left exactly as it was. Tools > Check Spelling: off
// by default, kept in the profile, and what it switches reaches the open
// pages at once; how words are found and which dictionary a page gets have
// their rows in tst_spelling.
class TestPageChecks : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { m_frame = ZtTest::ShowMainFrame(); }

    // No test leaves a message unlooked at.
    void cleanup()
    {
        ZtTest::CloseAllDocuments();
        QCOMPARE(std::exchange(m_log.texts, {}), QStringList());
    }

    void validatesTheUnsavedText()
    {
        const QString path = ZtTest::SandboxDir() + QStringLiteral("/crlf.html");
        CZentrelView* editor = ZtTest::OpenPageEditor(
            path, "<!DOCTYPE html>\r\n<html><head><title>t</title></head>\r\n<body>\r\n<p>saved</p>\r\n</body></html>\r\n");
        QVERIFY(editor);
        // Typed, not saved: the check reads what the editor holds.
        QTextCursor cursor(editor->document()->findBlockByNumber(3));
        cursor.insertText(QStringLiteral("\t<foo>x</foo>"));
        editor->setTextCursor(cursor);
        editor->document()->setModified(false);
        const int undoSteps = editor->document()->availableUndoSteps();
        const QString text = editor->document()->toRawText();

        QVERIFY(ValidateByKey(editor));
        CMessagesBar* bar = Commands()->Bar();
        QVERIFY(bar->isVisible());
        QCOMPARE(Report(editor), QStringLiteral("4,2 Error: <foo> is not recognized!|"
                                                "4,2 Warning: discarding unexpected <foo>|"
                                                "4,8 Warning: discarding unexpected </foo>|"
                                                "crlf.html: 1 error, 2 warnings.|underlined: 4"));

        // The page is as it was.
        QCOMPARE(editor->document()->toRawText(), text);
        QVERIFY(!editor->document()->isModified());
        QCOMPARE(editor->document()->availableUndoSteps(), undoSteps);

        // Lines typed above after the check: the click picks a row, the double
        // click that follows leads to its place; the tab before the tag is one
        // character.
        cursor = QTextCursor(editor->document()->findBlockByNumber(2));
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.insertText(QStringLiteral("\n<p>new</p>\n<p>newer</p>"));
        QCOMPARE(UnderlinedLines(editor), QStringLiteral("6"));
        editor->moveCursor(QTextCursor::Start);
        const QPoint row = bar->List()->visualItemRect(bar->List()->topLevelItem(2)).center();
        QTest::mouseClick(bar->List()->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(bar->List()->viewport(), Qt::LeftButton, {}, row);
        QCOMPARE(editor->textCursor().block().blockNumber(), 5);
        QCOMPARE(editor->textCursor().block().text().mid(editor->textCursor().positionInBlock()),
                 QStringLiteral("</foo><p>saved</p>"));

        // Mended, the page validates clean and the underline goes at once.
        cursor = QTextCursor(editor->document()->findBlockByNumber(5));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(QStringLiteral("<p>saved</p>"));
        QCOMPARE(UnderlinedLines(editor), QString());
        QVERIFY(ValidateByKey(editor));
        QCOMPARE(Report(editor), QStringLiteral("crlf.html: no errors or warnings.|underlined: "));
    }

    void oversizedPageIsRefused()
    {
        CZentrelView* editor = ZtTest::OpenPageEditor(ZtTest::SandboxDir() + QStringLiteral("/big.html"), "<p>\n");
        QVERIFY(editor);
        const QString line = QString(79, QLatin1Char('a')) + QLatin1Char('\n');
        editor->document()->setPlainText(line.repeated(int(CTidyValidator::kMaxCharacters / line.size()) + 1));
        QVERIFY(m_frame->ExecuteCommand(ID_VALIDATE_PAGE));
        QVERIFY(!Commands()->Job()->IsRunning());
        QCOMPARE(m_log.texts.size(), 1);
        QVERIFY2(m_log.texts.at(0).startsWith(QStringLiteral("This page is too large to validate")),
                 qPrintable(m_log.texts.at(0)));
        m_log.texts.clear();
    }

    void barKeptAcrossRuns()
    {
        // The bar's place and whether it shows go into the profile with the
        // other bars' layout, and come back from it.
        CMessagesBar* bar = Commands()->Bar();
        m_frame->addDockWidget(Qt::RightDockWidgetArea, bar);
        bar->show();
        m_frame->SaveBarState();
        bar->hide();
        m_frame->addDockWidget(Qt::BottomDockWidgetArea, bar);
        m_frame->LoadBarState();
        QVERIFY(!bar->isHidden());
        QCOMPARE(m_frame->dockWidgetArea(bar), Qt::RightDockWidgetArea);
    }

    void spellingSwitchesPagesOnAndOff()
    {
        CZentrelView* page = ZtTest::OpenPageEditor(ZtTest::SandboxDir() + QStringLiteral("/page.html"),
                                                    "<p>A wrongg word</p>\n<script>var wrongg;</script>");
        CZentrelView* styleSheet = ZtTest::OpenPageEditor(ZtTest::SandboxDir() + QStringLiteral("/style.css"),
                                                          "p { colr: wrongg }");
        QVERIFY(page && styleSheet);
        QCOMPARE(Misspelt(page), QString());

        QVERIFY(ZtTest::Run(ID_CHECK_SPELLING));
        QCOMPARE(Spelling(QStringLiteral("Check")), QStringLiteral("yes"));
        QCOMPARE(Misspelt(page), QStringLiteral("wrongg"));
        // Only web pages are checked.
        QCOMPARE(Misspelt(styleSheet), QString());

        QVERIFY(ZtTest::Run(ID_CHECK_SPELLING));
        QCOMPARE(Spelling(QStringLiteral("Check")), QStringLiteral("no"));
        QCOMPARE(Misspelt(page), QString());
    }

    void spellingDictionaryChosen()
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
        QVERIFY(ZtTest::Run(ID_CHECK_SPELLING));
        QCOMPARE(Misspelt(page), QStringLiteral("Haus wrongg"));

        QVERIFY(ZtTest::Run(ID_SPELLING_DICTIONARY));
        CSpellCommands::SetChooser(nullptr);
        QCOMPARE(offered, (QStringList{QStringLiteral("de_DE"), QStringLiteral("en_US"), QStringLiteral("en_US")}));
        QCOMPARE(Spelling(QStringLiteral("Dictionary")), QStringLiteral("de_DE"));
        // The open page is checked with the new dictionary at once.
        QCOMPARE(Misspelt(page), QStringLiteral("house"));
    }

    // The page's notice reaches the status bar.
    void pageWithoutItsDictionaryIsTold()
    {
        CSpellChecker::SetDictionaryFolders({QStringLiteral("/usr/share/hunspell")});
        CProfile::Instance().WriteString(QStringLiteral("Spelling"), QStringLiteral("Check"), QStringLiteral("yes"));
        CZentrelView* page = ZtTest::OpenPageEditor(ZtTest::SandboxDir() + QStringLiteral("/bonjour.html"),
                                                    "<html lang=\"fr\">\n<p>Bonjour le monde</p>");
        QVERIFY(page);
        QCOMPARE(Misspelt(page), QString());
        QCOMPARE(m_frame->statusBar()->currentMessage(),
                 QStringLiteral("No spelling dictionary for the language fr of this page."));
    }

private:
    CValidateCommands* Commands() const { return m_frame->Validate(); }

    // Runs the command by its key in editor and waits for the report.
    bool ValidateByKey(CZentrelView* editor)
    {
        QSignalSpy finished(Commands()->Job(), &CValidateJob::finished);
        // The key works in the active window only.
        m_frame->activateWindow();
        editor->setFocus();
        if (!QTest::qWaitForWindowActive(m_frame))
            return false;
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
        return Commands()->Job()->IsRunning() && finished.wait(10000);
    }

    // The numbers of the lines with a wavy underline: Tidy's findings.
    static QString UnderlinedLines(const QPlainTextEdit* editor)
    {
        QStringList lines;
        for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next()) {
            for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
                if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline) {
                    lines << QString::number(block.blockNumber() + 1);
                    break;
                }
            }
        }
        return lines.join(QLatin1Char(' '));
    }

    // The words underlined as misspelt.
    static QString Misspelt(const QPlainTextEdit* editor)
    {
        QStringList words;
        for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next()) {
            for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
                if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                    words << block.text().mid(range.start, range.length);
            }
        }
        return words.join(QLatin1Char(' '));
    }

    // The Messages bar's rows as "line,column text", its summary, and the
    // lines underlined in editor.
    QString Report(const QPlainTextEdit* editor) const
    {
        QStringList report;
        const QTreeWidget* list = Commands()->Bar()->List();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            report << QStringLiteral("%1,%2 %3").arg(item->text(0), item->text(1), item->text(2));
        }
        report << Commands()->Bar()->Summary()->text() << QStringLiteral("underlined: ") + UnderlinedLines(editor);
        return report.join(QLatin1Char('|'));
    }

    CMainFrame* m_frame = nullptr;
    ZtTest::CMessageLog m_log;
};

ZT_APP_TEST_MAIN(TestPageChecks)
#include "tst_validate.moc"
