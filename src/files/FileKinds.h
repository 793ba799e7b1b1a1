#pragma once

#include <QString>

#include <span>

// What the program knows about a file from its name alone: one table of
// extensions and, for each, whether the source editor opens it, whether it
// is a program, whether the list may start it, whether it opens as plain
// text, whether the browser can show it, whether it is a picture a page
// shows, whether Show page shows it by itself, and the language it is
// coloured in.
// Every decision that looks at an extension asks here.
//
// An extension is the part of the file name from its last dot to the end,
// lower-cased (".html" for "index.HTML"); a name without a dot has none. Only
// the file name counts: a dot in a directory name is not an extension.

// The languages files are coloured in; the numbers index the keyword tables.
enum class ZtLanguage { None = -1, Html = 0, Css, Perl, Cnc, VbScript, Java };

struct CFileKind
{
    const char* extension; // with its dot, lower-case
    bool editable = false;  // opens in the source editor
    bool program = false;   // a program: never edited as text
    bool runnable = false;  // the list may start it directly
    bool plainText = false; // opens as plain text, never coloured
    bool browsable = false; // the browser can show it
    bool image = false;     // a picture: a file dropped on a page becomes an IMG tag
    // Show page (Project tree) and Show as Web Page show it by itself: pages
    // and two of the picture kinds, not ".jpeg".
    bool shownAlone = false;
    ZtLanguage language = ZtLanguage::None;
};

// The extension of a file name or path, lower-cased; empty when there is none.
QString FileExtension(const QString& nameOrPath);

// Every row of the table.
std::span<const CFileKind> AllFileKinds();
// The table's entry for an extension (any case, with its dot), or null.
const CFileKind* FindFileKind(const QString& extension);

// Each test takes an extension with its leading dot, in any case, and says
// whether it is of that kind.
bool IsEditableFileType(const QString& extension);
bool IsProgramFileType(const QString& extension);
bool IsRunnableFileType(const QString& extension);

// These take a file name or path.
bool IsPlainTextFile(const QString& nameOrPath);
bool IsBrowsableFile(const QString& nameOrPath);
bool IsImageFile(const QString& nameOrPath);
bool IsShownAloneFile(const QString& nameOrPath);
bool IsHtmlFile(const QString& nameOrPath);
ZtLanguage FileLanguage(const QString& nameOrPath);
