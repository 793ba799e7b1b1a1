#include "framework/FocusKeeper.h"

#include <QApplication>
#include <QChildEvent>
#include <QFocusEvent>
#include <QWidget>

CFocusKeeper::CFocusKeeper(QWidget* kept)
    : QObject(kept)
    , m_pKept(kept)
{
    Watch(kept);
    if (QWidget* focus = QApplication::focusWidget(); focus && !Holds(focus))
        m_pOutside = focus;
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && !Holds(now))
            m_pOutside = now;
    });
}

void CFocusKeeper::Watch(QObject* object)
{
    object->installEventFilter(this);
    for (QObject* child : object->children()) {
        if (child->isWidgetType())
            Watch(child);
    }
}

bool CFocusKeeper::Holds(const QWidget* widget) const
{
    return widget == m_pKept || m_pKept->isAncestorOf(widget);
}

bool CFocusKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            Watch(child);
    } else if (event->type() == QEvent::FocusIn) {
        // The user's own ways in: a click, Tab or Backtab, a shortcut, the
        // window becoming active again with the keys already inside.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::OtherFocusReason && m_pOutside && m_pOutside->isVisible()
            && m_pOutside->window() == m_pKept->window())
            m_pOutside->setFocus(Qt::OtherFocusReason);
    }
    return QObject::eventFilter(watched, event);
}
