#include "projects/ListBar.h"

#include "res/CommandIds.h"

#include <QEvent>
#include <QTreeWidget>

CListBar::CListBar(QWidget* parent)
    : CSizeControlBar(QStringLiteral("List Bar"), ZtCmd::ID_LIST_BAR, kDockedInset, parent)
{
    setObjectName(QStringLiteral("ListBar"));
    auto* placeholder = new QTreeWidget;
    placeholder->setRootIsDecorated(false);
    placeholder->setHeaderHidden(true);
    SetListControl(placeholder);
}

void CListBar::SetListControl(QWidget* list)
{
    if (List())
        List()->removeEventFilter(this);
    list->setObjectName(QString::number(kListControlId));
    list->setAcceptDrops(true);
    list->installEventFilter(this);
    SetContents(list);
}

void CListBar::ShowFolder(const QString& folder)
{
    m_strFolder = folder;
    emit folderChanged(folder);
}

bool CListBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == List() && event->type() == QEvent::FocusIn)
        OnListFocused();
    return CSizeControlBar::eventFilter(watched, event);
}

void CListBar::OnListFocused()
{
    // A tree may have selected a folder while the list was out of sight.
    if (m_strSelectedFolder.isEmpty() || m_strSelectedFolder == m_strFolder)
        return;
    ShowFolder(m_strSelectedFolder);
    List()->setFocus();
}
