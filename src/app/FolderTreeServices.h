#pragma once

#include <QString>

class CFolderTreeCtrl;
class CMainFrame;
class QObject;

// What a folder tree of the Project bar (Project, Keywords) asks of the
// program: a picked folder is listed and remembered, a picked path becomes
// the current file, a file opens in the editor.
class CFolderTreeServices
{
public:
    virtual ~CFolderTreeServices() = default;

    virtual CMainFrame* GetMainFrame() const = 0;
    virtual void SetSelectedPath(const QString& folder) = 0;
    virtual void SetCurrentFile(const QString& path) = 0;
    virtual void OpenFileInEditor(const QString& path, bool closeCurrent) = 0;
};

// Connects the requests that every folder tree makes to services; the
// connections end with context.
void ConnectFolderTree(CFolderTreeCtrl* tree, CFolderTreeServices& services, QObject* context);
