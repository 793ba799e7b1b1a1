#pragma once

// Numeric command identifiers. Menus, toolbars, accelerators and the command
// routing all speak in these numbers; the numbers are part of the program's
// resources and must not change.

namespace ZtCmd {

// Framework commands.
enum FrameworkCommand : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PAGE_SETUP = 57605,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616, // the recent-file list, most recent first
    ID_FILE_MRU_FILE2 = 57617,
    ID_FILE_MRU_FILE3 = 57618,
    ID_FILE_MRU_FILE4 = 57619,

    ID_EDIT_CLEAR = 57632,
    ID_EDIT_CLEAR_ALL = 57633,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_FIND = 57636,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_PASTE_SPECIAL = 57639,
    ID_EDIT_REPEAT = 57640,
    ID_EDIT_REPLACE = 57641,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,

    ID_WINDOW_NEW = 57648,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_WINDOW_TILE_VERT = 57652,
    // The open windows listed at the foot of the Window menu, "&1" to "&9".
    ID_WINDOW_LIST_FIRST = 65280,
    ID_WINDOW_LIST_LAST = 65288,

    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,

    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

// Dock bar identifiers: the side a docking bar sits on.
enum DockBar : int {
    AFX_IDW_DOCKBAR_TOP = 59419,
    AFX_IDW_DOCKBAR_LEFT = 59420,
    AFX_IDW_DOCKBAR_RIGHT = 59421,
    AFX_IDW_DOCKBAR_BOTTOM = 59422,
};

// The program's own commands: menus, toolbars, accelerators and the context
// menus of the editors, trees and list.
enum Command : int {
    // Bars and toolbars of the main frame.
    ID_TOGGLE_WORKSPACE = 32771,      // main toolbar "Toggle Workspace": show/hide the Project bar
    ID_TOGGLE_LISTBAR = 1216,         // main toolbar "Toggle ListBar": show/hide the List bar
    ID_VIEW_PROJECTBAR = 32784,       // "&Show  / Hide Project bar"
    ID_VIEW_LISTBAR = 32785,          // "&Show / Hide Listbar"
    ID_DOCKFLOAT_PROJECTBAR = 32891,  // "&Dock / Float Project bar"
    ID_DOCKFLOAT_LISTBAR = 32894,     // "&Dock / Float List bar"
    ID_ALLOWDOCK_PROJECTBAR = 32917,  // "&Allow Docking" of the Project bar
    ID_ALLOWDOCK_LISTBAR = 32918,     // "&Allow Docking" of the List bar
    ID_VIEW_BROWSEBAR = 32913,        // "&Browse bar"
    ID_VIEW_FONTSBAR = 32914,         // "&Fonts toolbar"
    ID_VIEW_HTMLTAGS = 32945,         // "&HTML Tags"
    ID_VIEW_OPERATIONBAR = 32948,     // "&Operation Toolbar"
    ID_MAINBAR_BLANK = 32949,         // last button of the main toolbar; no text, no handler

    // Documents and windows.
    ID_SHOW_AS_WEBPAGE = 32778,       // "&Show as Web Page"
    ID_OPEN_IN_IE = 32775,            // "Open in &I.E.": the page in the desktop's web browser
    ID_EDIT_DOCUMENT = 32779,         // the browsed page in the editor
    ID_DIRECTORY_MOVE_UP = 32780,
    ID_DIRECTORY_MOVE_DOWN = 32781,
    ID_NEXT_DOCUMENT = 32830,         // "&Next document"
    ID_TILE_HORIZONTAL = 32853,
    ID_SYNC_SCROLL_DOWN = 32854,
    ID_SYNC_SCROLL_UP = 32855,
    ID_SYNC_SCROLL_LEFT = 32856,
    ID_SYNC_SCROLL_RIGHT = 32857,
    ID_TILE_VERTICAL = 32858,
    ID_SAVE_ALL = 32946,              // "Saves all opened documents"
    ID_BROWSER_FILE_OPEN = 32827,     // "&Open..." of the browser's File menu
    ID_BROWSE_BACK = 32923,
    ID_BROWSE_FORWARD = 32924,

    // Projects.
    ID_PROJECT_OPEN = 32787,          // main toolbar and Ctrl+Alt+P
    ID_FILE_OPEN_WEB_PROJECT = 32786, // "Open Web &Project" of the File menu
    ID_PROJECT_SAVE = 32782,
    ID_PROJECT_SAVE_AS = 32790,
    ID_PROJECT_CLOSE = 32799,
    ID_FILE_NEW_FOLDER = 32804,       // "New &Folder" of the File menu (Desktop tab)
    ID_PROJECT_SETTINGS = 32912,      // "Customize project settings"; no action
    ID_HTML_INFO_LIBRARY = 32866,     // "Open HTML Information library"; no action

    // HTML wizards.
    ID_PROJECT_WIZARD = 32772,
    ID_TABLE_WIZARD = 32864,
    ID_BODY_WIZARD = 32868,
    ID_FONT_WIZARD = 32869,
    ID_IMAGE_WIZARD = 32881,
    ID_COLOR_WIZARD = 32905,
    ID_ALIGN_WIZARD = 32915,
    ID_LIST_WIZARD = 32921,

    // Settings and outside tools.
    ID_SYNTAX_COLORING = 32942,
    ID_JAVA_PATH = 32936,
    ID_PERL_PATH = 32932,
    ID_COMPILE_JAVA = 32928,          // Operation toolbar: the active editor's Java file
    ID_RUN_PERL = 32931,
    ID_RUN_CONSOLE_PROCESS = 32922,
    ID_OPEN_CONSOLE_WINDOW = 32930,

    // Project tree.
    ID_PROJTREE_EDIT = 32885,
    ID_PROJTREE_SHOW_PAGE = 32896,
    ID_PROJTREE_NEW_FOLDER = 32809,
    ID_PROJTREE_COPY = 32796,
    ID_PROJTREE_PASTE = 32798,
    ID_PROJTREE_RENAME = 32808,
    ID_PROJTREE_COMPILE_JAVA = 32944,
    ID_PROJTREE_DELETE_ITEM = 32943,

    // Keywords tree.
    ID_KEYWORDS_NEW_FOLDER = 32824,
    ID_KEYWORDS_NEW_KEYWORD = 32851,
    ID_KEYWORDS_EDIT_LABEL = 32820,
    ID_KEYWORDS_DELETE_ITEM = 32819,
    ID_KEYWORDS_COPY = 32822,
    ID_KEYWORDS_PASTE = 32821,
    ID_KEYWORDS_NEW_FILE = 32925,

    // List bar.
    ID_LIST_EDIT_ITEM = 32863,
    ID_LIST_SHOW_IN_BROWSER = 32887,
    ID_LIST_COPY = 32916,
    ID_LIST_MOVE_CUT = 32938,
    ID_LIST_DELETE = 32886,
    ID_LIST_BLANK = 32941,            // image-only button of the List bar images; no handler

    // The untitled last item of the plain text context menu; no handler.
    ID_TEXT_MENU_BLANK = 32937,

    // The project menu's "Recent Files" entry: a plain item that no handler
    // serves, so it stays disabled (the recent-file list itself is 57616..57619).
    ID_RECENT_FILES_INERT = 32950,

    // The Tools menu: tools that work on a whole site.
    ID_FIND_IN_FILES = 33200,         // "Find in &Files...": find and replace in the files of a folder
    ID_CHECK_LINKS = 33201,           // "Check &Links": broken links, letter-case slips, orphan files

    // Spelling (33260..33269 are its own).
    ID_CHECK_SPELLING = 33260,        // "Check &Spelling": underline misspelt words of pages (on/off)
    ID_SPELLING_DICTIONARY = 33261,   // "Spelling &Dictionary...": the dictionary of pages without a lang of their own

    // "&Delete" of the editor menus: removes the selection, or the character
    // after the caret when nothing is selected, as the Delete key does. It lies
    // in the free part of the framework's edit block, beside "C&lear" (57632),
    // which erases the selection only.
    ID_EDIT_DELETE = 57645,

    // The live preview (33100..33149 are its own).
    ID_VIEW_LIVEPREVIEW = 33100,      // "Li&ve Preview": show/hide the Live Preview bar

    // The page validation (33250..33259 are its own).
    ID_VALIDATE_PAGE = 33250,         // "&Validate Page": HTML Tidy's messages about the active page
};

// Resource identifiers: menus, toolbars, bars, controls, strings and bitmaps.
// Several share a number with a resource of another kind, as resources of
// different kinds may.
enum Resource : int {
    // Menu bars, one for the main frame and one for each document type, and
    // the document strings of the same numbers.
    IDR_MAINFRAME = 128,              // also the main toolbar and the caption string
    IDR_ZTTYPE = 129,                 // web-page documents
    IDR_PROJECTTYPE = 130,            // project documents
    IDR_TEXTTYPE = 136,               // plain text documents
    IDR_BROWSERTYPE = 145,            // the browser document

    // Context menus.
    IDR_EDITOR_CONTEXT = 110,         // the web-page editor
    IDR_TEXT_CONTEXT = 125,           // the plain text editor
    IDR_PROJTREE_CONTEXT = 104,       // the Project tree
    IDR_KEYWORDS_CONTEXT = 106,       // the Keywords tree
    IDR_LIST_CONTEXT = 114,           // the List bar

    // Toolbars.
    IDR_BROWSE_BAR = 132,
    IDR_FONT_BAR = 176,
    IDR_HTML_TAGS_BAR = 234,
    IDR_OPERATION_BAR = 236,
    // Image strips that give the menus their pictures.
    IDR_KEYWORDS_BAR = 141,
    IDR_PROJTREE_BAR = 143,
    IDR_LIST_BAR_IMAGES = 145,
    IDR_DESKTOP_BAR = 232,

    // The face and size boxes of the fonts toolbar.
    IDC_FONT_FACE = 113,
    IDC_FONT_SIZE = 114,

    // Control bars of the main frame.
    AFX_IDW_TOOLBAR = 0xE800,
    AFX_IDW_STATUS_BAR = 59393,
    ID_PROJECT_BAR = 0xE804,
    ID_LIST_BAR = 0xE808,
    ID_LIVE_PREVIEW_BAR = 33101,
    ID_MESSAGES_BAR = 33251,

    // Strings.
    IDS_WIZARD_CAPTION = 111,
    IDS_SYNTAX_SIZE_HINT = 61450,
    IDS_LIST_COLUMN_NAME = 61451,
    IDS_LIST_COLUMN_SIZE = 61452,
    IDS_LIST_COLUMN_TYPE = 61453,
    IDS_LIST_COLUMN_MODIFIED = 61454,
    IDS_WIZARD_REPLACE_SELECTION = 61455,
    IDS_IMAGE_COPY_INTO_SITE = 61456,
    IDS_IMAGE_COPY_FAILED = 61457,

    // Bitmaps.
    IDB_PROJECT_BAR_TABS = 130,
    IDB_SPLASH = 140,

    // A separator in a toolbar's button list.
    ID_SEPARATOR = 0,
};

} // namespace ZtCmd
