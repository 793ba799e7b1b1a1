#pragma once

#include "framework/SizeControlBar.h"

class QTabWidget;

// The "Project Bar": a tab control with the tabs "Project", "Keywords" and
// "Desktop", each showing one tree. The trees are put in by their owners;
// until then each tab shows an empty page.
class CProjectBar : public CSizeControlBar
{
    Q_OBJECT
public:
    static constexpr int kTabControlId = 100;
    static constexpr int kDockedInset = 5;

    explicit CProjectBar(QWidget* parent = nullptr);

    QTabWidget* TabControl() const { return m_pTabs; }
    // The index of the tab shown (CFrameCommandRules::ProjectBarTab).
    int CurrentTab() const;
    void SetCurrentTab(int index);
    // The window a tab shows, and its replacement.
    QWidget* GetTabWindow(int index) const;
    void SetTabWindow(int index, QWidget* window);

private:
    QTabWidget* m_pTabs;
};
