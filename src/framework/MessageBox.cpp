#include "framework/MessageBox.h"

#include <QApplication>

namespace ZtMessageBox {

namespace {
Handler& InstalledHandler()
{
    static Handler handler;
    return handler;
}
} // namespace

QMessageBox::StandardButton Show(const QString& text, QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    if (InstalledHandler())
        return InstalledHandler()(text, buttons);
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, QApplication::activeWindow());
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

void SetHandler(Handler handler)
{
    InstalledHandler() = std::move(handler);
}

} // namespace ZtMessageBox
