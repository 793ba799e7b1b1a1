#include "support/Dialogs.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "editor/SourceText.h"
#include "tools/FindInFilesDlg.h"
#include "tools/SiteFileText.h"
#include "tools/SiteMatcher.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>
#include <QTreeWidget>

using ZtTest::Row;

namespace {
// Bytes as readable text: printable ASCII as it is, the rest as \xNN.
QString Escaped(const QByteArray& bytes)
{
    QString text;
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        text += (byte >= 0x20 && byte < 0x7F) ? QString(QLatin1Char(ch)) : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return text;
}

// Flags: "c" match case, "w" whole word, "r" regular expression.
CSiteSearchOptions Options(const QString& pattern, const QString& replacement, const QString& flags = {})
{
    CSiteSearchOptions options;
    options.pattern = pattern;
    options.replacement = replacement;
    options.matchCase = flags.contains(QLatin1Char('c'));
    options.wholeWord = flags.contains(QLatin1Char('w'));
    options.regularExpression = flags.contains(QLatin1Char('r'));
    return options;
}

QString Replaced(const QByteArray& bytes, const QString& pattern, const QString& replacement, const QString& flags = {})
{
    const CFileReplacement result = ZtSiteFileText::ReplaceInBytes(bytes, CSiteMatcher(Options(pattern, replacement, flags)));
    static const char* const outcomes[] = {"unchanged", "replaced", "binary", "undecodable", "empty", "unencodable"};
    return QStringLiteral("%1 %2: %3").arg(QLatin1String(outcomes[result.outcome])).arg(result.count)
        .arg(Escaped(result.outcome == CFileReplacement::Replaced ? result.bytes : bytes));
}

// Matches as "line:start+length", lines separated by blanks.
QString Found(const QByteArray& bytes, const QString& pattern, const QString& flags = {})
{
    QStringList rows;
    for (const CLineMatch& line : ZtSiteFileText::FindInBytes(bytes, CSiteMatcher(Options(pattern, QString(), flags)))) {
        for (const CTextSpan& span : line.spans)
            rows << QStringLiteral("%1:%2+%3").arg(line.line).arg(span.start).arg(span.length);
    }
    return rows.join(QLatin1Char(' '));
}

QLineEdit* FieldOf(QWidget* dialog, const QString& label)
{
    for (QLabel* candidate : dialog->findChildren<QLabel*>()) {
        if (candidate->text() == label)
            return qobject_cast<QLineEdit*>(candidate->buddy());
    }
    return nullptr;
}
} // namespace

class TestSiteSearch : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void badExpressionRunsNothing();
    void fieldsInTabOrder();
    void replaceAllOverAFolder_data();
    void replaceAllOverAFolder();
};

void TestSiteSearch::results_data()
{
    ZtTest::ResultColumns();
    Row("every end mixed", Replaced("foo\r\r\nfoo\nfoo\r\nfoo\rfoo\xe2\x80\xa9" "foo", "foo", "x"),
        "replaced 6: x\\x0d\\x0d\\x0ax\\x0ax\\x0d\\x0ax\\x0dx\\xe2\\x80\\xa9x");
    Row("end of line before CR LF", Replaced("foo\r\nboo\r\n", "o$", "X", "r"), "replaced 2: foX\\x0d\\x0aboX\\x0d\\x0a");
    Row("blank lines stay", Replaced("\r\n\r\nfoo\r\n\r\n", "foo", "bar"), "replaced 1: \\x0d\\x0a\\x0d\\x0abar\\x0d\\x0a\\x0d\\x0a");
    Row("Windows-1252 replacement", Replaced("caf\xe9 foo", "foo", QStringLiteral("d\u00e9j\u00e0")),
        "replaced 1: caf\\xe9 d\\xe9j\\xe0");
    Row("Windows-1252 file cannot hold the replacement", Replaced("caf\xe9 foo", "foo", QStringLiteral("\u2713")),
        "unencodable 1: caf\\xe9 foo");
    Row("UTF-8 replacement", Replaced("caf\xc3\xa9 foo", "foo", QStringLiteral("\u00e9")), "replaced 1: caf\\xc3\\xa9 \\xc3\\xa9");
    Row("UTF-8 pattern", Replaced("caf\xc3\xa9 CAF\xc3\x89", QStringLiteral("caf\u00e9"), "x"), "replaced 2: x x");
    Row("case counts", Replaced("Foo foo", "foo", "x", "c"), "replaced 1: Foo x");
    Row("whole word", Replaced("food foo _foo foo.", "foo", "x", "w"), "replaced 2: food x _foo x.");
    Row("groups", Replaced("ann@example", "(\\w+)@(\\w+)", "\\2 at \\1", "r"), "replaced 1: example at ann");
    Row("empty matches skipped", Replaced("ab", "x*", "-", "r"), "unchanged 0: ab");
    Row("Kelvin sign ignoring case", Replaced("\xe2\x84\xaa", "k", "x"), "replaced 1: x");
    Row("binary untouched", Replaced(QByteArray("foo\0bar", 7), "foo", "x"), "binary 0: foo\\x00bar");
    Row("would be empty", Replaced("foo", "foo", ""), "empty 1: foo");

    Row("every line end counts one line", Found("a\r\nfoo\rb\r\r\nfoo\xe2\x80\xa9 foo", "foo"), "2:0+3 4:0+3 5:1+3");
    Row("two on a line", Found("foo foo", "foo"), "1:0+3 1:4+3");
    Row("places in characters, not bytes", Found("\xc3\xa9t\xc3\xa9 foo", "foo"), "1:4+3");
    Row("binary", Found(QByteArray("foo\0", 4), "foo"), "");
    Row("expression anchored to lines", Found("a\r\nfoo\r\nfoox", "^foo$", "r"), "2:0+3");
    Row("start of subject is start of line", Found("a\nfoo", "\\Afoo", "r"), "2:0+3");
    Row("look-behind within the line", Found("x\nfoo xfoo", "(?<!x)foo", "r"), "2:0+3");
}

void TestSiteSearch::badExpressionRunsNothing()
{
    const CSiteMatcher matcher(Options("(unclosed", QString(), "r"));
    QVERIFY(matcher.Error().contains(QLatin1String("does not compile")));

    // The dialog says so and starts no search.
    const QString folder = ZtTest::FreshDir("bad");
    ZtTest::WriteFile(folder + "/a.html", "(unclosed");
    ZtTest::CMessageLog messages;
    CFindInFilesDlg dialog({});
    dialog.Prepare("(unclosed", folder);
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        if (box->text() == QLatin1String("Regular e&xpression"))
            box->setChecked(true);
    }
    dialog.FindAll();
    QVERIFY(!dialog.IsSearching());
    QCOMPARE(messages.texts.size(), 1);
    QCOMPARE(dialog.Results()->topLevelItemCount(), 0);
}

void TestSiteSearch::fieldsInTabOrder()
{
    CFindInFilesDlg dialog({});
    dialog.show();
    // A field goes by its label's text, a button by its own.
    QHash<QWidget*, QString> names;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        names.insert(label->buddy(), label->text());
    QWidget* first = FieldOf(&dialog, "Find &what");
    QVERIFY(first);
    QStringList order;
    QWidget* widget = first;
    do {
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            order << button->text();
        else if (qobject_cast<QLineEdit*>(widget))
            order << names.value(widget, QStringLiteral("?"));
        widget = widget->nextInFocusChain();
    } while (widget != first && order.size() < 12);
    QCOMPARE(order.mid(0, 11).join(QLatin1Char('|')),
             QStringLiteral("Find &what|Re&place with|In &folder|...|F&iles|Match &case|Whole w&ord|Regular e&xpression|"
                            "&Find All|Replace &All|Close"));
    QCOMPARE(FieldOf(&dialog, "F&iles")->text(), QStringLiteral("*.html;*.htm;*.shtml;*.css;*.js;*.php;*.txt"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Find in Files"));
}

void TestSiteSearch::replaceAllOverAFolder_data()
{
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No changes nothing") << false;
}

// Replace All over a folder: closed files are rewritten byte for byte but for
// the matches, the open page is changed in the editor as one undoable edit,
// files that do not fit the patterns and binary files stay as they were.
void TestSiteSearch::replaceAllOverAFolder()
{
    QFETCH(bool, answerYes);
    const QString folder = ZtTest::FreshDir("site");
    struct File { QString name; QByteArray before; QByteArray after; };
    const QVector<File> files{
        {"index.html", "<p>Old Name</p>\r\n<p>old name</p>\r\n", "<p>New Name</p>\r\n<p>New Name</p>\r\n"},
        {"css/site.css", "/* Old Name */\nbody{}\n", "/* New Name */\nbody{}\n"},
        {"latin.txt", "Old Name \xa9\r", "New Name \xa9\r"},
        {"picture.png", "Old Name", "Old Name"},
        {"data.html", QByteArray("Old Name\0", 9), QByteArray("Old Name\0", 9)},
        {"open.html", "old name on disk\n", "old name on disk\n"},
        {".hidden/x.html", "Old Name", "Old Name"},
    };
    for (const File& file : files)
        ZtTest::WriteFile(folder + '/' + file.name, file.before);
    QTextDocument openPage;
    CSourceText::LoadInto(&openPage, "first line\nOld Name, edited\n");

    ZtTest::CMessageLog log(answerYes ? QMessageBox::Yes : QMessageBox::No);
    const QStringList& messages = log.texts;
    CFindInFilesDlg dialog([&] { return QList<COpenText>{{folder + "/open.html", &openPage}}; });
    dialog.Prepare("old name", folder);
    FieldOf(&dialog, "Re&place with")->setText("New Name");
    dialog.ReplaceAll();
    QTRY_VERIFY(!messages.isEmpty());
    QCOMPARE(messages.first(), QStringLiteral("Replace 5 matches in 4 files?"));
    if (answerYes) {
        QTRY_COMPARE(messages.size(), 2);
        QVERIFY2(messages.last().startsWith("5 matches replaced in 4 files."), qPrintable(messages.last()));
    } else {
        // The status line keeps what the search found.
        QStringList statuses;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text().contains(QLatin1String("matches in")))
                statuses << label->text();
        }
        QCOMPARE(statuses.size(), 1);
        QVERIFY2(statuses.first().startsWith("5 matches in 4 files ("), qPrintable(statuses.first()));
    }
    QTest::qWait(50); // a replacement answered No must not start late either
    for (const File& file : files)
        QCOMPARE(Escaped(ZtTest::ReadFile(folder + '/' + file.name)), Escaped(answerYes ? file.after : file.before));
    QCOMPARE(openPage.toPlainText(), answerYes ? QStringLiteral("first line\nNew Name, edited\n")
                                                 : QStringLiteral("first line\nOld Name, edited\n"));
    if (answerYes) {
        openPage.undo();
        QCOMPARE(openPage.toPlainText(), QStringLiteral("first line\nOld Name, edited\n"));
    }
}

ZT_TEST_MAIN(TestSiteSearch)
#include "tst_sitesearch.moc"
