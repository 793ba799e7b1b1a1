#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

// Every message the framework shows goes through here, so tests can answer
// them without a modal dialog blocking the run.
namespace ZtMessageBox {

using Handler = std::function<QMessageBox::StandardButton(const QString& text, QMessageBox::StandardButtons buttons)>;

// Shows text in a message box titled with the product name and returns the
// button pressed.
QMessageBox::StandardButton Show(const QString& text, QMessageBox::Icon icon = QMessageBox::Information,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Replaces the dialog by handler (null restores the dialog).
void SetHandler(Handler handler);

} // namespace ZtMessageBox
