#include "projects/LabelEdit.h"

#include <QKeyEvent>

CLabelEdit::CLabelEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

bool CLabelEdit::KeepsKey(QKeyCombination key)
{
    const Qt::KeyboardModifiers modifiers = key.keyboardModifiers();
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return true;
    case Qt::Key_Backspace:
        return modifiers & Qt::AltModifier;
    default:
        return modifiers & Qt::ControlModifier;
    }
}

bool CLabelEdit::event(QEvent* event)
{
    // Accepting the override is what keeps a shortcut from firing: the key
    // then comes here as a key press.
    if (event->type() == QEvent::ShortcutOverride && KeepsKey(static_cast<QKeyEvent*>(event)->keyCombination())) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void CLabelEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Backspace && (event->modifiers() & Qt::AltModifier)) {
        undo();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
    // A kept key the field has no use for ends here, rather than reaching
    // the tree or the window behind it.
    if (KeepsKey(event->keyCombination()))
        event->accept();
}
