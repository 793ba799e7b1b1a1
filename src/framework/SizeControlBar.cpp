#include "framework/SizeControlBar.h"

#include <QContextMenuEvent>
#include <QVBoxLayout>

CSizeControlBar::CSizeControlBar(const QString& title, int barId, int dockedInset, QWidget* parent)
    : QDockWidget(title, parent)
    , m_nBarId(barId)
    , m_nDockedInset(dockedInset)
{
    auto* frame = new QWidget(this);
    m_pLayout = new QVBoxLayout(frame);
    m_pLayout->setSpacing(0);
    setWidget(frame);
    setAllowedAreas(kDockingSides);
    UpdateInset();
    connect(this, &QDockWidget::topLevelChanged, this, &CSizeControlBar::UpdateInset);
}

void CSizeControlBar::SetContents(QWidget* contents)
{
    if (m_pContents) {
        m_pLayout->removeWidget(m_pContents);
        m_pContents->deleteLater();
    }
    m_pContents = contents;
    m_pLayout->addWidget(contents);
    contents->show();
}

void CSizeControlBar::ToggleDockingAllowed()
{
    setAllowedAreas(IsDockingAllowed() ? Qt::NoDockWidgetArea : kDockingSides);
}

QRect CSizeControlBar::ScreenRect() const
{
    return QRect(mapToGlobal(QPoint(0, 0)), size());
}

void CSizeControlBar::FloatAt(const QPoint& screenPos)
{
    setFloating(true);
    move(screenPos);
}

int CSizeControlBar::ContentsInset() const
{
    return m_pLayout->contentsMargins().left();
}

void CSizeControlBar::UpdateInset()
{
    const int inset = isFloating() ? kFloatingInset : m_nDockedInset;
    m_pLayout->setContentsMargins(inset, inset, inset, inset);
}

void CSizeControlBar::contextMenuEvent(QContextMenuEvent* event)
{
    // Clicks on the content belong to the content; this is the title.
    if (widget() && widget()->geometry().contains(event->pos())) {
        QDockWidget::contextMenuEvent(event);
        return;
    }
    event->accept();
    emit titleContextMenuRequested(event->globalPos());
}
