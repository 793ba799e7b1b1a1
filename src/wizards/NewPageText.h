#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the New Page dialog builds, as plain functions: the starting text of
// a page from a template file, the bytes a template is saved as, and the
// file a page's Title and Path name.
namespace ZtNewPage {

// The line every page and template made here starts with.
QString PageMarker();
// The start that marks such a line in a template file.
QString MarkerStart();

// The document-type lines offered for the page's first lines, in order.
QStringList PrologueIdentifiers();

// True when bytes cannot be a template: they hold a zero byte.
bool IsBinary(const QByteArray& bytes);

// The template text for the editor field: the marker line, the prologue
// line when prologue is not empty, then every line of the template file
// that is not a marker line. Lines are joined by "\n"; the file's lines may
// end with LF, CR LF or CR CR LF (the CRs are dropped), and its text is
// UTF-8 or, failing that, Windows-1252.
QString TemplateText(const QByteArray& templateBytes, const QString& prologue);

// The bytes the template field's text ("\n" between lines) is saved as:
// UTF-8, each line ended with CR CR LF, as template files have always been
// written (a last line without an end keeps none).
QByteArray TemplateFileBytes(const QString& fieldText);

// The new page's text from the template field's text: every line break of
// the field becomes CR LF.
QString PageText(const QString& fieldText);

// What the Path field shows first: the folder above the wizards' base
// directory; but with a project open (projectFile not empty), a folder of
// the project: the one last picked in a tree when it lies in the project,
// else the project's own folder. So a project's pages go into it even
// while one of its pages is being edited.
QString InitialPath(const QString& wizardDirectory, const QString& projectFile, const QString& selectedFolder);

// The file a new page will be: what OK makes of Title and Path.
struct CPageTarget
{
    enum EError { None, NoTitle, SlashInTitle };
    EError m_eError = None;
    QString m_strFileName; // Title, with ".html" added when it names no extension
    QString m_strFolder;   // ends with "/"
    QString m_strFullPath; // folder + file name
};

// Title and Path as typed; their letter case and blanks are kept. When the
// last part of Path has a dot after its first character and pathIsFolder is
// false, that part names the file (and is the title when Title is empty).
// An empty Path is startDirectory, the folder the program started in; "~"
// starts in the home folder and any other relative Path in startDirectory.
// A Title without a dot after its first character gets ".html".
CPageTarget ResolvePageTarget(const QString& title, const QString& path, bool pathIsFolder,
                              const QString& startDirectory);

} // namespace ZtNewPage
