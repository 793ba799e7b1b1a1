#include "support/TestMain.h"

#include "files/FileKinds.h"

#include <QSet>

// The file kinds table and the extension rule every decision about a file's
// kind goes through.
class TestFileKinds : public QObject
{
    Q_OBJECT
private slots:
    void kindsOfNames_data();
    void kindsOfNames();
    void tableIsConsistent();
    void typeTestsLowerCaseTheirArgument();
};

// What each decision answers for a name: its extension, then "text",
// "html", "browse", "lang=N".
void TestFileKinds::kindsOfNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kinds");
    QTest::newRow("page") << "/site/Index.HTM" << ".htm html browse lang=0";
    QTest::newRow("last dot counts") << "/site/read.me.TXT" << ".txt text browse lang=-1";
    QTest::newRow("keywords") << "tags.kwd" << ".kwd text lang=-1";
    QTest::newRow("template") << "Templates/page.TPT" << ".tpt text lang=-1";
    QTest::newRow("style") << "s.css" << ".css browse lang=1";
    QTest::newRow("perl") << "x.PL" << ".pl lang=2";
    QTest::newRow("vbscript") << "x.vbs" << ".vbs lang=4";
    QTest::newRow("dot only in a folder") << "/site.html/README" << " lang=-1";
    QTest::newRow("image") << "logo.PNG" << ".png browse lang=-1";
    QTest::newRow("dot file") << ".profile" << ".profile lang=-1";
    QTest::newRow("trailing dot") << "name." << ". lang=-1";
    QTest::newRow("backslash is part of a Linux name") << "a\\b.TXT" << ".txt text browse lang=-1";
}

void TestFileKinds::kindsOfNames()
{
    QFETCH(QString, name);
    QFETCH(QString, kinds);
    QStringList found{FileExtension(name)};
    if (IsPlainTextFile(name))
        found << QStringLiteral("text");
    if (IsHtmlFile(name))
        found << QStringLiteral("html");
    if (IsBrowsableFile(name))
        found << QStringLiteral("browse");
    found << QStringLiteral("lang=%1").arg(int(FileLanguage(name)));
    QCOMPARE(found.join(QLatin1Char(' ')), kinds);
}

void TestFileKinds::tableIsConsistent()
{
    QSet<QString> seen;
    for (const CFileKind& kind : AllFileKinds()) {
        const QString extension = QString::fromLatin1(kind.extension);
        // Lower-case with its dot, and listed once: a second row would never
        // be found.
        QCOMPARE(FileExtension(QStringLiteral("name") + extension), extension);
        QVERIFY2(!seen.contains(extension), kind.extension);
        seen.insert(extension);
        QCOMPARE(FindFileKind(extension.toUpper()), &kind);
        // A program is never edited as text; only programs run; plain text
        // kinds are editable and never coloured.
        QVERIFY2(!(kind.program && kind.editable), kind.extension);
        QVERIFY2(!kind.runnable || kind.program, kind.extension);
        QVERIFY2(!kind.plainText || (kind.editable && kind.language == ZtLanguage::None), kind.extension);
    }
}

void TestFileKinds::typeTestsLowerCaseTheirArgument()
{
    QString editable = QStringLiteral(".HTM"), program = QStringLiteral(".Win"), runnable = QStringLiteral(".EXE");
    QVERIFY(IsEditableFileType(editable) && IsProgramFileType(program) && IsRunnableFileType(runnable));
    QCOMPARE(editable + program + runnable, QStringLiteral(".htm.win.exe"));
    QString com = QStringLiteral(".com"), none = QStringLiteral("html");
    QVERIFY(IsProgramFileType(com) && !IsRunnableFileType(com) && !IsEditableFileType(none));
}

ZT_TEST_MAIN(TestFileKinds)
#include "tst_filekinds.moc"
