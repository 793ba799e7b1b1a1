#include "framework/CommandActions.h"

#include "framework/CmdUI.h"
#include "res/Accelerators.h"
#include "res/CommandIcons.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QToolBar>
#include <QWidget>

namespace {

// The X11 platform leaves the keypad modifier out when it matches a key
// against shortcuts, so a shortcut that names it never fires there. Without
// it the shortcut matches the keypad key on every platform (Qt retries a
// keypad key without the modifier), and the main keyboard's key as well.
QKeySequence WithoutKeypadModifier(const QKeySequence& keys)
{
    if (keys.isEmpty())
        return keys;
    const QKeyCombination first = keys[0];
    return QKeySequence(QKeyCombination(first.keyboardModifiers() & ~Qt::KeypadModifier, first.key()));
}

} // namespace

CCommandActions::CCommandActions(QWidget* window, CCommandRouter::ChainProvider chain)
    : QObject(window)
    , m_pWindow(window)
    , m_router(std::move(chain))
{
}

QAction* CCommandActions::Action(int id)
{
    if (QAction* action = m_actions.value(id))
        return action;
    auto* action = new QAction(m_pWindow);
    action->setData(id);
    action->setIcon(ZtRes::CommandIcon(id));
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    m_actions.insert(id, action);
    return action;
}

bool CCommandActions::Execute(int id)
{
    const bool done = m_router.Execute(id);
    UpdateToolbars();
    return done;
}

void CCommandActions::Update(QAction* action, int id)
{
    CCmdUI cmdUI(id);
    m_router.Update(&cmdUI);
    action->setEnabled(cmdUI.m_bEnabled);
    if (cmdUI.m_bCheckSet) {
        action->setCheckable(true);
        action->setChecked(cmdUI.m_bChecked);
    }
}

void CCommandActions::UpdateMenu(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        bool isCommand = false;
        const int id = action->data().toInt(&isCommand);
        if (isCommand && !action->isSeparator() && !action->menu() && m_actions.contains(id))
            Update(action, id);
    }
}

void CCommandActions::UpdateToolbars()
{
    // An update handler may show or hide a toolbar, which comes back here.
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    const QList<QToolBar*> toolBars = m_pWindow->findChildren<QToolBar*>();
    for (QToolBar* toolBar : toolBars) {
        if (!toolBar->isVisible())
            continue;
        for (QAction* action : toolBar->actions()) {
            const int id = action->data().toInt();
            if (id != 0 && m_actions.contains(id))
                Update(action, id);
        }
    }
    m_bUpdating = false;
}

void CCommandActions::InstallAccelerators(QWidget* documentArea)
{
    for (const ZtRes::Accelerator& accelerator : ZtRes::Accelerators())
        InstallShortcut(accelerator, m_pWindow, Qt::WindowShortcut);
    for (const ZtRes::Accelerator& accelerator : ZtRes::EditorAccelerators())
        InstallShortcut(accelerator, documentArea, Qt::WidgetWithChildrenShortcut);
}

void CCommandActions::InstallShortcut(const ZtRes::Accelerator& accelerator, QWidget* owner,
                                      Qt::ShortcutContext context)
{
    auto* shortcut = new QShortcut(WithoutKeypadModifier(accelerator.keys), owner);
    shortcut->setContext(context);
    const int id = accelerator.id;
    connect(shortcut, &QShortcut::activated, this, [this, id] { Execute(id); });
}
