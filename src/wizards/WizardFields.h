#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;

// The fields the wizard dialogs are made of.
namespace ZtWizardFields {

// The colours every colour field offers, in this order.
QStringList ColorNames();

// An editable drop-down box offering items, empty at first, named by its
// control id. What the user types stays exactly as typed: no completion,
// and Return does not add it to the list.
QComboBox* MakeCombo(const QStringList& items, int controlId);

// An edit field named by its control id.
QLineEdit* MakeEdit(int controlId);

} // namespace ZtWizardFields
