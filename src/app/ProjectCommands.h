#pragma once

#include <QString>

class CCmdUI;
class CDocTemplate;
class CMainFrame;
class CProjectDoc;

// The project commands of the application: open, save, close and save-as of
// the project, and the project wizard. They act on the one open project
// document and on the Project tree.
class CProjectCommands
{
public:
    // What the commands use of the program; the application gives itself.
    class CServices
    {
    public:
        virtual ~CServices() = default;
        virtual CMainFrame* GetMainFrame() const = 0;
        virtual CDocTemplate* ProjectTemplate() const = 0;
        virtual QString StartDirectory() const = 0;
        // The project file opened last; it outlives the project's closing.
        virtual QString ProjectPath() const = 0;
        // Closes what a project replaces and opens the project file at path.
        virtual void OpenProject(const QString& path) = 0;
        virtual bool WriteProfileString(const QString& section, const QString& key, const QString& value) = 0;
    };

    explicit CProjectCommands(CServices& services) : m_services(services) {}

    // The open project document; null with none.
    CProjectDoc* OpenProjectDoc() const;
    // Where the open and save dialogs start: the start-up directory's
    // "Projects" folder.
    QString ProjectsFolder() const;

    void OnProjectOpen();
    void OnProjectSave();
    void OnProjectClose();
    void OnProjectSaveAs();
    // Copies the open project to the project file path chosen in the
    // save-as dialog and opens the copy.
    void SaveAsTo(const QString& chosenPath);
    // Opens the project a Save As copied, once its copy and rename are done.
    void OpenCopiedProject(const QString& newProject);
    void OnProjectWizard();

    void OnUpdateProjectSave(CCmdUI* cmdUI) const;
    // Close and save-as: a project document is open.
    void OnUpdateProjectOpen(CCmdUI* cmdUI) const;

private:
    QString ChooseProjectFile(bool save) const;
    void ResetProjectTree();
    void GiveFocusBack();

    CServices& m_services;
};
