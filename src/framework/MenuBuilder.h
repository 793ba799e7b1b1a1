#pragma once

#include "res/MenuTables.h"

#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

// Turns the menu and toolbar tables into Qt menus and toolbars. Every command
// id has one QAction, owned by the main frame and found through the lookup;
// menus and toolbars only show it.
class CMenuBuilder
{
public:
    // The one QAction of a command id; null when the frame has none.
    using ActionLookup = std::function<QAction*(int id)>;

    // Fills menu with the items. Popups become submenus, RecentFiles becomes
    // the actions of 57616..57619, WindowList those of 65280..65288. Since an action is shared by every menu
    // showing its id, and the item's text differs between menus, each menu
    // gives its actions its own texts when it is about to show, and then calls
    // aboutToShow(menu) so the caller can run its update handlers. A command
    // the lookup does not know still shows, as a disabled item.
    static void Populate(QMenu* menu, const QVector<ZtRes::MenuItem>& items, const ActionLookup& lookup,
                         const std::function<void(QMenu*)>& aboutToShow);

    // Replaces the menus of bar by those of the menu bar resource.
    static void PopulateMenuBar(QMenuBar* bar, int menuResourceId, const ActionLookup& lookup,
                                const std::function<void(QMenu*)>& aboutToShow);

    // A new pop-up menu (owned by parent) holding the context menu resource.
    static QMenu* BuildContextMenu(int menuResourceId, const ActionLookup& lookup,
                                   const std::function<void(QMenu*)>& aboutToShow, QWidget* parent);

    // Adds the buttons of a toolbar resource with their pictures, tool tips
    // and status prompts. The places of the fonts toolbar's face and size
    // boxes (113, 114) are left out: that toolbar inserts its boxes itself,
    // before the separator that follows each place.
    static void PopulateToolBar(QToolBar* toolBar, int toolbarResourceId, const ActionLookup& lookup);

private:
    static QAction* CommandAction(QMenu* menu, const ZtRes::MenuItem& item, const ActionLookup& lookup);
    static void GiveResourceLook(QAction* action, int id);
};
