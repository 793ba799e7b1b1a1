#pragma once

#include <QTreeWidget>

// The Project tree: the folders and files of the open project's main
// directory, read lazily as folders are expanded.
class CProjectTreeCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CProjectTreeCtrl(QWidget* parent = nullptr);

    // Resets the tree to the "No Open Project" root.
    void ShowNoProject();
    // Takes the project file's path: main directory and project name.
    void SetProjectPath(const QString& projectFile);
    // Rebuilds the tree from the main directory.
    void FillTree();

    QString MainDirectory() const { return m_strMainDirectory; }
    QString ProjectName() const { return m_strProjectName; }

signals:
    // A folder was selected: the List bar shows it.
    void folderSelected(const QString& folder);
    // A file is to be opened in the editor.
    void openFileRequested(const QString& path);

private:
    QString m_strProjectFile;
    QString m_strMainDirectory;
    QString m_strProjectName;
};
