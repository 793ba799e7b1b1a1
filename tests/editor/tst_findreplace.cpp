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

    void findNext();
    void replaceStepsThroughMatches();
    void replaceAll();
    void nothingFoundChangesNothing();

    void findDialogAndRepeat();
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

void TestFindReplace::findNext()
{
    const bool down = false;
    const bool up = true;
    // The text, what is found with which options from which selection, and
    // where the match starts (-1: nothing is found).
    const struct { const char* text, *find; bool matchCase, wholeWord, up;
                   int selStart, selEnd, found; } cases[] = {
        {"one two one", "one", false, false, down, 0, 0, 0},
        {"one two one", "one", false, false, down, 0, 3, 8},   // after the selection
        {"one two one", "one", false, false, down, 8, 11, 0},  // wraps
        {"one two one", "one", false, false, up, 8, 11, 0},    // before the selection
        {"one two one", "one", false, false, up, 0, 3, 8},     // wraps
        {"abcabc", "abc", false, false, up, 5, 5, 0},          // whole match before the caret
        {"One one", "one", true, false, down, 0, 0, 4},
        {"phone one", "one", false, true, down, 0, 0, 6},
        {"one_two one", "one", false, true, down, 1, 1, 8},    // underscore joins words
        {"one phone", "one", false, true, up, 9, 9, 0},
        {"<B>bold</B>", "B", true, true, down, 2, 2, 9},       // punctuation separates
        {"abc\nxabc", "abc", false, false, down, 0, 3, 5},     // on the next line
        {"a needle here", "needle", false, false, down, 2, 8, 2}, // only the selection matches
        {"one two", "three", false, false, down, 0, 0, -1},
    };
    for (const auto& c : cases) {
        QTextDocument document(QString::fromLatin1(c.text));
        const CFindReplace search = Search(QString::fromLatin1(c.find), c.matchCase, c.wholeWord,
                                           c.up ? EDirection::Up : EDirection::Down);
        const QTextCursor match =
            search.FindNext(&document, Selection(&document, c.selStart, c.selEnd));
        QCOMPARE(match.isNull() ? -1 : match.selectionStart(), c.found);
        if (!match.isNull()) {
            QCOMPARE(match.selectionEnd(), c.found + int(strlen(c.find)));
            QVERIFY(search.IsMatch(match));
        }
    }
}

void TestFindReplace::replaceStepsThroughMatches()
{
    QTextDocument document(QStringLiteral("a cat and a Cat"));
    CFindReplace search = Search(QStringLiteral("cat"));
    search.SetReplaceText(QStringLiteral("dog"));

    // The caret selects nothing: the first Replace only finds.
    QTextCursor current(&document);
    current = search.Replace(&document, current);
    QCOMPARE(document.toPlainText(), QStringLiteral("a cat and a Cat"));
    QCOMPARE(current.selectionStart(), 2);
    current = search.Replace(&document, current);
    QCOMPARE(document.toPlainText(), QStringLiteral("a dog and a Cat"));
    QCOMPARE(current.selectionStart(), 12);
    QVERIFY(search.Replace(&document, current).isNull());
    QCOMPARE(document.toPlainText(), QStringLiteral("a dog and a dog"));
    QCOMPARE(current.position(), 15); // after the last replacement
}

// Every row is replaced in one step that a single undo takes back.
void TestFindReplace::replaceAll()
{
    const struct { const char* text, *find, *replace; bool matchCase, wholeWord; int count;
                   const char* result; } cases[] = {
        {"Tag tag TAG", "tag", "x", true, false, 1, "Tag x TAG"},
        {"Tag tag TAG", "tag", "x", false, false, 3, "x x x"},
        {"cat catalog cat", "cat", "dog", false, true, 2, "dog catalog dog"},
        {"a a", "a", "aa", false, false, 2, "aa aa"},           // the replacement is not searched
        {"aaaa", "aa", "b", false, false, 2, "bb"},             // matches do not overlap
        {"one\ntwo one\none", "one", "1", false, false, 3, "1\ntwo 1\n1"},
        {"a-b-c", "-", "", false, false, 2, "abc"},
    };
    for (const auto& c : cases) {
        QTextDocument document;
        document.setPlainText(QString::fromLatin1(c.text)); // no undo history
        CFindReplace search = Search(QString::fromLatin1(c.find), c.matchCase, c.wholeWord);
        search.SetReplaceText(QString::fromLatin1(c.replace));
        QCOMPARE(search.ReplaceAll(&document), c.count);
        QCOMPARE(document.toPlainText(), QString::fromLatin1(c.result));
        document.undo();
        QCOMPARE(document.toPlainText(), QString::fromLatin1(c.text));
        QVERIFY(!document.isUndoAvailable());
    }
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

void TestFindReplace::findDialogAndRepeat()
{
    QPlainTextEdit editor(QStringLiteral("alpha beta alpha"));
    QPlainTextEdit other(QStringLiteral("alpha, Alpha and alpha Alpha"));

    // Without a search, Repeat opens the Find dialog instead.
    QVERIFY(!CFindReplaceDlg::Repeat(&editor));
    CFindReplaceDlg* dialog = CFindReplaceDlg::Show(&editor, false);
    dialog->FindEdit()->setText(QStringLiteral("alpha"));
    QVERIFY(dialog->FindNext());
    QCOMPARE(editor.textCursor().selectionStart(), 0);
    QVERIFY(dialog->FindNext());
    QCOMPARE(editor.textCursor().selectionStart(), 11);

    dialog->UpButton()->setChecked(true);
    dialog->MatchCaseBox()->setChecked(true);
    QVERIFY(dialog->FindNext());
    QCOMPARE(editor.textCursor().selectionStart(), 0);
    QCOMPARE(CFindReplace::Instance().Direction(), EDirection::Up);
    dialog->close();

    // Repeat carries the last search, options included, to any editor.
    QVERIFY(CFindReplaceDlg::Repeat(&other));
    QCOMPARE(other.textCursor().selectionStart(), 17);
    QVERIFY(m_messages.isEmpty());

    dialog = CFindReplaceDlg::Show(&editor, false);
    dialog->FindEdit()->setText(QStringLiteral("gamma"));
    QVERIFY(!dialog->FindNext());
    QCOMPARE(m_messages, QStringList{QStringLiteral("Cannot find the string 'gamma'.")});
    QCOMPARE(editor.textCursor().selectionStart(), 0); // selection kept
    dialog->close();
    QVERIFY(!CFindReplaceDlg::Repeat(&other));
    QCOMPARE(m_messages.size(), 2);
}

void TestFindReplace::replaceDialogReplacesAll()
{
    QPlainTextEdit editor(QStringLiteral("<i>a</i> <i>b</i>"));
    CFindReplaceDlg* dialog = CFindReplaceDlg::Show(&editor, true);
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
