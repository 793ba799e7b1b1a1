#include "editor/SourceText.h"

#include "editor/LineEnds.h"

#include <QByteArrayView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <array>
#include <cstring>
#include <string_view>

namespace {

const char* const kEncodingProperty = "ztEncoding";
const char* const kLineEndProperty = "ztLineEnd";
const char* const kByteOrderMarkProperty = "ztByteOrderMark";
const char* const kStandInsProperty = "ztFrameMarkerStandIns";
const QByteArray kUtf8ByteOrderMark("\xef\xbb\xbf");
constexpr char16_t kFrameMarkers[2] = {0xFDD0, 0xFDD1};

// Windows-1252 for bytes 0x80 to 0x9F; the five unassigned bytes keep their
// C1 control character so that every byte value has a character.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeCp1252(const char* data, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned char byte = static_cast<unsigned char>(data[i]);
        out[i] = (byte >= 0x80 && byte < 0xA0) ? kCp1252High[byte - 0x80] : char16_t(byte);
    }
    return text;
}

int Cp1252Byte(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == ch)
            return 0x80 + i;
    }
    return -1;
}

// Two characters for the frame markers that the text does not hold: first
// the other noncharacters of their block, which no one types, then private
// use characters.
QString PickStandIns(const QString& text)
{
    QString standIns;
    for (char16_t candidate = 0xFDD2; standIns.size() < 2 && candidate != 0xF900; ++candidate) {
        if (candidate == 0xFDF0)
            candidate = 0xE000;
        if (!text.contains(QChar(candidate)))
            standIns.append(QChar(candidate));
    }
    return standIns;
}

void ReplaceFrameMarkers(QString& text, const QString& standIns, bool toStandIns)
{
    for (int i = 0; i < 2; ++i) {
        const QChar marker(kFrameMarkers[i]);
        if (toStandIns)
            text.replace(marker, standIns[i]);
        else
            text.replace(standIns[i], marker);
    }
}

} // namespace

qsizetype CSourceText::s_nLoadPieceBytes = qsizetype(1) << 20;

qsizetype CSourceText::FirstNul(const QByteArray& bytes)
{
    const void* nul = std::memchr(bytes.constData(), 0, size_t(bytes.size()));
    return nul ? static_cast<const char*>(nul) - bytes.constData() : -1;
}

bool CSourceText::IsValidUtf8(const char* data, qsizetype size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    while (i < size) {
        // Runs of ASCII, most of a page, eight bytes at a time.
        quint64 word;
        while (i + 8 <= size && (std::memcpy(&word, bytes + i, 8), (word & 0x8080808080808080ULL) == 0))
            i += 8;
        if (i == size)
            break;
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        char32_t min = 0;
        char32_t code = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, code = lead & 0x07;
        } else {
            return false;
        }
        if (i + extra >= size)
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (bytes[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF would not come
        // back as the same bytes.
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

CSourceText CSourceText::Decode(const QByteArray& fileBytes)
{
    const qsizetype size = TextLength(fileBytes);
    CSourceText result = ForBytes(fileBytes.constData(), size);
    LineEndCounts counts = {0, 0, 0, 0, 0};
    result.text = result.DecodePiece(fileBytes.constData(), size, true, counts);
    result.dominantLineEnd = DominantLineEnd(counts);
    return result;
}

qsizetype CSourceText::TextLength(const QByteArray& fileBytes)
{
    const qsizetype nul = FirstNul(fileBytes);
    return nul < 0 ? fileBytes.size() : nul;
}

CSourceText CSourceText::ForBytes(const char* data, qsizetype size)
{
    CSourceText result;
    if (IsValidUtf8(data, size)) {
        result.byteOrderMark = QByteArrayView(data, size).startsWith(kUtf8ByteOrderMark);
        if (HasFrameMarker(data, size))
            result.frameMarkerStandIns = PickStandIns(QString::fromUtf8(data, size));
    } else {
        result.encoding = Encoding::Windows1252;
    }
    return result;
}

QString CSourceText::StandInsFor(const QString& text)
{
    return PickStandIns(text);
}

bool CSourceText::HasFrameMarker(const char* data, qsizetype size)
{
    // U+FDD0 and U+FDD1 in UTF-8: EF B7 90 and EF B7 91.
    const std::string_view bytes(data, size_t(size));
    for (size_t at = bytes.find("\xef\xb7"); at != std::string_view::npos; at = bytes.find("\xef\xb7", at + 1)) {
        if (at + 2 < bytes.size() && (bytes[at + 2] == '\x90' || bytes[at + 2] == '\x91'))
            return true;
    }
    return false;
}

QString CSourceText::DecodePiece(const char* data, qsizetype size, bool startOfFile, LineEndCounts& counts)
{
    QString decoded;
    if (encoding == Encoding::Utf8) {
        const qsizetype skip = startOfFile && byteOrderMark ? kUtf8ByteOrderMark.size() : 0;
        decoded = QString::fromUtf8(data + skip, size - skip);
        if (!frameMarkerStandIns.isEmpty())
            ReplaceFrameMarkers(decoded, frameMarkerStandIns, true);
    } else {
        decoded = DecodeCp1252(data, size);
    }

    // Split at every line end, in place: the text only ever shrinks.
    char16_t* chars = reinterpret_cast<char16_t*>(decoded.data());
    const qsizetype length = decoded.size();
    qsizetype out = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t ch = chars[i];
        LineEnd end;
        if (ch == u'\n') {
            end = LF;
        } else if (ch == u'\r') {
            if (i + 1 < length && chars[i + 1] == u'\n') {
                end = CRLF;
                ++i;
            } else if (i + 2 < length && chars[i + 1] == u'\r' && chars[i + 2] == u'\n') {
                end = CRCRLF;
                i += 2;
            } else {
                end = CR;
            }
        } else if (ch == 0x2029) {
            end = ParagraphSeparator;
        } else {
            chars[out++] = ch;
            continue;
        }
        chars[out++] = u'\n';
        lineEnds.append(quint8(end));
        ++counts[end];
    }
    decoded.truncate(out);
    return decoded;
}

CSourceText::LineEnd CSourceText::DominantLineEnd(const LineEndCounts& counts)
{
    int best = LF;
    for (int kind = CRLF; kind <= CRCRLF; ++kind) {
        if (counts[kind] > counts[best])
            best = kind;
    }
    return LineEnd(best);
}

void CSourceText::LoadInto(QTextDocument* document, const QByteArray& fileBytes)
{
    const qsizetype size = TextLength(fileBytes);
    const char* data = fileBytes.constData();
    CSourceText source = ForBytes(data, size);
    LineEndCounts counts = {0, 0, 0, 0, 0};
    // What setPlainText does, but decoded and handed over a piece at a time:
    // the whole decoded text never exists next to the document's own copy of
    // it. One edit block, so the document reports one change, as for
    // setPlainText; no undo step.
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    document->clear();
    for (qsizetype start = 0; start < size;) {
        const qsizetype end = PieceEnd(data, size, start, qMax<qsizetype>(1, s_nLoadPieceBytes));
        cursor.insertText(source.DecodePiece(data + start, end - start, start == 0, counts));
        start = end;
    }
    cursor.endEditBlock();
    document->setUndoRedoEnabled(undo);
    source.dominantLineEnd = DominantLineEnd(counts);
    source.RecordOn(document);
}

qsizetype CSourceText::PieceEnd(const char* data, qsizetype size, qsizetype start, qsizetype bytes)
{
    // A line feed byte ends every kind of line end but a lone CR and U+2029,
    // and is never part of a longer UTF-8 character.
    if (bytes >= size - start)
        return size;
    const void* feed = std::memchr(data + start + bytes, '\n', size_t(size - start - bytes));
    return feed ? static_cast<const char*>(feed) - data + 1 : size;
}

void CSourceText::RecordOn(QTextDocument* document) const
{
    document->setProperty(kEncodingProperty, int(encoding));
    document->setProperty(kLineEndProperty, int(dominantLineEnd));
    document->setProperty(kByteOrderMarkProperty, byteOrderMark);
    document->setProperty(kStandInsProperty, frameMarkerStandIns);
    document->clearUndoRedoStacks();
    CLineEnds::Attach(document, lineEnds);
    document->setModified(false);
}

CSourceText::Encoding CSourceText::DocumentEncoding(const QTextDocument* document)
{
    return Encoding(document->property(kEncodingProperty).toInt());
}

CSourceText::LineEnd CSourceText::DocumentLineEnd(const QTextDocument* document)
{
    return LineEnd(document->property(kLineEndProperty).toInt());
}

QByteArray CSourceText::Encode(QStringView text, Encoding encoding)
{
    if (encoding == Encoding::Utf8)
        return text.toUtf8();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = Cp1252Byte(text[i].unicode());
        if (byte >= 0) {
            bytes.append(char(byte));
            continue;
        }
        // A surrogate pair is encoded as one character.
        const qsizetype count =
            (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        bytes.append(text.mid(i, count).toUtf8());
        i += count - 1;
    }
    return bytes;
}

QByteArray CSourceText::LineEndBytes(LineEnd lineEnd, Encoding encoding)
{
    switch (lineEnd) {
    case CRLF:
        return QByteArrayLiteral("\r\n");
    case CR:
        return QByteArrayLiteral("\r");
    case CRCRLF:
        return QByteArrayLiteral("\r\r\n");
    case ParagraphSeparator:
        return Encode(u"\u2029", encoding);
    case LF:
        break;
    }
    return QByteArrayLiteral("\n");
}

QByteArray CSourceText::Save(const QTextDocument* document)
{
    return Snapshot(document).Bytes();
}

CSourceText CSourceText::Snapshot(const QTextDocument* document)
{
    // Raw text: blocks joined by U+2029, nothing else changed (U+00A0 and
    // U+2028 stay as they are). A block never holds a '\n' of its own.
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return Snapshot(document, std::move(text));
}

CSourceText CSourceText::Snapshot(const QTextDocument* document, QString text)
{
    CSourceText snapshot;
    snapshot.encoding = DocumentEncoding(document);
    snapshot.dominantLineEnd = DocumentLineEnd(document);
    snapshot.byteOrderMark = document->property(kByteOrderMarkProperty).toBool();
    snapshot.frameMarkerStandIns = document->property(kStandInsProperty).toString();
    snapshot.text = std::move(text);
    const CLineEnds* lineEnds = CLineEnds::Of(document);
    const int breaks = document->blockCount() - 1;
    snapshot.lineEnds.reserve(breaks);
    for (int i = 0; i < breaks; ++i) {
        const int recorded = lineEnds ? lineEnds->EndOf(i) : CLineEnds::New;
        snapshot.lineEnds.append(quint8(recorded <= ParagraphSeparator ? recorded : snapshot.dominantLineEnd));
    }
    return snapshot;
}

QByteArray CSourceText::Bytes() const
{
    QByteArray bytes;
    bytes.reserve(text.size() + lineEnds.size());
    if (byteOrderMark)
        bytes.append(kUtf8ByteOrderMark);
    qsizetype start = 0;
    for (int line = 0;; ++line) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        QString piece = text.mid(start, (end < 0 ? text.size() : end) - start);
        if (!frameMarkerStandIns.isEmpty())
            ReplaceFrameMarkers(piece, frameMarkerStandIns, false);
        bytes.append(Encode(piece, encoding));
        if (end < 0)
            break;
        bytes.append(LineEndBytes(LineEnd(lineEnds.value(line, dominantLineEnd)), encoding));
        start = end + 1;
    }
    return bytes;
}

QByteArray CSourceText::TempPageBytes(const QTextDocument* document)
{
    const Encoding encoding = DocumentEncoding(document);
    QByteArray bytes;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        qsizetype end = line.size();
        while (end > 0 && line[end - 1].unicode() < 32)
            --end;
        bytes.append(Encode(QStringView(line).left(end), encoding));
        bytes.append("\r\n");
    }
    return bytes;
}
