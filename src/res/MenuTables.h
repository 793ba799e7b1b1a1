#pragma once

#include <QString>
#include <QVector>

// The menus of the program as plain data: every menu bar of the main frame and
// the document types, and the context menus of the two editors. The menu
// builder turns them into Qt menus.
namespace ZtRes {

enum class MenuItemKind {
    Command,     // a command item: id and text
    Separator,   // a separator line
    Popup,       // a submenu: text and items
    RecentFiles, // where the recent-file list goes (ids 57616..57619)
    WindowList,  // where the list of open windows goes (ids 65280..65288)
};

struct MenuItem
{
    MenuItemKind kind = MenuItemKind::Command;
    int id = 0;
    QString text; // with "&" mnemonics and, after "\t", the key shown beside it
    QVector<MenuItem> items;
};

// The top-level popups of menu bar 128, 129, 130, 136 or 145; empty for any
// other number.
QVector<MenuItem> MenuBar(int menuResourceId);

// The first popup of context menu 104, 110, 114 or 125; an empty popup for any other
// number.
MenuItem ContextMenu(int menuResourceId);

// The menu of a docking bar's title: the bar's own three commands.
QVector<MenuItem> DockingBarMenu(bool projectBar);

// The menu of the toolbar area: the toolbar switches of the View menu and
// the show switches of the two docking bars.
QVector<MenuItem> ToolBarAreaMenu();

} // namespace ZtRes
