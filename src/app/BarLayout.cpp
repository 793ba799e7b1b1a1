#include "app/BarLayout.h"

#include "framework/CmdUI.h"
#include "framework/DockSide.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MenuBuilder.h"
#include "framework/Profile.h"
#include "framework/SealedState.h"
#include "framework/WindowPlacement.h"
#include "editor/FontToolBar.h"
#include "projects/ListBar.h"
#include "projects/ProjectBar.h"
#include "res/CommandIds.h"
#include "res/MenuTables.h"

#include <QAction>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QScreen>
#include <QToolBar>

using namespace ZtCmd;

namespace {
const QString kBarState = QStringLiteral("Barstate");
const QString kLayoutKey = QStringLiteral("Layout");
// Where the Fonts toolbar command puts the toolbar, on the screen.
const QPoint kFontBarFloatPosition(200, 125);
// The docking bars' width in the frame when nothing else is known.
constexpr int kDefaultDockingBarWidth = 250;
// The version of the saved layout, given to Qt's layout reader; another
// version's layout is ignored.
constexpr int kBarStateVersion = 1;
// The version of the seal around it (checksum and header).
constexpr quint32 kBarStateSealVersion = 1;

QList<QRect> AvailableScreens()
{
    QList<QRect> screens;
    for (QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

// A floating window's rectangle, moved onto a screen when it is off every one.
QRect OnSomeScreen(const QRect& wanted)
{
    return CWindowPlacement::FitToScreens(wanted, AvailableScreens());
}

} // namespace

CBarLayout::CBarLayout(CMDIFrameWnd* frame, const ToolBars& toolBars)
    : m_pFrame(frame)
    , m_treeBarState(QStringLiteral("TreeBar"), AFX_IDW_DOCKBAR_LEFT)
    , m_listBarState(QStringLiteral("ListBar"), AFX_IDW_DOCKBAR_BOTTOM)
{
    CreateDockingBars();
    MapCommands(toolBars);
}

void CBarLayout::CreateDockingBars()
{
    m_pProjectBar = new CProjectBar(m_pFrame);
    m_pListBar = new CListBar(m_pFrame);
    // The Project bar on the left, the List bar below it.
    m_pFrame->addDockWidget(Qt::LeftDockWidgetArea, m_pProjectBar);
    m_pFrame->splitDockWidget(m_pProjectBar, m_pListBar, Qt::Vertical);
    m_pFrame->resizeDocks({m_pProjectBar}, {kDefaultDockingBarWidth}, Qt::Horizontal);
    // The trees get the larger share of the height.
    const int height = m_pFrame->height();
    m_pFrame->resizeDocks({m_pProjectBar, m_pListBar}, {3 * height / 5, 2 * height / 5}, Qt::Vertical);
    const QList<CSizeControlBar*> bars{m_pProjectBar, m_pListBar};
    for (CSizeControlBar* bar : bars)
        QObject::connect(bar, &CSizeControlBar::titleContextMenuRequested, m_pFrame,
                         [this, bar](const QPoint& globalPos) { ShowBarMenu(bar, globalPos); });
}

void CBarLayout::MapCommands(const ToolBars& toolBars)
{
    // Bar switches with pictures show a check mark in the menus, like their
    // neighbours without pictures.
    for (int id : {ID_VIEW_FONTSBAR, ID_VIEW_PROJECTBAR, ID_VIEW_LISTBAR})
        m_pFrame->Action(id)->setIconVisibleInMenu(false);
    MapDockingBarCommands(m_pProjectBar, m_treeBarState, ID_VIEW_PROJECTBAR, ID_TOGGLE_WORKSPACE,
                          ID_DOCKFLOAT_PROJECTBAR, ID_ALLOWDOCK_PROJECTBAR);
    MapDockingBarCommands(m_pListBar, m_listBarState, ID_VIEW_LISTBAR, ID_TOGGLE_LISTBAR, ID_DOCKFLOAT_LISTBAR,
                          ID_ALLOWDOCK_LISTBAR);
    MapToolBarCommand(ID_VIEW_BROWSEBAR, toolBars.browse);
    MapToolBarCommand(ID_VIEW_HTMLTAGS, toolBars.htmlTags);
    MapToolBarCommand(ID_VIEW_OPERATIONBAR, toolBars.operation);
    MapToolBarCommand(ID_VIEW_TOOLBAR, toolBars.main);
    MapToolBarCommand(ID_VIEW_FONTSBAR, toolBars.fonts);
    // The Fonts toolbar comes back floating, where it does not cover the
    // other toolbars.
    CFontToolBar* fonts = toolBars.fonts;
    OnCommand(ID_VIEW_FONTSBAR, [this, fonts] {
        fonts->setVisible(fonts->isHidden());
        FloatToolBar(fonts, kFontBarFloatPosition);
    });
}

void CBarLayout::MapDockingBarCommands(CSizeControlBar* bar, CBarDockState& state, int showId,
                                       int otherShowId, int dockFloatId, int allowDockingId)
{
    for (int id : {showId, otherShowId})
        OnCommand(id, [bar] { bar->setVisible(bar->isHidden()); });
    OnUpdate(showId, [bar](CCmdUI* cmdUI) { cmdUI->SetCheck(!bar->isHidden()); });
    OnCommand(dockFloatId, [this, bar, &state] { OnDockFloat(bar, state); });
    OnUpdate(dockFloatId, [bar](CCmdUI* cmdUI) { cmdUI->SetCheck(!bar->isFloating()); });
    OnCommand(allowDockingId, [bar] { bar->ToggleDockingAllowed(); });
    OnUpdate(allowDockingId, [bar](CCmdUI* cmdUI) {
        cmdUI->Enable(bar->isFloating());
        cmdUI->SetCheck(bar->IsDockingAllowed());
    });
}

void CBarLayout::MapToolBarCommand(int id, QToolBar* toolBar)
{
    OnCommand(id, [toolBar] { toolBar->setVisible(toolBar->isHidden()); });
    OnUpdate(id, [toolBar](CCmdUI* cmdUI) { cmdUI->SetCheck(!toolBar->isHidden()); });
}

void CBarLayout::Load()
{
    Restore(CProfile::Instance().GetString(kBarState, kLayoutKey));
}

void CBarLayout::Save()
{
    const QByteArray state = m_pFrame->saveState(kBarStateVersion);
    CProfile::Instance().WriteString(kBarState, kLayoutKey, CSealedState::Seal(state, kBarStateSealVersion));
}

bool CBarLayout::Restore(const QString& stored)
{
    // Qt's reader trusts its input (one flipped byte can crash it): only a
    // layout whose checksum holds reaches it.
    const QByteArray state = CSealedState::Open(stored, kBarStateSealVersion);
    if (state.isEmpty() || !m_pFrame->restoreState(state, kBarStateVersion))
        return false;
    FitFloatingBarsToScreens();
    return true;
}

// A layout saved with another screen arrangement may leave a floating bar
// where no screen is now.
void CBarLayout::FitFloatingBarsToScreens()
{
    QList<QWidget*> bars;
    for (QToolBar* toolBar : m_pFrame->findChildren<QToolBar*>())
        bars.append(toolBar);
    for (QDockWidget* dock : m_pFrame->findChildren<QDockWidget*>())
        bars.append(dock);
    for (QWidget* bar : bars) {
        if (bar->isWindow())
            bar->setGeometry(OnSomeScreen(bar->geometry()));
    }
}

int CBarLayout::DockSideFromPosition(int x, int y) const
{
    return ::DockSideFromPosition(x, y, m_pFrame->size());
}

void CBarLayout::SaveBarDockState(CSizeControlBar* bar, CBarDockState& state)
{
    // The side is judged from where the bar stands in the frame, so the
    // result is the same on every screen the frame may be on.
    const QPoint inFrame = bar->mapTo(m_pFrame, QPoint(0, 0));
    state.WriteDockState(bar->ScreenRect(), bar->FixedLayoutSize(), DockSideFromPosition(inFrame.x(), inFrame.y()));
}

void CBarLayout::SaveBarFloatState(CSizeControlBar* bar, CBarDockState& state)
{
    state.WriteFloatState(bar->pos());
}

void CBarLayout::OnDockFloat(CSizeControlBar* bar, CBarDockState& state)
{
    if (!bar->isFloating()) {
        SaveBarDockState(bar, state);
        FloatBar(bar, state.FloatPosition());
    } else {
        SaveBarFloatState(bar, state);
        bar->setAllowedAreas(Qt::AllDockWidgetAreas);
        DockBarAt(bar, state.DockSide(), state.DockRect());
    }
    bar->update();
}

void CBarLayout::FloatBar(CSizeControlBar* bar, const QPoint& screenPos)
{
    // Floats exactly at the remembered point, even over a docked bar: the
    // point is the user's own, and only a point off every screen is moved.
    bar->FloatAt(OnSomeScreen(QRect(screenPos, bar->size())).topLeft());
}

void CBarLayout::DockBarAt(CSizeControlBar* bar, int side, const QRect& rect)
{
    const Qt::DockWidgetArea area = CBarDockState::AreaForSide(side);
    // Back to its old place first: on the same side the bar then keeps its
    // order among the other bars there.
    bar->setFloating(false);
    if (m_pFrame->dockWidgetArea(bar) != area)
        m_pFrame->addDockWidget(area, bar);
    const bool across = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    // A remembered width narrower than the contents want (the defaults are)
    // would cut the Project bar's tab titles short.
    const int extent = across ? qMax(rect.width(), bar->sizeHint().width()) : rect.height();
    if (extent > 0)
        m_pFrame->resizeDocks({bar}, {extent}, across ? Qt::Horizontal : Qt::Vertical);
}

void CBarLayout::FloatToolBar(QToolBar* toolBar, const QPoint& screenPos)
{
    const bool visible = !toolBar->isHidden();
    // The flags Qt gives a toolbar the user drags out of the frame; the
    // frame's layout then treats it as floating, saves and restores it so.
    toolBar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    toolBar->adjustSize();
    toolBar->move(OnSomeScreen(QRect(screenPos, toolBar->size())).topLeft());
    if (visible)
        toolBar->show();
}

void CBarLayout::ShowBarMenu(CSizeControlBar* bar, const QPoint& globalPos)
{
    QMenu menu(m_pFrame);
    CMenuBuilder::Populate(
        &menu, ZtRes::DockingBarMenu(bar == m_pProjectBar), [this](int id) { return m_pFrame->Action(id); },
        [this](QMenu* shown) { m_pFrame->UpdateMenu(shown); });
    menu.exec(globalPos);
}
