#include "app/ChildFrame.h"

#include "framework/Profile.h"
#include "framework/WindowPlacement.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMoveEvent>

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kLastPlacementKey = QStringLiteral("ZTTypeWindowPos");

// Show states of a placement record.
enum ShowState { Hidden = 0, Normal = 1, Minimized = 2, Maximized = 3 };
} // namespace

CChildFrame::CChildFrame() = default;

CChildFrame::~CChildFrame()
{
    // Remember where this window stood, for the next web page to open. A
    // window never shown (its file failed to open) stood nowhere, and must
    // not make the next page forget where the last one was.
    if (!m_bShownBefore)
        return;
    const QString placement = m_strClosedPlacement.isEmpty() ? ClosingPlacement() : m_strClosedPlacement;
    CProfile::Instance().WriteString(kSettings, kLastPlacementKey, placement);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    // Once the close is accepted Qt hides the frame, and may restore a
    // maximised one as the area lets it go, long before the frame is
    // destroyed: take the placement while the window still stands as the
    // user left it.
    const QString placement = ClosingPlacement();
    CMDIChildWnd::closeEvent(event);
    if (event->isAccepted())
        m_strClosedPlacement = placement;
}

QString CChildFrame::ClosingPlacement() const
{
    CWindowPlacement placement = CWindowPlacement::OfWindow(*this, NormalRect());
    placement.flags = isMaximized() ? CWindowPlacement::RestoreToMaximized : 0;
    return placement.Format();
}

QRect CChildFrame::NormalRect() const
{
    return m_rectNormal.isValid() ? m_rectNormal : geometry();
}

int CChildFrame::CurrentShowState() const
{
    if (!m_bShownBefore)
        return Hidden;
    if (isMinimized())
        return Minimized;
    if (isMaximized())
        return Maximized;
    return isVisible() ? Normal : Hidden;
}

QString CChildFrame::PlacementString(CMDIChildWnd* frame)
{
    auto* childFrame = qobject_cast<CChildFrame*>(frame);
    const QRect normal = childFrame ? childFrame->NormalRect() : frame->geometry();
    return CWindowPlacement::OfWindow(*frame, normal).Format();
}

bool CChildFrame::ApplyPlacementString(const QString& text, bool normalInsteadOfMaximized)
{
    std::optional<CWindowPlacement> placement = CWindowPlacement::Parse(text);
    if (!placement)
        return false;
    if (normalInsteadOfMaximized)
        placement->showCmd = Normal;
    QRect area = mdiArea() ? mdiArea()->viewport()->rect() : QRect(0, 0, 800, 600);
    const QRect fitted = CWindowPlacement::FitToScreens(placement->normal, {area});
    if (isMaximized() || isMinimized())
        showNormal();
    setGeometry(fitted);
    m_rectNormal = fitted;
    ShowWithState(int(placement->showCmd));
    return true;
}

void CChildFrame::ShowWithState(int showCmd)
{
    switch (showCmd) {
    case Hidden:
        hide();
        break;
    case Minimized:
        showMinimized();
        break;
    case Maximized:
        showMaximized();
        break;
    default:
        showNormal();
        break;
    }
    m_bShownBefore = m_bShownBefore || showCmd != Hidden;
}

void CChildFrame::ActivateFrame(int showCmd)
{
    const int current = CurrentShowState();
    const QString& nextPlacement = OpenRequest().m_strPlacement;
    if (nextPlacement.isEmpty()) {
        if (current <= 0) {
            const QString last = CProfile::Instance().GetString(kSettings, kLastPlacementKey);
            if (!ApplyPlacementString(last, false))
                ShowWithState(Normal);
        }
    } else if (!ApplyPlacementString(nextPlacement, current > Maximized)) {
        ShowWithState(showCmd < 0 ? Normal : showCmd);
    }
    if (showCmd >= 0)
        ShowWithState(showCmd);
    CMDIChildWnd::ActivateFrame(-1);
}

void CChildFrame::showEvent(QShowEvent* event)
{
    CMDIChildWnd::showEvent(event);
    m_bShownBefore = true;
}

void CChildFrame::RememberNormalGeometry()
{
    if (!isMaximized() && !isMinimized() && isVisible())
        m_rectNormal = geometry();
}

void CChildFrame::moveEvent(QMoveEvent* event)
{
    CMDIChildWnd::moveEvent(event);
    RememberNormalGeometry();
}

void CChildFrame::resizeEvent(QResizeEvent* event)
{
    CMDIChildWnd::resizeEvent(event);
    RememberNormalGeometry();
}
