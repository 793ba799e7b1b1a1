#pragma once

#include <QString>
#include <QStringList>
#include <QHash>
#include <QVector>

#include <functional>

class CProfileText;

// The application profile: every setting the program keeps, in one INI file
// at $XDG_CONFIG_HOME/Zentrel/Zentrel.ini.
//
// Section and key names are matched without regard to letter case ("Startup"
// and "StartUp" name one section), which QSettings cannot do, hence this small
// reader and writer of our own. A name keeps the spelling it was first
// written with. Values are kept exactly as they stand after the "=": no
// trimming, so "yes " stays different from "yes".
//
// Every write goes to disk at once through an atomic save, so a crash or a
// full disk never leaves a half-written profile behind. A write changes only
// its own key in the file as it is on disk at that moment, so two programs
// sharing the profile keep each other's settings, and every other line of
// the file (comments, stray lines, line ends) stays as it was.
//
// Only a regular file of at most 4 MB is read; anything else (a named pipe,
// a device, a huge file) counts as an unreadable profile: the program starts
// with defaults, says so on stderr, and never writes over that file.
class CProfile
{
public:
    // Loads the profile from filePath; a missing or unreadable file gives an
    // empty profile (LastError says why it was unreadable).
    explicit CProfile(const QString& filePath = DefaultFilePath());

    // $XDG_CONFIG_HOME/Zentrel/Zentrel.ini, or ~/.config/Zentrel/Zentrel.ini.
    static QString DefaultFilePath();

    // The program's profile. Made on first use from the default path unless a
    // test or the application installed another with SetInstance.
    static CProfile& Instance();
    // Makes profile the program's profile (not owned); null restores the
    // default one.
    static void SetInstance(CProfile* profile);

    QString FilePath() const { return m_strFilePath; }

    QString GetString(const QString& section, const QString& key,
                      const QString& defaultValue = QString()) const;
    // The value read as a decimal integer (leading blanks and a sign allowed,
    // anything after the digits ignored). An absent value, or one that does
    // not start with a number or overflows, gives defaultValue.
    int GetInt(const QString& section, const QString& key, int defaultValue) const;
    bool Contains(const QString& section, const QString& key) const;
    QStringList Keys(const QString& section) const;

    // Each write saves the file; false (and LastError) when that failed. The
    // value stays in memory either way.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInt(const QString& section, const QString& key, int value);
    bool RemoveKey(const QString& section, const QString& key);
    bool RemoveSection(const QString& section);

    // Re-reads the file, dropping what is in memory.
    void Reload();
    QString LastError() const { return m_strLastError; }

    // Parses text the way GetInt does; false when it holds no number.
    static bool ParseInt(const QString& text, int* value);

private:
    struct Entry
    {
        QString key;
        QString value;
    };
    // Names are looked up through their case-folded form, so that reading a
    // profile of many sections or keys takes time in proportion to its size.
    struct Section
    {
        QString name;
        QVector<Entry> entries;
        QHash<QString, int> keyIndex; // folded key -> index into entries

        const Entry* Find(const QString& key) const;
        void Reindex();
    };

    void Merge(const CProfileText& text);
    void SetInMemory(const QString& section, const QString& key, const QString& value);
    const Section* FindSection(const QString& name) const;
    Section* FindSection(const QString& name);
    Section& SectionFor(const QString& name);
    bool Save(const std::function<void(CProfileText&)>& change);

    QString m_strFilePath;
    QVector<Section> m_sections;
    QHash<QString, int> m_sectionIndex; // folded name -> index into m_sections
    QString m_strLastError;
};
