#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// The words of one keyword list, for fast lookup while scanning.
//
// A list is a string of words separated by single blanks with a blank at each
// end. A word is in the list exactly when " word " occurs in that string;
// Contains() answers that question for a word made only of letters, digits
// and underscores (the only words the scanner looks up) without building the
// " word " string: it looks in a small open-addressing table of views into
// the list. Comparison is exact, letter case included.
class CKeywordSet
{
public:
    CKeywordSet() = default;
    explicit CKeywordSet(const QString& list);

    bool Contains(QStringView word) const { return Contains(word, Hash(word)); }
    // The same with the word's Hash() already known, so that a scanner can
    // compute it while it reads the word and use it for several lists.
    bool Contains(QStringView word, std::uint32_t hash) const;

    // FNV-1a over the UTF-16 code units, in steps a scanner can repeat.
    static constexpr std::uint32_t HashStart = 2166136261u;
    static std::uint32_t HashStep(std::uint32_t hash, char16_t c)
    {
        return (hash ^ c) * 16777619u;
    }
    static std::uint32_t Hash(QStringView word);
    bool IsEmpty() const { return m_nWordCount == 0; }

    // The position of the blank before the word's first occurrence in the
    // list, or -1: the plain substring search the lookup stands for.
    static int FindInList(const QString& list, QStringView word);

private:
    struct Slot
    {
        int offset = -1; // start of the word in m_strList, -1 when empty
        int length = 0;
    };

    void Insert(int offset, int length);

    QString m_strList;
    std::vector<Slot> m_slots;
    std::uint32_t m_nMask = 0;
    int m_nWordCount = 0;
    int m_nLongestWord = 0;
    // Which ASCII characters start a word of the list: most words of a text
    // are turned away by this one test, before any hashing.
    std::uint64_t m_firstChars[2] = {0, 0};
};
