#pragma once

#include "app/MDIFrameWnd.h"

#include <QHash>

#include <memory>

class CCommandRouter;
class CMDIChildWnd;
class QAction;
class QLabel;
class QMenu;

// The main window: the MDI area with the child frames, the menu bar of the
// active document type, the status bar, and the one QAction of every command
// id, whose triggers go through the command routing.
class CMainFrame : public CMDIFrameWnd
{
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Builds the window's parts; false when one could not be made.
    bool LoadFrame();

    // The one action of a command id, made on first request.
    QAction* Action(int id);
    // Runs the update handlers of a menu's actions (before it shows).
    void UpdateMenu(QMenu* menu);
    // Runs the update handlers of every toolbar button; done when the event
    // loop goes idle.
    void UpdateToolbarActions();
    const CCommandRouter& Router() const { return *m_pRouter; }
    // Runs a command as a menu would: only when enabled.
    bool ExecuteCommand(int id);

    // The menu resource shown now: 128 with no child frame, else the one of
    // the active frame's document type.
    int CurrentMenuId() const { return m_nMenuId; }
    static int MenuIdForFrame(const CMDIChildWnd* frame);

    // The first start's size: 50 pixels smaller than the screen, at its top
    // edge, centred across.
    static QRect InitialGeometry(const QRect& screen);
    // Applies "Settings"/"WindowPos", or the first start's size.
    void RestorePlacement();
    // Restores the toolbars' and bars' layout from the profile.
    void LoadBarState();
    void SaveBarState();
    void SetBrowserLevelFromVersion();
    static int BrowserLevelFromVersion(int major, int minor);

    void SetStatusText(const QString& text);

    int m_nBrowserLevel = 2;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QList<CCmdTarget*> RoutingChain() const;
    void MapCommands();
    void CreateStatusBar();
    void InstallAccelerators();
    void OnActiveChildChanged(CMDIChildWnd* frame);
    void ShowMenuBar(int menuId);
    void SaveWindowPlacement();

    std::unique_ptr<CCommandRouter> m_pRouter;
    QHash<int, QAction*> m_actions;
    int m_nMenuId = 0;
    bool m_bUpdating = false;
    QLabel* m_pCapsIndicator = nullptr;
    QLabel* m_pNumIndicator = nullptr;
    QLabel* m_pScrollIndicator = nullptr;
};
