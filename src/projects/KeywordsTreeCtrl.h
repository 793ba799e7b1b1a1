#pragma once

#include "projects/FolderTreeCtrl.h"

#include <functional>
#include <optional>

class QMimeData;

// The Keywords tree: the user's keyword collections, the folders and ".kwd"
// files below the Keywords folder, with every line of a folder's keyword
// files shown as a keyword item under the folder. A keyword dragged into an
// editor is inserted there; the commands (new folder, keyword and keywords
// file, copy, paste, edit label, delete) keep the files in step, changing
// only the line they act on (CKeywordFile).
//
// A folder's keywords file, the one new keywords go to, is its first ".kwd"
// file by name (the extension in any letter case).
class CKeywordsTreeCtrl : public CFolderTreeCtrl
{
    Q_OBJECT
public:
    static constexpr int kControlId = 141;
    // A keyword item's ".kwd" file name and line index in it.
    static constexpr int kFileRole = Qt::UserRole + 1;
    static constexpr int kLineRole = Qt::UserRole + 2;
    // Files that open in an editor when dropped out of the tree.
    static bool OpensOnDrop(const QString& name);
    // What dragging a keyword carries: its text, for editors and other programs.
    static QMimeData* MakeKeywordMimeData(const QString& keyword);
    // What dragging a file carries: its URL and path, for the trees and
    // other programs; a file that opens on a drop is marked so that a page
    // editor opens it rather than linking to it.
    static QMimeData* MakeFileMimeData(const QString& path);

    explicit CKeywordsTreeCtrl(QWidget* parent = nullptr);

    // Rebuilds the tree from folder: the "Keywords" root, not expanded.
    void FillTree(const QString& folder);
    // The keywords file of the folder a folder item stands for; empty when none.
    QString KeywordsFileOf(const QTreeWidgetItem* folder) const;

    // The commands; each acts on the current item.
    void NewFolder();
    void NewKeyword();
    void NewKeywordsFile();
    void CopyItemPath();
    bool PasteFiles();
    void EditLabel();
    void DeleteItem();
    void OpenItem() override;
    // Drops dragged on dropItem: a keyword is moved within its file or
    // added to the target folder's keywords file, a file or folder copied
    // (and shown once the copy is done).
    bool DropItem(QTreeWidgetItem* dragged, QTreeWidgetItem* dropItem);

    // Who names a new keywords file: the "New Keywords file" dialog, or a
    // test's answer (no value for Cancel).
    using NameAsker = std::function<std::optional<QString>(QWidget* parent)>;
    static void SetNameAsker(NameAsker asker);

    QMenu* CreateContextMenu() override;

signals:
    // A keyword item was double-clicked: its text goes into the active page,
    // as if it had been dragged there.
    void keywordActivated(const QString& keyword);

public:
    // Typing stops at a name's length, but a keyword is a line of its file
    // of any length: a longer one is never cut, or even an edit that
    // changed nothing would write the cut text.
    int LabelMaxLength(const QTreeWidgetItem* item) const override;

protected:
    void OnFolderFilled(QTreeWidgetItem* item, const QString& directory, const QStringList& files) override;
    void FinishLabelEdit(QTreeWidgetItem* item, int kind, const QString& oldPath) override;
    void OnCurrentItemChanged(QTreeWidgetItem* current) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum EEdit { EditRename = 1, EditNewFolder, EditNewKeyword };

    void CreateActions();
    bool IsKeyword(const QTreeWidgetItem* item) const { return ImageOf(item) == ImageKeyword; }
    QString KeywordFilePath(const QTreeWidgetItem* keyword) const;
    // Reads and rewrites a keyword file through edit; on a refused edit
    // (the file changed) or a failed write tells the user and re-reads folder.
    bool EditKeywordFile(const QString& path, QTreeWidgetItem* folder,
                         const std::function<std::optional<QByteArray>(const QByteArray&)>& edit);
    void FinishRenameOnDisk(QTreeWidgetItem* item, const QString& oldPath);
    void FinishKeywordEdit(QTreeWidgetItem* item, int kind, const QString& oldText);

    QString m_strOldKeyword;
};
