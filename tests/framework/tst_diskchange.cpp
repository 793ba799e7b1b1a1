#include "support/Dialogs.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/Archive.h"
#include "framework/DiskChangeRules.h"
#include "framework/Document.h"

#include <QDir>
#include <QFile>

using ZtTest::Row;

namespace {
// A document whose contents are its bytes.
class CBytesDoc : public CDocument
{
public:
    bool FollowsFileOnDisk() const override { return true; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar.Bytes() = bytes;
        else
            bytes = ar.Bytes();
    }
    QByteArray bytes;
};

CDiskStamp Stamp(qint64 size, qint64 modifiedMs)
{
    CDiskStamp stamp;
    stamp.m_bExists = true;
    stamp.m_nSize = size;
    stamp.m_nModifiedMs = modifiedMs;
    return stamp;
}

CDiskStamp Gone()
{
    CDiskStamp stamp;
    stamp.m_nSize = 0;
    stamp.m_nModifiedMs = 0;
    return stamp;
}

// What a document does about its file: "none", "reload", "ask" or "gone".
QString Decide(const CDiskStamp& recorded, const CDiskStamp& settled, const CDiskStamp& now, bool modified)
{
    const char* const names[] = {"none", "reload", "ask", "gone"};
    return QString::fromLatin1(names[int(DiskChangeRules::Decide(recorded, settled, now, modified))]);
}
} // namespace

// What a document does about its file being changed or removed by another
// program, and the question Save asks before it replaces such a file.
class TestDiskChange : public QObject
{
    Q_OBJECT
private slots:
    void decidesFromTheStamps_data();
    void decidesFromTheStamps() { ZtTest::CompareResult(); }
    void saveAsksBeforeReplacingAChangedFile_data();
    void saveAsksBeforeReplacingAChangedFile();
    void saveAsRefusesAFileOpenElsewhere();
};

void TestDiskChange::decidesFromTheStamps_data()
{
    ZtTest::ResultColumns();
    const CDiskStamp loaded = Stamp(100, 5000);
    const CDiskStamp none;
    for (const bool modified : {false, true}) {
        const char* state = modified ? "modified" : "unmodified";
        const QString changed = modified ? "ask" : "reload";
        QTest::addRow("%s, unchanged", state) << Decide(loaded, none, loaded, modified) << "none";
        QTest::addRow("%s, rewritten same size", state) << Decide(loaded, none, Stamp(100, 6000), modified) << changed;
        QTest::addRow("%s, same time other size", state) << Decide(loaded, none, Stamp(101, 5000), modified) << changed;
        QTest::addRow("%s, deleted", state) << Decide(loaded, none, Gone(), modified) << "gone";
        QTest::addRow("%s, untitled", state) << Decide(none, none, Gone(), modified) << "none";
    }
    // Once the user kept their text, or was told the file is gone, the same
    // change stays quiet; a newer one speaks again.
    const CDiskStamp kept = Stamp(120, 7000);
    Row("kept text, same change", Decide(loaded, kept, kept, true), "none");
    Row("kept text, newer change", Decide(loaded, kept, Stamp(130, 8000), true), "ask");
    Row("kept text, file put back", Decide(loaded, kept, loaded, true), "none");
    Row("told gone, still gone", Decide(loaded, Gone(), Gone(), true), "none");
    Row("told gone, file back", Decide(loaded, Gone(), kept, true), "ask");
    Row("kept text, then deleted", Decide(loaded, kept, Gone(), true), "gone");
}

void TestDiskChange::saveAsksBeforeReplacingAChangedFile_data()
{
    QTest::addColumn<QByteArray>("otherProgramWrites"); // "-" deletes the file
    QTest::addColumn<int>("questions");
    QTest::newRow("untouched") << QByteArray() << 0;
    QTest::newRow("rewritten") << QByteArray("their longer text") << 1;
    QTest::newRow("deleted") << QByteArray("-") << 0;
}

// Whatever the change, answering Yes writes the document's bytes; the file
// changed by another program is replaced only after the question.
void TestDiskChange::saveAsksBeforeReplacingAChangedFile()
{
    QFETCH(QByteArray, otherProgramWrites);
    QFETCH(int, questions);
    const QString path = ZtTest::WriteFile(ZtTest::FreshDir(QStringLiteral("save")) + QStringLiteral("/page.html"),
                                           "first");
    CBytesDoc document;
    QVERIFY(document.OnOpenDocument(path));
    document.SetPathName(path, false);
    document.bytes = "mine";
    document.SetModifiedFlag(true);
    if (otherProgramWrites == "-")
        QVERIFY(QFile::remove(path));
    else if (!otherProgramWrites.isEmpty())
        ZtTest::WriteFile(path, otherProgramWrites);

    ZtTest::CMessageLog messages(QMessageBox::Yes);
    QVERIFY(document.DoFileSave());
    QCOMPARE(ZtTest::ReadFile(path), QByteArray("mine"));
    QCOMPARE(messages.texts.size(), questions);
    if (questions)
        QCOMPARE(messages.texts.first(), QDir::toNativeSeparators(path) +
                                             " was changed by another program since it was opened here.\n"
                                             "Do you want to replace it with this text?");
    // Saved, the file is the document's again: the next save asks nothing.
    document.bytes = "mine again";
    QVERIFY(document.DoFileSave());
    QCOMPARE(messages.texts.size(), questions);
}

// Saved over the file of another open window, a page would leave two windows
// on one file, each later save undoing the other's.
void TestDiskChange::saveAsRefusesAFileOpenElsewhere()
{
    const QString folder = ZtTest::FreshDir(QStringLiteral("saveas"));
    const QString pathA = ZtTest::WriteFile(folder + QStringLiteral("/a.html"), "a");
    const QString pathB = ZtTest::WriteFile(folder + QStringLiteral("/b.html"), "b");
    CBytesDoc a;
    CBytesDoc b;
    QVERIFY(a.OnOpenDocument(pathA));
    a.SetPathName(pathA, false);
    QVERIFY(b.OnOpenDocument(pathB));
    b.SetPathName(pathB, false);
    a.bytes = "typed in a";
    a.SetModifiedFlag(true);

    ZtTest::CMessageLog messages(QMessageBox::Yes);
    QVERIFY(!a.DoSave(folder + QStringLiteral("/./b.html")));
    QCOMPARE(messages.texts, QStringList{QDir::toNativeSeparators(pathB) + " is open in another window.\n"
                                                                           "Close that window first, or save under "
                                                                           "another name."});
    QCOMPARE(ZtTest::ReadFile(pathB), QByteArray("b"));
    QCOMPARE(a.GetPathName(), pathA);
    QVERIFY(a.IsModified());
    // Its own file, and a file no window holds, are saved as ever.
    QVERIFY(a.DoSave(pathA));
    QVERIFY(a.DoSave(folder + QStringLiteral("/c.html")));
    QCOMPARE(ZtTest::ReadFile(folder + QStringLiteral("/c.html")), QByteArray("typed in a"));
    QCOMPARE(messages.texts.size(), 1);
}

ZT_TEST_MAIN(TestDiskChange)

#include "tst_diskchange.moc"
