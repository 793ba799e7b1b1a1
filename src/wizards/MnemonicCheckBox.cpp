#include "wizards/MnemonicCheckBox.h"

#include <QShortcutEvent>

CMnemonicCheckBox::CMnemonicCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
}

bool CMnemonicCheckBox::event(QEvent* event)
{
    // An ambiguous mnemonic only moves the focus, as Qt does it.
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        setFocus(Qt::ShortcutFocusReason);
        click();
        return true;
    }
    return QCheckBox::event(event);
}
