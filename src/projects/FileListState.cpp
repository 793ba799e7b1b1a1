#include "projects/FileListState.h"

#include <utility>

int CFileListState::Copy(const QStringList& selectedPaths)
{
    if (selectedPaths.isEmpty())
        return 0;
    m_copyList.clear();
    m_bCopyWaiting = false;
    if (selectedPaths.size() == 1)
        return 1;
    m_copyList = selectedPaths;
    m_bCopyWaiting = true;
    return int(selectedPaths.size());
}

void CFileListState::Cut(const QStringList& selectedPaths)
{
    m_cutSource = selectedPaths;
    m_bCopyWaiting = false;
}

void CFileListState::Deleted()
{
    m_bCopyWaiting = false;
    m_copyList.clear();
}

void CFileListState::CopyListTaken()
{
    m_bCopyWaiting = false;
    m_copyList.clear();
}

void CFileListState::DragStarted(const QStringList& selectedPaths)
{
    m_cutBeforeDrag = m_cutSource;
    m_cutSource = selectedPaths;
}

void CFileListState::DragEnded()
{
    m_cutSource = std::exchange(m_cutBeforeDrag, {});
}
