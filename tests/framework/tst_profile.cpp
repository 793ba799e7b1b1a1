#include "support/TestMain.h"

#include "framework/Profile.h"

#include <QDir>
#include <QFile>

class TestProfile : public QObject
{
    Q_OBJECT
private slots:
    void namesMatchWithoutCase();
    void valuesStayExact();
    void readsIntegersLikeTheProfileFunctions_data();
    void readsIntegersLikeTheProfileFunctions();
    void readsHandEditedFiles();
    void failedSaveKeepsValueAndTells();
    void defaultPathFollowsXdg();

private:
    QString NewPath(const QString& name) const { return ZtTest::SandboxDir() + QLatin1Char('/') + name; }
};

void TestProfile::namesMatchWithoutCase()
{
    const QString path = NewPath(QStringLiteral("case.ini"));
    CProfile profile(path);
    profile.WriteString(QStringLiteral("Startup"), QStringLiteral("FontFace"), QStringLiteral("Mono"));
    profile.WriteString(QStringLiteral("STARTUP"), QStringLiteral("fontface"), QStringLiteral("Serif"));
    QCOMPARE(profile.GetString(QStringLiteral("StartUp"), QStringLiteral("FONTFACE")), QStringLiteral("Serif"));
    QCOMPARE(profile.Keys(QStringLiteral("startup")), QStringList{QStringLiteral("FontFace")});

    // One section and one key on disk, spelled as first written.
    CProfile reread(path);
    QCOMPARE(reread.GetString(QStringLiteral("startup"), QStringLiteral("FontFace")), QStringLiteral("Serif"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[Startup]\nFontFace=Serif\n"));
}

void TestProfile::valuesStayExact()
{
    CProfile profile(NewPath(QStringLiteral("exact.ini")));
    profile.WriteString(QStringLiteral("Startup"), QStringLiteral("ProjectOnExit"), QStringLiteral("yes "));
    profile.WriteString(QStringLiteral("Settings"), QStringLiteral("Java path"), QStringLiteral(" /opt/j d k=1 "));
    profile.WriteString(QStringLiteral("Settings"), QStringLiteral("Multi"), QStringLiteral("a\nb"));
    CProfile reread(profile.FilePath());
    QCOMPARE(reread.GetString(QStringLiteral("Startup"), QStringLiteral("ProjectOnExit")), QStringLiteral("yes "));
    QCOMPARE(reread.GetString(QStringLiteral("settings"), QStringLiteral("java PATH")), QStringLiteral(" /opt/j d k=1 "));
    QCOMPARE(reread.GetString(QStringLiteral("Settings"), QStringLiteral("Multi")), QStringLiteral("a b"));
    QCOMPARE(reread.GetString(QStringLiteral("Settings"), QStringLiteral("Absent"), QStringLiteral("dflt")),
             QStringLiteral("dflt"));
}

void TestProfile::readsIntegersLikeTheProfileFunctions_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << "280" << 280;
    QTest::newRow("blanks and sign") << "  -3" << -3;
    QTest::newRow("trailing text") << "12px" << 12;
    QTest::newRow("letters") << "big" << 77;
    QTest::newRow("empty") << "" << 77;
    QTest::newRow("overflow") << "99999999999" << 77;
    QTest::newRow("sign only") << "-" << 77;
}

void TestProfile::readsIntegersLikeTheProfileFunctions()
{
    QFETCH(QString, stored);
    QFETCH(int, expected);
    CProfile profile(NewPath(QStringLiteral("int.ini")));
    profile.WriteString(QStringLiteral("Startup"), QStringLiteral("FontSize"), stored);
    QCOMPARE(profile.GetInt(QStringLiteral("startup"), QStringLiteral("fontsize"), 77), expected);
}

void TestProfile::readsHandEditedFiles()
{
    const QString path = NewPath(QStringLiteral("hand.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("; a comment\r\nstray line\r\n[Settings]\r\nWindowPos = 0,1,2\r\n  [ startup ]  \r\n"
               "FilesOpen=2\r\nfilesopen=3\r\n=novalue\r\n[Empty]\r\n");
    file.close();
    CProfile profile(path);
    QCOMPARE(profile.GetString(QStringLiteral("Settings"), QStringLiteral("WindowPos")), QStringLiteral(" 0,1,2"));
    QCOMPARE(profile.GetInt(QStringLiteral("Startup"), QStringLiteral("FilesOpen"), 4), 3);
    QVERIFY(profile.Keys(QStringLiteral("Empty")).isEmpty());

    CProfile missing(NewPath(QStringLiteral("no/such/dir/x.ini")));
    QCOMPARE(missing.GetInt(QStringLiteral("Startup"), QStringLiteral("FilesOpen"), 4), 4);
}

void TestProfile::failedSaveKeepsValueAndTells()
{
    // A folder where the file should be: the save cannot succeed, even as root.
    const QString path = NewPath(QStringLiteral("blocked.ini"));
    QVERIFY(QDir().mkpath(path));
    CProfile profile(path);
    QVERIFY(!profile.WriteInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 5000));
    QVERIFY(!profile.LastError().isEmpty());
    QCOMPARE(profile.GetInt(QStringLiteral("Settings"), QStringLiteral("SyntaxFileSize"), 0), 5000);
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
