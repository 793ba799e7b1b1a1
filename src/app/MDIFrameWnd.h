#pragma once

#include "app/CmdTarget.h"

#include <QMainWindow>

class CMDIChildWnd;
class CView;
class QMdiArea;

// The multiple-document main window: an MDI area for the child frames.
class CMDIFrameWnd : public QMainWindow, public CCmdTarget
{
    Q_OBJECT
public:
    explicit CMDIFrameWnd(QWidget* parent = nullptr);

    QMdiArea* MdiArea() const { return m_pMdiArea; }
    void AddChildFrame(CMDIChildWnd* frame);
    CMDIChildWnd* MDIGetActive() const;
    QList<CMDIChildWnd*> ChildFrames() const;
    CView* GetActiveView() const;

signals:
    void activeChildChanged(CMDIChildWnd* frame);

private:
    QMdiArea* m_pMdiArea;
};
