#pragma once

#include <QString>
#include <QStringList>
#include <QHash>
#include <QVector>

#include <functional>
#include <memory>

class CProfileText;
class QTimer;

// The application profile: every setting the program keeps, in one INI file
// at $XDG_CONFIG_HOME/Zentrel/Zentrel.ini.
//
// Section and key names are matched without regard to letter case ("Startup"
// and "StartUp" name one section), which QSettings cannot do, hence this small
// reader and writer of our own. A name keeps the spelling it was first
// written with. Values are kept exactly as they stand after the "=": no
// trimming, so "yes " stays different from "yes".
//
// A write changes memory at once, so every read sees it, and the file a
// little later: changes are kept and written together when a command routed
// through CCommandRouter ends, half a second after the first of them (for
// changes made outside any command), and when the program quits. Writing
// locks the profile's folder, re-reads the file and applies the kept changes
// to it as it is on disk then, so two programs sharing the profile keep each
// other's settings and every line not written (comments, stray lines, line
// ends) stays as it was; it is saved atomically, so a crash or a full disk
// never leaves a half-written profile behind. A write that fails keeps the
// changes for the next attempt and tells the user once, and again only after
// a later write has succeeded.
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
    // Writes what is still kept.
    ~CProfile();
    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

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

    // Each change takes effect in memory at once and is kept for the next
    // write of the file. False when the last attempt to read or write the
    // file failed (LastError says why), so this change may not reach it
    // either.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInt(const QString& section, const QString& key, int value);
    bool RemoveKey(const QString& section, const QString& key);
    bool RemoveSection(const QString& section);

    // Writes the kept changes now; true when there were none or they were
    // written. A failure is shown through ZtMessageBox unless the last
    // failure was shown and no write has succeeded since.
    bool Flush();
    bool HasPendingChanges() const { return !m_pending.isEmpty(); }
    // Flushes the program's profile: called when a command ends.
    static void FlushInstance();

    // Re-reads the file, dropping what is in memory and the kept changes.
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

    using Change = std::function<void(CProfileText&)>;

    void Merge(const CProfileText& text);
    void SetInMemory(const QString& section, const QString& key, const QString& value);
    const Section* FindSection(const QString& name) const;
    Section* FindSection(const QString& name);
    Section& SectionFor(const QString& name);
    bool Keep(Change change);
    bool Save();
    void ReportFailure();

    QString m_strFilePath;
    QVector<Section> m_sections;
    QHash<QString, int> m_sectionIndex; // folded name -> index into m_sections
    QString m_strLastError;
    // Changes not yet in the file, in the order they were made.
    QVector<Change> m_pending;
    std::unique_ptr<QTimer> m_pWriteTimer;
    bool m_bFailureShown = false;
};
