#include "support/TestMain.h"

#include "editor/SourceText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

class TestSourceText : public QObject
{
    Q_OBJECT
private slots:
    void roundTripsUneditedBytes_data();
    void roundTripsUneditedBytes();
    void textEndsAtFirstNul();
    void chooseEncoding();
    void newLinesTakeTheMostFrequentEnd();
    void tempPageDropsTrailingControls();
};

void TestSourceText::roundTripsUneditedBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("crlf") << QByteArray("<HTML>\r\n<BODY>\r\n</HTML>\r\n");
    QTest::newRow("lf, no final end") << QByteArray("a\nb\nc");
    QTest::newRow("lone cr") << QByteArray("a\rb\r\rc\r");
    QTest::newRow("cr cr lf") << QByteArray("a\r\r\nb\r\r\n\r\n");
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd\r\r\ne\n\r\n\r");
    QTest::newRow("only breaks") << QByteArray("\n\n\r\n\r\r\r\n");
    QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\xc2\xa0|\xe2\x80\xa8|\r\n");
    QTest::newRow("paragraph separator") << QByteArray("a\xe2\x80\xa9" "b\n");
    QByteArray high;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        high.append(char(byte));
    QTest::newRow("bytes 0x80-0xff") << high + "\r\nx\n" + high;
    QTest::newRow("broken utf-8") << QByteArray("ok \xc3\xa9 then \xc3 alone\r\n\xed\xa0\x80");
    QTest::newRow("overlong") << QByteArray("\xc0\xaf\xe0\x80\xaf");
    QTest::newRow("tabs and controls") << QByteArray("\t\x01x\x1f\t\n\x0b\x0c");
}

void TestSourceText::roundTripsUneditedBytes()
{
    QFETCH(QByteArray, bytes);
    QTextDocument document;
    CSourceText::LoadInto(&document, bytes);
    QCOMPARE(CSourceText::Save(&document), bytes);
    QVERIFY(!document.isModified());
    QVERIFY(!document.isUndoAvailable());
}

void TestSourceText::textEndsAtFirstNul()
{
    QTextDocument document;
    CSourceText::LoadInto(&document, QByteArray("ab\r\nc\0de\nf", 11));
    QCOMPARE(document.blockCount(), 2);
    QCOMPARE(CSourceText::Save(&document), QByteArray("ab\r\nc"));
}

void TestSourceText::chooseEncoding()
{
    const CSourceText utf8 = CSourceText::Decode("caf\xc3\xa9");
    QCOMPARE(utf8.encoding, CSourceText::Encoding::Utf8);
    QCOMPARE(utf8.text, QString::fromUtf8("caf\xc3\xa9"));

    const CSourceText latin = CSourceText::Decode("caf\xe9 \x80");
    QCOMPARE(latin.encoding, CSourceText::Encoding::Windows1252);
    QCOMPARE(latin.text, QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac"));

    // A character Windows-1252 cannot hold is written as UTF-8, not dropped.
    QCOMPARE(CSourceText::Encode(u"\u00e9\u4e2d", CSourceText::Encoding::Windows1252),
             QByteArray("\xe9\xe4\xb8\xad"));
}

void TestSourceText::newLinesTakeTheMostFrequentEnd()
{
    QTextDocument document;
    CSourceText::LoadInto(&document, "a\r\nb\r\nc\n");
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("d"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("e"));
    // Splitting a line in the middle keeps both halves' ends.
    cursor.setPosition(1);
    cursor.insertBlock();
    QCOMPARE(CSourceText::Save(&document), QByteArray("a\r\n\r\nb\r\nc\nd\r\ne"));
}

void TestSourceText::tempPageDropsTrailingControls()
{
    QTextDocument document;
    QByteArray longLine(2000, 'x');
    CSourceText::LoadInto(&document, "\t<P>\t\t\x01\n" + longLine + "\r\nend");
    QCOMPARE(CSourceText::TempPageBytes(&document), "\t<P>\r\n" + longLine + "\r\nend\r\n");
}

ZT_TEST_MAIN(TestSourceText)
#include "tst_sourcetext.moc"
