#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "editor/SourceText.h"

#include <QTextCursor>
#include <QTextDocument>

using ZtTest::Row;

class TestSourceText : public QObject
{
    Q_OBJECT
private slots:
    void roundTripsUneditedBytes_data();
    void roundTripsUneditedBytes();
    void results_data();
    void results() { ZtTest::CompareResult(); }
};

void TestSourceText::roundTripsUneditedBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("lf, no final end") << QByteArray("a\nb\nc");
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd\r\r\ne\n\r\n\r");
    QTest::newRow("only breaks") << QByteArray("\n\n\r\n\r\r\r\n");
    QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\xc2\xa0|\xe2\x80\xa8|\r\n");
    QByteArray high;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        high.append(char(byte));
    QTest::newRow("bytes 0x80-0xff") << high + "\r\nx\n" + high;
    QTest::newRow("broken utf-8") << QByteArray("ok \xc3\xa9 then \xc3 alone\r\n\xed\xa0\x80");
    QTest::newRow("tabs and controls") << QByteArray("\t\x01x\x1f\t\n\x0b\x0c");
    // U+FDD0 and U+FDD1 are frame markers inside the editor; U+FDD2 is present
    // so that the editor cannot simply borrow it for them.
    QTest::newRow("frame markers") << QByteArray("a\xef\xb7\x90" "b\xef\xb7\x91\xef\xb7\x92\n\xef\xb7\x91");
    QTest::newRow("byte order marks and special characters")
        << QByteArray("\xef\xbb\xbf|\xef\xbb\xbf|\xef\xbf\xbc|\xef\xbf\xbe|\xef\xbf\xbf|\xe2\x80\xa8\xe2\x80\xa9\xc2\xa0"
                      "\x01\x1b\x7f\xc2\x80\xc2\x9f\xf4\x8f\xbf\xbf\r\n");
    QTest::newRow("byte order mark, several lines") << QByteArray("\xef\xbb\xbfone\r\ntwo\nthree");
}

void TestSourceText::roundTripsUneditedBytes()
{
    QFETCH(QByteArray, bytes);
    // Whole, and a piece per line: a line end cut in two would still save the
    // same bytes, but as two lines.
    const QString lines = CSourceText::Decode(bytes).text;
    const qsizetype pieceBytes = CSourceText::s_nLoadPieceBytes;
    for (const qsizetype piece : {pieceBytes, qsizetype(1)}) {
        CSourceText::s_nLoadPieceBytes = piece;
        QTextDocument document;
        QTextCursor(&document).insertText(QStringLiteral("text the load replaces\n"));
        CSourceText::LoadInto(&document, bytes);
        CSourceText::s_nLoadPieceBytes = pieceBytes;
        QCOMPARE(document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')), lines);
        QCOMPARE(CSourceText::Save(&document), bytes);
        QVERIFY(!document.isModified());
        QVERIFY(!document.isUndoAvailable());
    }
}

// One edit (remove `removed` characters at `position`, then insert `inserted`,
// whose '\n' are new line breaks) must change only the bytes it touched: a
// line keeps its own end after the text it followed, and every new break gets
// the file's most frequent end. Undoing the edit gives the file back, redoing
// it the edit. The bytes saved after the edit, as Latin-1.
static QString Edited(const QByteArray& bytes, int position, int removed, const QString& inserted)
{
    QTextDocument document;
    CSourceText::LoadInto(&document, bytes);
    QTextCursor cursor(&document);
    cursor.setPosition(position);
    cursor.setPosition(position + removed, QTextCursor::KeepAnchor);
    cursor.insertText(inserted);
    const QByteArray edited = CSourceText::Save(&document);
    document.undo();
    const bool undone = CSourceText::Save(&document) == bytes;
    document.redo();
    const bool redone = CSourceText::Save(&document) == edited;
    return QString::fromLatin1(edited) + (undone ? QString() : QStringLiteral(" (undo differs)"))
           + (redone ? QString() : QStringLiteral(" (redo differs)"));
}

// The encoding bytes are read in, then their text.
static QString Decoded(const QByteArray& bytes)
{
    const CSourceText decoded = CSourceText::Decode(bytes);
    return (decoded.encoding == CSourceText::Encoding::Utf8 ? QStringLiteral("utf-8 ") : QStringLiteral("cp1252 "))
           + decoded.text;
}

// Bytes loaded into an editor, then saved (as Latin-1), or written for the
// temporary page a browser shows.
static QString Saved(const QByteArray& bytes, bool tempPage = false)
{
    QTextDocument document;
    CSourceText::LoadInto(&document, bytes);
    return QString::fromLatin1(tempPage ? CSourceText::TempPageBytes(&document) : CSourceText::Save(&document));
}

void TestSourceText::results_data()
{
    ZtTest::ResultColumns();
    Row("valid utf-8 is utf-8", Decoded("caf\xc3\xa9"), "utf-8 caf\u00e9");
    Row("other bytes are windows-1252", Decoded("caf\xe9 \x80"), "cp1252 caf\u00e9 \u20ac");
    // A character Windows-1252 cannot hold is written as UTF-8, not dropped.
    Row("utf-8 where windows-1252 has no byte",
        QString::fromLatin1(CSourceText::Encode(u"\u00e9\u4e2d", CSourceText::Encoding::Windows1252)),
        "\u00e9\u00e4\u00b8\u00ad");
    Row("text ends at the first nul", Saved(QByteArray("ab\r\nc\0de\nf", 11)), "ab\r\nc");
    const QByteArray longLine(2000, 'x');
    Row("temporary page drops trailing controls", Saved("\t<P>\t\t\x01\n" + longLine + "\r\nend", true),
        "\t<P>\r\n" + QString::fromLatin1(longLine) + "\r\nend\r\n");

    const QByteArray mixed("a\r\nbc\nd\r\n"); // blocks "a", "bc" (LF), "d"
    Row("enter inside an lf line", Edited(mixed, 3, 0, "\n"), "a\r\nb\r\nc\nd\r\n");
    Row("enter at the end of an lf line", Edited(mixed, 4, 0, "\n"), "a\r\nbc\r\n\nd\r\n");
    Row("enter at the start of an lf line", Edited(mixed, 2, 0, "\n"), "a\r\n\r\nbc\nd\r\n");
    Row("paste lines into an lf line", Edited(mixed, 3, 0, "1\n2\n3"), "a\r\nb1\r\n2\r\n3c\nd\r\n");
    Row("join a crlf line with an lf line", Edited(mixed, 1, 1, ""), "abc\nd\r\n");
    Row("join an lf line with a crlf line", Edited(mixed, 4, 1, ""), "a\r\nbcd\r\n");
    Row("lines over lines", Edited("a\r\nb\rc\nd\r\n", 1, 4, "X\nY"), "aX\r\nY\nd\r\n");
    Row("enter inside the last line", Edited("a\r\nb\r\nc\nde", 7, 0, "\n"), "a\r\nb\r\nc\nd\r\ne");
    Row("delete the final break", Edited("a\r\nb\n", 3, 1, ""), "a\r\nb");
    Row("type after a byte order mark", Edited("\xef\xbb\xbf" "ab\r\n", 1, 0, "x"), "\u00ef\u00bb\u00bf" "axb\r\n");
    Row("delete the first character after a byte order mark", Edited("\xef\xbb\xbf" "ab", 0, 1, ""),
        "\u00ef\u00bb\u00bf" "b");
    Row("type beside a frame marker", Edited("\xef\xb7\x90\n", 1, 0, "x"), "\u00ef\u00b7\u0090x\n");
}

ZT_TEST_MAIN(TestSourceText)
#include "tst_sourcetext.moc"
