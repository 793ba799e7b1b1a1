#include "framework/MDIChildWnd.h"

#include "framework/Document.h"
#include "framework/View.h"
#include "res/CommandIcons.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QWidget>

CMDIChildWnd::CMDIChildWnd()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ZtRes::ProgramIcon());
}

CMDIChildWnd::~CMDIChildWnd()
{
    if (m_pDocument)
        m_pDocument->OnFrameDestroyed(this);
}

void CMDIChildWnd::SetView(CView* view, CDocument* document)
{
    m_pView = view;
    m_pDocument = document;
    view->m_pDocument = document;
    setWidget(view->GetWidget());
}

void CMDIChildWnd::ActivateFrame(int showCmd)
{
    switch (showCmd) {
    case 0:
        hide();
        return;
    case 2:
        showMinimized();
        break;
    case 3:
        showMaximized();
        break;
    case 1:
        showNormal();
        break;
    default:
        if (!isVisible())
            show();
        break;
    }
    if (mdiArea())
        mdiArea()->setActiveSubWindow(this);
    if (m_pView)
        m_pView->GetWidget()->setFocus();
}

void CMDIChildWnd::OnUpdateFrameTitle()
{
    if (!m_pDocument)
        return;
    setWindowTitle(m_pDocument->GetTitle() + QStringLiteral("[*]"));
    setWindowModified(m_pDocument->IsModified());
}

void CMDIChildWnd::closeEvent(QCloseEvent* event)
{
    if (m_pDocument && !m_pDocument->CanCloseFrame(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
