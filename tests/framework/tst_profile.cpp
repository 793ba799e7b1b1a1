#include "support/Dialogs.h"
#include "support/FullDisk.h"
#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/CmdTarget.h"
#include "framework/CommandRouter.h"
#include "framework/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

class TestProfile : public QObject
{
    Q_OBJECT
private slots:
    void namesIgnoreCaseValuesStayExact();
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void writeKeepsEveryOtherByte_data();
    void writeKeepsEveryOtherByte() { ZtTest::CompareResult(); }
    void writeMergesWithTheFileOnDisk();
    void concurrentWritersLoseNothing();
    void changesReachTheFileTogether_data();
    void changesReachTheFileTogether();
    void failedWriteIsShownOnce();
    void unreadableProfileIsLeftAlone_data();
    void unreadableProfileIsLeftAlone();
    void fullDiskKeepsTheProfile();
    void defaultPathFollowsXdg();

private:
    QString NewPath(const QString& name) const { return ZtTest::SandboxDir() + QLatin1Char('/') + name; }
    QString WrittenOver(const QByteArray& before) const;
};

namespace {
using ZtTest::ReadFile;
using ZtTest::WriteFile;

// "section/key=value" for every key of the sections the tests use.
QString Dump(const CProfile& profile)
{
    QStringList lines;
    for (const QString& section : {QStringLiteral("Startup"), QStringLiteral("Settings"), QStringLiteral("Fonts")}) {
        for (const QString& key : profile.Keys(section))
            lines << section + QLatin1Char('/') + key + QLatin1Char('=') + profile.GetString(section, key);
    }
    return lines.join(QLatin1Char(' '));
}

// Counts the times a file of one name is finished or moved into a folder.
class CFileWrites
{
public:
    explicit CFileWrites(const QString& path)
        : m_name(QFile::encodeName(QFileInfo(path).fileName()))
    {
        m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        ::inotify_add_watch(m_fd, QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                            IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~CFileWrites() { ::close(m_fd); }

    int Count()
    {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t size; (size = ::read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (ssize_t offset = 0; offset < size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
                m_nCount += event->len > 0 && m_name == event->name;
                offset += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return m_nCount;
    }

private:
    int m_fd = -1;
    int m_nCount = 0;
    QByteArray m_name;
};

// A command target whose one command runs a function.
class CTarget : public CCmdTarget
{
public:
    CTarget(int id, std::function<void()> run) { OnCommand(id, std::move(run)); }
};
} // namespace

// Names match in any case; values come back exactly as written, blanks and
// '=' included, except that a line break would end the line.
void TestProfile::namesIgnoreCaseValuesStayExact()
{
    const QString path = NewPath(QStringLiteral("case.ini"));
    CProfile profile(path);
    profile.WriteString(QStringLiteral("Startup"), QStringLiteral("FontFace"), QStringLiteral("Mono"));
    profile.WriteString(QStringLiteral("STARTUP"), QStringLiteral("fontface"), QStringLiteral("Serif "));
    profile.WriteString(QStringLiteral("Settings"), QStringLiteral("Java path"), QStringLiteral(" /opt/j d k=1 "));
    profile.WriteString(QStringLiteral("Settings"), QStringLiteral("Multi"), QStringLiteral("a\nb"));

    QVERIFY(profile.Flush());
    // One section and one key on disk, spelled as first written.
    QCOMPARE(ReadFile(path), QByteArray("[Startup]\nFontFace=Serif \n\n[Settings]\nJava path= /opt/j d k=1 \nMulti=a b\n"));
    CProfile reread(path);
    QCOMPARE(reread.GetString(QStringLiteral("settings"), QStringLiteral("java PATH")), QStringLiteral(" /opt/j d k=1 "));
    QCOMPARE(reread.GetString(QStringLiteral("Settings"), QStringLiteral("Multi")), QStringLiteral("a b"));
    // Removing goes by the same rule.
    QVERIFY(reread.RemoveKey(QStringLiteral("SETTINGS"), QStringLiteral("multi")));
    QVERIFY(reread.RemoveSection(QStringLiteral("startup")));
    QVERIFY(!reread.Contains(QStringLiteral("Settings"), QStringLiteral("Multi")));
    QVERIFY(reread.Keys(QStringLiteral("Startup")).isEmpty());
}

// Integers are read as the profile functions read them: blanks, a sign and
// digits, anything after ignored; the default when there is no number.
void TestProfile::results_data()
{
    ZtTest::ResultColumns();
    CProfile profile(NewPath(QStringLiteral("int.ini")));
    const auto read = [&profile](const QString& stored) {
        profile.WriteString(QStringLiteral("Startup"), QStringLiteral("FontSize"), stored);
        return QString::number(profile.GetInt(QStringLiteral("startup"), QStringLiteral("fontsize"), 77));
    };
    ZtTest::Row("blanks and sign", read("  -3"), "-3");
    ZtTest::Row("trailing text", read("12px"), "12");
    ZtTest::Row("letters", read("big"), "77");
    ZtTest::Row("overflow", read("99999999999"), "77");
    ZtTest::Row("sign only", read("-"), "77");
}

// A profile file as before, then with Settings/New written as "x": the keys
// read, then the file's bytes afterwards (Latin-1), which read back the same.
QString TestProfile::WrittenOver(const QByteArray& before) const
{
    const QString path = ZtTest::WriteFile(NewPath(QStringLiteral("kept.ini")), before);
    CProfile profile(path);
    const QString keysRead = Dump(profile);
    if (!profile.WriteString(QStringLiteral("Settings"), QStringLiteral("New"), QStringLiteral("x")) || !profile.Flush())
        return QStringLiteral("not written");
    const QString reread = Dump(CProfile(path)) == Dump(profile) ? QString() : QStringLiteral(" (reads otherwise)");
    return keysRead + QStringLiteral(" | ") + QString::fromLatin1(ReadFile(path)) + reread;
}

void TestProfile::writeKeepsEveryOtherByte_data()
{
    ZtTest::ResultColumns();
    ZtTest::Row("CR line ends", WrittenOver("[Startup]\rFontSize=12\rFilesOpen=2\r[Settings]\rWindowPos=1,2\r"),
                "Startup/FontSize=12 Startup/FilesOpen=2 Settings/WindowPos=1,2 | "
                "[Startup]\rFontSize=12\rFilesOpen=2\r[Settings]\rWindowPos=1,2\rNew=x\r");
    ZtTest::Row("stray lines first", WrittenOver("stray line\nOrphan=1\n; note\n[Settings]\nWindowPos=1,2\n\n[Fonts]\n"),
                "Settings/WindowPos=1,2 | stray line\nOrphan=1\n; note\n[Settings]\nWindowPos=1,2\nNew=x\n\n[Fonts]\n");
    ZtTest::Row("byte order mark", WrittenOver("\xEF\xBB\xBF[Settings]\r\nWindowPos=1,2\r\n"),
                "Settings/WindowPos=1,2 | \u00EF\u00BB\u00BF[Settings]\r\nWindowPos=1,2\r\nNew=x\r\n");
    ZtTest::Row("no last line end", WrittenOver("[Fonts]\nFace=Caf\xE9"),
                "Fonts/Face=Caf\uFFFD | [Fonts]\nFace=Caf\u00E9\n\n[Settings]\nNew=x\n");
    ZtTest::Row("hand edited",
                WrittenOver("; note\r\n[Settings]\r\nWindowPos = 0,1\r\n  [ startup ]  \r\nFilesOpen=2\r\nfilesopen=3\r\n=v\r\n"),
                "Startup/FilesOpen=3 Settings/WindowPos= 0,1 | ; note\r\n[Settings]\r\nWindowPos = 0,1\r\nNew=x\r\n"
                "  [ startup ]  \r\nFilesOpen=2\r\nfilesopen=3\r\n=v\r\n");
    ZtTest::Row("changed in place", WrittenOver("[Settings]\nNew = old\n[settings]\n  new=older \n"),
                "Settings/New=older  | [Settings]\nNew = old\n[settings]\n  new=x\n");
}

void TestProfile::writeMergesWithTheFileOnDisk()
{
    const QString path = NewPath(QStringLiteral("shared.ini"));
    CProfile first(path);
    CProfile second(path);
    QVERIFY(first.WriteString(QStringLiteral("Settings"), QStringLiteral("Browser"), QStringLiteral("firefox")));
    QVERIFY(first.WriteInt(QStringLiteral("Startup"), QStringLiteral("FilesOpen"), 3));
    QVERIFY(first.Flush());
    // The second program saves its window at exit, then drops a key the
    // first one wrote after the second had read the file.
    QVERIFY(second.WriteString(QStringLiteral("Settings"), QStringLiteral("WindowPos"), QStringLiteral("1,2")));
    QVERIFY(second.RemoveKey(QStringLiteral("Startup"), QStringLiteral("FilesOpen")));
    QVERIFY(second.Flush());
    QCOMPARE(Dump(CProfile(path)), QStringLiteral("Settings/Browser=firefox Settings/WindowPos=1,2"));
    QCOMPARE(Dump(second), QStringLiteral("Settings/WindowPos=1,2 Settings/Browser=firefox"));
}

void TestProfile::concurrentWritersLoseNothing()
{
    const QString path = NewPath(QStringLiteral("race.ini"));
    const int writes = 40;
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    CProfile profile(path);
    const QString section = child == 0 ? QStringLiteral("Startup") : QStringLiteral("Settings");
    bool allWritten = true;
    for (int i = 0; i < writes; ++i)
        allWritten = profile.WriteInt(section, QStringLiteral("Key%1").arg(i), i) && profile.Flush() && allWritten;
    if (child == 0)
        ::_exit(allWritten ? 0 : 1);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(allWritten);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const CProfile reread(path);
    QCOMPARE(reread.Keys(QStringLiteral("Startup")).size(), writes);
    QCOMPARE(reread.Keys(QStringLiteral("Settings")).size(), writes);
}

// A burst of changes (the bar layout writes nine keys in a row) is one write
// of the file at the next defined point, and reads see it before that.
void TestProfile::changesReachTheFileTogether_data()
{
    QTest::addColumn<QString>("writtenBy");
    QTest::newRow("end of a routed command") << "command";
    QTest::newRow("timer") << "timer";
    QTest::newRow("profile going away") << "destructor";
}

void TestProfile::changesReachTheFileTogether()
{
    QFETCH(QString, writtenBy);
    const QString path = NewPath(writtenBy + QStringLiteral(".ini"));
    const QByteArray before("; kept\r\n[BarState]\r\ndock side=59420\r\nOther=1\r\n");
    WriteFile(path, before);
    auto profile = std::make_unique<CProfile>(path);
    CFileWrites writes(path);
    const auto writeNine = [&profile] {
        for (int i = 0; i < 8; ++i)
            profile->WriteInt(QStringLiteral("BarState"), QStringLiteral("dock %1").arg(i), i);
        profile->RemoveKey(QStringLiteral("barstate"), QStringLiteral("DOCK SIDE"));
    };
    if (writtenBy == QLatin1String("command")) {
        CTarget target(1, [&] {
            writeNine();
            QCOMPARE(ReadFile(path), before); // not yet: the command is still running
        });
        CProfile::SetInstance(profile.get());
        const bool ran = CCommandRouter([&target] { return QList<CCmdTarget*>{&target}; }).Execute(1);
        CProfile::SetInstance(nullptr);
        QVERIFY(ran);
    } else {
        writeNine();
        QVERIFY(profile->HasPendingChanges());
        QCOMPARE(ReadFile(path), before);
        QCOMPARE(profile->GetInt(QStringLiteral("barstate"), QStringLiteral("dock 7"), -1), 7);
        QVERIFY(!profile->Contains(QStringLiteral("BarState"), QStringLiteral("dock side")));
        if (writtenBy == QLatin1String("timer"))
            QTRY_VERIFY(!profile->HasPendingChanges());
        else
            profile.reset();
    }
    QCOMPARE(ReadFile(path), QByteArray("; kept\r\n[BarState]\r\nOther=1\r\ndock 0=0\r\ndock 1=1\r\ndock 2=2\r\n"
                                        "dock 3=3\r\ndock 4=4\r\ndock 5=5\r\ndock 6=6\r\ndock 7=7\r\n"));
    QCOMPARE(writes.Count(), 1);
}

// A write that fails keeps its changes for the next one and is shown once,
// not at every later attempt; after a write that succeeded, a new failure is
// shown again.
void TestProfile::failedWriteIsShownOnce()
{
    const QString path = NewPath(QStringLiteral("failing.ini"));
    ZtTest::CMessageLog messages;
    CProfile profile(path);
    QVERIFY(QDir().mkpath(path)); // a folder in the file's place cannot be written
    profile.WriteString(QStringLiteral("Settings"), QStringLiteral("Browser"), QStringLiteral("firefox"));
    QVERIFY(!profile.Flush());
    QVERIFY(!profile.WriteString(QStringLiteral("Settings"), QStringLiteral("WindowPos"), QStringLiteral("1,2")));
    QVERIFY(!profile.Flush());
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.first().startsWith(QStringLiteral("Cannot read the profile")), qPrintable(messages.texts.first()));

    QVERIFY(QDir().rmdir(path));
    QVERIFY(profile.Flush());
    QCOMPARE(ReadFile(path), QByteArray("[Settings]\nBrowser=firefox\nWindowPos=1,2\n"));
    QVERIFY(QFile::remove(path) && QDir().mkpath(path));
    profile.WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 1);
    QVERIFY(!profile.Flush());
    QCOMPARE(messages.texts.size(), 2);
    QVERIFY(QDir().rmdir(path));
}

void TestProfile::unreadableProfileIsLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("folder") << "folder";
    QTest::newRow("over 4 MB") << "huge";
}

void TestProfile::unreadableProfileIsLeftAlone()
{
    QFETCH(QString, kind);
    const QString path = NewPath(kind + QStringLiteral(".ini"));
    const QByteArray huge = "[Settings]\nSyntaxFileSize=1\n" + QByteArray(5 * 1024 * 1024, ';');
    if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    else
        WriteFile(path, huge);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Cannot read the profile .*")));
    ZtTest::CMessageLog messages;
    CProfile profile(path); // a pipe with no writer must not block here
    QCOMPARE(profile.GetInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 0), 0);
    QVERIFY(!profile.WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 5000));
    QVERIFY(!profile.Flush());
    QVERIFY(!profile.LastError().isEmpty());
    QCOMPARE(profile.GetInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 0), 5000);
    QCOMPARE(QFileInfo(path).isFile(), kind == QLatin1String("huge"));
    if (kind == QLatin1String("huge"))
        QCOMPARE(ReadFile(path), huge);
}

void TestProfile::fullDiskKeepsTheProfile()
{
    ZtTest::CFullDisk disk;
    if (!disk.SkipReason().isEmpty())
        QSKIP(qPrintable(disk.SkipReason()));
    const QString path = disk.Path(QStringLiteral("Zentrel.ini"));
    ZtTest::CMessageLog messages;
    CProfile profile(path);
    QVERIFY(profile.WriteString(QStringLiteral("Settings"), QStringLiteral("Browser"), QString(6000, QLatin1Char('b'))));
    QVERIFY(profile.Flush());
    const QByteArray before = ReadFile(path);
    QVERIFY(disk.Fill());

    profile.WriteString(QStringLiteral("Settings"), QStringLiteral("WindowPos"), QStringLiteral("1,2"));
    QVERIFY(!profile.Flush());
    QVERIFY2(profile.LastError().contains(QStringLiteral("No space left on device")), qPrintable(profile.LastError()));
    QCOMPARE(ReadFile(path), before);
    QCOMPARE(disk.Names(), QStringList{QStringLiteral("Zentrel.ini")});
}

void TestProfile::defaultPathFollowsXdg()
{
    QCOMPARE(CProfile::DefaultFilePath(),
             QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + QStringLiteral("/Zentrel/Zentrel.ini"));
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(CProfile::DefaultFilePath(), QDir::homePath() + QStringLiteral("/.config/Zentrel/Zentrel.ini"));
    qputenv("XDG_CONFIG_HOME", saved);
}

ZT_TEST_MAIN(TestProfile)
#include "tst_profile.moc"
