#include "framework/Profile.h"

#include "files/AtomicFile.h"
#include "framework/FolderLock.h"
#include "framework/MessageBox.h"
#include "framework/ProfileText.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {
CProfile* g_installedProfile = nullptr;

// A profile is a few kilobytes; a bigger file is not ours, and reading it
// would only slow the start.
constexpr qint64 kMaxProfileBytes = 4 * 1024 * 1024;

// Changes made outside any command reach the file this long after the first
// of them: soon enough that a crash loses little, late enough that a burst of
// changes (the bar layout writes nine keys in a row) is one write.
constexpr int kWriteDelayMs = 500;

enum class ReadResult { Read, Missing, Refused };

// Why the opened file is not read as a profile; empty when it may be read.
QString ProblemWith(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return qt_error_string(errno);
    if (!S_ISREG(info.st_mode))
        return QObject::tr("it is not a regular file");
    if (info.st_size > kMaxProfileBytes)
        return QObject::tr("it is larger than 4 MB");
    return QString();
}

// Reads to the end, or until more than the largest profile came (a file that
// grows while being read).
QString ReadAll(int fd, QByteArray* bytes)
{
    char buffer[65536];
    while (bytes->size() <= kMaxProfileBytes) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0)
            return QString();
        if (count < 0 && errno != EINTR)
            return qt_error_string(errno);
        if (count > 0)
            bytes->append(buffer, count);
    }
    return QObject::tr("it is larger than 4 MB");
}

// Reads the profile's bytes. Only a regular file is read: opening without
// blocking and checking the opened file itself means a named pipe or a device
// put in its place can never hang the program.
ReadResult ReadProfileFile(const QString& path, QByteArray* bytes, QString* why)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return ReadResult::Missing;
        *why = qt_error_string(errno);
        return ReadResult::Refused;
    }
    *why = ProblemWith(fd);
    if (why->isEmpty())
        *why = ReadAll(fd, bytes);
    ::close(fd);
    return why->isEmpty() ? ReadResult::Read : ReadResult::Refused;
}

QString ReadFailure(const QString& path, const QString& why)
{
    return QObject::tr("Cannot read the profile %1: %2. Settings start from their defaults and are not saved.")
        .arg(QDir::toNativeSeparators(path), why);
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value is one line in the file: line breaks inside it become blanks.
QString OneLine(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}
} // namespace

CProfile::CProfile(const QString& filePath)
    : m_strFilePath(filePath)
{
    Reload();
}

CProfile::~CProfile()
{
    // No message box while the program goes down: stderr has to do.
    if (!m_pending.isEmpty() && !Save())
        qWarning().noquote() << m_strLastError;
}

QString CProfile::DefaultFilePath()
{
    QString base = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Zentrel/Zentrel.ini");
}

CProfile& CProfile::Instance()
{
    if (g_installedProfile)
        return *g_installedProfile;
    static CProfile defaultProfile;
    return defaultProfile;
}

void CProfile::SetInstance(CProfile* profile)
{
    g_installedProfile = profile;
}

void CProfile::FlushInstance()
{
    Instance().Flush();
}

void CProfile::Reload()
{
    m_pending.clear();
    if (m_pWriteTimer)
        m_pWriteTimer->stop();
    m_sections.clear();
    m_sectionIndex.clear();
    QByteArray bytes;
    QString why;
    if (ReadProfileFile(m_strFilePath, &bytes, &why) == ReadResult::Refused) {
        m_strLastError = ReadFailure(m_strFilePath, why);
        qWarning().noquote() << m_strLastError;
        return;
    }
    Merge(CProfileText(bytes));
}

void CProfile::Merge(const CProfileText& text)
{
    text.ForEachKey([this](const QString& section, const QString& key, const QString& value) {
        SetInMemory(section, key, value);
    });
}

void CProfile::SetInMemory(const QString& section, const QString& key, const QString& value)
{
    Section& target = SectionFor(section);
    const QString folded = key.toCaseFolded();
    const auto found = target.keyIndex.constFind(folded);
    if (found != target.keyIndex.constEnd()) {
        target.entries[*found].value = value; // a later duplicate wins
        return;
    }
    target.keyIndex.insert(folded, int(target.entries.size()));
    target.entries.append({key, value});
}

const CProfile::Entry* CProfile::Section::Find(const QString& key) const
{
    const auto found = keyIndex.constFind(key.toCaseFolded());
    return found == keyIndex.constEnd() ? nullptr : &entries[*found];
}

void CProfile::Section::Reindex()
{
    keyIndex.clear();
    for (int i = 0; i < entries.size(); ++i)
        keyIndex.insert(entries[i].key.toCaseFolded(), i);
}

const CProfile::Section* CProfile::FindSection(const QString& name) const
{
    const auto found = m_sectionIndex.constFind(name.toCaseFolded());
    return found == m_sectionIndex.constEnd() ? nullptr : &m_sections[*found];
}

CProfile::Section* CProfile::FindSection(const QString& name)
{
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

CProfile::Section& CProfile::SectionFor(const QString& name)
{
    if (Section* section = FindSection(name))
        return *section;
    m_sectionIndex.insert(name.toCaseFolded(), int(m_sections.size()));
    m_sections.append({name, {}, {}});
    return m_sections.last();
}

QString CProfile::GetString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    const Section* found = FindSection(section);
    const Entry* entry = found ? found->Find(key) : nullptr;
    return entry ? entry->value : defaultValue;
}

bool CProfile::ParseInt(const QString& text, int* value)
{
    int i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 number = 0;
    int digits = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        number = number * 10 + (text[i].unicode() - '0');
        if (number > std::numeric_limits<int>::max())
            return false;
        ++digits;
    }
    if (digits == 0)
        return false;
    *value = int(negative ? -number : number);
    return true;
}

int CProfile::GetInt(const QString& section, const QString& key, int defaultValue) const
{
    int value = 0;
    if (!Contains(section, key) || !ParseInt(GetString(section, key), &value))
        return defaultValue;
    return value;
}

bool CProfile::Contains(const QString& section, const QString& key) const
{
    const Section* found = FindSection(section);
    return found && found->Find(key);
}

QStringList CProfile::Keys(const QString& section) const
{
    QStringList keys;
    if (const Section* found = FindSection(section)) {
        for (const Entry& entry : found->entries)
            keys.append(entry.key);
    }
    return keys;
}

bool CProfile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString name = key.trimmed();
    const QString line = OneLine(value);
    SetInMemory(section, name, line);
    return Keep([section, name, line](CProfileText& text) { text.SetValue(section, name, line); });
}

bool CProfile::WriteInt(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool CProfile::RemoveKey(const QString& section, const QString& key)
{
    if (Section* found = FindSection(section)) {
        for (int i = 0; i < found->entries.size(); ++i) {
            if (SameName(found->entries[i].key, key))
                found->entries.remove(i--);
        }
        found->Reindex();
    }
    return Keep([section, key](CProfileText& text) { text.RemoveKey(section, key); });
}

bool CProfile::RemoveSection(const QString& section)
{
    for (int i = 0; i < m_sections.size(); ++i) {
        if (SameName(m_sections[i].name, section))
            m_sections.remove(i--);
    }
    m_sectionIndex.clear();
    for (int i = 0; i < m_sections.size(); ++i)
        m_sectionIndex.insert(m_sections[i].name.toCaseFolded(), i);
    return Keep([section](CProfileText& text) { text.RemoveSection(section); });
}

bool CProfile::Keep(Change change)
{
    m_pending.append(std::move(change));
    // Without an event loop nothing would write later: write now.
    if (!QCoreApplication::instance())
        return Save();
    if (!m_pWriteTimer) {
        m_pWriteTimer = std::make_unique<QTimer>();
        m_pWriteTimer->setSingleShot(true);
        m_pWriteTimer->setInterval(kWriteDelayMs);
        QObject::connect(m_pWriteTimer.get(), &QTimer::timeout, [this] { Flush(); });
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, m_pWriteTimer.get(),
                         [this] { Flush(); });
    }
    // Started by the first change only, so a steady stream of changes is
    // still written every half second.
    if (!m_pWriteTimer->isActive())
        m_pWriteTimer->start();
    return m_strLastError.isEmpty();
}

bool CProfile::Flush()
{
    if (m_pWriteTimer)
        m_pWriteTimer->stop();
    if (m_pending.isEmpty())
        return true;
    if (Save()) {
        m_bFailureShown = false;
        return true;
    }
    ReportFailure();
    return false;
}

void CProfile::ReportFailure()
{
    if (m_bFailureShown)
        return;
    // Marked first: the box's own event loop may run the write timer.
    m_bFailureShown = true;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        ZtMessageBox::Show(m_strLastError, QMessageBox::Warning);
    else
        qWarning().noquote() << m_strLastError;
}

// Applies the kept changes to the file as it is on disk now, not to what
// this object read earlier, so a key another program wrote meanwhile
// survives; then takes the file's values into memory too. Keys only memory
// holds stay there: a profile deleted while the program runs does not reset
// it. The changes are kept until a write succeeds.
bool CProfile::Save()
{
    const QString folder = QFileInfo(m_strFilePath).absolutePath();
    QDir().mkpath(folder);
    CFolderLock lock(folder);
    QByteArray bytes;
    QString why;
    if (ReadProfileFile(m_strFilePath, &bytes, &why) == ReadResult::Refused) {
        m_strLastError = ReadFailure(m_strFilePath, why);
        return false;
    }
    CProfileText text(bytes);
    for (const Change& change : std::as_const(m_pending))
        change(text);
    const QByteArray updated = text.Bytes();
    if (updated != bytes && !CAtomicFile::Write(m_strFilePath, updated, &why)) {
        m_strLastError = QObject::tr("Cannot save the profile %1: %2")
                             .arg(QDir::toNativeSeparators(m_strFilePath), why);
        return false;
    }
    m_pending.clear();
    m_strLastError.clear();
    Merge(text);
    return true;
}
