#include "framework/BarDockState.h"

#include "framework/Profile.h"
#include "res/CommandIds.h"

#include <algorithm>

using namespace ZtCmd;

CBarDockState::CBarDockState(const QString& section, int defaultSide)
    : m_strSection(section)
    , m_nDefaultSide(IsDockSide(defaultSide) ? defaultSide : AFX_IDW_DOCKBAR_LEFT)
{
}

int CBarDockState::Read(const char* key, int defaultValue) const
{
    // Positions beyond any screen are cut back, so that sums and differences
    // of them never overflow.
    const int value = CProfile::Instance().GetInt(m_strSection, QLatin1String(key), defaultValue);
    return std::clamp(value, -kMaxCoordinate, kMaxCoordinate);
}

void CBarDockState::Write(const char* key, int value)
{
    CProfile::Instance().WriteInt(m_strSection, QLatin1String(key), value);
}

QPoint CBarDockState::FloatPosition() const
{
    return QPoint(Read("float x", kDefaultFloatX), Read("float y", kDefaultFloatY));
}

QRect CBarDockState::DockRect() const
{
    const int left = Read("dock left", kDefaultDockLeft);
    const int top = Read("dock top", kDefaultDockTop);
    const int right = Read("dock right", kDefaultDockRight);
    const int bottom = Read("dock bottom", kDefaultDockBottom);
    return QRect(qMin(left, right), qMin(top, bottom), qAbs(right - left), qAbs(bottom - top));
}

int CBarDockState::DockSide() const
{
    const int side = Read("dock side", m_nDefaultSide);
    return IsDockSide(side) ? side : m_nDefaultSide;
}

void CBarDockState::WriteFloatState(const QPoint& topLeft)
{
    Write("float x", topLeft.x());
    Write("float y", topLeft.y());
}

void CBarDockState::WriteDockState(const QRect& windowRect, const QSize& layoutSize, int side)
{
    Write("dock top", windowRect.top());
    Write("dock bottom", windowRect.top() + windowRect.height());
    Write("dock left", windowRect.left());
    Write("dock right", windowRect.left() + windowRect.width());
    Write("dock width", layoutSize.width());
    Write("dock height", layoutSize.height());
    Write("dock side", side);
}

bool CBarDockState::IsDockSide(int side)
{
    return side >= AFX_IDW_DOCKBAR_TOP && side <= AFX_IDW_DOCKBAR_BOTTOM;
}

Qt::DockWidgetArea CBarDockState::AreaForSide(int side)
{
    switch (side) {
    case AFX_IDW_DOCKBAR_LEFT:
        return Qt::LeftDockWidgetArea;
    case AFX_IDW_DOCKBAR_RIGHT:
        return Qt::RightDockWidgetArea;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return Qt::BottomDockWidgetArea;
    default:
        return Qt::TopDockWidgetArea;
    }
}
