#include "res/MenuTables.h"

#include "res/CommandIds.h"

using namespace ZtCmd;

namespace ZtRes {
namespace {

MenuItem Cmd(int id, const char* text)
{
    return {MenuItemKind::Command, id, QString::fromLatin1(text), {}};
}

MenuItem Separator()
{
    return {MenuItemKind::Separator, 0, QString(), {}};
}

MenuItem RecentFiles()
{
    return {MenuItemKind::RecentFiles, ID_FILE_MRU_FILE1, QString(), {}};
}

MenuItem WindowList()
{
    return {MenuItemKind::WindowList, ID_WINDOW_LIST_FIRST, QString(), {}};
}

MenuItem Popup(const char* text, QVector<MenuItem> items)
{
    return {MenuItemKind::Popup, 0, QString::fromLatin1(text), std::move(items)};
}

// The two bar submenus appear under different titles in different menus.
MenuItem ProjectBarPopup(const char* title)
{
    return Popup(title, {Cmd(ID_VIEW_PROJECTBAR, "&Show  / Hide Project bar"),
                         Cmd(ID_DOCKFLOAT_PROJECTBAR, "&Dock / Float Project bar"),
                         Cmd(ID_ALLOWDOCK_PROJECTBAR, "&Allow Docking")});
}

MenuItem ListBarPopup(const char* title)
{
    return Popup(title, {Cmd(ID_VIEW_LISTBAR, "&Show / Hide Listbar"),
                         Cmd(ID_DOCKFLOAT_LISTBAR, "&Dock / Float List bar"),
                         Cmd(ID_ALLOWDOCK_LISTBAR, "&Allow Docking")});
}

MenuItem MainFileMenu()
{
    return Popup("&File", {Cmd(ID_FILE_NEW_FOLDER, "New &Folder"),
                           Cmd(ID_FILE_NEW, "&New\tCtrl+N"),
                           Cmd(ID_FILE_OPEN, "&Open...\tCtrl+O"),
                           Separator(),
                           Cmd(ID_FILE_PRINT_SETUP, "P&rint Setup..."),
                           Separator(),
                           Cmd(ID_FILE_OPEN_WEB_PROJECT, "Open Web &Project"),
                           Cmd(ID_PROJECT_SAVE, "Sa&ve Project"),
                           Cmd(ID_PROJECT_SAVE_AS, "Pro&ject Save As"),
                           Cmd(ID_PROJECT_CLOSE, "C&lose Web Project"),
                           Separator(),
                           RecentFiles(),
                           Separator(),
                           Cmd(ID_APP_EXIT, "E&xit")});
}

// The File menu of the editor and project windows. The project window shows
// an inert "Recent Files" item instead of the recent-file list.
MenuItem DocumentFileMenu(bool withNewFolder, bool withRecentList)
{
    QVector<MenuItem> items;
    if (withNewFolder)
        items << Cmd(ID_FILE_NEW_FOLDER, "New &Folder");
    items << Cmd(ID_FILE_NEW, "&New\tCtrl+N") << Cmd(ID_FILE_OPEN, "&Open...\tCtrl+O")
          << Cmd(ID_FILE_CLOSE, "&Close") << Cmd(ID_FILE_SAVE, "&Save\tCtrl+S")
          << Cmd(ID_FILE_SAVE_AS, "Save &As...") << Separator()
          << Cmd(ID_FILE_PRINT, "&Print...\tCtrl+P") << Cmd(ID_FILE_PRINT_PREVIEW, "Print Pre&view")
          << Cmd(ID_FILE_PRINT_SETUP, "P&rint Setup...") << Separator()
          << Cmd(ID_FILE_OPEN_WEB_PROJECT, "Open &Web Project") << Cmd(ID_PROJECT_SAVE, "Pro&ject Save")
          << Cmd(ID_PROJECT_SAVE_AS, "Proj&ect Save As") << Cmd(ID_PROJECT_CLOSE, "C&lose Web Project")
          << Separator()
          << (withRecentList ? RecentFiles() : Cmd(ID_RECENT_FILES_INERT, "Recent Files"))
          << Separator() << Cmd(ID_APP_EXIT, "E&xit");
    return Popup("&File", items);
}

MenuItem BrowserFileMenu()
{
    return Popup("&File", {Cmd(ID_BROWSER_FILE_OPEN, "&Open...\tCtrl+O"),
                           Cmd(ID_FILE_CLOSE, "&Close"),
                           Separator(),
                           Cmd(ID_FILE_PRINT, "&Print...\tCtrl+P"),
                           Cmd(ID_FILE_PRINT_PREVIEW, "Print Pre&view"),
                           Cmd(ID_FILE_PRINT_SETUP, "P&rint Setup..."),
                           Separator(),
                           RecentFiles(),
                           Separator(),
                           Cmd(ID_FILE_OPEN_WEB_PROJECT, "Open &Web Project"),
                           Cmd(ID_PROJECT_SAVE, "Project &Save"),
                           Cmd(ID_PROJECT_SAVE_AS, "Project Save &As"),
                           Cmd(ID_PROJECT_CLOSE, "C&lose Web Project"),
                           Separator(),
                           Cmd(ID_APP_EXIT, "E&xit")});
}

MenuItem FullEditMenu()
{
    return Popup("&Edit", {Cmd(ID_EDIT_UNDO, "&Undo\tCtrl+Z"),
                           Separator(),
                           Cmd(ID_EDIT_CLEAR, "C&lear"),
                           Cmd(ID_EDIT_CUT, "Cu&t\tCtrl+X"),
                           Cmd(ID_EDIT_COPY, "&Copy\tCtrl+C"),
                           Cmd(ID_EDIT_PASTE, "&Paste\tCtrl+V"),
                           Cmd(ID_EDIT_PASTE_SPECIAL, "Paste &Special"),
                           Separator(),
                           Cmd(ID_EDIT_REPEAT, "&Repeat"),
                           Cmd(ID_EDIT_FIND, "&Find"),
                           Cmd(ID_EDIT_REPLACE, "R&eplace"),
                           Separator(),
                           Cmd(ID_EDIT_DELETE, "&Delete")});
}

MenuItem ShortEditMenu()
{
    return Popup("&Edit", {Cmd(ID_EDIT_UNDO, "&Undo\tCtrl+Z"),
                           Separator(),
                           Cmd(ID_EDIT_CLEAR, "C&lear"),
                           Cmd(ID_EDIT_CUT, "Cu&t\tCtrl+X"),
                           Cmd(ID_EDIT_COPY, "&Copy\tCtrl+C"),
                           Cmd(ID_EDIT_PASTE, "&Paste\tCtrl+V"),
                           Separator(),
                           Cmd(ID_EDIT_DELETE, "&Delete")});
}

MenuItem ViewMenu()
{
    return Popup("&View", {Cmd(ID_VIEW_HTMLTAGS, "&HTML Tags"),
                           Cmd(ID_VIEW_OPERATIONBAR, "&Operation Toolbar"),
                           Cmd(ID_VIEW_FONTSBAR, "&Fonts toolbar"),
                           Cmd(ID_VIEW_BROWSEBAR, "&Browse bar"),
                           Cmd(ID_VIEW_TOOLBAR, "&Main Toolbar"),
                           Cmd(ID_VIEW_STATUS_BAR, "&Status Bar"),
                           Cmd(ID_VIEW_LIVEPREVIEW, "Li&ve Preview\tCtrl+Alt+V"),
                           ProjectBarPopup("Pr&oject bar window"),
                           ListBarPopup("&List bar window")});
}

MenuItem BrowserViewMenu()
{
    return Popup("&View", {Cmd(ID_VIEW_BROWSEBAR, "&Browse bar"),
                           Cmd(ID_VIEW_TOOLBAR, "&Main Toolbar"),
                           Cmd(ID_VIEW_STATUS_BAR, "&Status Bar"),
                           ProjectBarPopup("Pr&oject bar window"),
                           ListBarPopup("&List bar window")});
}

// The main frame's menu says "&Colors", the document menus "&Color".
MenuItem WizardsMenu(const char* colorText)
{
    return Popup("Wi&zards", {Cmd(ID_BODY_WIZARD, "&Body"),
                              Cmd(ID_FONT_WIZARD, "&Font"),
                              Cmd(ID_PROJECT_WIZARD, "&Project "),
                              Cmd(ID_TABLE_WIZARD, "&Table"),
                              Cmd(ID_IMAGE_WIZARD, "&Image"),
                              Cmd(ID_COLOR_WIZARD, colorText),
                              Cmd(ID_ALIGN_WIZARD, "&Align"),
                              Cmd(ID_LIST_WIZARD, "&List")});
}

MenuItem SettingsMenu()
{
    return Popup("&Settings", {Cmd(ID_JAVA_PATH, "&Java Path"),
                               Cmd(ID_PERL_PATH, "&Perl Path"),
                               Cmd(ID_SYNTAX_COLORING, "&Syntax Coloring")});
}

// The tools that work on the whole site, and the check of the page in front.
MenuItem ToolsMenu()
{
    return Popup("&Tools", {Cmd(ID_FIND_IN_FILES, "Find in &Files...\tCtrl+Shift+F"),
                            Cmd(ID_CHECK_LINKS, "Check &Links"),
                            Separator(),
                            Cmd(ID_VALIDATE_PAGE, "&Validate Page\tCtrl+Shift+V"),
                            Cmd(ID_CHECK_SPELLING, "Check &Spelling"),
                            Cmd(ID_SPELLING_DICTIONARY, "Spelling &Dictionary...")});
}

MenuItem MainWindowMenu()
{
    return Popup("&Window", {Cmd(ID_OPEN_CONSOLE_WINDOW, "&Open console window"),
                             Cmd(ID_RUN_CONSOLE_PROCESS, "&Run console process")});
}

MenuItem DocumentWindowMenu()
{
    return Popup("&Window", {Cmd(ID_WINDOW_NEW, "&New Window"),
                             Cmd(ID_WINDOW_CASCADE, "&Cascade"),
                             Cmd(ID_WINDOW_TILE_HORZ, "&Tile"),
                             Cmd(ID_WINDOW_ARRANGE, "&Arrange Icons"),
                             Separator(),
                             Cmd(ID_OPEN_CONSOLE_WINDOW, "&Open console window"),
                             Cmd(ID_RUN_CONSOLE_PROCESS, "&Run console process"),
                             Separator(),
                             WindowList()});
}

MenuItem HelpMenu()
{
    return Popup("&Help", {Cmd(ID_HELP_FINDER, "&Help Topics"),
                           Separator(),
                           Cmd(ID_APP_ABOUT, "&About Zentrel...")});
}

MenuItem BrowseMenu()
{
    return Popup("&Browse", {Cmd(ID_BROWSE_BACK, "&Back"), Cmd(ID_BROWSE_FORWARD, "&Forward")});
}

// The items both editor context menus share from "&Undo" to "R&eplace"; the
// web-page editor's menu also has "Cle&ar".
QVector<MenuItem> EditorContextEditItems(bool withClear)
{
    QVector<MenuItem> items{Cmd(ID_EDIT_UNDO, "&Undo"), Cmd(ID_EDIT_REPEAT, "&Repeat"), Separator()};
    if (withClear)
        items << Cmd(ID_EDIT_CLEAR, "Cle&ar");
    items << Cmd(ID_EDIT_CUT, "Cu&t") << Cmd(ID_EDIT_COPY, "&Copy") << Cmd(ID_EDIT_PASTE, "&Paste")
          << Separator() << Cmd(ID_EDIT_DELETE, "&Delete") << Separator()
          << Cmd(ID_EDIT_FIND, "&Find") << Cmd(ID_EDIT_REPLACE, "R&eplace") << Separator();
    return items;
}

MenuItem WebPageEditorContextMenu()
{
    QVector<MenuItem> items{Popup("&Wizards", {Cmd(ID_BODY_WIZARD, "&Body Wizard"),
                                               Cmd(ID_FONT_WIZARD, "&Font Wizard"),
                                               Cmd(ID_TABLE_WIZARD, "&Table Wizard"),
                                               Cmd(ID_IMAGE_WIZARD, "&Image Wizard"),
                                               Cmd(ID_COLOR_WIZARD, "&Color Wizard"),
                                               Cmd(ID_ALIGN_WIZARD, "&Align Wizard"),
                                               Cmd(ID_LIST_WIZARD, "&List Wizard")}),
                            Cmd(ID_NEXT_DOCUMENT, "&Next document"),
                            Cmd(ID_SHOW_AS_WEBPAGE, "&Show as Web Page"),
                            Cmd(ID_OPEN_IN_IE, "Open in &I.E."),
                            Separator()};
    items << EditorContextEditItems(true) << ProjectBarPopup("Pr&oject bar") << ListBarPopup("&List bar");
    return Popup("", items);
}

MenuItem PlainTextContextMenu()
{
    QVector<MenuItem> items{Cmd(ID_NEXT_DOCUMENT, "&Next document"), Separator()};
    items << EditorContextEditItems(false) << ProjectBarPopup("Pr&oject bar window")
          << ListBarPopup("&List bar window") << Cmd(ID_TEXT_MENU_BLANK, "");
    return Popup("", items);
}

MenuItem ProjectTreeContextMenu()
{
    return Popup("", {Cmd(ID_PROJTREE_EDIT, "&Edit"),
                      Cmd(ID_PROJTREE_SHOW_PAGE, "&Show page"),
                      Separator(),
                      Cmd(ID_PROJTREE_NEW_FOLDER, "New &Folder"),
                      Cmd(ID_PROJTREE_COPY, "&Copy"),
                      Cmd(ID_PROJTREE_PASTE, "&Paste"),
                      Cmd(ID_PROJTREE_RENAME, "&Rename"),
                      Separator(),
                      ProjectBarPopup("Pr&oject bar window"),
                      Cmd(ID_PROJTREE_COMPILE_JAVA, "Compile &Java file"),
                      Separator(),
                      Cmd(ID_PROJTREE_DELETE_ITEM, "&Delete Item")});
}

MenuItem KeywordsTreeContextMenu()
{
    return Popup("", {Cmd(ID_KEYWORDS_NEW_FOLDER, "New &Folder"),
                      Cmd(ID_KEYWORDS_NEW_KEYWORD, "New &Keyword"),
                      Cmd(ID_KEYWORDS_NEW_FILE, "New &Keywords File"),
                      Separator(),
                      Cmd(ID_KEYWORDS_COPY, "&Copy"),
                      Cmd(ID_KEYWORDS_PASTE, "&Paste"),
                      Cmd(ID_KEYWORDS_EDIT_LABEL, "Edit &Label"),
                      Separator(),
                      ProjectBarPopup("Pr&oject bar window"),
                      Separator(),
                      Cmd(ID_KEYWORDS_DELETE_ITEM, "&Delete Item")});
}

MenuItem ListContextMenu()
{
    return Popup("", {Cmd(ID_LIST_EDIT_ITEM, "&Edit Item"),
                      Cmd(ID_LIST_SHOW_IN_BROWSER, "&Show in Browser"),
                      Cmd(ID_LIST_COPY, "&Copy"),
                      Cmd(ID_LIST_MOVE_CUT, "&Move-Cut"),
                      ListBarPopup("&List bar window"),
                      Cmd(ID_LIST_DELETE, "&Delete")});
}

} // namespace

QVector<MenuItem> MenuBar(int menuResourceId)
{
    switch (menuResourceId) {
    case IDR_MAINFRAME:
        return {MainFileMenu(), ViewMenu(), WizardsMenu("&Colors"), SettingsMenu(), ToolsMenu(), MainWindowMenu(), HelpMenu()};
    case IDR_ZTTYPE:
        return {DocumentFileMenu(true, true), FullEditMenu(), ViewMenu(), WizardsMenu("&Color"),
                ToolsMenu(), DocumentWindowMenu(), HelpMenu()};
    case IDR_PROJECTTYPE:
        return {DocumentFileMenu(true, false), ShortEditMenu(), ViewMenu(), WizardsMenu("&Color"),
                ToolsMenu(), DocumentWindowMenu(), HelpMenu()};
    case IDR_TEXTTYPE:
        return {DocumentFileMenu(false, true), ShortEditMenu(), ViewMenu(), ToolsMenu(), DocumentWindowMenu(), HelpMenu()};
    case IDR_BROWSERTYPE:
        return {BrowserFileMenu(), BrowserViewMenu(), ToolsMenu(), DocumentWindowMenu(), BrowseMenu()};
    default:
        return {};
    }
}

MenuItem ContextMenu(int menuResourceId)
{
    switch (menuResourceId) {
    case IDR_EDITOR_CONTEXT:
        return WebPageEditorContextMenu();
    case IDR_TEXT_CONTEXT:
        return PlainTextContextMenu();
    case IDR_PROJTREE_CONTEXT:
        return ProjectTreeContextMenu();
    case IDR_KEYWORDS_CONTEXT:
        return KeywordsTreeContextMenu();
    case IDR_LIST_CONTEXT:
        return ListContextMenu();
    default:
        return Popup("", {});
    }
}

QVector<MenuItem> DockingBarMenu(bool projectBar)
{
    return projectBar ? ProjectBarPopup("").items : ListBarPopup("").items;
}

QVector<MenuItem> ToolBarAreaMenu()
{
    QVector<MenuItem> items = ViewMenu().items;
    // The View menu's bar submenus give way to the bars' show switches.
    items.resize(items.size() - 2);
    items << Separator() << ProjectBarPopup("").items.first() << ListBarPopup("").items.first();
    return items;
}

} // namespace ZtRes
