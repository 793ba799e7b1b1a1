#include "editor/SpellChecker.h"

#include "editor/SpellDictionary.h"
#include "framework/MessageBox.h"
#include "framework/Profile.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kSection = QStringLiteral("Spelling");
const QString kCheckKey = QStringLiteral("Check");
const QString kDictionaryKey = QStringLiteral("Dictionary");
const QString kDefaultDictionary = QStringLiteral("en_US");

QStringList& Folders()
{
    static QStringList folders{QStringLiteral("/usr/share/hunspell")};
    return folders;
}
} // namespace

CSpellChecker::CSpellChecker(const QString& personalWordsPath)
    : m_personalWords(personalWordsPath)
{
}

CSpellChecker::~CSpellChecker() = default;

CSpellChecker& CSpellChecker::Instance()
{
    static CSpellChecker checker;
    return checker;
}

QStringList CSpellChecker::DictionaryFolders()
{
    return Folders();
}

void CSpellChecker::SetDictionaryFolders(const QStringList& folders)
{
    Folders() = folders;
}

bool CSpellChecker::IsEnabled() const
{
    return CProfile::Instance().GetString(kSection, kCheckKey) == QStringLiteral("yes");
}

void CSpellChecker::SetEnabled(bool on)
{
    if (on && !Dictionary(ChosenDictionary()))
        return;
    CProfile::Instance().WriteString(kSection, kCheckKey, on ? QStringLiteral("yes") : QStringLiteral("no"));
    emit changed();
}

QString CSpellChecker::ChosenDictionary() const
{
    const QString chosen = CProfile::Instance().GetString(kSection, kDictionaryKey).trimmed();
    return chosen.isEmpty() ? kDefaultDictionary : chosen;
}

void CSpellChecker::SetChosenDictionary(const QString& name)
{
    if (name == ChosenDictionary())
        return;
    CProfile::Instance().WriteString(kSection, kDictionaryKey, name);
    emit changed();
}

QStringList CSpellChecker::InstalledDictionaries() const
{
    QStringList names;
    for (const QString& folder : DictionaryFolders()) {
        for (const QFileInfo& aff : QDir(folder).entryInfoList({QStringLiteral("*.aff")}, QDir::Files)) {
            const QString name = aff.completeBaseName();
            if (QFileInfo::exists(aff.absolutePath() + QLatin1Char('/') + name + QStringLiteral(".dic"))
                && !names.contains(name))
                names << name;
        }
    }
    names.sort();
    return names;
}

QString CSpellChecker::MatchLanguage(const QString& language, const QStringList& installed)
{
    const QString wanted = QString(language).replace(QLatin1Char('-'), QLatin1Char('_'));
    const QString primary = wanted.section(QLatin1Char('_'), 0, 0);
    if (primary.isEmpty())
        return QString();
    QString ofLanguage;
    for (const QString& name : installed) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return name;
        if (name.compare(primary + QLatin1Char('_') + primary, Qt::CaseInsensitive) == 0)
            ofLanguage = name;
        else if (ofLanguage.isEmpty() && (name.startsWith(primary + QLatin1Char('_'), Qt::CaseInsensitive)
                                          || name.compare(primary, Qt::CaseInsensitive) == 0))
            ofLanguage = name;
    }
    return ofLanguage;
}

QString CSpellChecker::DictionaryFor(const QString& language) const
{
    return language.isEmpty() ? ChosenDictionary() : MatchLanguage(language, InstalledDictionaries());
}

QString CSpellChecker::DictionaryPath(const QString& name, const QString& extension) const
{
    for (const QString& folder : DictionaryFolders()) {
        const QString path = folder + QLatin1Char('/') + name + extension;
        if (QFileInfo::exists(path))
            return path;
    }
    return DictionaryFolders().value(0) + QLatin1Char('/') + name + extension;
}

CSpellDictionary* CSpellChecker::Dictionary(const QString& name)
{
    const auto loaded = m_dictionaries.find(name);
    if (loaded != m_dictionaries.end())
        return loaded->second.get();
    QString reason;
    std::unique_ptr<CSpellDictionary> dictionary;
    // A name is a file name in the folder, never a path elsewhere.
    if (name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
        reason = tr("\"%1\" is not a dictionary name.").arg(name);
    else
        dictionary = CSpellDictionary::Load(DictionaryPath(name, QStringLiteral(".aff")),
                                            DictionaryPath(name, QStringLiteral(".dic")), &reason);
    if (!dictionary) {
        Fail(name, reason);
        return nullptr;
    }
    for (const QString& word : m_personalWords.Words())
        dictionary->AddWord(word);
    return m_dictionaries.emplace(name, std::move(dictionary)).first->second.get();
}

void CSpellChecker::Fail(const QString& name, const QString& reason)
{
    const bool wasOn = IsEnabled();
    CProfile::Instance().WriteString(kSection, kCheckKey, QStringLiteral("no"));
    ZtMessageBox::Show(tr("The spelling dictionary %1 cannot be used.\n%2\nSpelling is turned off.").arg(name, reason),
                       QMessageBox::Warning);
    if (wasOn)
        emit changed();
}

bool CSpellChecker::IsMisspelt(CSpellDictionary* dictionary, const QString& word)
{
    return dictionary && !m_ignored.contains(word) && !dictionary->IsKnown(word);
}

QStringList CSpellChecker::Suggestions(CSpellDictionary* dictionary, const QString& word)
{
    return dictionary ? dictionary->Suggestions(word, kMaxSuggestions) : QStringList();
}

void CSpellChecker::AddToDictionary(const QString& word)
{
    for (auto& [name, dictionary] : m_dictionaries)
        dictionary->AddWord(word);
    QString error;
    if (!m_personalWords.Add(word, &error))
        ZtMessageBox::Show(tr("The word \"%1\" is known for now, but could not be kept in %2.\n%3")
                               .arg(word, QDir::toNativeSeparators(m_personalWords.Path()), error),
                           QMessageBox::Warning);
    emit changed();
}

void CSpellChecker::Ignore(const QString& word)
{
    m_ignored.insert(word);
    emit changed();
}

void CSpellChecker::TellNoDictionary(const QString& language)
{
    emit noticed(tr("No spelling dictionary for the language %1 of this page.").arg(language));
}
