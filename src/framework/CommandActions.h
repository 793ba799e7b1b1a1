#pragma once

#include "framework/CommandRouter.h"

#include <QHash>
#include <QObject>

namespace ZtRes {
struct Accelerator;
}
class QAction;
class QMenu;
class QWidget;

// The one QAction of every command id in a main window, and what keeps them
// current: triggering an action routes its command, update handlers set the
// enable and check states before a menu shows and, for toolbar buttons,
// whenever the event loop goes idle. Accelerators from the resource table
// run their commands through the same routing.
class CCommandActions : public QObject
{
    Q_OBJECT
public:
    // window owns the actions and shortcuts; chain gives the routing chain
    // at the moment a command runs or is updated.
    CCommandActions(QWidget* window, CCommandRouter::ChainProvider chain);

    // The action of a command id, made on first request.
    QAction* Action(int id);
    // Runs a command as a menu would: only when enabled.
    bool Execute(int id);
    const CCommandRouter& Router() const { return m_router; }

    // Runs the update handlers of a menu's command items.
    void UpdateMenu(QMenu* menu);
    // Runs the update handlers of every visible toolbar button of the window.
    void UpdateToolbars();
    // Installs the accelerator table as shortcuts of the window, and the
    // editor keys as shortcuts of documentArea, the part of the window that
    // holds the document windows.
    void InstallAccelerators(QWidget* documentArea);

private:
    void Update(QAction* action, int id);
    void InstallShortcut(const ZtRes::Accelerator& accelerator, QWidget* owner, Qt::ShortcutContext context);

    QWidget* m_pWindow;
    CCommandRouter m_router;
    QHash<int, QAction*> m_actions;
    bool m_bUpdating = false;
};
