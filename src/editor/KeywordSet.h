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

    bool Contains(QStringView word) const;
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

    static std::uint32_t Hash(QStringView word);
    void Insert(int offset, int length);

    QString m_strList;
    std::vector<Slot> m_slots;
    std::uint32_t m_nMask = 0;
    int m_nWordCount = 0;
    int m_nLongestWord = 0;
};
