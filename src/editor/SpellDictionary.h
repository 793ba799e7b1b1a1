#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

// One Hunspell dictionary (an ".aff" and a ".dic" file), loaded and checked
// to be whole, with the words handed over in the dictionary's own encoding
// (UTF-8, ISO 8859-x, KOI8-R, ...). Answers are remembered per word, as a
// page repeats its words line after line.
class CSpellDictionary
{
public:
    // Loads the dictionary; null, with the reason in error, when a file is
    // missing, not a regular file, too big, or damaged (no word count first
    // in the ".dic", an encoding the system cannot convert, or words of its
    // own that it does not know).
    static std::unique_ptr<CSpellDictionary> Load(const QString& affPath, const QString& dicPath, QString* error);
    ~CSpellDictionary();

    // Whether the dictionary knows word. A word that cannot be written in the
    // dictionary's encoding counts as known: the dictionary cannot judge it.
    bool IsKnown(const QString& word);
    // At most max suggestions for word, best first.
    QStringList Suggestions(const QString& word, int max);
    // Makes word known until the dictionary is unloaded.
    void AddWord(const QString& word);

    QString Encoding() const { return m_strEncoding; }

private:
    CSpellDictionary() = default;
    // word in the dictionary's encoding; false when it cannot be written so.
    bool Encode(const QString& word, QByteArray* bytes) const;
    QString Decode(const std::string& bytes) const;

    std::unique_ptr<Hunspell> m_pHunspell;
    QString m_strEncoding;
    QByteArray m_iconvName; // the encoding as the system's converter names it
    QHash<QString, bool> m_known;
};
