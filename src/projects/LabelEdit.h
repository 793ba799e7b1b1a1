#pragma once

#include <QLineEdit>

// The field a tree label is edited in. It keeps for itself every key the
// main window would otherwise take as an accelerator while a name is being
// typed: any key with Ctrl, Enter, Escape, Delete and Alt+Backspace (which
// undoes the typing), so Ctrl+S or Ctrl+N cannot act on a document while
// the user renames a file.
class CLabelEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CLabelEdit(QWidget* parent = nullptr);

    // True for the keys the field keeps.
    static bool KeepsKey(QKeyCombination key);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
