#pragma once

#include <QString>

#include <Qt>

// The Caps Lock, Num Lock and Scroll Lock states the status bar shows.
//
// Qt offers no portable way to ask for the lock keys, so the states are
// learnt from the keys the user presses in the program: a letter typed in
// upper case without Shift (or in lower case with it) means Caps Lock is on;
// a keypad key that arrives as a digit means Num Lock is on, one that arrives
// as a cursor key means it is off. Scroll Lock changes nothing in typed keys,
// so it is followed by counting its presses from "off". Until a key tells,
// every state is shown as off.
class CLockKeyState
{
public:
    // Learns from one key press; true when a shown state changed.
    bool OnKeyPress(int key, Qt::KeyboardModifiers modifiers, const QString& text);

    bool IsCapsLockOn() const { return m_bCapsLock; }
    bool IsNumLockOn() const { return m_bNumLock; }
    bool IsScrollLockOn() const { return m_bScrollLock; }

private:
    void LearnCapsLock(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    void LearnNumLock(int key, Qt::KeyboardModifiers modifiers);

    bool m_bCapsLock = false;
    bool m_bNumLock = false;
    bool m_bScrollLock = false;
};
