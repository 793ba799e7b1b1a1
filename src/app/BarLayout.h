#pragma once

#include "framework/BarDockState.h"
#include "framework/CmdTarget.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class CFontToolBar;
class CListBar;
class CMDIFrameWnd;
class CProjectBar;
class CSizeControlBar;
class QToolBar;

// The main frame's bar layout: makes and places the Project and List bars,
// docks and floats them on command at the places the profile remembers
// ("TreeBar", "ListBar"), floats the Fonts toolbar, keeps floating bars on a
// screen, and saves and restores the layout of every bar ("Barstate").
//
// It handles the bars' commands (show/hide, dock/float, allow docking); the
// frame puts it in its command routing.
class CBarLayout : public CCmdTarget
{
public:
    // The frame's toolbars, made by the frame before the layout.
    struct ToolBars
    {
        QToolBar* main = nullptr;
        QToolBar* browse = nullptr;
        QToolBar* htmlTags = nullptr;
        QToolBar* operation = nullptr;
        CFontToolBar* fonts = nullptr;
    };

    // Makes the docking bars in frame, at their first-start places, and maps
    // the bars' commands.
    CBarLayout(CMDIFrameWnd* frame, const ToolBars& toolBars);

    CProjectBar* ProjectBar() const { return m_pProjectBar; }
    CListBar* ListBar() const { return m_pListBar; }

    // Restores the layout the profile holds; a missing, damaged or foreign
    // one leaves every bar where it is.
    void Load();
    void Save();
    // Restores the layout from the profile's text of it; false (nothing
    // changed) unless it is a sound layout of this version.
    bool Restore(const QString& stored);

    // The dock side a bar at (x, y) of the frame is remembered on.
    int DockSideFromPosition(int x, int y) const;
    // Records where a docked bar stands, before it floats.
    void SaveBarDockState(CSizeControlBar* bar, CBarDockState& state);
    // Records where a floating bar stands, before it docks.
    void SaveBarFloatState(CSizeControlBar* bar, CBarDockState& state);
    // Docks a bar on a side (a dock bar id) at the size of rect, never
    // narrower than its contents want.
    void DockBarAt(CSizeControlBar* bar, int side, const QRect& rect);
    // Floats a toolbar with its top-left corner at a screen point.
    void FloatToolBar(QToolBar* toolBar, const QPoint& screenPos);

private:
    void CreateDockingBars();
    void MapCommands(const ToolBars& toolBars);
    void MapDockingBarCommands(CSizeControlBar* bar, CBarDockState& state, int showId, int otherShowId,
                               int dockFloatId, int allowDockingId);
    void MapToolBarCommand(int id, QToolBar* toolBar);
    void OnDockFloat(CSizeControlBar* bar, CBarDockState& state);
    void FloatBar(CSizeControlBar* bar, const QPoint& screenPos);
    void FitFloatingBarsToScreens();
    void ShowBarMenu(CSizeControlBar* bar, const QPoint& globalPos);

    CMDIFrameWnd* m_pFrame;
    CProjectBar* m_pProjectBar = nullptr;
    CListBar* m_pListBar = nullptr;
    CBarDockState m_treeBarState;
    CBarDockState m_listBarState;
};
