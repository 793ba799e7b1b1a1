#pragma once

#include <QString>

class CCmdUI;
class CProjectDoc;
class CZentrelApp;

// The project commands of the application: open, save, close and save-as of
// the project, and the project wizard. They act on the one open project
// document and on the Project tree.
class CProjectCommands
{
public:
    explicit CProjectCommands(CZentrelApp& app) : m_app(app) {}

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

    CZentrelApp& m_app;
};
