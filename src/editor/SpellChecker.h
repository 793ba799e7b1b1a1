#pragma once

#include "editor/PersonalWordList.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class CSpellDictionary;

// Spelling for every page editor: whether it is on ("Spelling"/"Check" in the
// profile, off unless "yes"), the installed Hunspell dictionaries, the one
// chosen ("Spelling"/"Dictionary", default en_US), the user's own words and
// the words ignored for this session.
//
// A dictionary is loaded when a page first needs it and kept until the
// program ends. One that is missing or damaged is reported once, and
// spelling turns itself off.
class CSpellChecker : public QObject
{
    Q_OBJECT
public:
    explicit CSpellChecker(const QString& personalWordsPath = CPersonalWordList::DefaultPath());
    ~CSpellChecker() override;

    // The program's spelling.
    static CSpellChecker& Instance();

    // Where dictionaries are looked for, first folder first:
    // /usr/share/hunspell unless a test set others.
    static QStringList DictionaryFolders();
    static void SetDictionaryFolders(const QStringList& folders);

    bool IsEnabled() const;
    // Turning it on loads the chosen dictionary first; when that fails the
    // user is told and spelling stays off. Kept in the profile.
    void SetEnabled(bool on);

    // The dictionaries installed (names such as "en_US": an ".aff" and a
    // ".dic" file of that name in a dictionary folder), sorted.
    QStringList InstalledDictionaries() const;
    QString ChosenDictionary() const;
    // Kept in the profile; pages that name no language are checked with it
    // from now on.
    void SetChosenDictionary(const QString& name);
    // The dictionary for a page whose <html> names language (may be empty):
    // an installed one of that language, the chosen one when it names none,
    // and empty when none of its language is installed (words of another
    // language would all look misspelt).
    QString DictionaryFor(const QString& language) const;
    // The installed dictionary of language ("de", "en-GB", "pt_br"), or
    // empty: the exact one first, then the language's own country ("de" ->
    // de_DE), then the first of the language.
    static QString MatchLanguage(const QString& language, const QStringList& installed);

    // The dictionary of that name, loaded on first use; null when it cannot
    // be (the user was told, and spelling is now off).
    CSpellDictionary* Dictionary(const QString& name);

    bool IsMisspelt(CSpellDictionary* dictionary, const QString& word);
    QStringList Suggestions(CSpellDictionary* dictionary, const QString& word);
    // The user's own word: known to every dictionary from now on and kept
    // in the personal word list.
    void AddToDictionary(const QString& word);
    // Known for the rest of this session only.
    void Ignore(const QString& word);
    // A page of language is not checked, as no dictionary of it is
    // installed: the user is told through noticed.
    void TellNoDictionary(const QString& language);

    static constexpr int kMaxSuggestions = 5;

signals:
    // Spelling was turned on or off, or a word became known: marks change.
    void changed();
    // Something the user should know, for the status bar.
    void noticed(const QString& text);

private:
    QString DictionaryPath(const QString& name, const QString& extension) const;
    void Fail(const QString& name, const QString& reason);

    CPersonalWordList m_personalWords;
    std::map<QString, std::unique_ptr<CSpellDictionary>> m_dictionaries;
    QSet<QString> m_ignored;
};
