#include "editor/SpellDictionary.h"

#include <QFile>
#include <QFileInfo>

#include <hunspell.hxx>

#include <iconv.h>

namespace {

// The biggest dictionary file read: the largest shipped ones are some 20 MB.
constexpr qint64 kMaxFileSize = 128 * 1024 * 1024;
// The head of the ".dic" read to check it: the word count and the first words.
constexpr qint64 kHeadBytes = 64 * 1024;
constexpr int kSampleWords = 20;
// Answers kept per dictionary before they are forgotten all at once.
constexpr int kMaxRemembered = 200000;

QString FileProblem(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QObject::tr("%1 is missing.").arg(path);
    if (!info.isFile())
        return QObject::tr("%1 is not a regular file.").arg(path);
    if (info.size() > kMaxFileSize)
        return QObject::tr("%1 is too big to be a dictionary.").arg(path);
    if (!info.isReadable())
        return QObject::tr("%1 cannot be read.").arg(path);
    return QString();
}

// The encoding as glibc's converter names it: dictionaries write some
// Windows code pages as "microsoft-cp1251".
QByteArray IconvName(const QString& encoding)
{
    QString name = encoding.trimmed().toUpper();
    if (name.startsWith(QStringLiteral("MICROSOFT-CP")))
        name = QStringLiteral("CP") + name.mid(12);
    else if (name == QStringLiteral("TIS620-2533"))
        name = QStringLiteral("TIS-620");
    return name.toLatin1();
}

bool Convert(const QByteArray& from, const QByteArray& to, const QByteArray& input, QByteArray* output)
{
    iconv_t converter = iconv_open(to.constData(), from.constData());
    if (converter == iconv_t(-1))
        return false;
    QByteArray result(input.size() * 4 + 8, Qt::Uninitialized);
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = size_t(input.size());
    char* out = result.data();
    size_t outLeft = size_t(result.size());
    const size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (converted == size_t(-1) || inLeft != 0)
        return false;
    result.truncate(result.size() - qsizetype(outLeft));
    *output = result;
    return true;
}

// The word count of a ".dic" head and its first words (raw bytes, flags cut off).
bool ReadHead(const QString& dicPath, QList<QByteArray>* samples)
{
    QFile file(dicPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QList<QByteArray> lines = file.read(kHeadBytes).split('\n');
    if (lines.isEmpty())
        return false;
    QByteArray count = lines.takeFirst().trimmed();
    if (count.startsWith("\xEF\xBB\xBF"))
        count = count.mid(3);
    bool isNumber = false;
    count.toUInt(&isNumber);
    if (!isNumber)
        return false;
    lines.removeLast(); // may be cut short by the head's end
    for (const QByteArray& line : std::as_const(lines)) {
        QByteArray word = line.trimmed();
        const qsizetype end = word.indexOf('/');
        word = word.left(end < 0 ? word.size() : end).split('\t').first().trimmed();
        if (!word.isEmpty() && samples->size() < kSampleWords)
            samples->append(word);
    }
    return true;
}

} // namespace

CSpellDictionary::~CSpellDictionary() = default;

std::unique_ptr<CSpellDictionary> CSpellDictionary::Load(const QString& affPath, const QString& dicPath,
                                                         QString* error)
{
    for (const QString& path : {affPath, dicPath}) {
        const QString problem = FileProblem(path);
        if (!problem.isEmpty()) {
            *error = problem;
            return nullptr;
        }
    }
    QList<QByteArray> samples;
    if (!ReadHead(dicPath, &samples)) {
        *error = QObject::tr("%1 is damaged: it does not start with its word count.").arg(dicPath);
        return nullptr;
    }
    std::unique_ptr<CSpellDictionary> dictionary(new CSpellDictionary);
    dictionary->m_pHunspell = std::make_unique<Hunspell>(QFile::encodeName(affPath).constData(),
                                                          QFile::encodeName(dicPath).constData());
    dictionary->m_strEncoding = QString::fromStdString(dictionary->m_pHunspell->get_dict_encoding());
    dictionary->m_iconvName = IconvName(dictionary->m_strEncoding);
    QByteArray probe;
    if (!Convert("UTF-8", dictionary->m_iconvName, QByteArrayLiteral("a"), &probe)) {
        *error = QObject::tr("%1 is damaged: its encoding \"%2\" is unknown.").arg(affPath, dictionary->m_strEncoding);
        return nullptr;
    }
    // A dictionary that knows none of its own first words was not read right.
    const bool knowsItsWords = std::any_of(samples.cbegin(), samples.cend(), [&dictionary](const QByteArray& word) {
        return dictionary->m_pHunspell->spell(word.toStdString());
    });
    if (!knowsItsWords) {
        *error = QObject::tr("%1 is damaged: the dictionary does not know its own words.").arg(dicPath);
        return nullptr;
    }
    return dictionary;
}

bool CSpellDictionary::Encode(const QString& word, QByteArray* bytes) const
{
    if (m_iconvName == "UTF-8") {
        *bytes = word.toUtf8();
        return true;
    }
    return Convert("UTF-8", m_iconvName, word.toUtf8(), bytes);
}

QString CSpellDictionary::Decode(const std::string& bytes) const
{
    QByteArray utf8;
    if (m_iconvName == "UTF-8" || !Convert(m_iconvName, "UTF-8", QByteArray::fromStdString(bytes), &utf8))
        utf8 = QByteArray::fromStdString(bytes);
    return QString::fromUtf8(utf8);
}

bool CSpellDictionary::IsKnown(const QString& word)
{
    const auto remembered = m_known.constFind(word);
    if (remembered != m_known.cend())
        return *remembered;
    QByteArray bytes;
    const bool known = !Encode(word, &bytes) || m_pHunspell->spell(bytes.toStdString());
    if (m_known.size() >= kMaxRemembered)
        m_known.clear();
    m_known.insert(word, known);
    return known;
}

QStringList CSpellDictionary::Suggestions(const QString& word, int max)
{
    QByteArray bytes;
    if (!Encode(word, &bytes))
        return {};
    QStringList suggestions;
    for (const std::string& suggestion : m_pHunspell->suggest(bytes.toStdString())) {
        if (suggestions.size() >= max)
            break;
        suggestions << Decode(suggestion);
    }
    return suggestions;
}

void CSpellDictionary::AddWord(const QString& word)
{
    QByteArray bytes;
    if (Encode(word, &bytes))
        m_pHunspell->add(bytes.toStdString());
    // The word's other letter cases may now be known too.
    m_known.clear();
}
