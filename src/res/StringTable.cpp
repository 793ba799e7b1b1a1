#include "res/StringTable.h"

#include "res/CommandIds.h"

#include <QHash>

using namespace ZtCmd;

namespace ZtRes {
namespace {

// Prompts of the commands, in the string table's "status\ntip" form.
const QHash<int, QString>& CommandStrings()
{
    static const QHash<int, QString> strings{
        // Main toolbar.
        {ID_PROJECT_OPEN, QStringLiteral("\nOpen a project...ctrl+alt+P")},
        {ID_FILE_NEW, QStringLiteral("\nNew")},
        {ID_FILE_OPEN, QStringLiteral("\nOpen")},
        {ID_EDIT_CUT, QStringLiteral("\nCut")},
        {ID_EDIT_COPY, QStringLiteral("\nCopy")},
        {ID_EDIT_PASTE, QStringLiteral("\nPaste")},
        {ID_FILE_PRINT, QStringLiteral("\nPrint")},
        {ID_EDIT_UNDO, QStringLiteral("\nUndo")},
        {ID_EDIT_FIND, QStringLiteral("\nFind")},
        {ID_TOGGLE_WORKSPACE, QStringLiteral("\nToggle Workspace")},
        {ID_TOGGLE_LISTBAR, QStringLiteral("\nToggle ListBar")},
        {ID_CONTEXT_HELP, QStringLiteral("\nHelp")},
        {ID_APP_ABOUT, QStringLiteral("\nAbout")},
        // Browse bar.
        {ID_FILE_SAVE, QStringLiteral("\nSave the active document")},
        {ID_SAVE_ALL, QStringLiteral("\nSaves all opened documents")},
        {ID_NEXT_DOCUMENT, QStringLiteral("\nCycle thru open Windows..ctrl+Plus")},
        {ID_SHOW_AS_WEBPAGE, QStringLiteral("\nShow as web page...ctrl+alt+S")},
        {ID_EDIT_DOCUMENT, QStringLiteral("\nEdit document...ctrl+alt+E")},
        {ID_OPEN_IN_IE, QStringLiteral("\nOpen in Internet explorer..ctrl+alt+X")},
        {ID_DIRECTORY_MOVE_DOWN, QStringLiteral("\nDirectory move down...ctrl+alt+Down")},
        {ID_DIRECTORY_MOVE_UP, QStringLiteral("\nDirectory move up...ctrl+alt+Up")},
        {ID_TILE_HORIZONTAL, QStringLiteral("\nTile windows horizontaly..ctrl+Divide")},
        {ID_TILE_VERTICAL, QStringLiteral("\nTile windows verticaly...ctrl+Multiply")},
        {ID_WINDOW_TILE_VERT, QStringLiteral("\nTile Windows")},
        {ID_SYNC_SCROLL_DOWN, QStringLiteral("\nSync-scroll down...Ctrl+Down")},
        {ID_SYNC_SCROLL_UP, QStringLiteral("\nSync-scroll up...ctrl+Up")},
        {ID_SYNC_SCROLL_LEFT, QStringLiteral("\nSync-scroll left...ctrl+Left")},
        {ID_SYNC_SCROLL_RIGHT, QStringLiteral("\nSync-scroll right...ctrl+Right")},
        // Fonts toolbar. Its toggle button has no string of its own, so its tip
        // is the name of its menu item.
        {IDC_FONT_FACE, QStringLiteral("Changes the environment font \nSelect environment font")},
        {IDC_FONT_SIZE, QStringLiteral("Changes the environment font size\nSelect environment font size")},
        {ID_VIEW_FONTSBAR, QStringLiteral("\nFonts toolbar")},
        // HTML Tags toolbar.
        {ID_PROJECT_WIZARD, QStringLiteral("\nProject Wizard")},
        {ID_FONT_WIZARD, QStringLiteral("\nFont Wizard")},
        {ID_BODY_WIZARD, QStringLiteral("\nBody Wizard")},
        {ID_TABLE_WIZARD, QStringLiteral("\nTable Wizard")},
        {ID_IMAGE_WIZARD, QStringLiteral("\nImage wizard")},
        {ID_COLOR_WIZARD, QStringLiteral("\nColors")},
        {ID_ALIGN_WIZARD, QStringLiteral("\nPositional parameters")},
        {ID_LIST_WIZARD, QStringLiteral("\nOpens the List tag builder")},
        // Operation toolbar.
        {ID_RUN_PERL, QStringLiteral("\nCompile/Run active PERL code")},
        {ID_COMPILE_JAVA, QStringLiteral("Compile - javac - active java file\nCompile - javac - ")},
        // Keywords commands.
        {ID_KEYWORDS_NEW_KEYWORD, QStringLiteral("add a new keyword")},
        {ID_KEYWORDS_NEW_FILE, QStringLiteral("Opens a wizard for new file")},
        {ID_KEYWORDS_EDIT_LABEL, QStringLiteral("Edit item's label")},
        // Menu-only commands.
        {ID_SYNTAX_COLORING, QStringLiteral("Set syntax coloring criteria")},
        {ID_HTML_INFO_LIBRARY, QStringLiteral("Open HTML Information library")},
        {ID_PROJECT_SETTINGS, QStringLiteral("Customize project settings")},
        {ID_FIND_IN_FILES, QStringLiteral("Find and replace text in the files of a folder")},
        {ID_CHECK_LINKS, QStringLiteral("List the broken links and the unlinked files of the site")},
        {ID_VALIDATE_PAGE, QStringLiteral("List HTML Tidy's errors and warnings about the page")},
        {ID_CHECK_SPELLING, QStringLiteral("Underline the misspelt words of web pages")},
        {ID_SPELLING_DICTIONARY, QStringLiteral("Choose the dictionary that checks the spelling of pages")},
    };
    return strings;
}

const QHash<int, QString>& OtherStrings()
{
    static const QHash<int, QString> strings{
        {IDR_MAINFRAME, QStringLiteral("Zentrel")},
        {IDR_ZTTYPE, QStringLiteral("\nHTML\nWeb Page\nInternet Files (*.html)\n.html\nZentrel.Document\nzt Document")},
        {IDR_BROWSERTYPE,
         QStringLiteral("\nBrowser\nFile in Browser\nInternet Files (*.html )\n.html\nInternet.Document\nzt Document")},
        {IDR_PROJECTTYPE,
         QStringLiteral("\nProject\nProject Workspace\nZentrel Project Files (*.ztp)\n.ztp\nZentrel.Document\nzt Document")},
        {IDR_TEXTTYPE, QStringLiteral("\nText\nText File\nText Files (*.txt)\n.txt\nText.Document\nzt Document")},
        {IDS_WIZARD_CAPTION, QStringLiteral("Wizard")},
        {IDS_SYNTAX_SIZE_HINT,
         QStringLiteral("Set the maximum size of a file that Zentrel should allow syntax coloring on. Slower "
                        "machines(100 mhz and lower) should stay below 10000 bites to prevent lock-up.")},
        {IDS_LIST_COLUMN_NAME, QStringLiteral("Name")},
        {IDS_LIST_COLUMN_SIZE, QStringLiteral("Size")},
        {IDS_LIST_COLUMN_TYPE, QStringLiteral("Type")},
        {IDS_LIST_COLUMN_MODIFIED, QStringLiteral("Modified")},
        {IDS_WIZARD_REPLACE_SELECTION,
         QStringLiteral("Replace the selected text with the wizard's markup?\n\nYes replaces it, No puts the "
                        "markup in front of it, Cancel inserts nothing.")},
        {IDS_IMAGE_COPY_INTO_SITE,
         QStringLiteral("%1\nlies outside the site's folder %2, so the link to it would break once the site "
                        "is published.\n\nCopy it into %3 and link to the copy?")},
        {IDS_IMAGE_COPY_FAILED, QStringLiteral("Cannot copy %1 into %2.\n%3\nThe link names the picture where it is.")},
    };
    return strings;
}

} // namespace

QString StatusText(int id)
{
    const QString whole = CommandStrings().value(id);
    const qsizetype split = whole.indexOf(QLatin1Char('\n'));
    if (split < 0)
        return whole;
    const QString status = whole.left(split);
    return status.isEmpty() ? whole.mid(split + 1) : status;
}

QString ToolTipText(int id)
{
    const QString whole = CommandStrings().value(id);
    const qsizetype split = whole.indexOf(QLatin1Char('\n'));
    return split < 0 ? QString() : whole.mid(split + 1);
}

QString String(int id)
{
    return OtherStrings().value(id);
}

} // namespace ZtRes
