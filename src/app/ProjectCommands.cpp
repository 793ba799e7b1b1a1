#include "app/ProjectCommands.h"

#include "app/MainFrame.h"
#include "files/FileName.h"
#include "files/FileOperationPlan.h"
#include "files/ShellFileOperation.h"
#include "framework/CmdUI.h"
#include "framework/DocTemplate.h"
#include "framework/MessageBox.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectDoc.h"
#include "projects/ProjectFiles.h"
#include "projects/ProjectTreeCtrl.h"
#include "framework/KeysBack.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {
const QString kProjectFilter = QStringLiteral(".ztp Files (*.ztp *.ZTP)");
} // namespace

CProjectDoc* CProjectCommands::OpenProjectDoc() const
{
    CDocTemplate* projects = m_services.ProjectTemplate();
    return projects ? qobject_cast<CProjectDoc*>(projects->FirstDocument()) : nullptr;
}

QString CProjectCommands::ProjectsFolder() const
{
    return m_services.StartDirectory() + QStringLiteral("/Projects");
}

QString CProjectCommands::ChooseProjectFile(bool save) const
{
    // The dialogs start in the Projects folder, or where the program
    // started when there is none yet.
    const QString folder = QFileInfo(ProjectsFolder()).isDir() ? ProjectsFolder() : m_services.StartDirectory();
    QDir::setCurrent(folder);
    QWidget* owner = m_services.GetMainFrame();
    if (!save)
        return QFileDialog::getOpenFileName(owner, QObject::tr("Open"), folder, kProjectFilter);
    QFileDialog dialog(owner, QObject::tr("Save As"), folder, kProjectFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("ztp"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void CProjectCommands::OnProjectOpen()
{
    const QString path = ChooseProjectFile(false);
    if (!path.isEmpty())
        m_services.OpenProject(path);
    GiveFocusBack();
}

void CProjectCommands::OnProjectSave()
{
    CProjectDoc* project = OpenProjectDoc();
    if (!project)
        return;
    if (project->GetPathName().isEmpty())
        project->DoFileSave();
    else
        project->OnSaveDocument(project->GetPathName());
    ZtMessageBox::Show(QObject::tr("Project save complete."));
}

void CProjectCommands::OnProjectClose()
{
    if (CProjectDoc* project = OpenProjectDoc()) {
        project->SaveModified(); // closed whatever the answer
        project->OnCloseDocument();
    }
    m_services.WriteProfileString(QStringLiteral("Startup"), QStringLiteral("ProjectOnExit"), QStringLiteral("no"));
    ResetProjectTree();
}

void CProjectCommands::ResetProjectTree()
{
    CMainFrame* frame = m_services.GetMainFrame();
    if (frame && frame->ProjectBar())
        frame->ProjectBar()->ProjectTree()->ShowNoProject();
}

void CProjectCommands::OnProjectSaveAs()
{
    if (CProjectDoc* project = OpenProjectDoc())
        project->OnCloseDocument();
    const QString path = ChooseProjectFile(true);
    if (!path.isEmpty())
        SaveAsTo(path);
    GiveFocusBack();
}

void CProjectCommands::SaveAsTo(const QString& chosenPath)
{
    const QString chosen = QDir::cleanPath(QFileInfo(chosenPath).absoluteFilePath());
    const qsizetype dot = chosen.lastIndexOf(QLatin1Char('.'));
    const QString newMain = dot > chosen.lastIndexOf(QLatin1Char('/')) ? chosen.left(dot) : chosen;
    const QString newName = QFileInfo(newMain).fileName();
    const QString oldProject = m_services.ProjectPath();
    const QString oldMain = QFileInfo(oldProject).absolutePath();
    const QString oldFileName = QFileInfo(oldProject).fileName();
    const CFileName files;
    if (oldProject.isEmpty() || !ZtFileName::IsFile(oldProject)) {
        ZtMessageBox::Show(QObject::tr("There is no project file to copy: %1").arg(oldProject), QMessageBox::Warning);
        return;
    }
    // A copy inside the project's own folder would copy itself without end.
    if (CFileOperationPlan::IsSameOrInside(newMain, oldMain)) {
        ZtMessageBox::Show(QObject::tr("A project cannot be copied into its own folder %1.").arg(oldMain),
                           QMessageBox::Warning);
        return;
    }
    const QString nameProblem = CProjectFiles::NameProblem(newName);
    if (!nameProblem.isEmpty()) {
        ZtMessageBox::Show(nameProblem, QMessageBox::Warning);
        return;
    }
    if (!ZtFileName::CreateNewDirectory(newMain)) {
        ZtMessageBox::Show(QObject::tr("OOOPs"), QMessageBox::NoIcon);
        return;
    }
    QWidget* owner = m_services.GetMainFrame();
    const QString newProject = newMain + QLatin1Char('/') + newName + QStringLiteral(".ztp");
    const QString copiedProject = newMain + QLatin1Char('/') + oldFileName;
    CShellFileOperation* copy = files.ShellCopyFiles(owner, {oldMain + QStringLiteral("/*.*")}, newMain + QLatin1Char('/'));
    QObject::connect(copy, &CShellFileOperation::finished, copy, [this, owner, copiedProject, newProject] {
        // A copy under the same name in another folder already has its
        // file's name; renaming a file onto itself would only be refused.
        if (copiedProject == newProject)
            return OpenCopiedProject(newProject);
        CShellFileOperation* rename = CFileName().ShellRenameFiles(owner, copiedProject, newProject);
        QObject::connect(rename, &CShellFileOperation::finished, rename,
                         [this, newProject] { OpenCopiedProject(newProject); });
    });
}

void CProjectCommands::OpenCopiedProject(const QString& newProject)
{
    m_services.OpenProject(newProject);
    CProjectDoc* project = OpenProjectDoc();
    if (project && project->GetPathName() == newProject) {
        project->SetModifiedFlag(true);
        project->OnSaveDocument(newProject);
    }
}

void CProjectCommands::OnProjectWizard()
{
    CProjectDoc* project = OpenProjectDoc();
    if (!project)
        project = qobject_cast<CProjectDoc*>(m_services.ProjectTemplate()->OpenDocumentFile(QString()));
    if (!project)
        return;
    CServices& services = m_services;
    project->CreateProject(m_services.StartDirectory(), m_services.GetMainFrame(),
                           [&services](const QString& path) { services.OpenProject(path); });
    GiveFocusBack();
}

void CProjectCommands::GiveFocusBack()
{
    // Without a window manager the main window is not reactivated when a
    // dialog closes, and the next keys would go nowhere.
    ZtGiveKeysBack(m_services.GetMainFrame());
}

void CProjectCommands::OnUpdateProjectSave(CCmdUI* cmdUI) const
{
    CProjectDoc* project = OpenProjectDoc();
    cmdUI->Enable(project && project->IsModified());
}

void CProjectCommands::OnUpdateProjectOpen(CCmdUI* cmdUI) const
{
    cmdUI->Enable(OpenProjectDoc() != nullptr);
}
