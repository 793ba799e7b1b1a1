#pragma once

#include <QString>

#include <functional>

class CCmdUI;
class CFileListCtrl;
class CMainFrame;

// The commands of the List bar's list (Edit Item, Show in Browser, Copy,
// Move-Cut, Delete, the two directory steps) and File > New Folder on the
// Desktop tab, and the wiring between the list, the trees and the
// application: the folder a tree selects is listed, the list's copy list
// and pending move reach the trees' paste, files open in the editor.
class CFileBarCommands
{
public:
    // What the commands use of the program; the application gives itself.
    class CServices
    {
    public:
        virtual ~CServices() = default;
        virtual CMainFrame* GetMainFrame() const = 0;
        virtual void OpenFileInEditor(const QString& path, bool closeCurrent) = 0;
        virtual void ShowInBrowser(const QString& path, const QString& sourcePath) = 0;
        virtual void SetCurrentFile(const QString& path) = 0;
        virtual void SetSelectedPath(const QString& folder) = 0;
    };

    explicit CFileBarCommands(CServices& services) : m_services(services) {}

    using CommandMapper = std::function<void(int, std::function<void()>)>;
    using UpdateMapper = std::function<void(int, std::function<void(CCmdUI*)>)>;
    // Maps the commands and their enable rules through the command target's
    // mapping calls.
    void Map(const CommandMapper& onCommand, const UpdateMapper& onUpdate);
    // Connects the bars of frame.
    void Connect(CMainFrame* frame);

    void OnEditItem();
    void OnShowInBrowser();
    void OnCopy();
    void OnMoveCut();
    void OnDelete();
    void OnDirectoryStep(bool up);
    void OnNewFolder();
    // A tree's paste ended: the list's copy list is used up, a pending
    // move completes if the paste moved that cut.
    void OnTreePasted(bool done, bool usedCopyList, const QStringList& movedCut);
    // Move-Cut has remembered files that the next successful tree paste
    // moves.
    bool IsMovePending() const { return m_bMovePending; }

private:
    CFileListCtrl* List() const;
    // A browser or project window is active: the steps show pages rather
    // than edit files.
    bool IsBrowserOrProjectActive() const;
    void OnTreeFolderSelected(const QString& folder);
    // The List bar lists the folder highlighted in the tab now shown.
    void OnTabFolderShown(const QString& folder);

    CServices& m_services;
    bool m_bMovePending = false;
};
