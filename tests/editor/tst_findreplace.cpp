#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "editor/FindReplace.h"
#include "editor/FindReplaceDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextDocument>
#include <QTimer>

using EDirection = CFindReplace::EDirection;
using ZtTest::Row;

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

// Where find looks for find in text from the selection selStart..selEnd:
// "start-end" of the match, or "none".
QString Found(const char* text, const char* find, int selStart, int selEnd, bool matchCase = false,
              bool wholeWord = false, EDirection direction = EDirection::Down)
{
    QTextDocument document(QString::fromLatin1(text));
    const CFindReplace search = Search(QString::fromLatin1(find), matchCase, wholeWord, direction);
    const QTextCursor match = search.FindNext(&document, Selection(&document, selStart, selEnd));
    if (match.isNull())
        return QStringLiteral("none");
    return QStringLiteral("%1-%2").arg(match.selectionStart()).arg(match.selectionEnd())
           + (search.IsMatch(match) ? QString() : QStringLiteral(" (no match)"));
}

// Replace All in one step: "count: text", then "; undone" when one undo
// takes it all back (and, when it replaced nothing, there was nothing to undo).
QString ReplacedAll(const char* text, const char* find, const char* replace, bool matchCase = false,
                    bool wholeWord = false)
{
    QTextDocument document;
    document.setPlainText(QString::fromLatin1(text)); // no undo history
    CFindReplace search = Search(QString::fromLatin1(find), matchCase, wholeWord);
    search.SetReplaceText(QString::fromLatin1(replace));
    const int count = search.ReplaceAll(&document);
    const bool stepOnlyIfReplaced = count > 0 || !document.isUndoAvailable();
    QString result = QStringLiteral("%1: ").arg(count) + document.toPlainText();
    document.undo();
    if (stepOnlyIfReplaced && document.toPlainText() == QLatin1String(text) && !document.isUndoAvailable())
        result += QStringLiteral("; undone");
    return result;
}

} // namespace

class TestFindReplace : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();

    void results_data();
    void results() { ZtTest::CompareResult(); }
    void replaceStepsThroughMatches();

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

void TestFindReplace::results_data()
{
    ZtTest::ResultColumns();
    const EDirection up = EDirection::Up;
    Row("find: from the start", Found("one two one", "one", 0, 0), "0-3");
    Row("find: after the selection", Found("one two one", "one", 0, 3), "8-11");
    Row("find: wraps at the end", Found("one two one", "one", 8, 11), "0-3");
    Row("find up: before the selection", Found("one two one", "one", 8, 11, false, false, up), "0-3");
    Row("find up: wraps at the start", Found("one two one", "one", 0, 3, false, false, up), "8-11");
    Row("find up: whole match before the caret", Found("abcabc", "abc", 5, 5, false, false, up), "0-3");
    Row("find: match case", Found("One one", "one", 0, 0, true), "4-7");
    Row("find: whole word", Found("phone one", "one", 0, 0, false, true), "6-9");
    Row("find: underscore joins words", Found("one_two one", "one", 0, 0, false, true), "8-11");
    Row("find up: whole word", Found("one phone", "one", 9, 9, false, true, up), "0-3");
    Row("find: punctuation separates words", Found("<B>bold</B>", "B", 2, 2, true, true), "9-10");
    Row("find: on the next line", Found("abc\nxabc", "abc", 0, 3), "5-8");
    Row("find: only the selection matches", Found("a needle here", "needle", 2, 8), "2-8");
    Row("find: nothing", Found("one two", "three", 0, 0), "none");
    // An empty search finds nothing and never loops.
    Row("find: empty search", Found("one two", "", 0, 0), "none");

    // Every replacement is one step that a single undo takes back.
    Row("replace all: match case", ReplacedAll("Tag tag TAG", "tag", "x", true), "1: Tag x TAG; undone");
    Row("replace all: any case", ReplacedAll("Tag tag TAG", "tag", "x"), "3: x x x; undone");
    Row("replace all: whole words", ReplacedAll("cat catalog cat", "cat", "dog", false, true),
        "2: dog catalog dog; undone");
    Row("replace all: the replacement is not searched", ReplacedAll("a a", "a", "aa"), "2: aa aa; undone");
    Row("replace all: matches do not overlap", ReplacedAll("aaaa", "aa", "b"), "2: bb; undone");
    Row("replace all: over lines", ReplacedAll("one\ntwo one\none", "one", "1"), "3: 1\ntwo 1\n1; undone");
    Row("replace all: with nothing", ReplacedAll("a-b-c", "-", ""), "2: abc; undone");
    Row("replace all: nothing found", ReplacedAll("nothing to see", "missing", "x"), "0: nothing to see; undone");
    Row("replace all: empty search", ReplacedAll("nothing to see", "", "x"), "0: nothing to see; undone");
}

void TestFindReplace::replaceStepsThroughMatches()
{
    QTextDocument document(QStringLiteral("a cat and a Cat"));
    CFindReplace search = Search(QStringLiteral("cat"));
    search.SetReplaceText(QStringLiteral("dog"));

    // "a" is selected, which is no match: the first Replace only finds, the
    // second replaces that and finds the next. (With the caret alone the
    // Replace dialog does the same, see replaceDialogReplacesAll.)
    QTextCursor current = Selection(&document, 0, 1);
    current = search.Replace(&document, current);
    current = search.Replace(&document, current);
    QCOMPARE(current.selectionStart(), 12);
    QVERIFY(search.Replace(&document, current).isNull());
    QCOMPARE(document.toPlainText(), QStringLiteral("a dog and a dog"));
    QCOMPARE(current.position(), 15); // after the last replacement
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
    dialog->close();

    // Repeat carries the last search, options included, to any editor.
    QVERIFY(CFindReplaceDlg::Repeat(&other));
    QCOMPARE(other.textCursor().selectionStart(), 17);

    dialog = CFindReplaceDlg::Show(&editor, false);
    dialog->FindEdit()->setText(QStringLiteral("gamma"));
    QVERIFY(!dialog->FindNext());
    QCOMPARE(m_messages, QStringList{QStringLiteral("Cannot find the string 'gamma'.")});
    QCOMPARE(editor.textCursor().selectionStart(), 0); // selection kept
    // The box stands over the dialog, so the keys go back to the dialog
    // and not to the page behind it when it closes.
    CFindReplaceDlg::SetMessageHandler({});
    QWidget* boxParent = nullptr;
    QTimer::singleShot(0, this, [&boxParent] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            boxParent = box->parentWidget();
            box->close();
        }
    });
    QVERIFY(!dialog->FindNext());
    QCOMPARE(boxParent, static_cast<QWidget*>(dialog));
    CFindReplaceDlg::SetMessageHandler([this](const QString& text) { m_messages << text; });
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
