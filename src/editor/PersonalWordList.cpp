#include "editor/PersonalWordList.h"

#include "files/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// A bigger file is not a word list someone typed: it is left alone.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
} // namespace

CPersonalWordList::CPersonalWordList(const QString& path)
    : m_strPath(path)
{
}

QString CPersonalWordList::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/Zentrel/spelling-words.txt");
}

const QStringList& CPersonalWordList::Words()
{
    if (m_bRead)
        return m_words;
    m_bRead = true;
    const QFileInfo info(m_strPath);
    QFile file(m_strPath);
    if (!info.isFile() || info.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly))
        return m_words;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString word = QString::fromUtf8(line).trimmed();
        if (!word.isEmpty() && !m_words.contains(word))
            m_words << word;
    }
    return m_words;
}

bool CPersonalWordList::Add(const QString& word, QString* error)
{
    Words();
    if (!m_words.contains(word))
        m_words << word;
    QDir().mkpath(QFileInfo(m_strPath).absolutePath());
    return CAtomicFile::Write(m_strPath, (m_words.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(), error);
}
