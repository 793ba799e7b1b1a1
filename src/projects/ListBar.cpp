#include "projects/ListBar.h"

#include "projects/FileListCtrl.h"
#include "res/CommandIds.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>

CListBar::CListBar(QWidget* parent)
    : CSizeControlBar(QStringLiteral("List Bar"), ZtCmd::ID_LIST_BAR, kDockedInset, parent)
    , m_pList(new CFileListCtrl)
{
    setObjectName(QStringLiteral("ListBar"));
    // Files dropped from another program are taken by the trees, not here.
    m_pList->setAcceptDrops(false);
    m_pList->installEventFilter(this);
    SetContents(m_pList);
}

void CListBar::ShowFolder(const QString& folder)
{
    m_strFolder = folder;
    m_pList->ShowFolder(folder);
    emit folderChanged(folder);
}

void CListBar::ShowSavedFile(const QString& path)
{
    if (!m_strFolder.isEmpty() && QFileInfo(path).absolutePath() == QDir::cleanPath(m_strFolder))
        m_pList->Refresh();
}

bool CListBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pList && event->type() == QEvent::FocusIn)
        OnListFocused();
    return CSizeControlBar::eventFilter(watched, event);
}

void CListBar::OnListFocused()
{
    // A tree may have selected a folder while the list was out of sight.
    if (m_strSelectedFolder.isEmpty() || m_strSelectedFolder == m_strFolder)
        return;
    ShowFolder(m_strSelectedFolder);
    m_pList->setFocus();
}
