#include "app/ChildFrame.h"

#include "framework/Profile.h"
#include "framework/WindowPlacement.h"

#include <QMdiArea>
#include <QMoveEvent>

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kLastPlacementKey = QStringLiteral("ZTTypeWindowPos");

// Show states of a placement record.
enum ShowState { Hidden = 0, Normal = 1, Minimized = 2, Maximized = 3 };
// Flag of a placement record: restore to maximised.
constexpr uint kRestoreToMaximized = 2;
} // namespace

CChildFrame::CChildFrame() = default;

CChildFrame::~CChildFrame()
{
    // Remember where this window stood, for the next web page to open.
    std::optional<CWindowPlacement> parsed = CWindowPlacement::Parse(PlacementString(this));
    if (!parsed)
        return;
    CWindowPlacement placement = *parsed;
    placement.flags = isMaximized() ? kRestoreToMaximized : 0;
    CProfile::Instance().WriteString(kSettings, kLastPlacementKey, placement.Format());
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
    CWindowPlacement placement;
    placement.flags = 0;
    if (frame->isMinimized())
        placement.showCmd = Minimized;
    else if (frame->isMaximized())
        placement.showCmd = Maximized;
    else
        placement.showCmd = frame->isVisible() ? Normal : Hidden;
    placement.minPosition = QPoint(-1, -1);
    placement.maxPosition = QPoint(-1, -1);
    auto* childFrame = qobject_cast<CChildFrame*>(frame);
    placement.normal = (childFrame && childFrame->m_rectNormal.isValid()) ? childFrame->m_rectNormal : frame->geometry();
    return placement.Format();
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
