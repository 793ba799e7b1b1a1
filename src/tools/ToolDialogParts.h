#pragma once
// Pieces the outside tools' dialogs share: their named edits, their Run and
// Cancel buttons, and the group-above-buttons layout they all have.

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QWidget;

namespace ZtToolDialogParts {
// An empty edit named after its control id, so that help finds its topic.
QLineEdit* NamedEdit(int id);
// "&Run" (the default button, whose Alt key acts at once) and Cancel.
QDialogButtonBox* RunButtons();
// Lays out group above buttons in dialog; the buttons accept or reject it.
void StackGroupAndButtons(QDialog* dialog, QWidget* group, QDialogButtonBox* buttons);
} // namespace ZtToolDialogParts
