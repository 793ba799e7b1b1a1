#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>

class QTextDocument;

// The bridge between a source file's bytes and the editor's text.
//
// The editor shows a file's bytes as text and must write an unedited file back
// byte for byte. Two things stand in the way, and this class deals with both:
//
// * Encoding. A file that is valid UTF-8 is shown as UTF-8. Any other file is
//   read as Windows-1252 with the five unassigned bytes mapped to the C1
//   control characters of the same number, so that each of the 256 byte values
//   has its own character and the bytes come back exactly on saving. A UTF-8
//   byte order mark is kept aside, out of the user's reach, and written back
//   in front of the text.
// * Characters the editor reserves. QTextDocument takes U+FDD0 and U+FDD1
//   for frame markers and would turn them into line breaks, so they are shown
//   as two other noncharacters the file does not use, and written back as
//   themselves. (Typing one of those two stand-ins then saves a frame marker.)
// * Line ends. QTextDocument keeps no carriage returns: every line break
//   becomes a block break. The kind of each line end (LF, CR LF, a lone CR,
//   CR CR LF, or U+2029) is kept by CLineEnds and written back on saving.
//   Line breaks the user makes get the file's most frequent end.
//
// The text ends at the first zero byte, as in a C string: a file holding one
// is shown only up to it.
class CSourceText
{
public:
    enum class Encoding { Utf8, Windows1252 };
    enum LineEnd : int { LF = 0, CRLF = 1, CR = 2, CRCRLF = 3, ParagraphSeparator = 4 };

    // Decodes bytes. Lines are joined by '\n'; lineEnds holds one entry per
    // line break.
    static CSourceText Decode(const QByteArray& fileBytes);

    // Replaces the document's text by the decoded bytes and records the line
    // ends and encoding on the document. Clears the undo history and the
    // modified flag.
    // The document gets its text in pieces of about s_nLoadPieceBytes bytes
    // (PieceEnd), so the whole decoded text never exists beside it.
    static void LoadInto(QTextDocument* document, const QByteArray& fileBytes);
    static qsizetype s_nLoadPieceBytes;
    // Records this text's encoding, line ends and stand-ins on a document
    // that already holds its text, as LoadInto does after setting the text.
    void RecordOn(QTextDocument* document) const;

    // Encoding, byte order mark and stand-ins decided over the whole text
    // (the bytes before the first zero byte); nothing decoded yet. Ready for
    // DecodePiece.
    static CSourceText ForBytes(const char* data, qsizetype size);

    // Decoding a file piece by piece, for files too large to decode at once.
    // The encoding, byte order mark and stand-ins are decided over the whole
    // file first (IsValidUtf8, HasFrameMarker); each piece must then end
    // just after a line feed byte or at the text's end, so that no character
    // and no line end is cut in two. Returns the piece's text (lines joined by
    // '\n') and appends its line ends to lineEnds.
    using LineEndCounts = std::array<int, 5>;
    QString DecodePiece(const char* data, qsizetype size, bool startOfFile, LineEndCounts& counts);
    static LineEnd DominantLineEnd(const LineEndCounts& counts);
    // Where a piece of about `bytes` bytes from start may end: just after the
    // next line feed byte at or past start + bytes, or at size.
    static qsizetype PieceEnd(const char* data, qsizetype size, qsizetype start, qsizetype bytes);
    // True when UTF-8 bytes hold U+FDD0 or U+FDD1.
    static bool HasFrameMarker(const char* data, qsizetype size);
    // What the frame markers are shown as in text that holds them.
    static QString StandInsFor(const QString& text);
    // The document's text as file bytes, in its recorded encoding and line ends.
    static QByteArray Save(const QTextDocument* document);
    // Everything Save needs from the document, copied out (one copy of the
    // text, the line ends resolved), so that Bytes() can make the file bytes
    // on another thread while the user goes on typing.
    static CSourceText Snapshot(const QTextDocument* document);
    // The same, with the text already copied out of the document (blocks
    // joined by '\n').
    static CSourceText Snapshot(const QTextDocument* document, QString text);
    // The file bytes of a snapshot: exactly what Save writes.
    QByteArray Bytes() const;
    // The temporary preview page: every line with its trailing control
    // characters (codes below 32) removed, each followed by CR LF.
    static QByteArray TempPageBytes(const QTextDocument* document);

    static Encoding DocumentEncoding(const QTextDocument* document);
    static LineEnd DocumentLineEnd(const QTextDocument* document);
    // Bytes of text in an encoding. Characters that Windows-1252 cannot hold
    // are written as UTF-8, so no typed character is ever lost.
    static QByteArray Encode(QStringView text, Encoding encoding);
    static QByteArray LineEndBytes(LineEnd lineEnd, Encoding encoding);

    // Offset of the first zero byte, or -1.
    static qsizetype FirstNul(const QByteArray& bytes);
    // How many bytes are text: those before the first zero byte.
    static qsizetype TextLength(const QByteArray& fileBytes);
    static bool IsValidUtf8(const char* data, qsizetype size);

    QString text;
    QVector<quint8> lineEnds;
    Encoding encoding = Encoding::Utf8;
    LineEnd dominantLineEnd = LF;
    bool byteOrderMark = false;
    // What U+FDD0 and U+FDD1 are shown as; empty when the text has neither.
    QString frameMarkerStandIns;
};
