#include "framework/ContextMenuKey.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

CContextMenuKey::CContextMenuKey(QObject* parent)
    : QObject(parent)
{
}

void CContextMenuKey::Install(QCoreApplication* application)
{
    application->installEventFilter(new CContextMenuKey(application));
}

bool CContextMenuKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    QWidget* target = QApplication::focusWidget();
    // The key press passes the filter once for each widget it is offered
    // to; only the focused widget's turn counts.
    if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier || !target || watched != target)
        return false;
    // Where Qt puts the Menu key's request: the caret of a text field.
    const QPoint at = target->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &request);
    return true;
}
