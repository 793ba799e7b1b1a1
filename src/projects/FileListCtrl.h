#pragma once

#include "framework/KVListCtrl.h"
#include "projects/FileListState.h"

#include <QElapsedTimer>
#include <QStringList>

class CFileListModel;
class CFolderReader;
class CFolderWatcher;
class QMenu;

// The List bar's list: the entries of one folder in the columns "Name",
// "Size", "Type" and "Modified", and the commands on the selected files:
// open (edit or run), copy or cut for a paste into a tree, delete to the
// trash, step to the next or previous file, and dragging onto a tree, a
// page editor or another program.
//
// The folder is read on a worker thread; listFilled says when it is
// complete, and the rows are then in name order. The folder shown is
// watched: when its entries change on disk it is read again, and the rows
// of the entries still there keep their selection.
class CFileListCtrl : public CKVListCtrl
{
    Q_OBJECT
public:
    static constexpr int kControlId = 32772;
    // Where the column widths are remembered.
    static constexpr const char* kProfileSection = "FileList";
    static QList<int> DefaultColumnWidths() { return {150, 180, 125, 150}; }

    explicit CFileListCtrl(QWidget* parent = nullptr);
    ~CFileListCtrl() override;

    // Remembers path, makes it the current directory and lists it; an
    // empty path changes nothing shown.
    void ShowFolder(const QString& path);
    void FillList(const QString& folder);
    // Reads the folder shown again in place of its rows; the rows of the
    // entries still there stay selected.
    void Refresh();
    QString Folder() const { return m_strFolder; }
    QString RequestedPath() const { return m_strRequestedPath; }
    // "Cannot read <folder>: <reason>" while the list shows a folder it
    // could not read (the list shows it in place of rows); else empty.
    QString ReadError() const;

    CFileListModel* Model() const { return m_pModel; }
    int RowCount() const;
    // The folder's path joined with the row's name.
    QString FullPath(int row) const;
    QStringList SelectedPaths() const;
    // Empty with no row selected.
    QString FirstSelectedName() const;

    // Opens a file by its kind: editable files in the editor, program
    // files (with allowRun) started by the desktop.
    void OpenListFile(const QString& path, bool allowRun);
    // The number of files taken: one goes to the clipboard as text, several
    // wait in the copy list for a tree's paste.
    int CopySelection();
    // Marks the selected files for a move by the next paste into a tree.
    void CutSelection();
    // Moves the selected files to the trash; their rows go once the job is
    // over, and the user is told when some stayed.
    void DeleteSelection();
    // A paste moved the files of movedCut: their rows go. When movedCut is
    // still the cut waiting, no cut waits any more and this returns true; a
    // cut made while the paste ran stays for the next paste.
    bool CompleteMove(const QStringList& movedCut);
    // A tree pasted the copy list.
    void CopyListTaken();
    const CFileListState& State() const { return m_state; }

    // Selects and opens the row after (or, with up, before) the row named
    // name. browserActive: a browser or project window is active, so pages
    // and pictures are shown in the browser and nothing is edited.
    void StepToFile(const QString& name, bool up, bool browserActive);
    // The step commands are enabled: a row selected, two rows at least, and
    // the last step did not reach that end.
    bool CanStep(bool up) const;

    // The context menu of the list's commands, owned by the caller.
    QMenu* CreateContextMenu();

signals:
    void openFileRequested(const QString& path, bool closeCurrent);
    void showInBrowserRequested(const QString& path);
    // The copy list a tree's paste takes; empty when none is waiting.
    void copyListChanged(const QStringList& paths);
    // The files a Move-Cut left for a tree's paste to move; empty when
    // none wait.
    void cutSourceChanged(const QStringList& paths);
    // The folder was read completely (ok), or could not be read.
    void listFilled(bool ok);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    void OpenFirstSelected();
    void OnReadFinished(bool ok);
    void SetReadFailure(const QString& failure);
    QString ReadErrorText(const QString& folder) const;
    void RemoveRowsOfGonePaths(const QStringList& paths);
    void ShowCutLook();
    bool IsInFolder(const QString& path) const;

    CFileListModel* m_pModel;
    CFolderReader* m_pReader;
    CFolderWatcher* m_pWatcher;
    // A refresh is under way: the rows shown stay until the new ones are
    // all read.
    bool m_bRefreshing = false;
    QString m_strFolder;
    QString m_strRequestedPath;
    // The folder asked of the reader, and why it could not be read.
    QString m_strFilling;
    QString m_strReadFailure;
    CFileListState m_state;
    QElapsedTimer m_buttonDown;
    bool m_bBottomReached = false;
    bool m_bTopReached = false;
};
