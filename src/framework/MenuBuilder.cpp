#include "framework/MenuBuilder.h"

#include "res/CommandIcons.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "res/ToolbarTables.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QToolBar>

namespace {

// What a menu gives its shared actions before it shows.
struct MenuText
{
    QPointer<QAction> action;
    QString text;
};

} // namespace

void CMenuBuilder::Populate(QMenu* menu, const QVector<ZtRes::MenuItem>& items, const ActionLookup& lookup,
                            const std::function<void(QMenu*)>& aboutToShow)
{
    QVector<MenuText> texts;
    for (const ZtRes::MenuItem& item : items) {
        switch (item.kind) {
        case ZtRes::MenuItemKind::Separator:
            menu->addSeparator();
            break;
        case ZtRes::MenuItemKind::Popup:
            Populate(menu->addMenu(item.text), item.items, lookup, aboutToShow);
            break;
        case ZtRes::MenuItemKind::RecentFiles:
            // The frame names these actions after the files; their texts stay.
            for (int id = ZtCmd::ID_FILE_MRU_FILE1; id <= ZtCmd::ID_FILE_MRU_FILE4; ++id) {
                if (QAction* action = lookup ? lookup(id) : nullptr)
                    menu->addAction(action);
            }
            break;
        case ZtRes::MenuItemKind::WindowList:
            // The frame names these after the open windows and hides the
            // ones no window stands behind.
            for (int id = ZtCmd::ID_WINDOW_LIST_FIRST; id <= ZtCmd::ID_WINDOW_LIST_LAST; ++id) {
                if (QAction* action = lookup ? lookup(id) : nullptr)
                    menu->addAction(action);
            }
            break;
        case ZtRes::MenuItemKind::Command:
            texts.append({CommandAction(menu, item, lookup), item.text});
            break;
        }
    }
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, texts, aboutToShow] {
        for (const MenuText& entry : texts) {
            if (entry.action)
                entry.action->setText(entry.text);
        }
        if (aboutToShow)
            aboutToShow(menu);
    });
}

QAction* CMenuBuilder::CommandAction(QMenu* menu, const ZtRes::MenuItem& item, const ActionLookup& lookup)
{
    QAction* action = lookup ? lookup(item.id) : nullptr;
    if (!action) {
        // Without a command behind it the item still shows, greyed out.
        action = new QAction(item.text, menu);
        action->setEnabled(false);
    }
    if (action->text().isEmpty())
        action->setText(item.text);
    GiveResourceLook(action, item.id);
    menu->addAction(action);
    return action;
}

// Pictures and status prompts come from the resources unless the frame gave
// the action its own.
void CMenuBuilder::GiveResourceLook(QAction* action, int id)
{
    if (action->icon().isNull())
        action->setIcon(ZtRes::CommandIcon(id));
    if (action->statusTip().isEmpty())
        action->setStatusTip(ZtRes::StatusText(id));
}

void CMenuBuilder::PopulateMenuBar(QMenuBar* bar, int menuResourceId, const ActionLookup& lookup,
                                   const std::function<void(QMenu*)>& aboutToShow)
{
    // The menus of the previous bar belong to the bar; clear() only removes
    // them. They go later, as this may run from one of their own commands.
    const QList<QAction*> previous = bar->actions();
    bar->clear();
    for (QAction* action : previous) {
        if (QMenu* old = action->menu(); old && old->parent() == bar)
            old->deleteLater();
    }
    for (const ZtRes::MenuItem& popup : ZtRes::MenuBar(menuResourceId))
        Populate(bar->addMenu(popup.text), popup.items, lookup, aboutToShow);
}

QMenu* CMenuBuilder::BuildContextMenu(int menuResourceId, const ActionLookup& lookup,
                                      const std::function<void(QMenu*)>& aboutToShow, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    Populate(menu, ZtRes::ContextMenu(menuResourceId).items, lookup, aboutToShow);
    return menu;
}

void CMenuBuilder::PopulateToolBar(QToolBar* toolBar, int toolbarResourceId, const ActionLookup& lookup)
{
    for (int id : ZtRes::ToolbarButtons(toolbarResourceId)) {
        if (id == ZtCmd::ID_SEPARATOR) {
            toolBar->addSeparator();
            continue;
        }
        if (id == ZtCmd::IDC_FONT_FACE || id == ZtCmd::IDC_FONT_SIZE)
            continue;
        QAction* action = lookup ? lookup(id) : nullptr;
        if (!action)
            continue;
        GiveResourceLook(action, id);
        const QString tip = ZtRes::ToolTipText(id);
        if (!tip.isEmpty())
            action->setToolTip(tip);
        toolBar->addAction(action);
    }
}
