#pragma once

#include <QString>
#include <QStringList>

// The file list's decisions as plain rules: which files each command and
// step acts on and how. The list gathers the facts and asks.
class CFileListRules
{
public:
    // What opening a file from the list does.
    enum class EOpen { Nothing, Edit, Run };
    // What stepping onto a file does.
    enum class EStep { Nothing, ShowInBrowser, EditText, Open };

    // The extension filter as the list compares it: lower case with one
    // leading dot ("PNG", "*.png" and ".png" all give ".png"); empty for a
    // blank filter.
    static QString NormalizeFilter(const QString& filter);
    // Show in Browser shows pages and pictures: ".htm", ".html", ".jpg",
    // ".jpeg", ".gif" and the extension filter.
    static bool IsBrowserShowable(const QString& name, const QString& extensionFilter);
    // Edit Item is refused only for program files.
    static bool IsEditItemEnabled(const QString& firstSelectedName);
    // Editable files open in the editor; with allowRun, runnable ones
    // (".exe", ".bat", or a file marked executable that is not editable) are
    // started; anything else stays closed.
    static EOpen OpenActionFor(const QString& path, bool allowRun, bool executableFile);

    // The row a step from the row named name leads to (names compared
    // without regard to case; down from the first match, up from the last),
    // or -1 when no row has that name or none lies beyond it.
    static int StepTarget(const QStringList& names, const QString& name, bool up);
    // With a browser or project window active only pages and pictures are
    // shown; otherwise editable files open, text ones replacing the editor.
    static EStep StepActionFor(const QString& name, bool browserActive, bool textFile);
};
