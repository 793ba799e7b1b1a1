#include "framework/JournalRecord.h"

#include "files/RegularFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QUrl>

namespace {
const QByteArray kMagic = QByteArrayLiteral("ZENTREL-JOURNAL 1");
// A header is a few lines; anything longer is not one of ours.
const qint64 kMaxHeader = 64 * 1024;

QByteArray Field(const char* name, const QByteArray& value)
{
    return QByteArray(name) + ' ' + value + '\n';
}

QByteArray Text(const QString& value)
{
    // Percent-encoding keeps a newline in a file name from ending the line.
    return QUrl::toPercentEncoding(value);
}

QString FromText(const QByteArray& value)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(value));
}

bool ToNumber(const QByteArray& value, qint64& number)
{
    bool ok = false;
    number = value.toLongLong(&ok);
    return ok;
}

// Fills record from the header's lines; false when a line is missing or bad.
bool ParseHeader(const QList<QByteArray>& lines, CJournalRecord& record)
{
    if (lines.value(0) != kMagic)
        return false;
    int found = 0;
    qint64 exists = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        const qsizetype space = line.indexOf(' ');
        const QByteArray name = line.left(space);
        const QByteArray value = space < 0 ? QByteArray() : line.mid(space + 1);
        bool ok = true;
        if (name == "path")
            record.m_strPath = FromText(value);
        else if (name == "title")
            record.m_strTitle = FromText(value);
        else if (name == "kind")
            record.m_strKind = FromText(value);
        else if (name == "exists")
            ok = ToNumber(value, exists);
        else if (name == "size")
            ok = ToNumber(value, record.m_loadStamp.m_nSize);
        else if (name == "modified")
            ok = ToNumber(value, record.m_loadStamp.m_nModifiedMs);
        else if (name == "journaled")
            ok = ToNumber(value, record.m_nJournaledMs);
        else if (name == "length")
            ok = ToNumber(value, record.m_nLength) && record.m_nLength >= 0;
        else if (name == "sha1")
            record.m_sha1 = QByteArray::fromHex(value);
        else
            continue; // a field of a later version
        if (!ok)
            return false;
        ++found;
    }
    record.m_loadStamp.m_bExists = exists != 0;
    return found >= 9 && record.m_sha1.size() == 20;
}
} // namespace

QByteArray CJournalRecord::Encode(const QByteArray& bytes) const
{
    QByteArray header = kMagic + '\n';
    header += Field("path", Text(m_strPath));
    header += Field("title", Text(m_strTitle));
    header += Field("kind", Text(m_strKind));
    header += Field("exists", m_loadStamp.m_bExists ? "1" : "0");
    header += Field("size", QByteArray::number(m_loadStamp.m_nSize));
    header += Field("modified", QByteArray::number(m_loadStamp.m_nModifiedMs));
    header += Field("journaled", QByteArray::number(m_nJournaledMs));
    header += Field("length", QByteArray::number(bytes.size()));
    header += Field("sha1", QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
    return header + '\n' + bytes;
}

CJournalRecord CJournalRecord::ReadHeader(const QString& journalFile)
{
    CJournalRecord record;
    record.m_strJournalFile = journalFile;
    record.m_bDamaged = true;
    // Only a regular file is read, and opened so that a FIFO put here
    // cannot block the start; a link is not followed.
    if (QFileInfo(journalFile).isSymLink())
        return record;
    QFile file;
    if (!CRegularFile::OpenForReading(journalFile, file, nullptr))
        return record;
    const QByteArray start = file.read(kMaxHeader);
    const qsizetype end = start.indexOf("\n\n");
    if (end < 0)
        return record;
    if (!ParseHeader(start.left(end).split('\n'), record))
        return record;
    // A journal cut short, with bytes added or with a byte changed is
    // damaged; it is listed as such rather than offered as whole.
    record.m_bDamaged = file.size() != end + 2 + record.m_nLength;
    if (!record.m_bDamaged) {
        QCryptographicHash sha1(QCryptographicHash::Sha1);
        file.seek(end + 2);
        sha1.addData(&file);
        record.m_bDamaged = sha1.result() != record.m_sha1;
    }
    return record;
}

bool CJournalRecord::ReadBytes(QByteArray& bytes)
{
    if (m_bDamaged)
        return false;
    QFile file;
    if (!CRegularFile::OpenForReading(m_strJournalFile, file, nullptr) || file.size() < m_nLength) {
        m_bDamaged = true;
        return false;
    }
    file.seek(file.size() - m_nLength);
    bytes = file.read(m_nLength);
    m_bDamaged = bytes.size() != m_nLength
                 || QCryptographicHash::hash(bytes, QCryptographicHash::Sha1) != m_sha1;
    if (m_bDamaged)
        bytes.clear();
    return !m_bDamaged;
}

bool CJournalRecord::FileChangedSince() const
{
    if (m_strPath.isEmpty())
        return false;
    const CDiskStamp now = CDiskStamp::Of(m_strPath);
    // A page that was never written yet changed only if a file appeared.
    if (!m_loadStamp.m_bExists)
        return now.m_bExists;
    return !(now == m_loadStamp);
}
