#include "framework/InstantMnemonic.h"

#include <QAbstractButton>
#include <QShortcutEvent>

CInstantMnemonic::CInstantMnemonic(QObject* parent)
    : QObject(parent)
{
}

void CInstantMnemonic::Install(QAbstractButton* button)
{
    button->installEventFilter(new CInstantMnemonic(button));
}

bool CInstantMnemonic::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QAbstractButton*>(watched);
    // An ambiguous mnemonic only moves the focus, as Qt does it.
    if (!button || event->type() != QEvent::Shortcut || static_cast<QShortcutEvent*>(event)->isAmbiguous())
        return false;
    if (button->focusPolicy() != Qt::NoFocus)
        button->setFocus(Qt::ShortcutFocusReason);
    button->click();
    return true;
}
