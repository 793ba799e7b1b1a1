#include "app/MainFrame.h"

#include "framework/BarDockState.h"
#include "app/ChildBrowseFrame.h"
#include "app/ChildFrame.h"
#include "app/ChildProjectFrame.h"
#include "framework/CmdUI.h"
#include "framework/CommandActions.h"
#include "framework/CommandRouter.h"
#include "framework/DockSide.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "files/FileName.h"
#include "app/FrameCommandRules.h"
#include "projects/ListBar.h"
#include "framework/MdiTiler.h"
#include "framework/MenuBuilder.h"
#include "framework/MessageBox.h"
#include "app/PlainTextChildFrame.h"
#include "framework/Profile.h"
#include "projects/ProjectBar.h"
#include "framework/RecentFileList.h"
#include "app/SplashWnd.h"
#include "framework/View.h"
#include "framework/WindowPlacement.h"
#include "app/ZentrelApp.h"
#include "editor/FontToolBar.h"
#include "editor/SyntaxSettingsDlg.h"
#include "editor/ZentrelView.h"
#include "res/Accelerators.h"
#include "res/CommandIcons.h"
#include "res/CommandIds.h"

#include <QAbstractEventDispatcher>
#include <QAbstractScrollArea>
#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

using namespace ZtCmd;

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kBarState = QStringLiteral("Barstate");
const QString kReady = QStringLiteral("Ready");
// Where the Fonts toolbar command puts the toolbar, on the screen.
const QPoint kFontBarFloatPosition(200, 125);
// The docking bars' width in the frame when nothing else is known.
constexpr int kDefaultDockingBarWidth = 250;
// The version of the saved layout; another version's layout is ignored.
constexpr int kBarStateVersion = 1;

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

ZtRes::MenuItem MenuCommand(int id, const char* text)
{
    return {ZtRes::MenuItemKind::Command, id, QString::fromLatin1(text), {}};
}

// The context menu of a docking bar's title: the bar's three commands.
QVector<ZtRes::MenuItem> BarMenuItems(bool projectBar)
{
    if (projectBar)
        return {MenuCommand(ID_VIEW_PROJECTBAR, "&Show  / Hide Project bar"),
                MenuCommand(ID_DOCKFLOAT_PROJECTBAR, "&Dock / Float Project bar"),
                MenuCommand(ID_ALLOWDOCK_PROJECTBAR, "&Allow Docking")};
    return {MenuCommand(ID_VIEW_LISTBAR, "&Show / Hide Listbar"),
            MenuCommand(ID_DOCKFLOAT_LISTBAR, "&Dock / Float List bar"),
            MenuCommand(ID_ALLOWDOCK_LISTBAR, "&Allow Docking")};
}

QVector<ZtRes::MenuItem> ToolBarMenuItems()
{
    return {MenuCommand(ID_VIEW_HTMLTAGS, "&HTML Tags"),
            MenuCommand(ID_VIEW_OPERATIONBAR, "&Operation Toolbar"),
            MenuCommand(ID_VIEW_FONTSBAR, "&Fonts toolbar"),
            MenuCommand(ID_VIEW_BROWSEBAR, "&Browse bar"),
            MenuCommand(ID_VIEW_TOOLBAR, "&Main Toolbar"),
            MenuCommand(ID_VIEW_STATUS_BAR, "&Status Bar"),
            {ZtRes::MenuItemKind::Separator, 0, QString(), {}},
            MenuCommand(ID_VIEW_PROJECTBAR, "&Show  / Hide Project bar"),
            MenuCommand(ID_VIEW_LISTBAR, "&Show / Hide Listbar")};
}

} // namespace

CMainFrame::CMainFrame()
    : m_treeBarState(QStringLiteral("TreeBar"), AFX_IDW_DOCKBAR_LEFT)
    , m_listBarState(QStringLiteral("ListBar"), AFX_IDW_DOCKBAR_BOTTOM)
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QStringLiteral("Zentrel"));
    setWindowIcon(ZtRes::ProgramIcon());
    setAcceptDrops(true);
    MapCommands();
    connect(this, &CMDIFrameWnd::activeChildChanged, this, &CMainFrame::OnActiveChildChanged);
}

CMainFrame::~CMainFrame()
{
    // Child frames go first: their documents reach back to the frame.
    const QList<QMdiSubWindow*> children = MdiArea()->subWindowList();
    for (QMdiSubWindow* child : children)
        delete child;
}

bool CMainFrame::LoadFrame()
{
    setGeometry(InitialGeometry(QGuiApplication::primaryScreen()->availableGeometry()));
    CreateStatusBar();
    CreateFontToolBar();
    CreateToolBars();
    CreateDockingBars();
    MapBarCommands();
    Commands().InstallAccelerators(MdiArea());
    ShowMenuBar(IDR_MAINFRAME);
    // Key presses anywhere tell the lock keys' states.
    qApp->installEventFilter(this);
    CSplashWnd::ShowSplashScreen(this);
    return true;
}

QToolBar* CMainFrame::CreateToolBar(int resourceId, const QString& name, const QString& title)
{
    auto* toolBar = new QToolBar(title, this);
    toolBar->setObjectName(name);
    toolBar->setIconSize(QSize(16, 16));
    CMenuBuilder::PopulateToolBar(toolBar, resourceId, [this](int id) { return Action(id); });
    return toolBar;
}

void CMainFrame::CreateFontToolBar()
{
    m_pFontBar = new CFontToolBar(IDR_FONT_BAR, this);
    m_pFontBar->setIconSize(QSize(16, 16));
    m_pFontBar->AddToggleAction(Action(ID_VIEW_FONTSBAR));
    m_pFontBar->setAllowedAreas(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_pFontBar);
    // The toolbar's requests go to the editor of the active child frame.
    connect(m_pFontBar, &CFontToolBar::charFormatNotify, this, [this](int, const CCharFormatChange& change) {
        if (auto* view = dynamic_cast<CSourceEditView*>(GetActiveView()))
            view->OnCharFormatNotify(change);
    });
    connect(m_pFontBar, &CFontToolBar::returnNotify, this, [this](int) {
        if (auto* view = dynamic_cast<CSourceEditView*>(GetActiveView()))
            view->OnFontReturnNotify();
    });
}

void CMainFrame::CreateToolBars()
{
    m_pMainToolBar = CreateToolBar(IDR_MAINFRAME, QStringLiteral("MainToolBar"), tr("Standard"));
    addToolBar(Qt::TopToolBarArea, m_pMainToolBar);
    m_pBrowseBar = CreateToolBar(IDR_BROWSE_BAR, QStringLiteral("BrowseBar"), tr("Browse bar"));
    addToolBar(Qt::LeftToolBarArea, m_pBrowseBar);
    m_pHtmlTagsBar = CreateToolBar(IDR_HTML_TAGS_BAR, QStringLiteral("HtmlTagsBar"), tr("HTML Tags"));
    addToolBar(Qt::TopToolBarArea, m_pHtmlTagsBar);
    m_pOperationBar = CreateToolBar(IDR_OPERATION_BAR, QStringLiteral("OperationBar"), tr("Operation"));
    addToolBar(Qt::LeftToolBarArea, m_pOperationBar);
}

void CMainFrame::CreateDockingBars()
{
    m_pProjectBar = new CProjectBar(this);
    m_pListBar = new CListBar(this);
    // The Project bar on the left, the List bar below it.
    addDockWidget(Qt::LeftDockWidgetArea, m_pProjectBar);
    splitDockWidget(m_pProjectBar, m_pListBar, Qt::Vertical);
    resizeDocks({m_pProjectBar}, {kDefaultDockingBarWidth}, Qt::Horizontal);
    // The trees get the larger share of the height.
    resizeDocks({m_pProjectBar, m_pListBar}, {3 * height() / 5, 2 * height() / 5}, Qt::Vertical);
    const QList<CSizeControlBar*> bars{m_pProjectBar, m_pListBar};
    for (CSizeControlBar* bar : bars)
        connect(bar, &CSizeControlBar::titleContextMenuRequested, this,
                [this, bar](const QPoint& globalPos) { ShowBarMenu(bar, globalPos); });
}

QRect CMainFrame::InitialGeometry(const QRect& screen)
{
    const int width = screen.width() - 50;
    const int height = screen.height() - 50;
    const int left = screen.left() + (screen.width() - width) / 2;
    const int top = screen.top() + qMax(0, (screen.height() - height) / 2 - 25);
    return QRect(left, top, width, height);
}

QList<CCmdTarget*> CMainFrame::ExtraCommandTargets() const
{
    if (ZtApp())
        return {ZtApp()};
    return {};
}

void CMainFrame::UpdateMenu(QMenu* menu)
{
    CMDIFrameWnd::UpdateMenu(menu);
    // The recent-file entries show the files' names, or not at all.
    for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE4; ++id) {
        QAction* entry = Action(id);
        const int index = id - ID_FILE_MRU_FILE1;
        const QString path = ZtApp()->RecentFileList().GetAt(index);
        entry->setText(ZtApp()->RecentFileList().MenuText(index));
        entry->setVisible(!path.isEmpty());
    }
}

void CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("59393"));
    auto makeIndicator = [bar](const QString& text) {
        auto* label = new QLabel(text, bar);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 12);
        bar->addPermanentWidget(label);
        return label;
    };
    m_pCapsIndicator = makeIndicator(QStringLiteral("CAP"));
    m_pNumIndicator = makeIndicator(QStringLiteral("NUM"));
    m_pScrollIndicator = makeIndicator(QStringLiteral("SCRL"));
    UpdateLockIndicators();
    bar->showMessage(kReady);
    // Menu prompts replace the message while they show; "Ready" comes back
    // after them.
    connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& text) {
        if (text.isEmpty())
            bar->showMessage(kReady);
    });
}

void CMainFrame::SetStatusText(const QString& text)
{
    statusBar()->showMessage(text);
}

int CMainFrame::MenuIdForFrame(const CMDIChildWnd* frame)
{
    if (qobject_cast<const CChildFrame*>(frame))
        return IDR_ZTTYPE;
    if (qobject_cast<const CChildProjectFrame*>(frame))
        return IDR_PROJECTTYPE;
    if (qobject_cast<const CPlainTextChildFrame*>(frame))
        return IDR_TEXTTYPE;
    if (qobject_cast<const CChildBrowseFrame*>(frame))
        return IDR_BROWSERTYPE;
    return IDR_MAINFRAME;
}

void CMainFrame::OnActiveChildChanged(CMDIChildWnd* frame)
{
    // The Editor Font toolbar shows what the active editor draws with.
    if (auto* editor = frame ? dynamic_cast<CSourceEditView*>(frame->GetActiveView()) : nullptr)
        m_pFontBar->ShowFont(editor->font());
    // With every frame closed, Qt reports no active frame: back to menu 128.
    if (!frame && !MdiArea()->subWindowList().isEmpty() && MdiArea()->activeSubWindow())
        return;
    ShowMenuBar(MenuIdForFrame(frame));
}

void CMainFrame::ShowMenuBar(int menuId)
{
    if (menuId == m_nMenuId)
        return;
    m_nMenuId = menuId;
    CMenuBuilder::PopulateMenuBar(
        menuBar(), menuId, [this](int id) { return Action(id); }, [this](QMenu* menu) { UpdateMenu(menu); });
}

void CMainFrame::MapCommands()
{
    OnCommand(ID_APP_EXIT, [] { ZtApp()->OnAppExit(); });
    OnCommand(ID_WINDOW_CASCADE, [this] { MdiArea()->cascadeSubWindows(); });
    OnCommand(ID_WINDOW_TILE_HORZ, [this] { MdiArea()->tileSubWindows(); });
    OnCommand(ID_WINDOW_TILE_VERT, [this] { MdiArea()->tileSubWindows(); });
    OnCommand(ID_WINDOW_ARRANGE, [this] {
        for (QMdiSubWindow* window : MdiArea()->subWindowList()) {
            if (window->isMinimized())
                window->showMinimized(); // lines the icons up again
        }
    });
    OnCommand(ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(!statusBar()->isVisible()); });
    OnUpdate(ID_VIEW_STATUS_BAR, [this](CCmdUI* cmdUI) { cmdUI->SetCheck(!statusBar()->isHidden()); });
    OnCommand(ID_OPEN_IN_IE, [this] { OnOpenInBrowser(); });
    OnCommand(ID_SYNTAX_COLORING, [this] { OnSyntaxColoring(); });
    MapWindowCommands();
    MapEnableRules();
}

void CMainFrame::MapBarCommands()
{
    // Bar switches with pictures show a check mark in the menus, like their
    // neighbours without pictures.
    for (int id : {ID_VIEW_FONTSBAR, ID_VIEW_PROJECTBAR, ID_VIEW_LISTBAR})
        Action(id)->setIconVisibleInMenu(false);
    MapDockingBarCommands(m_pProjectBar, m_treeBarState, ID_VIEW_PROJECTBAR, ID_TOGGLE_WORKSPACE,
                          ID_DOCKFLOAT_PROJECTBAR, ID_ALLOWDOCK_PROJECTBAR);
    MapDockingBarCommands(m_pListBar, m_listBarState, ID_VIEW_LISTBAR, ID_TOGGLE_LISTBAR, ID_DOCKFLOAT_LISTBAR,
                          ID_ALLOWDOCK_LISTBAR);
    MapToolBarCommand(ID_VIEW_BROWSEBAR, m_pBrowseBar);
    MapToolBarCommand(ID_VIEW_HTMLTAGS, m_pHtmlTagsBar);
    MapToolBarCommand(ID_VIEW_OPERATIONBAR, m_pOperationBar);
    MapToolBarCommand(ID_VIEW_TOOLBAR, m_pMainToolBar);
    MapToolBarCommand(ID_VIEW_FONTSBAR, m_pFontBar);
    // The Fonts toolbar comes back floating, where it does not cover the
    // other toolbars.
    OnCommand(ID_VIEW_FONTSBAR, [this] {
        m_pFontBar->setVisible(m_pFontBar->isHidden());
        FloatToolBar(m_pFontBar, kFontBarFloatPosition);
    });
}

void CMainFrame::MapDockingBarCommands(CSizeControlBar* bar, const CBarDockState& state, int showId,
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

void CMainFrame::MapToolBarCommand(int id, QToolBar* toolBar)
{
    OnCommand(id, [toolBar] { toolBar->setVisible(toolBar->isHidden()); });
    OnUpdate(id, [toolBar](CCmdUI* cmdUI) { cmdUI->SetCheck(!toolBar->isHidden()); });
}

void CMainFrame::MapWindowCommands()
{
    OnCommand(ID_TILE_HORIZONTAL, [this] { TileChildFrames(Qt::Horizontal); });
    OnCommand(ID_TILE_VERTICAL, [this] { TileChildFrames(Qt::Vertical); });
    OnCommandRange(ID_SYNC_SCROLL_DOWN, ID_SYNC_SCROLL_RIGHT, [this](int id) { SyncScroll(id); });
    OnCommand(ID_NEXT_DOCUMENT, [this] { OnNextDocument(); });
    const auto layoutRule = [this](CCmdUI* cmdUI) {
        cmdUI->Enable(CFrameCommandRules::IsWindowLayoutEnabled(ActiveVisibleChild(), IsBrowseFrameActive()));
    };
    OnUpdate(ID_TILE_HORIZONTAL, layoutRule);
    OnUpdate(ID_TILE_VERTICAL, layoutRule);
    OnUpdateRange(ID_SYNC_SCROLL_DOWN, ID_SYNC_SCROLL_RIGHT, layoutRule);
    OnUpdate(ID_NEXT_DOCUMENT, [this](CCmdUI* cmdUI) { cmdUI->Enable(ActiveVisibleChild()); });
}

// Rules for commands whose handlers live elsewhere (the trees, the wizards,
// the browser). A command stays disabled while nobody handles it.
void CMainFrame::MapEnableRules()
{
    OnUpdate(ID_OPEN_IN_IE, [this](CCmdUI* cmdUI) {
        cmdUI->Enable(CFrameCommandRules::IsOpenInBrowserEnabled(m_nBrowserLevel, IsWebPageViewActive(),
                                                                 ActiveExtension()));
    });
    OnUpdate(ID_SHOW_AS_WEBPAGE, [this](CCmdUI* cmdUI) {
        const bool webPageFrame = qobject_cast<CChildFrame*>(ActiveVisibleChild());
        cmdUI->Enable(AnyTargetHandles(ID_SHOW_AS_WEBPAGE)
                      && CFrameCommandRules::IsShowAsWebPageEnabled(webPageFrame, ActiveExtension()));
    });
    OnUpdate(ID_EDIT_DOCUMENT, [this](CCmdUI* cmdUI) {
        QStringList titles;
        for (CDocument* document : ZtApp()->m_pWebPageTemplate->Documents())
            titles.append(document->GetTitle());
        cmdUI->Enable(AnyTargetHandles(ID_EDIT_DOCUMENT)
                      && CFrameCommandRules::IsEditDocumentEnabled(IsBrowseFrameActive(),
                                                                   ZtApp()->m_strBrowserTitle, titles));
    });
    for (int id : {ID_FONT_WIZARD, ID_ALIGN_WIZARD, ID_LIST_WIZARD, ID_COLOR_WIZARD}) {
        OnUpdate(id, [this, id](CCmdUI* cmdUI) {
            cmdUI->Enable(AnyTargetHandles(id)
                          && CFrameCommandRules::IsWizardEnabled(id, IsWebPageViewActive(), ActiveExtension()));
        });
    }
    OnUpdate(ID_FILE_NEW_FOLDER, [this](CCmdUI* cmdUI) {
        cmdUI->Enable(AnyTargetHandles(ID_FILE_NEW_FOLDER) && m_pProjectBar
                      && CFrameCommandRules::IsNewFolderEnabled(m_pProjectBar->CurrentTab()));
    });
}

bool CMainFrame::AnyTargetHandles(int id) const
{
    for (CCmdTarget* target : RoutingChain()) {
        if (target && target->HasCommandHandler(id))
            return true;
    }
    return false;
}

CMDIChildWnd* CMainFrame::ActiveVisibleChild() const
{
    CMDIChildWnd* frame = MDIGetActive();
    return (frame && frame->isVisible()) ? frame : nullptr;
}

bool CMainFrame::IsBrowseFrameActive() const
{
    return qobject_cast<CChildBrowseFrame*>(ActiveVisibleChild()) != nullptr;
}

bool CMainFrame::IsWebPageViewActive() const
{
    CMDIChildWnd* frame = ActiveVisibleChild();
    return frame && dynamic_cast<CZentrelView*>(frame->GetActiveView());
}

QString CMainFrame::ActiveExtension() const
{
    CMDIChildWnd* frame = ActiveVisibleChild();
    CDocument* document = frame ? frame->GetActiveDocument() : nullptr;
    return document ? CFrameCommandRules::ExtensionOf(document->GetPathName()) : QString();
}

void CMainFrame::OnOpenInBrowser()
{
    CMDIChildWnd* frame = ActiveVisibleChild();
    CDocument* document = frame ? frame->GetActiveDocument() : nullptr;
    if (!document) {
        ZtMessageBox::Show(tr("No open file in editor!"));
        return;
    }
    // The saved file goes to the desktop's web browser, as the shell would
    // open it.
    QDesktopServices::openUrl(QUrl::fromLocalFile(document->GetPathName()));
}

void CMainFrame::OnNextDocument()
{
    MdiArea()->activateNextSubWindow();
    CDocument* browser = ZtApp()->m_pBrowserTemplate->FirstDocument();
    if (!browser || browser->Frames().isEmpty() || ZtApp()->m_strBrowserTitle.isEmpty())
        return;
    CMDIChildWnd* frame = browser->Frames().first();
    frame->setWindowTitle(ZtApp()->m_strBrowserTitle);
    frame->update();
}

void CMainFrame::OnSyntaxColoring()
{
    CSyntaxSettingsDlg dialog(this);
    dialog.exec();
}

CMDIChildWnd* CMainFrame::GetNextMDIChild()
{
    const QList<CMDIChildWnd*> frames = ChildFrames();
    if (m_nChildCursor >= frames.size()) {
        m_nChildCursor = 0;
        return nullptr;
    }
    return frames.at(m_nChildCursor++);
}

void CMainFrame::TileChildFrames(Qt::Orientation orientation)
{
    QList<CMDIChildWnd*> frames;
    for (CMDIChildWnd* frame : ChildFrames()) {
        if (frame->isVisible() && !frame->isMinimized())
            frames.append(frame);
    }
    const QList<QRect> tiles = CMdiTiler::Tiles(MdiArea()->viewport()->rect(), frames.size(), orientation);
    for (int i = 0; i < tiles.size(); ++i) {
        if (frames.at(i)->isMaximized())
            frames.at(i)->showNormal();
        frames.at(i)->setGeometry(tiles.at(i));
    }
}

void CMainFrame::SyncScroll(int commandId)
{
    if (!ActiveVisibleChild())
        return;
    const bool vertical = commandId == ID_SYNC_SCROLL_DOWN || commandId == ID_SYNC_SCROLL_UP;
    const bool forward = commandId == ID_SYNC_SCROLL_DOWN || commandId == ID_SYNC_SCROLL_RIGHT;
    m_nChildCursor = 0;
    while (CMDIChildWnd* frame = GetNextMDIChild()) {
        CView* view = frame->GetActiveView();
        auto* area = view ? qobject_cast<QAbstractScrollArea*>(view->GetWidget()) : nullptr;
        if (!area)
            continue; // the browser scrolls itself
        QScrollBar* bar = vertical ? area->verticalScrollBar() : area->horizontalScrollBar();
        bar->triggerAction(forward ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
    }
}

void CMainFrame::ShowFolderInListBar(const QString& folder)
{
    m_pListBar->ShowFolder(folder);
}

void CMainFrame::RestorePlacement()
{
    const QString stored = CProfile::Instance().GetString(kSettings, QStringLiteral("WindowPos"));
    const std::optional<CWindowPlacement> placement = CWindowPlacement::Parse(stored);
    if (!placement) {
        show();
        return;
    }
    QList<QRect> screens;
    for (QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    setGeometry(CWindowPlacement::FitToScreens(placement->normal, screens));
    switch (placement->showCmd) {
    case CWindowPlacement::ShowMinimized:
        showMinimized();
        break;
    case CWindowPlacement::ShowMaximized:
        showMaximized();
        break;
    default:
        show();
        break;
    }
}

void CMainFrame::SaveWindowPlacement()
{
    CWindowPlacement placement;
    placement.flags = 0;
    placement.showCmd = isMinimized() ? CWindowPlacement::ShowMinimized
                        : isMaximized() ? CWindowPlacement::ShowMaximized
                                        : CWindowPlacement::ShowNormal;
    placement.minPosition = QPoint(-1, -1);
    placement.maxPosition = QPoint(-1, -1);
    placement.normal = (isMaximized() || isMinimized()) ? normalGeometry() : geometry();
    CProfile::Instance().WriteString(kSettings, QStringLiteral("WindowPos"), placement.Format());
}

void CMainFrame::LoadBarState()
{
    const QByteArray state =
        QByteArray::fromBase64(CProfile::Instance().GetString(kBarState, QStringLiteral("Layout")).toLatin1());
    if (!state.isEmpty() && restoreState(state, kBarStateVersion))
        FitFloatingBarsToScreens();
}

void CMainFrame::SaveBarState()
{
    CProfile::Instance().WriteString(kBarState, QStringLiteral("Layout"),
                                     QString::fromLatin1(saveState(kBarStateVersion).toBase64()));
}

// A layout saved with another screen arrangement may leave a floating bar
// where no screen is now.
void CMainFrame::FitFloatingBarsToScreens()
{
    QList<QWidget*> bars;
    for (QToolBar* toolBar : findChildren<QToolBar*>())
        bars.append(toolBar);
    for (QDockWidget* dock : findChildren<QDockWidget*>())
        bars.append(dock);
    for (QWidget* bar : bars) {
        if (bar->isWindow())
            bar->setGeometry(OnSomeScreen(bar->geometry()));
    }
}

int CMainFrame::DockSideFromPosition(int x, int y) const
{
    return ::DockSideFromPosition(x, y, size());
}

void CMainFrame::SaveBarDockState(CSizeControlBar* bar, const CBarDockState& state)
{
    // The side is judged from where the bar stands in this window, so the
    // result is the same on every screen the window may be on.
    const QPoint inFrame = bar->mapTo(this, QPoint(0, 0));
    state.WriteDockState(bar->ScreenRect(), bar->FixedLayoutSize(), DockSideFromPosition(inFrame.x(), inFrame.y()));
}

void CMainFrame::SaveBarFloatState(CSizeControlBar* bar, const CBarDockState& state)
{
    state.WriteFloatState(bar->pos());
}

void CMainFrame::OnDockFloat(CSizeControlBar* bar, const CBarDockState& state)
{
    if (!bar->isFloating()) {
        SaveBarDockState(bar, state);
        bar->FloatAt(OnSomeScreen(QRect(state.FloatPosition(), bar->size())).topLeft());
    } else {
        SaveBarFloatState(bar, state);
        bar->setAllowedAreas(Qt::AllDockWidgetAreas);
        DockBarAt(bar, state.DockSide(), state.DockRect());
    }
    bar->update();
}

void CMainFrame::DockBarAt(CSizeControlBar* bar, int side, const QRect& rect)
{
    const Qt::DockWidgetArea area = CBarDockState::AreaForSide(side);
    // Back to its old place first: on the same side the bar then keeps its
    // order among the other bars there.
    bar->setFloating(false);
    if (dockWidgetArea(bar) != area)
        addDockWidget(area, bar);
    const bool across = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    const int extent = across ? rect.width() : rect.height();
    if (extent > 0)
        resizeDocks({bar}, {extent}, across ? Qt::Horizontal : Qt::Vertical);
}

void CMainFrame::FloatToolBar(QToolBar* toolBar, const QPoint& screenPos)
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

void CMainFrame::ShowBarMenu(CSizeControlBar* bar, const QPoint& globalPos)
{
    QMenu menu(this);
    CMenuBuilder::Populate(
        &menu, BarMenuItems(bar == m_pProjectBar), [this](int id) { return Action(id); },
        [this](QMenu* shown) { UpdateMenu(shown); });
    menu.exec(globalPos);
}

// The menu of a right click on the toolbars: the View menu's bar switches.
QMenu* CMainFrame::createPopupMenu()
{
    auto* menu = new QMenu(this);
    CMenuBuilder::Populate(
        menu, ToolBarMenuItems(), [this](int id) { return Action(id); },
        [this](QMenu* shown) { UpdateMenu(shown); });
    return menu;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Each key press reaches the window first and then its widgets; the
    // window's copy is counted once.
    if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_lockKeys.OnKeyPress(key->key(), key->modifiers(), key->text()))
            UpdateLockIndicators();
    }
    return CMDIFrameWnd::eventFilter(watched, event);
}

void CMainFrame::UpdateLockIndicators()
{
    // As on a classic status bar, a pane shows its name while its lock is on.
    m_pCapsIndicator->setText(m_lockKeys.IsCapsLockOn() ? QStringLiteral("CAP") : QString());
    m_pNumIndicator->setText(m_lockKeys.IsNumLockOn() ? QStringLiteral("NUM") : QString());
    m_pScrollIndicator->setText(m_lockKeys.IsScrollLockOn() ? QStringLiteral("SCRL") : QString());
}

int CMainFrame::BrowserLevelFromVersion(int major, int minor)
{
    if (major < 4)
        return 0;
    return minor >= 71 ? 2 : 1;
}

void CMainFrame::SetBrowserLevelFromVersion()
{
    int major = 0;
    int minor = 0;
    CFileName().GetBrowserVersion(&major, &minor);
    m_nBrowserLevel = BrowserLevelFromVersion(major, minor);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    SaveWindowPlacement();
    SaveBarState();
    if (!ZtApp()->SaveAllModified()) {
        event->ignore();
        return;
    }
    ZtApp()->CloseAllDocuments();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            ZtApp()->OpenDocumentFile(url.toLocalFile());
    }
    event->acceptProposedAction();
}
