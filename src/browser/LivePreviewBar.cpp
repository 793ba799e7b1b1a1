#include "browser/LivePreviewBar.h"

#include "res/CommandIds.h"

CLivePreviewBar::CLivePreviewBar(CLivePreviewView::Services services, QWidget* parent)
    : CSizeControlBar(QStringLiteral("Live Preview"), ZtCmd::ID_LIVE_PREVIEW_BAR, kDockedInset, parent)
    , m_services(std::move(services))
{
    // The main window's layout is saved and restored by object name.
    setObjectName(QStringLiteral("LivePreviewBar"));
}

CLivePreviewView* CLivePreviewBar::View()
{
    if (!m_pView) {
        m_pView = new CLivePreviewView(m_services, this);
        SetContents(m_pView);
    }
    return m_pView;
}
