#include "support/TestMain.h"

#include "framework/Profile.h"
#include "editor/EditKindRules.h"
#include "editor/SyntaxColoringCheck.h"

#include <QFile>

using Kind = ZentrelEditKind;
using Say = ZtEditAnnouncement;
using Span = CEditKindRules::LineSpan;

Q_DECLARE_METATYPE(ZentrelEditKind)
Q_DECLARE_METATYPE(ZtEditAnnouncement)

class TestEditKindRules : public QObject
{
    Q_OBJECT
private slots:
    void announce_data();
    void announce();
    void change_data();
    void change();
    void dragMoveSequence();
    void coloringCheck_data();
    void coloringCheck();
};

void TestEditKindRules::announce_data()
{
    QTest::addColumn<Kind>("before");
    QTest::addColumn<Say>("what");
    QTest::addColumn<Kind>("after");
    QTest::addColumn<bool>("recorded");

    QTest::newRow("cut") << Kind::None << Say::Cut << Kind::Cut << true;
    QTest::newRow("paste") << Kind::None << Say::Paste << Kind::Paste << true;
    QTest::newRow("paste after typing") << Kind::Typing << Say::Paste << Kind::Paste << true;
    QTest::newRow("paste after cut is a move") << Kind::Cut << Say::Paste << Kind::MovePaste << false;
    QTest::newRow("replace selection") << Kind::None << Say::ReplaceSel << Kind::Typing << true;
    QTest::newRow("char") << Kind::Backspace << Say::Char << Kind::Typing << true;
    QTest::newRow("backspace") << Kind::None << Say::KeyBackspace << Kind::Backspace << true;
    QTest::newRow("delete") << Kind::None << Say::KeyDelete << Kind::Delete << true;
    QTest::newRow("other key") << Kind::Typing << Say::KeyOther << Kind::Other << true;
    QTest::newRow("other message") << Kind::Cut << Say::Other << Kind::Other << true;
    QTest::newRow("char format keeps kind") << Kind::Cut << Say::SetCharFormat << Kind::Cut << false;
    QTest::newRow("char format keeps none") << Kind::None << Say::SetCharFormat << Kind::None << false;
    QTest::newRow("char format keeps move") << Kind::MovePaste << Say::SetCharFormat
                                            << Kind::MovePaste << false;
}

void TestEditKindRules::announce()
{
    QFETCH(Kind, before);
    QFETCH(Say, what);
    QFETCH(Kind, after);
    QFETCH(bool, recorded);
    const CEditKindRules::Announced result = CEditKindRules::OnProtected(before, what);
    QCOMPARE(result.kind, after);
    QCOMPARE(result.recordRange, recorded);
}

void TestEditKindRules::change_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("recordedFirst");
    QTest::addColumn<int>("recordedEnd");
    QTest::addColumn<int>("selFirst");
    QTest::addColumn<int>("selEnd");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QList<int>>("spans"); // a, b pairs

    QTest::newRow("none: selection") << Kind::None << 1 << 2 << 30 << 40 << false << QList<int>{30, 40};
    QTest::newRow("delete: caret line") << Kind::Delete << 5 << 5 << 7 << 7 << false << QList<int>{7, 7};
    QTest::newRow("backspace") << Kind::Backspace << 9 << 9 << 8 << 8 << false << QList<int>{8, 8};
    QTest::newRow("cut") << Kind::Cut << 10 << 20 << 10 << 10 << false << QList<int>{10, 10};
    QTest::newRow("typing: recorded to caret") << Kind::Typing << 12 << 12 << 13 << 13 << false
                                               << QList<int>{12, 13};
    QTest::newRow("paste: recorded to caret") << Kind::Paste << 100 << 110 << 5000 << 5000 << false
                                              << QList<int>{100, 5000};
    QTest::newRow("move with empty selection is a paste")
        << Kind::MovePaste << 100 << 110 << 300 << 300 << false << QList<int>{100, 300};
    QTest::newRow("move forward: source start line")
        << Kind::MovePaste << 100 << 110 << 290 << 300 << false << QList<int>{290, 300, 100, 100};
    QTest::newRow("move backward: source end line")
        << Kind::MovePaste << 100 << 110 << 20 << 30 << false << QList<int>{20, 30, 110, 110};
    QTest::newRow("move onto its own start")
        << Kind::MovePaste << 100 << 110 << 100 << 110 << false << QList<int>{100, 110, 110, 110};
    QTest::newRow("other: everything") << Kind::Other << 1 << 2 << 3 << 4 << true << QList<int>{};
}

void TestEditKindRules::change()
{
    QFETCH(Kind, kind);
    QFETCH(int, recordedFirst);
    QFETCH(int, recordedEnd);
    QFETCH(int, selFirst);
    QFETCH(int, selEnd);
    QFETCH(bool, all);
    QFETCH(QList<int>, spans);
    const CEditKindRules::ChangePlan plan =
        CEditKindRules::OnChange(kind, {recordedFirst, recordedEnd}, {selFirst, selEnd});
    QCOMPARE(plan.all, all);
    QList<int> flat;
    for (const Span& span : plan.spans)
        flat << span.a << span.b;
    QCOMPARE(flat, spans);
}

void TestEditKindRules::dragMoveSequence()
{
    // A drag move announces the cut, then the paste before the cut's change
    // arrives; the cut's range stays recorded for the change.
    auto first = CEditKindRules::OnProtected(Kind::None, Say::Cut);
    QVERIFY(first.recordRange);
    auto second = CEditKindRules::OnProtected(first.kind, Say::Paste);
    QCOMPARE(second.kind, Kind::MovePaste);
    QVERIFY(!second.recordRange);
    // Two cuts in a row are just a cut.
    QCOMPARE(CEditKindRules::OnProtected(Kind::Cut, Say::Cut).kind, Kind::Cut);
}

void TestEditKindRules::coloringCheck_data()
{
    QTest::addColumn<QString>("coloringOn"); // empty: absent
    QTest::addColumn<QString>("fileSize");   // empty: absent
    QTest::addColumn<int>("bytes");          // -1: the file does not exist
    QTest::addColumn<int>("result");

    QTest::newRow("below the limit") << "1" << "10000" << 9999 << 10000;
    QTest::newRow("at the limit") << "1" << "10000" << 10000 << 0;
    QTest::newRow("above the limit") << "1" << "10000" << 10001 << 0;
    QTest::newRow("empty file") << "1" << "10000" << 0 << 10000;
    QTest::newRow("missing file counts as empty") << "1" << "5000" << -1 << 5000;
    QTest::newRow("limit 0") << "1" << "0" << 10 << 0;
    QTest::newRow("limit absent") << "1" << "" << 10 << -1;
    QTest::newRow("limit negative") << "1" << "-5" << 10 << -1;
    QTest::newRow("limit not a number") << "1" << "big" << 10 << -1;
    QTest::newRow("switched off") << "0" << "10000" << 10 << 0;
    QTest::newRow("switch absent") << "" << "10000" << 10 << 0;
    QTest::newRow("switch not a number") << "yes" << "10000" << 10 << 0;
    QTest::newRow("switch other non-zero") << "2" << "10000" << 10 << 10000;
}

void TestEditKindRules::coloringCheck()
{
    QFETCH(QString, coloringOn);
    QFETCH(QString, fileSize);
    QFETCH(int, bytes);
    QFETCH(int, result);

    CProfile& profile = CProfile::Instance();
    const QString settings = QStringLiteral("Settings");
    profile.RemoveKey(settings, QStringLiteral("SyntaxColoringOn"));
    profile.RemoveKey(settings, QStringLiteral("SyntaxFileSize"));
    if (!coloringOn.isEmpty())
        profile.WriteString(settings, QStringLiteral("syntaxcoloringon"), coloringOn);
    if (!fileSize.isEmpty())
        profile.WriteString(QStringLiteral("SETTINGS"), QStringLiteral("SyntaxFileSize"), fileSize);

    const QString path = ZtTest::SandboxDir() + QStringLiteral("/page.html");
    QFile::remove(path);
    if (bytes >= 0) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(bytes, 'x'));
    }
    QCOMPARE(CheckSyntaxColoring(path), result);
}

ZT_TEST_MAIN(TestEditKindRules)
#include "tst_editkindrules.moc"
