#include "support/TestMain.h"

#include "editor/FindReplace.h"
#include "editor/FindReplaceDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextDocument>

using EDirection = CFindReplace::EDirection;

namespace {

// A search state with the given options.
CFindReplace Search(const QString& text, bool bMatchCase = false, bool bWholeWord = false,
                    EDirection direction = EDirection::Down)
{
    CFindReplace search;
    search.SetFindText(text);
    search.SetMatchCase(bMatchCase);
    search.SetWholeWord(bWholeWord);
    search.SetDirection(direction);
    return search;
}

QTextCursor Selection(QTextDocument* document, int start, int end)
{
    QTextCursor cursor(document);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    return cursor;
}

} // namespace

class TestFindReplace : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();

    void findNext_data();
    void findNext();
    void replaceStepsThroughMatches();
    void replaceAll_data();
    void replaceAll();
    void replaceAllIsOneUndoStep();
    void nothingFoundChangesNothing();

    void dialogFindsAndReportsNotFound();
    void repeatWorksAcrossEditors();
    void replaceDialogReplacesAll();
    void dialogTakesSelectionAsFindText();

private:
    QStringList m_messages;
};

void TestFindReplace::init()
{
    CFindReplace::Instance() = CFindReplace();
    m_messages.clear();
    CFindReplaceDlg::SetMessageHandler([this](const QString& text) { m_messages << text; });
}

void TestFindReplace::cleanupTestCase()
{
    CFindReplaceDlg::SetMessageHandler({});
}

void TestFindReplace::findNext_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selEnd");
    QTest::addColumn<int>("found"); // start of the match, -1 for none

    QTest::newRow("down from caret") << "one two one" << "one" << false << false << false << 0 << 0
                                     << 0;
    QTest::newRow("down after selection") << "one two one" << "one" << false << false << false << 0
                                          << 3 << 8;
    QTest::newRow("down wraps") << "one two one" << "one" << false << false << false << 8 << 11
                                << 0;
    QTest::newRow("up before selection") << "one two one" << "one" << false << false << true << 8
                                         << 11 << 0;
    QTest::newRow("up wraps") << "one two one" << "one" << false << false << true << 0 << 3 << 8;
    QTest::newRow("up from caret at end") << "one two" << "two" << false << false << true << 7 << 7
                                          << 4;
    QTest::newRow("up needs whole match before caret") << "abcabc" << "abc" << false << false
                                                       << true << 5 << 5 << 0;
    QTest::newRow("case ignored") << "One one" << "one" << false << false << false << 0 << 0 << 0;
    QTest::newRow("match case") << "One one" << "one" << true << false << false << 0 << 0 << 4;
    QTest::newRow("part of word") << "phone one" << "one" << false << false << false << 0 << 0
                                  << 2;
    QTest::newRow("whole word") << "phone one" << "one" << false << true << false << 0 << 0 << 6;
    QTest::newRow("whole word, underscore joins")
        << "one_two one" << "one" << false << true << false << 1 << 1 << 8;
    QTest::newRow("whole word up") << "one phone" << "one" << false << true << true << 9 << 9
                                   << 0;
    QTest::newRow("whole word, punctuation separates")
        << "<B>bold</B>" << "B" << true << true << false << 2 << 2 << 9;
    QTest::newRow("next line") << "abc\nxabc" << "abc" << false << false << false << 0 << 3 << 5;
    QTest::newRow("only match is the selection") << "a needle here" << "needle" << false << false
                                                 << false << 2 << 8 << 2;
    QTest::newRow("not found") << "one two" << "three" << false << false << false << 0 << 0 << -1;
    QTest::newRow("case makes it absent") << "ONE" << "one" << true << false << false << 0 << 0
                                          << -1;
}

void TestFindReplace::findNext()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(bool, up);
    QFETCH(int, selStart);
    QFETCH(int, selEnd);
    QFETCH(int, found);

    QTextDocument document(text);
    const CFindReplace search =
        Search(find, matchCase, wholeWord, up ? EDirection::Up : EDirection::Down);
    const QTextCursor match = search.FindNext(&document, Selection(&document, selStart, selEnd));
    if (found < 0) {
        QVERIFY(match.isNull());
        return;
    }
    QVERIFY(!match.isNull());
    QCOMPARE(match.selectionStart(), found);
    QCOMPARE(match.selectionEnd(), found + int(find.size()));
    QVERIFY(search.IsMatch(match));
}

void TestFindReplace::replaceStepsThroughMatches()
{
    QTextDocument document(QStringLiteral("a cat and a Cat"));
    CFindReplace search = Search(QStringLiteral("cat"));
    search.SetReplaceText(QStringLiteral("dog"));

    // The caret selects nothing: the first Replace only finds.
    QTextCursor current(&document);
    QTextCursor next = search.Replace(&document, current);
    QCOMPARE(document.toPlainText(), QStringLiteral("a cat and a Cat"));
    QCOMPARE(next.selectionStart(), 2);

    current = next;
    next = search.Replace(&document, current);
    QCOMPARE(document.toPlainText(), QStringLiteral("a dog and a Cat"));
    QCOMPARE(next.selectionStart(), 12);

    current = next;
    next = search.Replace(&document, current);
    QCOMPARE(document.toPlainText(), QStringLiteral("a dog and a dog"));
    QVERIFY(next.isNull());
    QCOMPARE(current.position(), 15); // after the last replacement
}

void TestFindReplace::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("result");

    QTest::newRow("simple") << "<b>x</b><b>y</b>" << "b>" << "STRONG>" << false << false << 4
                            << "<STRONG>x</STRONG><STRONG>y</STRONG>";
    QTest::newRow("case") << "Tag tag TAG" << "tag" << "x" << true << false << 1 << "Tag x TAG";
    QTest::newRow("no case") << "Tag tag TAG" << "tag" << "x" << false << false << 3 << "x x x";
    QTest::newRow("whole word") << "cat catalog cat" << "cat" << "dog" << false << true << 2
                                << "dog catalog dog";
    QTest::newRow("replacement holds the text") << "a a" << "a" << "aa" << false << false << 2
                                                << "aa aa";
    QTest::newRow("overlapping") << "aaaa" << "aa" << "b" << false << false << 2 << "bb";
    QTest::newRow("across lines") << "one\ntwo one\none" << "one" << "1" << false << false << 3
                                  << "1\ntwo 1\n1";
    QTest::newRow("replace with nothing") << "a-b-c" << "-" << "" << false << false << 2 << "abc";
}

void TestFindReplace::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replace);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(int, count);
    QFETCH(QString, result);

    QTextDocument document(text);
    CFindReplace search = Search(find, matchCase, wholeWord);
    search.SetReplaceText(replace);
    QCOMPARE(search.ReplaceAll(&document), count);
    QCOMPARE(document.toPlainText(), result);
}

void TestFindReplace::replaceAllIsOneUndoStep()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("x1 x2 x3\nx4"));
    QVERIFY(!document.isUndoAvailable());
    CFindReplace search = Search(QStringLiteral("x"));
    search.SetReplaceText(QStringLiteral("yy"));
    QCOMPARE(search.ReplaceAll(&document), 4);
    QCOMPARE(document.toPlainText(), QStringLiteral("yy1 yy2 yy3\nyy4"));
    document.undo();
    QCOMPARE(document.toPlainText(), QStringLiteral("x1 x2 x3\nx4"));
    QVERIFY(!document.isUndoAvailable());
}

void TestFindReplace::nothingFoundChangesNothing()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("nothing to see")); // no undo history
    document.setModified(false);
    CFindReplace search = Search(QStringLiteral("missing"));
    search.SetReplaceText(QStringLiteral("x"));
    QTextCursor current = Selection(&document, 0, 7);
    QVERIFY(search.Replace(&document, current).isNull());
    QCOMPARE(search.ReplaceAll(&document), 0);
    QCOMPARE(document.toPlainText(), QStringLiteral("nothing to see"));
    QVERIFY(!document.isModified());
    QVERIFY(!document.isUndoAvailable());
    // An empty search finds nothing and never loops.
    QVERIFY(Search(QString()).FindNext(&document, current).isNull());
    QCOMPARE(Search(QString()).ReplaceAll(&document), 0);
}

void TestFindReplace::dialogFindsAndReportsNotFound()
{
    QPlainTextEdit editor(QStringLiteral("alpha beta alpha"));
    CFindReplaceDlg* dialog = CFindReplaceDlg::Show(&editor, false);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->IsReplaceDialog());

    dialog->FindEdit()->setText(QStringLiteral("alpha"));
    QVERIFY(dialog->FindNext());
    QCOMPARE(editor.textCursor().selectionStart(), 0);
    QVERIFY(dialog->FindNext());
    QCOMPARE(editor.textCursor().selectionStart(), 11);

    dialog->UpButton()->setChecked(true);
    QVERIFY(dialog->FindNext());
    QCOMPARE(editor.textCursor().selectionStart(), 0);
    QCOMPARE(CFindReplace::Instance().Direction(), EDirection::Up);

    dialog->FindEdit()->setText(QStringLiteral("gamma"));
    QVERIFY(!dialog->FindNext());
    QCOMPARE(m_messages, QStringList{QStringLiteral("Cannot find the string 'gamma'.")});
    QCOMPARE(editor.textCursor().selectionStart(), 0); // selection kept
    dialog->close();
}

void TestFindReplace::repeatWorksAcrossEditors()
{
    QPlainTextEdit first(QStringLiteral("Find me"));
    QPlainTextEdit second(QStringLiteral("and find me here, find me"));

    // Without a search, Repeat opens the Find dialog instead.
    QVERIFY(!CFindReplaceDlg::Repeat(&first));
    CFindReplaceDlg* dialog = CFindReplaceDlg::Show(&first, false);
    dialog->FindEdit()->setText(QStringLiteral("find me"));
    dialog->MatchCaseBox()->setChecked(true);
    QVERIFY(!dialog->FindNext()); // "Find me" differs in case
    QCOMPARE(m_messages.size(), 1);
    dialog->close();

    QVERIFY(CFindReplaceDlg::Repeat(&second));
    QCOMPARE(second.textCursor().selectedText(), QStringLiteral("find me"));
    QCOMPARE(second.textCursor().selectionStart(), 4);
    QVERIFY(CFindReplaceDlg::Repeat(&second));
    QCOMPARE(second.textCursor().selectionStart(), 18);
    QVERIFY(!CFindReplaceDlg::Repeat(&first));
    QCOMPARE(m_messages.size(), 2);
}

void TestFindReplace::replaceDialogReplacesAll()
{
    QPlainTextEdit editor(QStringLiteral("<i>a</i> <i>b</i>"));
    CFindReplaceDlg* dialog = CFindReplaceDlg::Show(&editor, true);
    QVERIFY(dialog->IsReplaceDialog());
    QVERIFY(dialog->ReplaceEdit()->isVisibleTo(dialog));
    dialog->FindEdit()->setText(QStringLiteral("i>"));
    dialog->ReplaceEdit()->setText(QStringLiteral("em>"));

    QVERIFY(dialog->ReplaceCurrent()); // nothing selected: finds the first
    QCOMPARE(editor.toPlainText(), QStringLiteral("<i>a</i> <i>b</i>"));
    QVERIFY(dialog->ReplaceCurrent());
    QCOMPARE(editor.toPlainText(), QStringLiteral("<em>a</i> <i>b</i>"));
    QCOMPARE(editor.textCursor().selectionStart(), 7);

    QCOMPARE(dialog->ReplaceAll(), 3);
    QCOMPARE(editor.toPlainText(), QStringLiteral("<em>a</em> <em>b</em>"));
    QCOMPARE(dialog->ReplaceAll(), 0);
    QCOMPARE(m_messages, QStringList{QStringLiteral("Cannot find the string 'i>'.")});
    editor.undo();
    QCOMPARE(editor.toPlainText(), QStringLiteral("<em>a</i> <i>b</i>"));
    dialog->close();
}

void TestFindReplace::dialogTakesSelectionAsFindText()
{
    QPlainTextEdit editor(QStringLiteral("first line\nsecond line"));
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(6);
    cursor.setPosition(10, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    CFindReplaceDlg* dialog = CFindReplaceDlg::Show(&editor, false);
    QCOMPARE(dialog->FindEdit()->text(), QStringLiteral("line"));

    // A selection over a line break is no search text: the last one stays.
    CFindReplace::Instance().SetFindText(QStringLiteral("second"));
    cursor.setPosition(0);
    cursor.setPosition(15, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    dialog = CFindReplaceDlg::Show(&editor, false);
    QCOMPARE(dialog->FindEdit()->text(), QStringLiteral("second"));
    dialog->close();
}

ZT_TEST_MAIN(TestFindReplace)
#include "tst_findreplace.moc"
