#pragma once

#include <QStringList>

// What the file list holds for a later paste: the copy list (several files
// copied, waiting for a tree to paste them) and the cut source (files cut or
// dragged, waiting to be moved). A copy of one file waits on the clipboard
// instead, so it empties the copy list.
class CFileListState
{
public:
    // Copy of the selected paths; the number of files taken.
    int Copy(const QStringList& selectedPaths);
    void Cut(const QStringList& selectedPaths);
    // A drag carries its files as the cut source while it runs; a cut
    // waiting before it waits again once the drag has ended.
    void DragStarted(const QStringList& selectedPaths);
    void DragEnded();
    // A delete loses a copy waiting for a paste.
    void Deleted();
    // A tree pasted the copy list.
    void CopyListTaken();
    // The cut files were moved, or dropped.
    void MoveCompleted() { m_cutSource.clear(); }

    QStringList CopyList() const { return m_copyList; }
    bool IsCopyWaiting() const { return m_bCopyWaiting; }
    QStringList CutSource() const { return m_cutSource; }

private:
    QStringList m_copyList;
    bool m_bCopyWaiting = false;
    QStringList m_cutSource;
    QStringList m_cutBeforeDrag;
};
