#include "app/MDIFrameWnd.h"

#include "app/MDIChildWnd.h"

#include <QMdiArea>

CMDIFrameWnd::CMDIFrameWnd(QWidget* parent)
    : QMainWindow(parent)
    , m_pMdiArea(new QMdiArea(this))
{
    m_pMdiArea->setObjectName(QStringLiteral("MDIClient"));
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMdiArea);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        emit activeChildChanged(qobject_cast<CMDIChildWnd*>(window));
    });
}

void CMDIFrameWnd::AddChildFrame(CMDIChildWnd* frame)
{
    m_pMdiArea->addSubWindow(frame);
    // New windows start large enough to work in; the area then cascades them.
    const QSize area = m_pMdiArea->viewport()->size();
    frame->resize(qMax(400, area.width() * 3 / 4), qMax(300, area.height() * 3 / 4));
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
