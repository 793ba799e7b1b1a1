#include "support/TestMain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// A whole file; empty when it cannot be read.
QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The "key=value" lines of a desktop file's [Desktop Entry] group.
QHash<QString, QString> DesktopEntry(const QString& path)
{
    QHash<QString, QString> entry;
    bool inEntry = false;
    for (const QByteArray& raw : ReadAll(path).split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.contains(QLatin1Char('=')) && !line.startsWith(QLatin1Char('#')))
            entry.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    }
    return entry;
}

// The files under a folder, relative to it, sorted.
QStringList FilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

struct CRun
{
    int exitCode = -1;
    QString output;
};

CRun Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    CRun run;
    if (!process.waitForStarted() || !process.waitForFinished(120000)) {
        run.output = program + QStringLiteral(" did not run: ") + process.errorString();
        return run;
    }
    run.output = QString::fromUtf8(process.readAll());
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

} // namespace

// "cmake --install" into a temporary prefix puts every part of the program
// where a Linux desktop looks for it, and the desktop's own tools accept what
// was installed.
class TestInstall : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void installsEveryPart_data();
    void installsEveryPart();
    void installedProgramRuns();
    void desktopFilesAgreeWithEachOther();
    void desktopToolsAcceptThem_data();
    void desktopToolsAcceptThem();

private:
    QString Installed(const QString& relative) const { return m_prefix.path() + QLatin1Char('/') + relative; }

    QTemporaryDir m_prefix;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    const CRun install = Run(QStringLiteral(ZT_CMAKE), {QStringLiteral("--install"), QStringLiteral(ZT_BUILD_DIR),
                                                          QStringLiteral("--prefix"), m_prefix.path()});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
}

void TestInstall::installsEveryPart_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("iconSize"); // 0: not a PNG icon; -1: executable
    // The program, the launcher, its icon and the two descriptions are read
    // by the tests below.
    QTest::newRow("console runner") << "bin/zentrel-runcon" << -1;
    QTest::newRow("browser module") << "lib/zentrel/zentrel-browser-engine.so" << 0;
    QTest::newRow("project file type") << "share/mime/packages/zentrel.xml" << 0;
    for (int size : {48, 128, 256})
        QTest::addRow("%d px icon", size) << QStringLiteral("share/icons/hicolor/%1x%1/apps/zentrel.png").arg(size) << size;
}

void TestInstall::installsEveryPart()
{
    QFETCH(QString, path);
    QFETCH(int, iconSize);
    const QFileInfo file(Installed(path));
    QVERIFY2(file.isFile() && file.size() > 0, qPrintable(path));
    if (iconSize < 0)
        QVERIFY(file.isExecutable());
    if (iconSize > 0) {
        QImageReader reader(file.filePath());
        QCOMPARE(reader.format(), QByteArray("png"));
        QCOMPARE(reader.size(), QSize(iconSize, iconSize));
        // Drawn, not an empty square.
        const QImage image = reader.read();
        QCOMPARE(image.pixelColor(iconSize / 2, iconSize / 2).alpha(), 255);
    }
}

void TestInstall::installedProgramRuns()
{
    // The program runs from where it was installed: the build tree's library
    // paths were no part of what it needs.
    const CRun version = Run(Installed(QStringLiteral("bin/zentrel")), {QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QVERIFY2(version.output.contains(QStringLiteral(ZENTREL_VERSION)), qPrintable(version.output));
    // The shipped templates and keyword files, every one of them.
    QCOMPARE(FilesUnder(Installed(QStringLiteral("share/zentrel"))), FilesUnder(QStringLiteral(ZT_SOURCE_DIR "/data")));
}

void TestInstall::desktopFilesAgreeWithEachOther()
{
    const QHash<QString, QString> launcher = DesktopEntry(Installed(QStringLiteral("share/applications/zentrel.desktop")));
    // The icon it names is installed, and so is the program it starts.
    QVERIFY(QFileInfo::exists(Installed(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(launcher.value("Icon")))));
    QVERIFY(QFileInfo(Installed(QStringLiteral("bin/") + launcher.value("Exec").section(QLatin1Char(' '), 0, 0))).isExecutable());
    QVERIFY(launcher.value("Exec").contains(QLatin1String("%F")));

    // Offered in "Open With" for pages, style sheets, scripts, text and its
    // own project files.
    const QStringList types = launcher.value("MimeType").split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const char* type : {"text/html", "text/css", "application/javascript", "text/plain", "application/x-zentrel-project"})
        QVERIFY2(types.contains(QLatin1String(type)), type);

    const QByteArray mime = ReadAll(Installed(QStringLiteral("share/mime/packages/zentrel.xml")));
    for (const char* expected : {"type=\"application/x-zentrel-project\"", "pattern=\"*.ztp\""})
        QVERIFY2(mime.contains(expected), expected);

    // The description names the launcher, the program, the project file type
    // and this release.
    const QByteArray meta = ReadAll(Installed(QStringLiteral("share/metainfo/org.zentrel.Zentrel.metainfo.xml")));
    for (const char* expected : {"<id>org.zentrel.Zentrel</id>", ">zentrel.desktop</launchable>", "<binary>zentrel</binary>",
                                 "<mediatype>application/x-zentrel-project</mediatype>",
                                 "<release version=\"" ZENTREL_VERSION "\""})
        QVERIFY2(meta.contains(expected), expected);
}

void TestInstall::desktopToolsAcceptThem_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("launcher") << "desktop-file-validate"
                              << QStringList{Installed(QStringLiteral("share/applications/zentrel.desktop"))};
    QTest::newRow("description")
        << "appstreamcli"
        << QStringList{"validate", "--no-net", Installed(QStringLiteral("share/metainfo/org.zentrel.Zentrel.metainfo.xml"))};
    QTest::newRow("project file type") << "update-mime-database" << QStringList{Installed(QStringLiteral("share/mime"))};
}

void TestInstall::desktopToolsAcceptThem()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
    const CRun run = Run(program, arguments);
    QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    // The validators pass files that draw warnings; the launcher and the
    // description are meant to draw none.
    static const QRegularExpression complaint(QStringLiteral("error:|warning:|^[EW]: "),
                                              QRegularExpression::MultilineOption);
    QVERIFY2(!complaint.match(run.output).hasMatch(), qPrintable(run.output));
    // The project file type, with its pattern, as the desktop reads it.
    if (tool == QLatin1String("update-mime-database"))
        QVERIFY(ReadAll(Installed(QStringLiteral("share/mime/globs2"))).contains("application/x-zentrel-project:*.ztp"));
}

ZT_TEST_MAIN(TestInstall)
#include "tst_install.moc"
