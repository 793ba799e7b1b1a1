#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;

// What the wizard's answers become on disk: the rules that name a project's
// main directory and project file, and the steps that create them. A project
// called Site under /home/ann/Web lives in /home/ann/Web/Site, and its
// project file is /home/ann/Web/Site/Site.ztp.
class CProjectFiles
{
public:
    // The longest name a project can have: the project file's first line,
    // its line end and a terminating NUL fit 256 bytes.
    static constexpr int kMaxNameBytes = 253;

    // The main directory for a project name under parentDirectory.
    static QString MainDirectory(const QString& parentDirectory, const QString& name);
    // The project file inside mainDirectory.
    static QString ProjectFilePath(const QString& mainDirectory, const QString& name);
    // The bytes of a new project file: the name followed by CR CR LF.
    static QByteArray NewFileBytes(const QString& name);
    // The project name a project file's path gives: its file name without
    // the last extension; empty when the name has no dot.
    static QString ProjectNameOf(const QString& projectFile);

    // Why name cannot name a project (it would not be one folder and one
    // file of that folder), or an empty string when it can.
    static QString NameProblem(const QString& name);
    // Why the project file at path cannot be opened as a project: its name
    // differs from its folder's, so the Project tree would show other
    // folders than its own. Empty when it can.
    static QString FolderMismatchProblem(const QString& projectFile);

    // Makes mainDirectory and every missing folder above it; true when it is
    // a folder afterwards.
    static bool EnsureProjectDirectory(const QString& mainDirectory);
    // Writes the new project file into mainDirectory unless one is there;
    // false when it cannot be written (or a folder has its name).
    static bool CreateProjectFile(const QString& mainDirectory, const QString& name);
    // Copies the contents of source (a folder, or one file) into the main
    // directory; done(false) when there is no source (at once) or the copy
    // was cancelled or failed (the copy has said why).
    static void CopyAdditionalFiles(QWidget* owner, const QString& source, const QString& mainDirectory,
                                    const std::function<void(bool copied)>& done);
};
