#include "app/HelpPopup.h"

#include "res/HelpFile.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

CHelpPopup::CHelpPopup(const CHelpTopic& topic, QWidget* control)
    : QLabel(control, Qt::Popup)
{
    setObjectName(QLatin1String(kObjectName));
    setAttribute(Qt::WA_DeleteOnClose);
    setTextFormat(Qt::MarkdownText);
    setText(QStringLiteral("**%1**\n\n%2").arg(topic.m_strTitle, topic.m_strBody));
    setWordWrap(true);
    setFixedWidth(fontMetrics().averageCharWidth() * 60);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(8);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
}

void CHelpPopup::ShowAt(const QPoint& point)
{
    adjustSize();
    QPoint place = point;
    if (const QScreen* screen = parentWidget()->screen()) {
        const QRect area = screen->availableGeometry();
        place.setX(qBound(area.left(), place.x(), qMax(area.left(), area.right() - width())));
        place.setY(qBound(area.top(), place.y(), qMax(area.top(), area.bottom() - height())));
    }
    move(place);
    show();
}

void CHelpPopup::mousePressEvent(QMouseEvent* event)
{
    // A click inside closes it too; one outside closes it through Qt::Popup.
    event->accept();
    close();
}

void CHelpPopup::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    close();
}
