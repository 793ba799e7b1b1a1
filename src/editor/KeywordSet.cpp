#include "editor/KeywordSet.h"

CKeywordSet::CKeywordSet(const QString& list)
    : m_strList(list)
{
    // Only text between two blanks can be found as " word ": the piece before
    // the first blank and the piece after the last one never match.
    const int firstBlank = m_strList.indexOf(QLatin1Char(' '));
    if (firstBlank < 0)
        return;
    std::vector<std::pair<int, int>> words;
    int wordStart = firstBlank + 1;
    for (int i = wordStart; i < m_strList.size(); ++i) {
        if (m_strList.at(i) != QLatin1Char(' '))
            continue;
        if (i > wordStart)
            words.emplace_back(wordStart, i - wordStart);
        wordStart = i + 1;
    }
    // Keep the table at most a quarter full so that probes stay short.
    std::uint32_t capacity = 16;
    while (capacity < words.size() * 4)
        capacity *= 2;
    m_slots.assign(capacity, Slot());
    m_nMask = capacity - 1;
    for (const auto& [offset, length] : words)
        Insert(offset, length);
}

std::uint32_t CKeywordSet::Hash(QStringView word)
{
    std::uint32_t hash = HashStart;
    for (const QChar c : word)
        hash = HashStep(hash, c.unicode());
    return hash;
}

void CKeywordSet::Insert(int offset, int length)
{
    const QStringView word(m_strList.constData() + offset, length);
    std::uint32_t index = Hash(word) & m_nMask;
    while (m_slots[index].offset >= 0) {
        const Slot& slot = m_slots[index];
        if (QStringView(m_strList.constData() + slot.offset, slot.length) == word)
            return; // a repeated word (EMBED) needs only one entry
        index = (index + 1) & m_nMask;
    }
    m_slots[index] = Slot{offset, length};
    const char16_t first = word.at(0).unicode();
    if (first < 128)
        m_firstChars[first >> 6] |= std::uint64_t(1) << (first & 63);
    ++m_nWordCount;
    if (length > m_nLongestWord)
        m_nLongestWord = length;
}

bool CKeywordSet::Contains(QStringView word, std::uint32_t hash) const
{
    if (m_nWordCount == 0 || word.isEmpty() || word.size() > m_nLongestWord)
        return false;
    const char16_t first = word.at(0).unicode();
    if (first < 128 && !(m_firstChars[first >> 6] & (std::uint64_t(1) << (first & 63))))
        return false;
    std::uint32_t index = hash & m_nMask;
    while (m_slots[index].offset >= 0) {
        const Slot& slot = m_slots[index];
        if (slot.length == word.size()
            && QStringView(m_strList.constData() + slot.offset, slot.length) == word)
            return true;
        index = (index + 1) & m_nMask;
    }
    return false;
}

int CKeywordSet::FindInList(const QString& list, QStringView word)
{
    QString needle;
    needle.reserve(word.size() + 2);
    needle += QLatin1Char(' ');
    needle += word;
    needle += QLatin1Char(' ');
    return list.indexOf(needle, 0, Qt::CaseSensitive);
}
