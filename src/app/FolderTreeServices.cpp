#include "app/FolderTreeServices.h"

#include "app/MainFrame.h"
#include "projects/FolderTreeCtrl.h"

void ConnectFolderTree(CFolderTreeCtrl* tree, CFolderTreeServices& services, QObject* context)
{
    CFolderTreeServices* target = &services;
    QObject::connect(tree, &CFolderTreeCtrl::folderSelected, context, [target](const QString& folder) {
        target->SetSelectedPath(folder);
        if (CMainFrame* frame = target->GetMainFrame())
            frame->ShowFolderInListBar(folder);
    });
    QObject::connect(tree, &CFolderTreeCtrl::openFileRequested, context,
                     [target](const QString& path) { target->OpenFileInEditor(path, false); });
    QObject::connect(tree, &CFolderTreeCtrl::currentPathChanged, context,
                     [target](const QString& path) { target->SetCurrentFile(path); });
    QObject::connect(tree, &CFolderTreeCtrl::folderRefreshed, context, [target](const QString& folder) {
        if (CMainFrame* frame = target->GetMainFrame())
            frame->ShowFolderInListBar(folder);
    });
}
