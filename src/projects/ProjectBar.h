#pragma once

#include "framework/SizeControlBar.h"

class CDesktopTreeCtrl;
class CKeywordsTreeCtrl;
class CProjectTreeCtrl;
class QTabWidget;
class QTreeWidgetItem;

// The "Project Bar": a tab control with the tabs "Project", "Keywords" and
// "Desktop", each showing one tree, all made with the bar. The Keywords
// tree shows nothing until its owner gives it its folder.
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
    // Replaces the window a tab shows.
    void SetTabWindow(int index, QWidget* window);
    CProjectTreeCtrl* ProjectTree() const { return m_pProjectTree; }
    CDesktopTreeCtrl* DesktopTree() const { return m_pDesktopTree; }
    CKeywordsTreeCtrl* KeywordsTree() const { return m_pKeywordsTree; }
    // The current item of the shown tab's tree; null when there is none.
    QTreeWidgetItem* GetCurrentItem() const;
    // The full path of that item; empty when there is none.
    QString GetCurrentItemPath() const;
    // The folder highlighted in the shown tab's tree, the one the List bar
    // lists for that tab; empty when none is (a file, the Project tree's
    // root, a place that is no folder).
    QString CurrentTabFolder() const;

signals:
    // Another tab is shown, and its tree has folder highlighted: the List
    // bar follows it, so it never lists a folder of a hidden tab.
    void tabFolderShown(const QString& folder);

private:
    QTabWidget* m_pTabs;
    CProjectTreeCtrl* m_pProjectTree;
    CDesktopTreeCtrl* m_pDesktopTree;
    CKeywordsTreeCtrl* m_pKeywordsTree;
};
