#pragma once

// The state an update handler sets for one command before its menu item or
// toolbar button is shown: enabled or not, checked or not.
class CCmdUI
{
public:
    explicit CCmdUI(int id) : m_nID(id) {}

    void Enable(bool enabled = true)
    {
        m_bEnabled = enabled;
        m_bEnableSet = true;
    }
    void SetCheck(bool checked = true)
    {
        m_bChecked = checked;
        m_bCheckSet = true;
    }

    int m_nID;
    bool m_bEnabled = false;
    bool m_bChecked = false;
    bool m_bEnableSet = false; // an update handler decided availability
    bool m_bCheckSet = false;  // ... and the check mark
};
