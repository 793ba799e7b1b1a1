#pragma once

#include <QString>
#include <QStringList>

// The words the user added to the dictionary: a UTF-8 file of one word a
// line, shared by every dictionary, under the user's data folder. Read once,
// written whole (atomically) after each word added.
class CPersonalWordList
{
public:
    explicit CPersonalWordList(const QString& path = DefaultPath());

    // $XDG_DATA_HOME/Zentrel/spelling-words.txt
    static QString DefaultPath();

    QString Path() const { return m_strPath; }
    // The words, read from the file on first use (a missing or unreadable
    // file gives none).
    const QStringList& Words();
    // Adds word and writes the file; false, with the reason in error, when it
    // could not be written (the word is then still known for this session).
    bool Add(const QString& word, QString* error);

private:
    QString m_strPath;
    QStringList m_words;
    bool m_bRead = false;
};
