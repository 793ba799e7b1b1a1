#include "support/TestMain.h"

#include "files/FileKinds.h"

#include <QSet>

// The file kinds table and the extension rule every decision about a file's
// kind goes through.
class TestFileKinds : public QObject
{
    Q_OBJECT
private slots:
    void extension_data();
    void extension();
    void kindsOfNames_data();
    void kindsOfNames();
    void tableIsConsistent();
    void typeTestsLowerCaseTheirArgument();
};

void TestFileKinds::extension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::newRow("upper case") << "index.HTML" << ".html";
    QTest::newRow("last dot counts") << "a.b.css" << ".css";
    QTest::newRow("no dot") << "Makefile" << "";
    QTest::newRow("dot only in a folder") << "/home/u/site.d/Makefile" << "";
    QTest::newRow("dot file") << ".profile" << ".profile";
    QTest::newRow("trailing dot") << "name." << ".";
    QTest::newRow("backslash is part of a Linux name") << "a\\b.TXT" << ".txt";
}

void TestFileKinds::extension()
{
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QCOMPARE(FileExtension(name), extension);
}

// What each decision answers for a name: "text", "html", "browse", "lang=N".
void TestFileKinds::kindsOfNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kinds");
    QTest::newRow("page") << "/site/Index.HTM" << "html browse lang=0";
    QTest::newRow("notes") << "/site/read.me.TXT" << "text browse lang=-1";
    QTest::newRow("keywords") << "tags.kwd" << "text lang=-1";
    QTest::newRow("template") << "Templates/page.TPT" << "text lang=-1";
    QTest::newRow("style") << "s.css" << "browse lang=1";
    QTest::newRow("perl") << "x.PL" << "lang=2";
    QTest::newRow("vbscript") << "x.vbs" << "lang=4";
    QTest::newRow("folder with a dot") << "/site.html/README" << "lang=-1";
    QTest::newRow("image") << "logo.PNG" << "browse lang=-1";
}

void TestFileKinds::kindsOfNames()
{
    QFETCH(QString, name);
    QFETCH(QString, kinds);
    QStringList found;
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
    QString editable = QStringLiteral(".HTM");
    QString program = QStringLiteral(".Win");
    QString runnable = QStringLiteral(".EXE");
    QString none = QStringLiteral("html");
    QVERIFY(IsEditableFileType(editable));
    QVERIFY(IsProgramFileType(program));
    QVERIFY(IsRunnableFileType(runnable));
    QVERIFY(!IsEditableFileType(none));
    QCOMPARE(editable + program + runnable, QStringLiteral(".htm.win.exe"));
    QString com = QStringLiteral(".com");
    QVERIFY(IsProgramFileType(com) && !IsRunnableFileType(com));
}

ZT_TEST_MAIN(TestFileKinds)
#include "tst_filekinds.moc"
