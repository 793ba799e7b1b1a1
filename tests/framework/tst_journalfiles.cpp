#include "support/ResultTable.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/JournalRecord.h"
#include "framework/RecoveryFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

using ZtTest::Row;

// Journal files and the folder that keeps them: what counts as damaged, and
// which sessions a start may offer.
class TestJournalFiles : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_nFolder = 0;

    static void Write(const QString& path, const QByteArray& bytes) { ZtTest::WriteFile(path, bytes); }
    QString NewFolder()
    {
        const QString folder = m_dir.path() + QStringLiteral("/f%1").arg(++m_nFolder);
        QDir().mkpath(folder);
        return folder;
    }
    // A lock as a process that has ended left it.
    static void WriteDeadLock(const QString& lockPath)
    {
        QProcess gone;
        gone.start(QStringLiteral("true"));
        gone.waitForFinished(60000);
        Write(lockPath, QByteArray::number(gone.processId() ? gone.processId() : 999999) + "\nzentrel\n"
                            + QSysInfo::machineHostName().toUtf8() + '\n');
    }
    // "header:ok|damaged bytes:ok|damaged" with the path read back.
    static QString Describe(const QString& journalFile)
    {
        CJournalRecord record = CJournalRecord::ReadHeader(journalFile);
        QString result = QStringLiteral("header:") + (record.m_bDamaged ? QStringLiteral("damaged") : QStringLiteral("ok"));
        if (record.m_bDamaged)
            return result;
        QByteArray bytes;
        result += QStringLiteral(" bytes:") + (record.ReadBytes(bytes) ? QStringLiteral("ok") : QStringLiteral("damaged"));
        if (!bytes.isEmpty())
            result += QStringLiteral(" path:") + record.m_strPath;
        return result;
    }

    // A page's journal damaged as named, read back. A newline in the page's
    // file name must not end the header line.
    QString Damaged(const QString& damage)
    {
        CJournalRecord record;
        record.m_strPath = QStringLiteral("/w/a\nb.html");
        record.m_strKind = QStringLiteral("HTML");
        record.m_loadStamp = {true, 12, 1700000000000};
        QByteArray bytes = record.Encode(QByteArray("<P>caf\xe9\r\n\r\r\n", 13));
        const QString path = NewFolder() + QStringLiteral("/1.ztj");
        if (damage == QLatin1String("cut"))
            bytes.chop(1);
        else if (damage == QLatin1String("add"))
            bytes += 'x';
        else if (damage == QLatin1String("flip"))
            bytes[bytes.size() - 3] = 'Q';
        else if (damage == QLatin1String("headeronly"))
            bytes = bytes.left(bytes.indexOf("\n\n"));
        else if (damage == QLatin1String("empty"))
            bytes.clear();
        else if (damage == QLatin1String("foreign"))
            bytes = "[Settings]\nkey=value\n\nmore\n";
        else if (damage == QLatin1String("badnumber"))
            bytes.replace("size 12", "size 1x");
        if (damage == QLatin1String("fifo"))
            mkfifo(QFile::encodeName(path).constData(), 0600);
        else if (damage == QLatin1String("link"))
            QFile::link(ZtTest::WriteFile(path + QStringLiteral(".target"), bytes), path);
        else
            Write(path, bytes);
        return Describe(path);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void damagedJournals_data()
    {
        ZtTest::ResultColumns();
        Row("whole", Damaged(""), "header:ok bytes:ok path:/w/a\nb.html");
        for (const char* damage : {"cut", "add", "flip", "headeronly", "empty", "foreign", "badnumber", "fifo", "link"})
            Row(damage, Damaged(damage), "header:damaged");
    }
    void damagedJournals() { ZtTest::CompareResult(); }

    // A 50 MB journal: the header is read without the text, and the text
    // comes back whole.
    void largeJournal()
    {
        CJournalRecord record;
        record.m_strPath = QStringLiteral("/w/big.html");
        const QByteArray text(50 * 1024 * 1024, 'a');
        const QString path = NewFolder() + QStringLiteral("/1.ztj");
        Write(path, record.Encode(text));
        CJournalRecord read = CJournalRecord::ReadHeader(path);
        QCOMPARE(read.m_nLength, text.size());
        QByteArray bytes;
        QVERIFY(read.ReadBytes(bytes));
        QVERIFY(bytes == text);
    }

    // Only sessions of processes that are gone are offered: not this
    // process's own, not one whose owner still runs; foreign names and
    // files are skipped, damaged journals listed as damaged.
    void sessionsOffered()
    {
        const QString root = NewFolder();
        CRecoveryFolder own(root);
        QVERIFY(own.Open());
        Write(own.SessionFolder() + QStringLiteral("/1.ztj"), CJournalRecord().Encode("own"));
        CRecoveryFolder live(root);
        QVERIFY(live.Open());
        Write(live.SessionFolder() + QStringLiteral("/1.ztj"), CJournalRecord().Encode("live"));

        QDir().mkpath(root + QStringLiteral("/100-1"));
        WriteDeadLock(root + QStringLiteral("/100-1.lock"));
        CJournalRecord dead;
        dead.m_strPath = QStringLiteral("/w/dead.html");
        Write(root + QStringLiteral("/100-1/1.ztj"), dead.Encode("dead"));
        Write(root + QStringLiteral("/100-1/2.ztj"), "damaged");
        Write(root + QStringLiteral("/100-1/notes.txt"), "foreign");
        QDir().mkpath(root + QStringLiteral("/200-2")); // no lock at all
        CJournalRecord unlocked;
        unlocked.m_strPath = QStringLiteral("/w/unlocked.html");
        Write(root + QStringLiteral("/200-2/1.ztj"), unlocked.Encode("unlocked"));
        QDir().mkpath(root + QStringLiteral("/foreign"));
        Write(root + QStringLiteral("/foreign/1.ztj"), CJournalRecord().Encode("foreign"));
        QVERIFY(QFile::link(root + QStringLiteral("/200-2"), root + QStringLiteral("/300-3")));

        CRecoveryFolder next(root);
        QVERIFY(next.Open());
        QStringList offered;
        for (const CJournalRecord& record : next.ClaimOrphans())
            offered.append(record.m_bDamaged ? QStringLiteral("damaged") : record.m_strPath);
        QCOMPARE(offered.join(QLatin1Char(',')), QStringLiteral("/w/dead.html,damaged,/w/unlocked.html"));
        // Claimed sessions are not offered twice, not even to another start.
        CRecoveryFolder concurrent(root);
        QVERIFY(concurrent.Open());
        QVERIFY(concurrent.ClaimOrphans().isEmpty());
        // Kept journals are offered again once released.
        next.ReleaseOrphans();
        QCOMPARE(concurrent.ClaimOrphans().size(), 3);
    }

    // 1,000 journals are all listed.
    void thousandJournals()
    {
        const QString root = NewFolder();
        QDir().mkpath(root + QStringLiteral("/100-1"));
        for (int i = 0; i < 1000; ++i)
            Write(root + QStringLiteral("/100-1/%1.ztj").arg(i), CJournalRecord().Encode(QByteArray::number(i)));
        CRecoveryFolder next(root);
        QVERIFY(next.Open());
        const QList<CJournalRecord> offered = next.ClaimOrphans();
        QCOMPARE(offered.size(), 1000);
        QVERIFY(std::none_of(offered.begin(), offered.end(), [](const CJournalRecord& r) { return r.m_bDamaged; }));
    }

    // A folder that is a link, or a file in its place, is not used: the
    // journals would go, and later be removed, somewhere else.
    void unusableRoot_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a symbolic link") << "link";
        QTest::newRow("a file") << "file";
        QTest::newRow("below a file") << "belowfile";
    }
    void unusableRoot()
    {
        QFETCH(QString, kind);
        const QString base = NewFolder();
        QString root = base + QStringLiteral("/recovery");
        if (kind == QLatin1String("link")) {
            QDir().mkpath(base + QStringLiteral("/elsewhere"));
            QVERIFY(QFile::link(base + QStringLiteral("/elsewhere"), root));
        } else if (kind == QLatin1String("file")) {
            Write(root, "not a folder");
        } else {
            Write(base + QStringLiteral("/plain"), "not a folder");
            root = base + QStringLiteral("/plain/recovery");
        }
        CRecoveryFolder folder(root);
        QVERIFY(!folder.Open());
        QVERIFY(!folder.Problem().isEmpty() && folder.SessionFolder().isEmpty() && folder.ClaimOrphans().isEmpty());
        QVERIFY(QDir(base + QStringLiteral("/elsewhere")).isEmpty());
    }
};

ZT_TEST_MAIN(TestJournalFiles)
#include "tst_journalfiles.moc"
