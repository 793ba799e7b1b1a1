#pragma once

#include "framework/SizeControlBar.h"

class CDesktopTreeCtrl;
class CProjectTreeCtrl;
class QTabWidget;
class QTreeWidgetItem;

// The "Project Bar": a tab control with the tabs "Project", "Keywords" and
// "Desktop", each showing one tree. The Project and Desktop trees are made
// with the bar; the Keywords tree is put in by its owner, and until then its
// tab shows an empty page.
class CProjectBar : public CSizeControlBar
{
    Q_OBJECT
public:
    static constexpr int kTabControlId = 100;
    static constexpr int kDockedInset = 5;
    static constexpr int kProjectTreeId = 139;

    explicit CProjectBar(QWidget* parent = nullptr);

    QTabWidget* TabControl() const { return m_pTabs; }
    // The index of the tab shown (CFrameCommandRules::ProjectBarTab).
    int CurrentTab() const;
    void SetCurrentTab(int index);
    // The window a tab shows, and its replacement.
    QWidget* GetTabWindow(int index) const;
    void SetTabWindow(int index, QWidget* window);
    CProjectTreeCtrl* ProjectTree() const { return m_pProjectTree; }
    CDesktopTreeCtrl* DesktopTree() const { return m_pDesktopTree; }
    // The current item of the shown tab's tree; null when there is none.
    QTreeWidgetItem* GetCurrentItem() const;
    // The full path of that item; empty when there is none.
    QString GetCurrentItemPath() const;

private:
    QTabWidget* m_pTabs;
    CProjectTreeCtrl* m_pProjectTree;
    CDesktopTreeCtrl* m_pDesktopTree;
};
