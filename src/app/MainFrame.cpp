#include "app/MainFrame.h"

#include "app/ChildBrowseFrame.h"
#include "app/ChildFrame.h"
#include "app/ChildProjectFrame.h"
#include "app/CmdUI.h"
#include "app/CommandRouter.h"
#include "app/Document.h"
#include "app/FileName.h"
#include "app/MenuBuilder.h"
#include "app/PlainTextChildFrame.h"
#include "app/Profile.h"
#include "app/RecentFileList.h"
#include "app/View.h"
#include "app/WindowPlacement.h"
#include "app/ZentrelApp.h"
#include "res/Accelerators.h"
#include "res/CommandIcons.h"
#include "res/CommandIds.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>

using namespace ZtCmd;

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kBarState = QStringLiteral("Barstate");
const QString kReady = QStringLiteral("Ready");
} // namespace

CMainFrame::CMainFrame()
    : m_pRouter(std::make_unique<CCommandRouter>([this] { return RoutingChain(); }))
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
    InstallAccelerators();
    ShowMenuBar(IDR_MAINFRAME);
    // Toolbar buttons follow their commands' states whenever the program
    // has nothing else to do, like menus do before they open.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &CMainFrame::UpdateToolbarActions);
    return true;
}

QRect CMainFrame::InitialGeometry(const QRect& screen)
{
    const int width = screen.width() - 50;
    const int height = screen.height() - 50;
    const int left = screen.left() + (screen.width() - width) / 2;
    const int top = screen.top() + qMax(0, (screen.height() - height) / 2 - 25);
    return QRect(left, top, width, height);
}

QList<CCmdTarget*> CMainFrame::RoutingChain() const
{
    QList<CCmdTarget*> chain;
    CMDIChildWnd* frame = MDIGetActive();
    if (frame && frame->isVisible()) {
        if (CView* view = frame->GetActiveView())
            chain.append(view);
        if (CDocument* document = frame->GetActiveDocument())
            chain.append(document);
        chain.append(frame);
    }
    chain.append(const_cast<CMainFrame*>(this));
    if (ZtApp())
        chain.append(ZtApp());
    return chain;
}

QAction* CMainFrame::Action(int id)
{
    if (QAction* action = m_actions.value(id))
        return action;
    auto* action = new QAction(this);
    action->setData(id);
    action->setIcon(ZtRes::CommandIcon(id));
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    m_actions.insert(id, action);
    return action;
}

bool CMainFrame::ExecuteCommand(int id)
{
    const bool done = m_pRouter->Execute(id);
    UpdateToolbarActions();
    return done;
}

static void ApplyCmdUI(QAction* action, const CCmdUI& cmdUI)
{
    action->setEnabled(cmdUI.m_bEnabled);
    if (cmdUI.m_bCheckSet) {
        action->setCheckable(true);
        action->setChecked(cmdUI.m_bChecked);
    }
}

void CMainFrame::UpdateMenu(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        bool isCommand = false;
        const int id = action->data().toInt(&isCommand);
        if (!isCommand || action->isSeparator() || action->menu() || !m_actions.contains(id))
            continue;
        CCmdUI cmdUI(id);
        m_pRouter->Update(&cmdUI);
        ApplyCmdUI(action, cmdUI);
    }
    // The recent-file entries show the files' names, or not at all.
    for (int id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE4; ++id) {
        QAction* entry = Action(id);
        const int index = id - ID_FILE_MRU_FILE1;
        const QString path = ZtApp()->RecentFileList().GetAt(index);
        entry->setText(ZtApp()->RecentFileList().MenuText(index));
        entry->setVisible(!path.isEmpty());
    }
}

void CMainFrame::UpdateToolbarActions()
{
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    const QList<QToolBar*> toolBars = findChildren<QToolBar*>();
    for (QToolBar* toolBar : toolBars) {
        if (!toolBar->isVisible())
            continue;
        for (QAction* action : toolBar->actions()) {
            const int id = action->data().toInt();
            if (id == 0 || !m_actions.contains(id))
                continue;
            CCmdUI cmdUI(id);
            m_pRouter->Update(&cmdUI);
            ApplyCmdUI(action, cmdUI);
        }
    }
    m_bUpdating = false;
}

void CMainFrame::InstallAccelerators()
{
    for (const ZtRes::Accelerator& accelerator : ZtRes::Accelerators()) {
        auto* shortcut = new QShortcut(accelerator.keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        const int id = accelerator.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] { ExecuteCommand(id); });
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
    bar->showMessage(kReady);
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
    OnUpdate(ID_VIEW_STATUS_BAR, [this](CCmdUI* cmdUI) { cmdUI->SetCheck(statusBar()->isVisible()); });
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
    if (!state.isEmpty())
        restoreState(state);
}

void CMainFrame::SaveBarState()
{
    CProfile::Instance().WriteString(kBarState, QStringLiteral("Layout"), QString::fromLatin1(saveState().toBase64()));
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
