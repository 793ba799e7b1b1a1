#include "projects/ProjectDoc.h"

#include "files/TypedPath.h"
#include "framework/Archive.h"
#include "framework/MessageBox.h"
#include "framework/Profile.h"
#include "framework/RecentFileList.h"
#include "projects/ProjectFiles.h"
#include "projects/ProjectView.h"
#include "projects/ProjectWizSheet.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int kRecentProjects = 4;

CRecentFileList RecentProjectList()
{
    CRecentFileList list(CProfile::Instance(), kRecentProjects, QStringLiteral("Recent Project List"),
                         QStringLiteral("Project%1"));
    list.ReadList();
    return list;
}
} // namespace

CProjectView* CProjectDoc::ProjectView() const
{
    return dynamic_cast<CProjectView*>(GetFirstView());
}

void CProjectDoc::Serialize(CArchive& ar)
{
    CProjectView* view = ProjectView();
    if (ar.IsStoring()) {
        if (view)
            ar.Bytes() = view->FileBytes();
        return;
    }
    if (view)
        view->SetFileBytes(ar.Bytes());
    emit projectLoaded(ar.GetFilePath());
}

void CProjectDoc::SetPathName(const QString& path, bool addToRecentList)
{
    AddToRecentProjectList(path);
    CDocument::SetPathName(path, addToRecentList);
}

void CProjectDoc::SetModifiedFlag(bool modified)
{
    CDocument::SetModifiedFlag(modified);
    // Saving and loading clear the flag here; the text must agree, or the
    // next keystroke would not mark the project again.
    if (CProjectView* view = ProjectView())
        view->document()->setModified(modified);
}

void CProjectDoc::AddToRecentProjectList(const QString& path)
{
    // Paths are compared as absolute paths, exactly: two names that differ
    // only in case are two files here.
    CRecentFileList list = RecentProjectList();
    list.Add(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

QStringList CProjectDoc::RecentProjects()
{
    return RecentProjectList().Entries();
}

void CProjectDoc::CreateProject(const QString& startDirectory, QWidget* owner, const ProjectOpener& openProject)
{
    emit projectTreeCleared();
    CProjectWizSheet sheet(startDirectory);
    if (sheet.exec() != QDialog::Accepted)
        return;
    CreateProjectFrom(sheet.m_strProjectName, sheet.m_strParentDirectory, sheet.m_strAdditionalFiles,
                      startDirectory, owner, openProject);
}

bool CProjectDoc::CreateProjectFrom(const QString& name, const QString& parentDirectory, const QString& source,
                                    const QString& startDirectory, QWidget* owner, const ProjectOpener& openProject)
{
    QString problem = CProjectFiles::NameProblem(name);
    if (problem.isEmpty() && parentDirectory.trimmed().isEmpty())
        problem = tr("Please choose a parent directory for the project.");
    if (!problem.isEmpty()) {
        ZtMessageBox::Show(problem, QMessageBox::Warning);
        return false;
    }
    // Taken from the start directory, never from the current directory,
    // which follows the folder last picked in a tree.
    const QString parent = QDir::cleanPath(ResolveTypedPath(parentDirectory, startDirectory));
    const QString mainDirectory = CProjectFiles::MainDirectory(parent, name);
    if (!CProjectFiles::EnsureProjectDirectory(mainDirectory)
        || !CProjectFiles::CreateProjectFile(mainDirectory, name)) {
        ZtMessageBox::Show(tr("Create Project failed."), QMessageBox::NoIcon);
        return false;
    }
    openProject(CProjectFiles::ProjectFilePath(mainDirectory, name));
    CProjectFiles::CopyAdditionalFiles(owner, ResolveTypedPath(source, startDirectory), mainDirectory,
                                       [name](bool copied) {
                                           ZtMessageBox::Show(
                                               name + (copied ? QStringLiteral(" project directory successfully created.")
                                                              : QStringLiteral(" project directory copy canceled!")));
                                       });
    return true;
}
