#include "res/ToolbarTables.h"

#include "res/CommandIds.h"

using namespace ZtCmd;

namespace ZtRes {

QVector<int> ToolbarButtons(int toolbarResourceId)
{
    switch (toolbarResourceId) {
    case IDR_MAINFRAME:
        return {ID_PROJECT_OPEN, ID_FILE_NEW, ID_FILE_OPEN, ID_SEPARATOR,
                ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_FILE_PRINT, ID_SEPARATOR,
                ID_EDIT_UNDO, ID_EDIT_FIND, ID_SEPARATOR,
                ID_TOGGLE_WORKSPACE, ID_TOGGLE_LISTBAR, ID_CONTEXT_HELP, ID_APP_ABOUT, ID_MAINBAR_BLANK};
    case IDR_BROWSE_BAR:
        return {ID_FILE_SAVE, ID_SAVE_ALL, ID_NEXT_DOCUMENT, ID_SHOW_AS_WEBPAGE, ID_EDIT_DOCUMENT, ID_OPEN_IN_IE,
                ID_SEPARATOR,
                ID_DIRECTORY_MOVE_DOWN, ID_DIRECTORY_MOVE_UP, ID_SEPARATOR,
                ID_TILE_HORIZONTAL, ID_WINDOW_TILE_VERT, ID_SYNC_SCROLL_DOWN, ID_SYNC_SCROLL_UP,
                ID_SYNC_SCROLL_LEFT, ID_SYNC_SCROLL_RIGHT};
    case IDR_FONT_BAR:
        // 113 and 114 are the places of the face and size boxes.
        return {IDC_FONT_FACE, ID_SEPARATOR, IDC_FONT_SIZE, ID_SEPARATOR, ID_VIEW_FONTSBAR};
    case IDR_HTML_TAGS_BAR:
        return {ID_PROJECT_WIZARD, ID_FONT_WIZARD, ID_BODY_WIZARD, ID_TABLE_WIZARD,
                ID_IMAGE_WIZARD, ID_COLOR_WIZARD, ID_ALIGN_WIZARD, ID_LIST_WIZARD};
    case IDR_OPERATION_BAR:
        return {ID_RUN_PERL, ID_COMPILE_JAVA};
    // The next four are never shown as toolbars: their pictures go to the
    // menus that carry the same commands.
    case IDR_KEYWORDS_BAR:
        return {ID_KEYWORDS_NEW_FOLDER, ID_KEYWORDS_NEW_KEYWORD, ID_KEYWORDS_NEW_FILE, ID_KEYWORDS_DELETE_ITEM,
                ID_KEYWORDS_COPY, ID_SEPARATOR, ID_KEYWORDS_PASTE, ID_KEYWORDS_EDIT_LABEL, ID_FILE_PRINT};
    case IDR_PROJTREE_BAR:
        return {ID_FILE_OPEN_WEB_PROJECT, ID_PROJTREE_EDIT, ID_PROJTREE_SHOW_PAGE, ID_PROJTREE_NEW_FOLDER,
                ID_PROJTREE_COPY, ID_PROJTREE_PASTE, ID_PROJTREE_RENAME, ID_SEPARATOR,
                ID_PROJTREE_COMPILE_JAVA, ID_PROJTREE_DELETE_ITEM};
    case IDR_LIST_BAR_IMAGES:
        return {ID_LIST_EDIT_ITEM, ID_LIST_SHOW_IN_BROWSER, ID_LIST_COPY, ID_LIST_MOVE_CUT, ID_SEPARATOR,
                ID_LIST_BLANK, ID_SEPARATOR, ID_LIST_DELETE};
    case IDR_DESKTOP_BAR:
        // Only the desktop's New Folder picture is known to be in this strip.
        return {ID_FILE_NEW_FOLDER};
    default:
        return {};
    }
}

} // namespace ZtRes
