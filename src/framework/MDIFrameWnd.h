#pragma once

#include "framework/CmdTarget.h"

#include <QMainWindow>

class CCommandActions;
class CCommandRouter;
class CDocument;
class CMDIChildWnd;
class CView;
class QAction;
class QMdiArea;
class QMenu;

// The multiple-document main window: an MDI area for the child frames, and
// the actions of the command ids with their routing through the active
// view, its document, the child frame, this window and the last targets a
// subclass adds.
class CMDIFrameWnd : public QMainWindow, public CCmdTarget
{
    Q_OBJECT
public:
    explicit CMDIFrameWnd(QWidget* parent = nullptr);
    ~CMDIFrameWnd() override;

    // The one action of a command id, made on first request.
    QAction* Action(int id);
    // Runs a command as a menu would: only when enabled.
    bool ExecuteCommand(int id);
    // Sets a menu's items from their update handlers, before it shows.
    virtual void UpdateMenu(QMenu* menu);
    // The same for every visible toolbar button; done when the event loop
    // goes idle.
    void UpdateToolbarActions();
    const CCommandRouter& Router() const;
    CCommandActions& Commands() const { return *m_pCommands; }

    QMdiArea* MdiArea() const { return m_pMdiArea; }
    void AddChildFrame(CMDIChildWnd* frame);
    CMDIChildWnd* MDIGetActive() const;
    QList<CMDIChildWnd*> ChildFrames() const;
    CView* GetActiveView() const;
    // Lays the visible, not minimised child windows out in a cascade.
    void CascadeChildFrames();
    // The windows the Window menu lists: the shown child frames in the
    // order they were opened, at most nine.
    QList<CMDIChildWnd*> ListedChildFrames() const;

    // Compares the file of every open document with the stamp of its last
    // load or save: an unchanged document reads the file again, one with
    // unsaved text asks first, and one whose file is gone is marked modified.
    // Runs by itself when a child window or the program is activated.
    void CheckFilesOnDisk();

signals:
    void activeChildChanged(CMDIChildWnd* frame);

protected:
    // Who gets a command: the active visible child's view, document and
    // frame, then this window, then ExtraCommandTargets.
    QList<CCmdTarget*> RoutingChain() const;
    virtual QList<CCmdTarget*> ExtraCommandTargets() const { return {}; }
    // The MDI area's inside, where child windows may go.
    QRect AreaRect() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Makes the most recently active shown child window active when none is.
    void ActivateLastUsedChild();
    void MapWindowListCommands();
    // Names the Window menu's entries after the listed windows.
    void UpdateWindowListTexts();
    void ActivateListedChild(int index);
    // Runs CheckFilesOnDisk once the current event is over.
    void ScheduleDiskCheck();
    void CheckFileOnDisk(CDocument* document);

    QMdiArea* m_pMdiArea;
    CCommandActions* m_pCommands;
    bool m_bActiveCheckPending = false;
    bool m_bDiskCheckPending = false;
    bool m_bCheckingDisk = false;
};
