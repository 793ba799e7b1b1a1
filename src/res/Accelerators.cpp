#include "res/Accelerators.h"

#include "res/CommandIds.h"

using namespace ZtCmd;

namespace ZtRes {

QVector<Accelerator> Accelerators()
{
    const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
    const Qt::KeyboardModifiers ctrlPad = Qt::ControlModifier | Qt::KeypadModifier;
    auto key = [](Qt::KeyboardModifiers modifiers, Qt::Key k, int id) {
        return Accelerator{QKeySequence(QKeyCombination(modifiers, k)), id};
    };
    return {
        key(Qt::ControlModifier, Qt::Key_C, ID_EDIT_COPY),
        key(ctrlAlt, Qt::Key_E, ID_EDIT_DOCUMENT),
        key(Qt::ControlModifier, Qt::Key_N, ID_FILE_NEW),
        key(Qt::ControlModifier, Qt::Key_O, ID_FILE_OPEN),
        key(Qt::ControlModifier, Qt::Key_P, ID_FILE_PRINT),
        key(ctrlAlt, Qt::Key_P, ID_PROJECT_OPEN),
        key(Qt::ControlModifier, Qt::Key_S, ID_FILE_SAVE),
        key(ctrlAlt, Qt::Key_S, ID_SHOW_AS_WEBPAGE),
        key(Qt::ControlModifier, Qt::Key_V, ID_EDIT_PASTE),
        key(ctrlAlt, Qt::Key_V, ID_VIEW_LIVEPREVIEW),
        key(ctrlPad, Qt::Key_Plus, ID_NEXT_DOCUMENT),
        key(Qt::AltModifier, Qt::Key_Backspace, ID_EDIT_UNDO),
        key(Qt::ShiftModifier, Qt::Key_Delete, ID_EDIT_CUT),
        key(ctrlPad, Qt::Key_Slash, ID_TILE_HORIZONTAL),
        key(Qt::ControlModifier, Qt::Key_Down, ID_SYNC_SCROLL_DOWN),
        key(ctrlAlt, Qt::Key_Down, ID_DIRECTORY_MOVE_DOWN),
        key(Qt::NoModifier, Qt::Key_F1, ID_HELP),
        key(Qt::ShiftModifier, Qt::Key_F1, ID_CONTEXT_HELP),
        key(Qt::NoModifier, Qt::Key_F6, ID_NEXT_PANE),
        key(Qt::ShiftModifier, Qt::Key_F6, ID_PREV_PANE),
        key(Qt::ControlModifier, Qt::Key_Insert, ID_EDIT_COPY),
        key(Qt::ShiftModifier, Qt::Key_Insert, ID_EDIT_PASTE),
        key(Qt::ControlModifier, Qt::Key_Left, ID_SYNC_SCROLL_LEFT),
        key(ctrlPad, Qt::Key_Asterisk, ID_TILE_VERTICAL),
        key(Qt::ControlModifier, Qt::Key_Right, ID_SYNC_SCROLL_RIGHT),
        key(Qt::ControlModifier, Qt::Key_Up, ID_SYNC_SCROLL_UP),
        key(ctrlAlt, Qt::Key_Up, ID_DIRECTORY_MOVE_UP),
        key(Qt::ControlModifier, Qt::Key_X, ID_EDIT_CUT),
        key(ctrlAlt, Qt::Key_X, ID_OPEN_IN_IE),
        key(Qt::ControlModifier, Qt::Key_Z, ID_EDIT_UNDO),
        key(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_F, ID_FIND_IN_FILES),
        key(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_V, ID_VALIDATE_PAGE),
    };
}

QVector<Accelerator> EditorAccelerators()
{
    auto key = [](Qt::KeyboardModifiers modifiers, Qt::Key k, int id) {
        return Accelerator{QKeySequence(QKeyCombination(modifiers, k)), id};
    };
    return {
        key(Qt::ControlModifier, Qt::Key_F, ID_EDIT_FIND),
        key(Qt::ControlModifier, Qt::Key_H, ID_EDIT_REPLACE),
        key(Qt::NoModifier, Qt::Key_F3, ID_EDIT_REPEAT),
        key(Qt::ControlModifier, Qt::Key_Y, ID_EDIT_REDO),
        key(Qt::ControlModifier, Qt::Key_A, ID_EDIT_SELECT_ALL),
    };
}

bool IsAcceleratorKey(QKeyCombination pressed)
{
    const Qt::KeyboardModifiers modifiers = pressed.keyboardModifiers() & ~Qt::KeypadModifier;
    static const QVector<Accelerator> table = Accelerators() + EditorAccelerators();
    for (const Accelerator& accelerator : table) {
        const QKeyCombination keys = accelerator.keys[0];
        if (keys.key() == pressed.key() && (keys.keyboardModifiers() & ~Qt::KeypadModifier) == modifiers)
            return true;
    }
    return false;
}

} // namespace ZtRes
