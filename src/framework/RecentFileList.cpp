#include "framework/RecentFileList.h"

#include "framework/Profile.h"

#include <QDir>

#include <climits>

namespace {
// No file has a longer path: a longer entry is damage, and would only slow
// down every menu and message that shows it.
constexpr int kMaxPathLength = PATH_MAX;

// text cut to maxWidth characters by dropping its middle.
QString CutMiddle(const QString& text, int maxWidth)
{
    if (text.size() <= maxWidth)
        return text;
    const QString dots = QStringLiteral("...");
    const int kept = qMax(0, maxWidth - int(dots.size()));
    return text.left(kept - kept / 2) + dots + text.right(kept / 2);
}
} // namespace

CRecentFileList::CRecentFileList(CProfile& profile, int size, const QString& section,
                                 const QString& entryFormat)
    : m_profile(profile)
    , m_nSize(size)
    , m_strSection(section)
    , m_strEntryFormat(entryFormat)
{
}

void CRecentFileList::Add(const QString& path)
{
    m_entries.removeAll(path);
    m_entries.prepend(path);
    while (m_entries.size() > m_nSize)
        m_entries.removeLast();
    WriteList();
}

void CRecentFileList::Remove(int index)
{
    if (index < 0 || index >= m_entries.size())
        return;
    m_entries.removeAt(index);
    WriteList();
}

void CRecentFileList::SetEntries(const QStringList& paths)
{
    m_entries.clear();
    for (const QString& path : paths) {
        if (!path.isEmpty() && !m_entries.contains(path) && m_entries.size() < m_nSize)
            m_entries.append(path);
    }
    WriteList();
}

void CRecentFileList::ReadList()
{
    m_entries.clear();
    for (int i = 1; i <= m_nSize; ++i) {
        const QString path = m_profile.GetString(m_strSection, m_strEntryFormat.arg(i));
        if (path.trimmed().isEmpty())
            break;
        if (path.size() > kMaxPathLength)
            continue;
        if (!m_entries.contains(path))
            m_entries.append(path);
    }
}

void CRecentFileList::WriteList()
{
    for (int i = 1; i <= m_nSize; ++i) {
        const QString key = m_strEntryFormat.arg(i);
        if (i <= m_entries.size())
            m_profile.WriteString(m_strSection, key, m_entries[i - 1]);
        else if (m_profile.Contains(m_strSection, key))
            m_profile.RemoveKey(m_strSection, key);
    }
}

QString CRecentFileList::AbbreviatePath(const QString& path, int maxWidth)
{
    const QString native = QDir::toNativeSeparators(path);
    if (native.size() <= maxWidth)
        return native;
    QStringList parts = native.split(QDir::separator());
    const QString fileName = parts.takeLast();
    // Keep the root and as many trailing folders as fit, with "..." between.
    const QString head = parts.isEmpty() ? QString() : parts.takeFirst();
    QString tail = QDir::separator() + fileName;
    while (!parts.isEmpty()) {
        const QString candidate = QDir::separator() + parts.last() + tail;
        if (head.size() + 4 + candidate.size() > maxWidth)
            break;
        tail = candidate;
        parts.removeLast();
    }
    if (parts.isEmpty())
        return CutMiddle(head + tail, maxWidth);
    const QString abbreviated = head + QDir::separator() + QStringLiteral("...") + tail;
    return abbreviated.size() <= maxWidth ? abbreviated : CutMiddle(fileName, maxWidth);
}

QString CRecentFileList::MenuText(int index, int maxWidth) const
{
    QString name = AbbreviatePath(GetAt(index), maxWidth);
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(name);
}
