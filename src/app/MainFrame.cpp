#include "app/MainFrame.h"

#include "app/BarLayout.h"
#include "app/ChildBrowseFrame.h"
#include "app/ChildFrame.h"
#include "app/ChildProjectFrame.h"
#include "framework/CmdUI.h"
#include "framework/CommandActions.h"
#include "framework/CommandRouter.h"
#include "framework/DialogKeysBack.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "files/FileKinds.h"
#include "files/FileName.h"
#include "app/FrameCommandRules.h"
#include "app/LivePreviewCommands.h"
#include "projects/ListBar.h"
#include "framework/MdiTiler.h"
#include "framework/MenuBuilder.h"
#include "framework/MessageBox.h"
#include "framework/PaneCycle.h"
#include "app/PlainTextChildFrame.h"
#include "framework/Profile.h"
#include "projects/ProjectBar.h"
#include "framework/RecentFileList.h"
#include "app/SplashWnd.h"
#include "app/ValidateCommands.h"
#include "framework/View.h"
#include "framework/WindowPlacement.h"
#include "wizards/WizardTarget.h"
#include "app/ZentrelApp.h"
#include "editor/FontToolBar.h"
#include "editor/SpellChecker.h"
#include "editor/SyntaxSettingsDlg.h"
#include "editor/ZentrelView.h"
#include "res/Accelerators.h"
#include "res/CommandIcons.h"
#include "res/CommandIds.h"
#include "res/MenuTables.h"
#include "framework/KeysBack.h"

#include <QAbstractEventDispatcher>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
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
const QString kReady = QStringLiteral("Ready");

} // namespace

CMainFrame::CMainFrame()
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

void CMainFrame::LoadFrame()
{
    setGeometry(InitialGeometry(QGuiApplication::primaryScreen()->availableGeometry()));
    CreateStatusBar();
    CreateFontToolBar();
    CreateToolBars();
    m_pBarLayout = std::make_unique<CBarLayout>(
        this, CBarLayout::ToolBars{m_pMainToolBar, m_pBrowseBar, m_pHtmlTagsBar, m_pOperationBar, m_pFontBar});
    m_pLivePreview = std::make_unique<CLivePreviewCommands>(this);
    m_pValidate = std::make_unique<CValidateCommands>(this);
    Commands().InstallAccelerators(MdiArea());
    ShowMenuBar(IDR_MAINFRAME);
    // Key presses anywhere tell the lock keys' states.
    qApp->installEventFilter(this);
    CDialogKeysBack::Install(this);
    CSplashWnd::ShowSplashScreen(this);
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
    QList<CCmdTarget*> targets;
    if (m_pBarLayout)
        targets.append(m_pBarLayout.get());
    if (m_pLivePreview)
        targets.append(m_pLivePreview.get());
    if (m_pValidate)
        targets.append(m_pValidate.get());
    if (ZtApp())
        targets.append(ZtApp());
    return targets;
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
    // Why a page's spelling is not checked.
    connect(&CSpellChecker::Instance(), &CSpellChecker::noticed, this, &CMainFrame::SetStatusText);
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
    // The Editor Font toolbar shows what the active editor draws with; a
    // window still loading (or failing to) has no font of its own yet.
    auto* editor = frame ? dynamic_cast<CSourceEditView*>(frame->GetActiveView()) : nullptr;
    if (editor && frame->isVisible())
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
    OnCommand(ID_WINDOW_CASCADE, [this] { CascadeChildFrames(); });
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
    OnCommand(ID_SYNTAX_COLORING, [this] { OnSyntaxColoring(); });
    MapWindowCommands();
    MapEnableRules();
}

void CMainFrame::MapWindowCommands()
{
    OnCommand(ID_TILE_HORIZONTAL, [this] { TileChildFrames(Qt::Horizontal); });
    OnCommand(ID_TILE_VERTICAL, [this] { TileChildFrames(Qt::Vertical); });
    OnCommandRange(ID_SYNC_SCROLL_DOWN, ID_SYNC_SCROLL_RIGHT, [this](int id) { SyncScroll(id); });
    OnCommand(ID_NEXT_DOCUMENT, [this] { OnNextDocument(); });
    OnCommand(ID_NEXT_PANE, [this] { ZtPaneCycle::Step(this, MdiArea(), true); });
    OnCommand(ID_PREV_PANE, [this] { ZtPaneCycle::Step(this, MdiArea(), false); });
    const auto layoutRule = [this](CCmdUI* cmdUI) {
        cmdUI->Enable(CFrameCommandRules::IsWindowLayoutEnabled(ActiveVisibleChild(), IsBrowseFrameActive()));
    };
    OnUpdate(ID_TILE_HORIZONTAL, layoutRule);
    OnUpdate(ID_TILE_VERTICAL, layoutRule);
    OnUpdateRange(ID_SYNC_SCROLL_DOWN, ID_SYNC_SCROLL_RIGHT, layoutRule);
    OnUpdate(ID_NEXT_DOCUMENT, [this](CCmdUI* cmdUI) { cmdUI->Enable(ActiveVisibleChild()); });
    // The area's own arrangements (Cascade, Tile, Arrange Icons and the
    // toolbar's Tile Windows) need a window to arrange.
    OnUpdateRange(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT,
                  [this](CCmdUI* cmdUI) { cmdUI->Enable(ActiveVisibleChild()); });
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
        for (CDocument* document : ZtApp()->WebPageTemplate()->Documents())
            titles.append(document->GetTitle());
        cmdUI->Enable(AnyTargetHandles(ID_EDIT_DOCUMENT)
                      && CFrameCommandRules::IsEditDocumentEnabled(IsBrowseFrameActive(),
                                                                   ZtApp()->BrowseCommands().BrowserTitle(), titles));
    });
    for (int id : {ID_BODY_WIZARD, ID_FONT_WIZARD, ID_TABLE_WIZARD, ID_IMAGE_WIZARD, ID_COLOR_WIZARD,
                   ID_ALIGN_WIZARD, ID_LIST_WIZARD}) {
        OnUpdate(id, [this, id](CCmdUI* cmdUI) { cmdUI->Enable(AnyTargetHandles(id) && IsHtmlFileActive(this, id)); });
    }
    OnUpdate(ID_FILE_NEW_FOLDER, [this](CCmdUI* cmdUI) {
        cmdUI->Enable(AnyTargetHandles(ID_FILE_NEW_FOLDER) && ProjectBar()
                      && CFrameCommandRules::IsNewFolderEnabled(ProjectBar()->CurrentTab()));
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
    return document ? FileExtension(document->GetPathName()) : QString();
}

void CMainFrame::OnNextDocument()
{
    MdiArea()->activateNextSubWindow();
    ZtApp()->BrowseCommands().RestoreBrowserTitle();
}

void CMainFrame::OnSyntaxColoring()
{
    CSyntaxSettingsDlg dialog(this);
    dialog.exec();
    // Without a window manager nothing gives the keys back once the dialog
    // has closed (it also opens by itself at the first start).
    ZtGiveKeysBack(this);
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
    ListBar()->ShowFolder(folder);
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
    m_pBarLayout->Load();
}

void CMainFrame::SaveBarState()
{
    m_pBarLayout->Save();
}

// The menu of a right click on the toolbars: the View menu's bar switches.
QMenu* CMainFrame::createPopupMenu()
{
    auto* menu = new QMenu(this);
    CMenuBuilder::Populate(
        menu, ZtRes::ToolBarAreaMenu(), [this](int id) { return Action(id); },
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
    ZtFileName::GetBrowserVersion(&major, &minor);
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
    ZtApp()->EndSession();
    event->accept();
    // Our other top-level windows (the help window, a floating bar) would
    // stay on screen and keep the program running with its main window gone.
    // The bars' places were saved above, so closing them loses nothing.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
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
