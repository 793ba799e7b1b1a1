#include "projects/ProjectBar.h"

#include "projects/DesktopTreeCtrl.h"
#include "projects/KeywordsTreeCtrl.h"
#include "projects/ProjectTreeCtrl.h"
#include "res/CommandIds.h"

#include <QTabWidget>
#include <QTreeWidget>

CProjectBar::CProjectBar(QWidget* parent)
    : CSizeControlBar(QStringLiteral("Project Bar"), ZtCmd::ID_PROJECT_BAR, kDockedInset, parent)
    , m_pTabs(new QTabWidget)
    , m_pProjectTree(new CProjectTreeCtrl)
    , m_pDesktopTree(new CDesktopTreeCtrl)
    , m_pKeywordsTree(new CKeywordsTreeCtrl)
{
    setObjectName(QStringLiteral("ProjectBar"));
    m_pTabs->setObjectName(QString::number(kTabControlId));
    m_pTabs->setTabPosition(QTabWidget::South);
    m_pTabs->setDocumentMode(true);
    // A narrow bar squeezes the tab titles rather than hiding a tab.
    m_pTabs->setUsesScrollButtons(false);
    m_pTabs->setElideMode(Qt::ElideRight);
    for (const QString& title : {QStringLiteral("Project"), QStringLiteral("Keywords"), QStringLiteral("Desktop")})
        m_pTabs->addTab(new QWidget, title);
    SetContents(m_pTabs);
    m_pProjectTree->setObjectName(QString::number(kProjectTreeId));
    SetTabWindow(0, m_pProjectTree);
    SetTabWindow(1, m_pKeywordsTree);
    SetTabWindow(2, m_pDesktopTree);
    connect(m_pTabs, &QTabWidget::currentChanged, this, [this] {
        const QString folder = CurrentTabFolder();
        if (!folder.isEmpty())
            emit tabFolderShown(folder);
    });
}

QString CProjectBar::CurrentTabFolder() const
{
    QWidget* shown = m_pTabs->currentWidget();
    if (shown == m_pDesktopTree)
        return CShellTree::ItemPath(m_pDesktopTree->currentItem());
    auto* tree = qobject_cast<CFolderTreeCtrl*>(shown);
    QTreeWidgetItem* item = tree ? tree->currentItem() : nullptr;
    if (!item || !item->parent() || !CFolderTreeCtrl::IsFolderImage(CFolderTreeCtrl::ImageOf(item)))
        return QString();
    return tree->GetItemPath(item);
}

QTreeWidgetItem* CProjectBar::GetCurrentItem() const
{
    if (m_pTabs->currentWidget() == m_pProjectTree)
        return m_pProjectTree->HighlightedItem();
    auto* tree = qobject_cast<QTreeWidget*>(m_pTabs->currentWidget());
    return tree ? tree->currentItem() : nullptr;
}

QString CProjectBar::GetCurrentItemPath() const
{
    QTreeWidgetItem* item = GetCurrentItem();
    if (!item || m_pTabs->currentWidget() != m_pProjectTree)
        return QString();
    return m_pProjectTree->GetItemPath(item);
}

int CProjectBar::CurrentTab() const
{
    return m_pTabs->currentIndex();
}

void CProjectBar::SetCurrentTab(int index)
{
    m_pTabs->setCurrentIndex(index);
}

void CProjectBar::SetTabWindow(int index, QWidget* window)
{
    QWidget* previous = m_pTabs->widget(index);
    if (!previous || previous == window)
        return;
    const QString title = m_pTabs->tabText(index);
    const bool current = m_pTabs->currentIndex() == index;
    m_pTabs->removeTab(index);
    previous->deleteLater();
    m_pTabs->insertTab(index, window, title);
    if (current)
        m_pTabs->setCurrentIndex(index);
}
