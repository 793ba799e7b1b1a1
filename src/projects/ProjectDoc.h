#pragma once

#include "framework/Document.h"

#include <functional>

class CProjectView;
class QWidget;

// An open web project: the project file, whose note shows in the project
// window (a hidden child frame), while the Project bar shows the main
// directory. Loading announces the project file with projectLoaded, so the
// Project tree can show it; every open also puts the file at the top of the
// recent project list.
class CProjectDoc : public CDocument
{
    Q_OBJECT
public:
    // Opens the project file at a path; whoever runs the project commands.
    using ProjectOpener = std::function<void(const QString& projectFile)>;

    void Serialize(CArchive& ar) override;
    void SetPathName(const QString& path, bool addToRecentList = true) override;
    void SetModifiedFlag(bool modified = true) override;

    CProjectView* ProjectView() const;

    // Runs the project wizard and creates the project it describes, opening
    // it with openProject. The wizard starts in startDirectory + "/Projects".
    void CreateProject(const QString& startDirectory, QWidget* owner, const ProjectOpener& openProject);
    // The steps after the wizard: makes the main directory and the project
    // file, opens the project, copies the additional files and says how it
    // went. False when nothing was opened. The parent directory and the
    // source are as typed: "~" is the home folder, and a relative path
    // starts in startDirectory.
    static bool CreateProjectFrom(const QString& name, const QString& parentDirectory, const QString& source,
                                  const QString& startDirectory, QWidget* owner, const ProjectOpener& openProject);

    // The recent project list: "Recent Project List", "Project1".."Project4".
    static void AddToRecentProjectList(const QString& path);
    static QStringList RecentProjects();

signals:
    // The project file at path was loaded: the tree shows its main directory.
    void projectLoaded(const QString& projectFile);
    // A new project is being made: the tree empties.
    void projectTreeCleared();
};
