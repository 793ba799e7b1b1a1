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
    ID_FILE_MRU_FILE1 = 57616, // ... ID_FILE_MRU_FILE4 = 57619
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

// The program's own commands follow below (menus, toolbars, bars).

} // namespace ZtCmd
