#pragma once

#include "app/BarLayout.h"
#include "app/LockKeyState.h"
#include "framework/MDIFrameWnd.h"

#include <QHash>

#include <memory>

class CCommandRouter;
class CFontToolBar;
class CListBar;
class CLivePreviewCommands;
class CValidateCommands;
class CMDIChildWnd;
class CProjectBar;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

// The main window: the MDI area with the child frames, the menu bar of the
// active document type, the toolbars, the Project and List bars, the status
// bar, and the one QAction of every command id, whose triggers go through the
// command routing.
class CMainFrame : public CMDIFrameWnd
{
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Builds the window's parts.
    void LoadFrame();

    // Also names the recent files in the File menu.
    void UpdateMenu(QMenu* menu) override;

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

    // The bars.
    CBarLayout& BarLayout() const { return *m_pBarLayout; }
    CProjectBar* ProjectBar() const { return m_pBarLayout ? m_pBarLayout->ProjectBar() : nullptr; }
    CListBar* ListBar() const { return m_pBarLayout ? m_pBarLayout->ListBar() : nullptr; }
    CLivePreviewCommands* LivePreview() const { return m_pLivePreview.get(); }
    CValidateCommands* Validate() const { return m_pValidate.get(); }
    CFontToolBar* FontToolBar() const { return m_pFontBar; }
    QToolBar* MainToolBar() const { return m_pMainToolBar; }
    QToolBar* BrowseBar() const { return m_pBrowseBar; }
    QToolBar* HtmlTagsBar() const { return m_pHtmlTagsBar; }
    QToolBar* OperationBar() const { return m_pOperationBar; }

    // Makes folder the List bar's folder.
    void ShowFolderInListBar(const QString& folder);

    // The child frames one after the other, in the order they were opened;
    // null after the last, and the next call starts again at the first.
    CMDIChildWnd* GetNextMDIChild();

    // The child frames in rows (horizontal) or columns (vertical).
    void TileChildFrames(Qt::Orientation orientation);
    // Scrolls every child frame's view one line or column; commandId is one
    // of the four sync-scroll commands.
    void SyncScroll(int commandId);

    const CLockKeyState& LockKeys() const { return m_lockKeys; }

    int m_nBrowserLevel = 2;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override;

    QList<CCmdTarget*> ExtraCommandTargets() const override;

private:
    bool AnyTargetHandles(int id) const;
    void MapCommands();
    void MapWindowCommands();
    void MapEnableRules();
    void CreateStatusBar();
    void CreateToolBars();
    QToolBar* CreateToolBar(int resourceId, const QString& name, const QString& title);
    void CreateFontToolBar();
    void OnActiveChildChanged(CMDIChildWnd* frame);
    void ShowMenuBar(int menuId);
    void SaveWindowPlacement();
    void OnNextDocument();
    void OnSyntaxColoring();
    void UpdateLockIndicators();
    // Facts the enable rules ask for.
    bool IsWebPageViewActive() const;
    bool IsBrowseFrameActive() const;
    CMDIChildWnd* ActiveVisibleChild() const;
    QString ActiveExtension() const;

    int m_nMenuId = 0;
    QLabel* m_pCapsIndicator = nullptr;
    QLabel* m_pNumIndicator = nullptr;
    QLabel* m_pScrollIndicator = nullptr;
    CLockKeyState m_lockKeys;

    CFontToolBar* m_pFontBar = nullptr;
    QToolBar* m_pMainToolBar = nullptr;
    QToolBar* m_pBrowseBar = nullptr;
    QToolBar* m_pHtmlTagsBar = nullptr;
    QToolBar* m_pOperationBar = nullptr;
    std::unique_ptr<CBarLayout> m_pBarLayout;
    std::unique_ptr<CLivePreviewCommands> m_pLivePreview;
    std::unique_ptr<CValidateCommands> m_pValidate;
    int m_nChildCursor = 0;
};
