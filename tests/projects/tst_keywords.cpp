#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/MessageBox.h"
#include "projects/KeywordFile.h"
#include "projects/KeywordsTreeCtrl.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTimer>

// Keyword files edited line by line, byte-exact for every other line, and
// the Keywords tree that shows and edits them.
class TestKeywords : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void bytes_data();
    void bytes();
    void folderShowsEveryKeywordFile();
    void treeCommandsKeepFilesInStep();
    void longKeywordEditedWhole();
    void newKeywordsFile_data();
    void newKeywordsFile();
    void focusPicksNoFolder();

private:
    QTreeWidgetItem* Expand(QTreeWidgetItem* item);
    QTreeWidgetItem* Find(const QString& text) const
    {
        return m_pTree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }
    QStringList Texts(const QTreeWidgetItem* folder) const;
    void Edit(const std::function<void()>& start, const QString& text);

    std::unique_ptr<CKeywordsTreeCtrl> m_pTree;
    QString m_dir;
    QStringList m_messages;
    QMessageBox::StandardButton m_answer = QMessageBox::Yes;
};

void TestKeywords::init()
{
    m_dir = ZtTest::SandboxDir() + "/Keywords";
    QDir(m_dir).removeRecursively();
    m_messages.clear();
    ZtMessageBox::SetHandler([this](const QString& text, QMessageBox::StandardButtons) {
        m_messages << text;
        return m_answer;
    });
    ZtTest::WriteFile(m_dir + "/Web/a.kwd", "alpha\r\nbeta\r\n");
    ZtTest::WriteFile(m_dir + "/Web/b.kwd", "gamma");
    ZtTest::WriteFile(m_dir + "/Web/notes.txt", "x");
    QDir().mkpath(m_dir + "/Empty");
    m_pTree = std::make_unique<CKeywordsTreeCtrl>();
    m_pTree->FillTree(m_dir);
    m_pTree->show();
}

QTreeWidgetItem* TestKeywords::Expand(QTreeWidgetItem* item)
{
    item->setExpanded(true);
    return item;
}

QStringList TestKeywords::Texts(const QTreeWidgetItem* folder) const
{
    QStringList texts;
    for (int i = 0; i < folder->childCount(); ++i)
        texts << folder->child(i)->text(0);
    return texts;
}

void TestKeywords::Edit(const std::function<void()>& start, const QString& text)
{
    start();
    QApplication::processEvents();
    auto* editor = QApplication::focusWidget();
    QVERIFY(editor && editor->inherits("QLineEdit"));
    editor->setProperty("text", text);
    m_pTree->setFocus();
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

namespace {

QString Keywords(const QByteArray& bytes)
{
    return CKeywordFile::Keywords(bytes).join(QLatin1Char('|'));
}

// Runs an edit on bytes: "+i text" insert, "=i old>new" rename, "-i old"
// delete, "mi old>j" move. The bytes after it, or "refused".
QByteArray Edited(const QByteArray& bytes, const QString& op)
{
    const qsizetype space = op.indexOf(' ');
    const int index = op.mid(1, space - 1).toInt();
    const QString rest = op.mid(space + 1);
    const QString first = rest.section('>', 0, 0);
    const QString second = rest.section('>', 1);
    std::optional<QByteArray> result;
    switch (op.at(0).toLatin1()) {
    case '+': result = CKeywordFile::InsertLine(bytes, index, rest); break;
    case '=': result = CKeywordFile::RenameLine(bytes, index, first, second); break;
    case '-': result = CKeywordFile::DeleteLine(bytes, index, rest); break;
    case 'm': result = CKeywordFile::MoveLine(bytes, index, first, second.toInt()); break;
    }
    return result ? *result : QByteArray("refused");
}

} // namespace

void TestKeywords::bytes_data()
{
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<QByteArray>("expected");
    const auto row = [](const char* name, const QByteArray& result, const QByteArray& expected) {
        QTest::newRow(name) << result << expected;
    };
    row("keywords: mixed ends", Keywords("a\r\nb\nc\rd").toUtf8(), "a|b|c|d");
    row("keywords: final end makes no line", Keywords("a\n").toUtf8(), "a");
    row("keywords: empty lines count", Keywords("\n\r\nx\n").toUtf8(), "||x");
    row("keywords: CR CR LF is two ends", Keywords("a\r\r\nb").toUtf8(), "a||b");
    row("keywords: invalid UTF-8 as Windows-1252", Keywords("caf\xe9\nné").toUtf8(), "café|né");
    row("keywords: empty file", Keywords(QByteArray()).toUtf8(), "");

    const QByteArray mixed("\xff\xfe\r\nb\nc\rd");
    row("insert first takes the common end", Edited("a\nb\r\nc\n", "+0 new"), "new\na\nb\r\nc\n");
    row("insert in an empty file: CR LF", Edited(QByteArray(), "+0 x"), "x\r\n");
    row("append after a last line without end", Edited("a\r\nb", "+2 x"), "a\r\nb\r\nx");
    row("rename keeps its own end and the others", Edited(mixed, "=1 b>B"), "\xff\xfe\r\nB\nc\rd");
    row("rename the undecodable line", Edited(mixed, "=0 ÿþ>ok"), "ok\r\nb\nc\rd");
    row("delete takes its end along", Edited(mixed, "-2 c"), "\xff\xfe\r\nb\nd");
    row("delete the last line", Edited("a\nb", "-1 b"), "a\n");
    row("move down keeps its bytes", Edited(mixed, "m0 ÿþ>3"), "b\nc\r\xff\xfe\r\nd");
    row("move up", Edited("a\nb\nc\n", "m2 c>0"), "c\na\nb\n");
    row("move to the end", Edited("a\nb\nc\n", "m0 a>3"), "b\nc\na\n");
    row("move onto itself", Edited("a\nb", "m0 a>1"), "a\nb");
    // An edit whose line no longer holds the text it was made for is refused.
    row("stale rename", Edited("a\nb\n", "=1 a>x"), "refused");
    row("stale delete", Edited("a\nb\n", "-2 b"), "refused");
    row("stale move", Edited("a\nb\n", "m0 b>2"), "refused");
}

void TestKeywords::bytes()
{
    QFETCH(QByteArray, result);
    QTEST(result, "expected");
}

void TestKeywords::folderShowsEveryKeywordFile()
{
    QTreeWidgetItem* root = m_pTree->topLevelItem(0);
    QCOMPARE(root->text(0), QStringLiteral("Keywords"));
    QCOMPARE(root->childCount(), 1); // the marker
    Expand(root);
    QCOMPARE(Texts(root), (QStringList{"Empty", "Web"}));
    QTreeWidgetItem* web = Expand(root->child(1));
    QCOMPARE(Texts(web), (QStringList{"a.kwd", "b.kwd", "notes.txt", "alpha", "beta", "gamma"}));
    QCOMPARE(m_pTree->KeywordsFileOf(web), m_dir + "/Web/a.kwd");
    web->setExpanded(false);
    QCOMPARE(web->childCount(), 1);
}

void TestKeywords::treeCommandsKeepFilesInStep()
{
    QTreeWidgetItem* root = Expand(m_pTree->topLevelItem(0));
    QTreeWidgetItem* web = Expand(root->child(1));
    // A new keyword goes first into the folder's keywords file; b.kwd is untouched.
    m_pTree->SetHighlightedItem(web);
    Edit([this] { m_pTree->NewKeyword(); }, "document.write");
    QCOMPARE(ZtTest::ReadFile(m_dir + "/Web/a.kwd"), QByteArray("document.write\r\nalpha\r\nbeta\r\n"));
    QCOMPARE(ZtTest::ReadFile(m_dir + "/Web/b.kwd"), QByteArray("gamma"));
    // Renaming a keyword to nothing is refused; to a text, only its line changes.
    m_pTree->SetHighlightedItem(Find("beta"));
    Edit([this] { m_pTree->EditLabel(); }, "");
    QVERIFY(m_messages.last().contains("needs a text"));
    m_pTree->SetHighlightedItem(Find("beta"));
    Edit([this] { m_pTree->EditLabel(); }, "BETA");
    QCOMPARE(ZtTest::ReadFile(m_dir + "/Web/a.kwd"), QByteArray("document.write\r\nalpha\r\nBETA\r\n"));
    // A keyword dropped on another folder is added to its file; the folder without one says so.
    QVERIFY(!m_pTree->DropItem(Find("gamma"), root->child(0)));
    QCOMPARE(m_messages.last(), QStringLiteral("This folder does not have an keywords file"));
    QVERIFY(m_pTree->DropItem(Find("gamma"), Find("alpha")));
    QCOMPARE(ZtTest::ReadFile(m_dir + "/Web/a.kwd"), QByteArray("document.write\r\nalpha\r\nBETA\r\ngamma\r\n"));
    // Within one file a drop moves the line.
    QVERIFY(m_pTree->DropItem(Find("alpha"), Find("document.write")));
    QCOMPARE(ZtTest::ReadFile(m_dir + "/Web/a.kwd"), QByteArray("alpha\r\ndocument.write\r\nBETA\r\ngamma\r\n"));
    // Deleting a keyword removes its line only, even after the file changed around it.
    ZtTest::WriteFile(m_dir + "/Web/a.kwd", "alpha\r\ndocument.write\r\nBETA\r\ngamma\r\n");
    m_pTree->SetHighlightedItem(Find("BETA"));
    m_pTree->DeleteItem();
    QCOMPARE(ZtTest::ReadFile(m_dir + "/Web/a.kwd"), QByteArray("alpha\r\ndocument.write\r\ngamma\r\n"));
    // The root keeps its name.
    m_pTree->SetHighlightedItem(root);
    m_pTree->EditLabel();
    QCOMPARE(m_messages.last(),
             QStringLiteral("Editing this folder's name is not an option! It is sharedby all your projects"));
    // A new folder beside a file gets its index file.
    m_pTree->SetHighlightedItem(Find("notes.txt"));
    Edit([this] { m_pTree->NewFolder(); }, "Snippets");
    QVERIFY(QFile::exists(m_dir + "/Web/Snippets/Index.txt"));
}

void TestKeywords::longKeywordEditedWhole()
{
    // Longer than any file name: the label editor must hold all of it.
    const QString script = "document.write('" + QString(400, QLatin1Char('x')) + "');";
    ZtTest::WriteFile(m_dir + "/Web/a.kwd", "alpha\r\n" + script.toUtf8() + "\r\n");
    m_pTree->FillTree(m_dir);
    Expand(Expand(m_pTree->topLevelItem(0))->child(1));
    m_pTree->SetHighlightedItem(Find(script));
    m_pTree->EditLabel();
    QApplication::processEvents();
    auto* editor = QApplication::focusWidget();
    QVERIFY(editor && editor->inherits("QLineEdit"));
    editor->setProperty("text", editor->property("text").toString().chopped(3) + "//\"");
    m_pTree->setFocus();
    QApplication::processEvents();
    const QByteArray edited = script.chopped(3).toUtf8() + "//\"";
    QCOMPARE(ZtTest::ReadFile(m_dir + "/Web/a.kwd"), "alpha\r\n" + edited + "\r\n");
    // Typed text stops at 256 characters, in a new keyword as in a longer one.
    m_pTree->SetHighlightedItem(Find("alpha"));
    Edit([this] { m_pTree->NewKeyword(); }, QString(300, QLatin1Char('n')));
    m_pTree->SetHighlightedItem(Find(edited));
    Edit([this] { m_pTree->EditLabel(); }, edited + "more");
    QCOMPARE(ZtTest::ReadFile(m_dir + "/Web/a.kwd"),
             QByteArray(256, 'n') + "\r\nalpha\r\n" + edited + "\r\n");
}

// The tree getting the keys (its tab shown, Tab pressed) picks no folder:
// the List bar and the wizards keep the folder the user picked last.
void TestKeywords::focusPicksNoFolder()
{
    QSignalSpy picked(m_pTree.get(), &CFolderTreeCtrl::folderSelected);
    QApplication::setActiveWindow(m_pTree.get());
    QVERIFY(QTest::qWaitForWindowActive(m_pTree.get()));
    m_pTree->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), m_pTree.get());
    QCOMPARE(picked.count(), 0);
    QVERIFY(!m_pTree->HighlightedItem());
    // Picked by the user, the root lists the Keywords folder.
    m_pTree->setCurrentItem(m_pTree->topLevelItem(0));
    QCOMPARE(picked.count(), 1);
}

void TestKeywords::newKeywordsFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("created");
    QTest::addColumn<QString>("message");
    QTest::newRow("list.txt") << "list.txt" << "list.kwd" << "";
    QTest::newRow("list") << "list" << "list.kwd" << "";
    QTest::newRow("empty") << "" << "" << "You didn't name the new file.";
    QTest::newRow("existing is emptied") << "a" << "a.kwd" << "";
}

void TestKeywords::newKeywordsFile()
{
    QFETCH(QString, name);
    QFETCH(QString, created);
    QFETCH(QString, message);
    CKeywordsTreeCtrl::SetNameAsker([name](QWidget*) { return std::optional<QString>(name); });
    QTreeWidgetItem* web = Expand(Expand(m_pTree->topLevelItem(0))->child(1));
    m_pTree->SetHighlightedItem(web->child(0));
    m_pTree->NewKeywordsFile();
    CKeywordsTreeCtrl::SetNameAsker(nullptr);
    if (!created.isEmpty()) {
        QCOMPARE(ZtTest::ReadFile(m_dir + "/Web/" + created), QByteArray());
        QVERIFY(Texts(web).contains(created));
    }
    QCOMPARE(m_messages.isEmpty(), message.isEmpty());
    if (!message.isEmpty())
        QVERIFY(m_messages.first().contains(message));
}

ZT_TEST_MAIN(TestKeywords)
#include "tst_keywords.moc"
