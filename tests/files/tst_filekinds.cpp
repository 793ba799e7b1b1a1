#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "files/FileKinds.h"
#include "files/PathParts.h"
#include "files/RelativePath.h"
#include "files/TypedPath.h"

#include <QDir>
#include <QSet>

using ZtTest::Row;

namespace {
// What each decision answers for a name: its extension, then "edit",
// "prog", "run", "text", "html", "browse", "image", "shown", "lang=N".
QString Kinds(const QString& name)
{
    const QString extension = FileExtension(name);
    const std::pair<bool, const char*> answers[] = {
        {IsEditableFileType(extension), "edit"}, {IsProgramFileType(extension), "prog"},
        {IsRunnableFileType(extension), "run"},  {IsPlainTextFile(name), "text"},
        {IsHtmlFile(name), "html"},              {IsBrowsableFile(name), "browse"},
        {IsImageFile(name), "image"},            {IsShownAloneFile(name), "shown"},
    };
    QStringList found{extension};
    for (const auto& [yes, word] : answers) {
        if (yes)
            found << QLatin1String(word);
    }
    found << QStringLiteral("lang=%1").arg(int(FileLanguage(name)));
    return found.join(QLatin1Char(' '));
}
} // namespace

// The file kinds table and the extension rule every decision about a file's
// kind goes through; the references pages get for files: relative below
// the base, the path unchanged elsewhere, letter case always kept; and where
// a typed path leads.
class TestFileKinds : public QObject
{
    Q_OBJECT
private slots:
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void tableIsConsistent();
};

void TestFileKinds::results_data()
{
    ZtTest::ResultColumns();
    Row("page", Kinds("/site/Index.HTM"), ".htm edit html browse shown lang=0");
    Row("last dot counts", Kinds("/site/read.me.TXT"), ".txt edit text browse lang=-1");
    Row("dot only in a folder", Kinds("/site.html/README"), " lang=-1");
    Row("picture of a page", Kinds("logo.GIF"), ".gif browse image shown lang=-1");
    Row("picture not shown alone", Kinds("photo.JPEG"), ".jpeg browse image lang=-1");
    Row("program that runs", Kinds("Setup.EXE"), ".exe prog run lang=-1");
    Row("dot file", Kinds(".profile"), ".profile lang=-1");
    Row("trailing dot", Kinds("name."), ". lang=-1");
    Row("backslash is part of a Linux name", Kinds("a\\b.TXT"), ".txt edit text browse lang=-1");

    Row("folder of a path", ZtPath::FolderOf("/Web/Img/A.GIF"), "/Web/Img");
    Row("folder of a name at the root", ZtPath::FolderOf("/a.gif"), "/");
    Row("folder of a bare name", ZtPath::FolderOf("a.gif"), "");
    Row("name of a path", ZtPath::NameOf("/Web/Img/A.GIF"), "A.GIF");
    Row("name of a bare name", ZtPath::NameOf("A.GIF"), "A.GIF");

    Row("relative: below, case kept", MakeRelativePath("/Web/Site/Images/Logo.GIF", "/Web/Site"), "Images/Logo.GIF");
    Row("relative: elsewhere", MakeRelativePath("/Web/Site/Images/Logo.GIF", "/other"), "/Web/Site/Images/Logo.GIF");
    Row("relative: no base", MakeRelativePath("/a.gif", ""), "/a.gif");
    Row("relative: equal to the base", MakeRelativePath("/Site", "/Site"), "/Site");
    // On a case-sensitive file system /web is not /Web.
    Row("relative: base in other case", MakeRelativePath("/web/site/a.gif", "/Web/Site"), "/web/site/a.gif");
    Row("relative: base ends in a slash", MakeRelativePath("/a.gif", "/"), "a.gif");
    // A folder beside the base whose name starts with the base's is not below it.
    Row("relative: sibling folder", MakeRelativePath("/home/u/site2/img/a.gif", "/home/u/site"),
        "/home/u/site2/img/a.gif");

    const QString home = QDir::homePath();
    // .com is a program that never runs; a type must start with its dot.
    Row("program that never runs", Kinds("x.com"), ".com prog lang=-1");
    Row("type without its dot", QString::number(IsEditableFileType("html")), "0");

    Row("typed: home", ResolveTypedPath("~", "/start"), home);
    Row("typed: below home", ResolveTypedPath("~/web/", "/start"), home + "/web/");
    Row("typed: relative", ResolveTypedPath("site/pages", "/start"), "/start/site/pages");
    Row("typed: parent", ResolveTypedPath("../web", "/start/"), "/start/../web");
    Row("typed: tilde starts a name", ResolveTypedPath("~web", "/start"), "/start/~web");
    Row("typed: blanks kept", ResolveTypedPath(" web ", "/start"), "/start/ web ");
    Row("typed: absolute", ResolveTypedPath("/srv/~/web", "/start"), "/srv/~/web");
    Row("typed: empty", ResolveTypedPath("", "/start"), "");
    Row("typed: no start directory", ResolveTypedPath("JAVA path not set", ""), "JAVA path not set");
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
        // What a page shows or links as a picture, the browser can show.
        QVERIFY2(!(kind.image || kind.shownAlone) || kind.browsable, kind.extension);
    }
}

ZT_TEST_MAIN(TestFileKinds)
#include "tst_filekinds.moc"
