#include "app/LockKeyState.h"

namespace {

bool IsKeypadNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
    case Qt::Key_Clear:
        return true;
    default:
        return false;
    }
}

} // namespace

bool CLockKeyState::OnKeyPress(int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    const bool caps = m_bCapsLock;
    const bool num = m_bNumLock;
    const bool scroll = m_bScrollLock;
    if (key == Qt::Key_ScrollLock)
        m_bScrollLock = !m_bScrollLock;
    else if (key == Qt::Key_CapsLock)
        m_bCapsLock = !m_bCapsLock; // a guess until the next letter tells
    else if (key == Qt::Key_NumLock)
        m_bNumLock = !m_bNumLock;
    else if (modifiers & Qt::KeypadModifier)
        LearnNumLock(key, modifiers);
    else
        LearnCapsLock(key, modifiers, text);
    return caps != m_bCapsLock || num != m_bNumLock || scroll != m_bScrollLock;
}

void CLockKeyState::LearnCapsLock(int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    // Only letters that have two cases tell; Ctrl and Alt combinations may
    // come without the text a plain press would give.
    if (key < Qt::Key_A || key > Qt::Key_Z || text.size() != 1 || !text.at(0).isLetter())
        return;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return;
    const bool upper = text.at(0).isUpper();
    const bool shift = modifiers & Qt::ShiftModifier;
    m_bCapsLock = upper != shift;
}

void CLockKeyState::LearnNumLock(int key, Qt::KeyboardModifiers modifiers)
{
    // Shift turns keypad digits into cursor keys and back, so it hides the
    // state.
    if (modifiers & Qt::ShiftModifier)
        return;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        m_bNumLock = true;
    else if (IsKeypadNavigationKey(key))
        m_bNumLock = false;
}
