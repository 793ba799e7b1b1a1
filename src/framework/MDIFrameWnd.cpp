#include "framework/MDIFrameWnd.h"

#include "framework/CmdUI.h"
#include "framework/CommandActions.h"
#include "framework/DiskChangeRules.h"
#include "framework/Document.h"
#include "framework/MDIChildWnd.h"
#include "framework/MdiTiler.h"
#include "framework/MessageBox.h"
#include "framework/View.h"
#include "framework/WindowList.h"
#include "res/CommandIds.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QPointer>
#include <QStatusBar>

CMDIFrameWnd::CMDIFrameWnd(QWidget* parent)
    : QMainWindow(parent)
    , m_pMdiArea(new QMdiArea(this))
    , m_pCommands(new CCommandActions(this, [this] { return RoutingChain(); }))
{
    m_pMdiArea->setObjectName(QStringLiteral("MDIClient"));
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A closed window hands its place to the window used before it, not to
    // the next one opened.
    m_pMdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_pMdiArea);
    MapWindowListCommands();
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        emit activeChildChanged(qobject_cast<CMDIChildWnd*>(window));
        if (window)
            ScheduleDiskCheck();
    });
    // Files are changed by other programs while the user works there, so
    // coming back to this program is the moment to look.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            ScheduleDiskCheck();
    });
    // Toolbar buttons follow their commands' states whenever the program
    // has nothing else to do, like menus do before they open.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &CMDIFrameWnd::UpdateToolbarActions);
}

CMDIFrameWnd::~CMDIFrameWnd()
{
    // Child frames go first: their documents reach back to this window.
    const QList<QMdiSubWindow*> children = m_pMdiArea->subWindowList();
    for (QMdiSubWindow* child : children)
        delete child;
}

QAction* CMDIFrameWnd::Action(int id)
{
    return m_pCommands->Action(id);
}

bool CMDIFrameWnd::ExecuteCommand(int id)
{
    return m_pCommands->Execute(id);
}

void CMDIFrameWnd::UpdateMenu(QMenu* menu)
{
    UpdateWindowListTexts();
    m_pCommands->UpdateMenu(menu);
    // Only the active window's entry shows a mark; the others show no empty
    // box beside them.
    for (int id = ZtCmd::ID_WINDOW_LIST_FIRST; id <= ZtCmd::ID_WINDOW_LIST_LAST; ++id)
        Action(id)->setCheckable(Action(id)->isChecked());
}

void CMDIFrameWnd::MapWindowListCommands()
{
    OnCommandRange(ZtCmd::ID_WINDOW_LIST_FIRST, ZtCmd::ID_WINDOW_LIST_LAST,
                   [this](int id) { ActivateListedChild(id - ZtCmd::ID_WINDOW_LIST_FIRST); });
    OnUpdateRange(ZtCmd::ID_WINDOW_LIST_FIRST, ZtCmd::ID_WINDOW_LIST_LAST, [this](CCmdUI* cmdUI) {
        CMDIChildWnd* frame = ListedChildFrames().value(cmdUI->m_nID - ZtCmd::ID_WINDOW_LIST_FIRST);
        cmdUI->Enable(frame != nullptr);
        cmdUI->SetCheck(frame && frame == MDIGetActive());
    });
}

void CMDIFrameWnd::UpdateWindowListTexts()
{
    const QList<CMDIChildWnd*> frames = ListedChildFrames();
    for (int index = 0; index < CWindowList::kMaxEntries; ++index) {
        QAction* entry = Action(ZtCmd::ID_WINDOW_LIST_FIRST + index);
        CMDIChildWnd* frame = frames.value(index);
        entry->setVisible(frame != nullptr);
        if (frame)
            entry->setText(CWindowList::EntryText(index, CWindowList::ShownTitle(frame->windowTitle(),
                                                                                 frame->isWindowModified())));
    }
}

void CMDIFrameWnd::ActivateListedChild(int index)
{
    CMDIChildWnd* frame = ListedChildFrames().value(index);
    if (!frame)
        return;
    if (frame->isMinimized())
        frame->showNormal();
    m_pMdiArea->setActiveSubWindow(frame);
    if (CView* view = frame->GetActiveView())
        view->GetWidget()->setFocus();
}

QList<CMDIChildWnd*> CMDIFrameWnd::ListedChildFrames() const
{
    QList<CMDIChildWnd*> frames;
    for (CMDIChildWnd* frame : ChildFrames()) {
        if (!frame->isHidden() && frames.size() < CWindowList::kMaxEntries)
            frames.append(frame);
    }
    return frames;
}

void CMDIFrameWnd::UpdateToolbarActions()
{
    m_pCommands->UpdateToolbars();
}

const CCommandRouter& CMDIFrameWnd::Router() const
{
    return m_pCommands->Router();
}

QList<CCmdTarget*> CMDIFrameWnd::RoutingChain() const
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
    chain.append(const_cast<CMDIFrameWnd*>(this));
    chain.append(ExtraCommandTargets());
    return chain;
}

void CMDIFrameWnd::AddChildFrame(CMDIChildWnd* frame)
{
    // A new window starts large enough to work in, at the next place of a
    // cascade, wholly inside the area. A window given a place of its own
    // moves there when it is shown.
    const int opened = m_pMdiArea->subWindowList().size();
    m_pMdiArea->addSubWindow(frame);
    frame->installEventFilter(this);
    frame->setGeometry(CMdiTiler::CascadeSlot(AreaRect(), opened));
}

QRect CMDIFrameWnd::AreaRect() const
{
    // Before the main window first shows, its area has no size yet.
    const QRect area = m_pMdiArea->viewport()->rect();
    return area.isEmpty() ? QRect(0, 0, 800, 600) : area;
}

void CMDIFrameWnd::CascadeChildFrames()
{
    int index = 0;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList(QMdiArea::StackingOrder)) {
        if (!window->isVisible() || window->isMinimized())
            continue;
        if (window->isMaximized())
            window->showNormal();
        window->setGeometry(CMdiTiler::CascadeSlot(AreaRect(), index++));
        window->raise();
    }
}

bool CMDIFrameWnd::eventFilter(QObject* watched, QEvent* event)
{
    // A child window hides when it closes, and the project's hides as it
    // opens. Once the close is over, see that a shown window is active.
    if (event->type() == QEvent::Hide && !m_bActiveCheckPending && qobject_cast<CMDIChildWnd*>(watched)) {
        m_bActiveCheckPending = true;
        QMetaObject::invokeMethod(this, &CMDIFrameWnd::ActivateLastUsedChild, Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMDIFrameWnd::ActivateLastUsedChild()
{
    m_bActiveCheckPending = false;
    // The area, left without its active window, goes back to the window used
    // before it, even when that one is hidden (the project's), or to none.
    // A hidden one gives way to the shown window used most recently.
    QMdiSubWindow* active = m_pMdiArea->activeSubWindow();
    if (active && !active->isHidden())
        return;
    const QList<QMdiSubWindow*> history = m_pMdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto window = history.rbegin(); window != history.rend(); ++window) {
        if (!(*window)->isHidden()) {
            m_pMdiArea->setActiveSubWindow(*window);
            return;
        }
    }
    // No window is shown: the frame is without an active document.
    if (active)
        m_pMdiArea->setActiveSubWindow(nullptr);
    emit activeChildChanged(nullptr);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const
{
    return qobject_cast<CMDIChildWnd*>(m_pMdiArea->activeSubWindow());
}

QList<CMDIChildWnd*> CMDIFrameWnd::ChildFrames() const
{
    QList<CMDIChildWnd*> frames;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
        if (auto* frame = qobject_cast<CMDIChildWnd*>(window))
            frames.append(frame);
    }
    return frames;
}

CView* CMDIFrameWnd::GetActiveView() const
{
    CMDIChildWnd* frame = MDIGetActive();
    return frame ? frame->GetActiveView() : nullptr;
}

void CMDIFrameWnd::ScheduleDiskCheck()
{
    // Activation comes in bursts (the program, then its window, then a
    // child), and a child is activated before its document has loaded.
    if (m_bDiskCheckPending)
        return;
    m_bDiskCheckPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bDiskCheckPending = false;
            CheckFilesOnDisk();
        },
        Qt::QueuedConnection);
}

void CMDIFrameWnd::CheckFilesOnDisk()
{
    // A question below ends by activating this window again; that check
    // would only see what this one is answering. Nor does a file change under
    // an open dialog (a Save As, a "Save changes?" box): the next activation
    // looks again.
    if (m_bCheckingDisk || QApplication::activeModalWidget())
        return;
    m_bCheckingDisk = true;
    QList<QPointer<CDocument>> documents;
    for (CMDIChildWnd* frame : ChildFrames()) {
        CDocument* document = frame->GetActiveDocument();
        if (document && document->FollowsFileOnDisk() && !documents.contains(document))
            documents.append(document);
    }
    for (const QPointer<CDocument>& document : documents) {
        if (document) // an answer may have closed it
            CheckFileOnDisk(document);
    }
    m_bCheckingDisk = false;
}

void CMDIFrameWnd::CheckFileOnDisk(CDocument* document)
{
    using DiskChangeRules::Action;
    const CDiskStamp now = CDiskStamp::Of(document->GetPathName());
    const QString name = QDir::toNativeSeparators(document->GetPathName());
    switch (DiskChangeRules::Decide(document->DiskStamp(), document->SettledDiskStamp(), now,
                                    document->IsModified())) {
    case Action::None:
        return;
    case Action::Reload:
        // A file that cannot be read now (it became a folder, or unreadable)
        // was reported once; the same state is not reported again.
        if (!document->ReloadFromDisk())
            document->SetSettledDiskStamp(now);
        return;
    case Action::AskReload: {
        const QPointer<CDocument> asked(document);
        const auto answer =
            ZtMessageBox::Show(tr("%1 was changed by another program. Reload it and lose your changes?").arg(name),
                               QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (!asked || (answer == QMessageBox::Yes && document->ReloadFromDisk()))
            return;
        // No keeps the text; Save will ask before it replaces the file.
        document->SetSettledDiskStamp(now);
        return;
    }
    case Action::MarkGone:
        document->SetSettledDiskStamp(now);
        document->SetModifiedFlag(true);
        statusBar()->showMessage(tr("%1 is no longer on disk; Save writes it again.").arg(name));
        return;
    }
}
