#include "framework/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <limits>

namespace {
CProfile* g_installedProfile = nullptr;

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

void CProfile::Reload()
{
    m_sections.clear();
    QFile file(m_strFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    Section* current = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            current = &SectionFor(trimmed.mid(1, trimmed.size() - 2).trimmed());
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0 || !current)
            continue; // a line that is neither a section nor a key is ignored
        const QString key = line.left(equals).trimmed();
        if (key.isEmpty())
            continue;
        const QString value = line.mid(equals + 1);
        bool replaced = false;
        for (Entry& entry : current->entries) {
            if (SameName(entry.key, key)) {
                entry.value = value; // a later duplicate wins, as when re-written
                replaced = true;
                break;
            }
        }
        if (!replaced)
            current->entries.append({key, value});
    }
}

const CProfile::Section* CProfile::FindSection(const QString& name) const
{
    for (const Section& section : m_sections) {
        if (SameName(section.name, name))
            return &section;
    }
    return nullptr;
}

CProfile::Section* CProfile::FindSection(const QString& name)
{
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

CProfile::Section& CProfile::SectionFor(const QString& name)
{
    if (Section* section = FindSection(name))
        return *section;
    m_sections.append({name, {}});
    return m_sections.last();
}

QString CProfile::GetString(const QString& section, const QString& key,
                            const QString& defaultValue) const
{
    if (const Section* found = FindSection(section)) {
        for (const Entry& entry : found->entries) {
            if (SameName(entry.key, key))
                return entry.value;
        }
    }
    return defaultValue;
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
    if (const Section* found = FindSection(section)) {
        for (const Entry& entry : found->entries) {
            if (SameName(entry.key, key))
                return true;
        }
    }
    return false;
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
    Section& target = SectionFor(section);
    const QString line = OneLine(value);
    for (Entry& entry : target.entries) {
        if (SameName(entry.key, key)) {
            if (entry.value == line)
                return true;
            entry.value = line;
            return Save();
        }
    }
    target.entries.append({key.trimmed(), line});
    return Save();
}

bool CProfile::WriteInt(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool CProfile::RemoveKey(const QString& section, const QString& key)
{
    Section* found = FindSection(section);
    if (!found)
        return true;
    for (int i = 0; i < found->entries.size(); ++i) {
        if (SameName(found->entries[i].key, key)) {
            found->entries.remove(i);
            return Save();
        }
    }
    return true;
}

bool CProfile::RemoveSection(const QString& section)
{
    for (int i = 0; i < m_sections.size(); ++i) {
        if (SameName(m_sections[i].name, section)) {
            m_sections.remove(i);
            return Save();
        }
    }
    return true;
}

bool CProfile::Save()
{
    QString text;
    for (const Section& section : m_sections) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QLatin1Char('[') + section.name + QStringLiteral("]\n");
        for (const Entry& entry : section.entries)
            text += entry.key + QLatin1Char('=') + entry.value + QLatin1Char('\n');
    }
    QDir().mkpath(QFileInfo(m_strFilePath).absolutePath());
    QSaveFile file(m_strFilePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        m_strLastError = file.errorString();
        return false;
    }
    m_strLastError.clear();
    return true;
}
