#include "projects/ProjectFiles.h"

#include "files/FileName.h"
#include "files/PathParts.h"
#include "files/ShellFileOperation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <climits>

namespace {
QString Tr(const char* text)
{
    return QCoreApplication::translate("CProjectFiles", text);
}
} // namespace

QString CProjectFiles::MainDirectory(const QString& parentDirectory, const QString& name)
{
    return parentDirectory + QLatin1Char('/') + name;
}

QString CProjectFiles::ProjectFilePath(const QString& mainDirectory, const QString& name)
{
    return mainDirectory + QLatin1Char('/') + name + QStringLiteral(".ztp");
}

QByteArray CProjectFiles::NewFileBytes(const QString& name)
{
    return name.toUtf8() + QByteArrayLiteral("\r\r\n");
}

QString CProjectFiles::ProjectNameOf(const QString& projectFile)
{
    const QString fileName = ZtPath::NameOf(projectFile);
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.left(dot);
}

QString CProjectFiles::NameProblem(const QString& name)
{
    if (name.isEmpty())
        return Tr("Please give the project a name.");
    if (name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
        return Tr("A project name cannot hold a \"/\" or a NUL character.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return Tr("\"%1\" cannot be a project name.").arg(name);
    // The project file's name, name + ".ztp", must fit a file name as well.
    const int maxBytes = qMin(kMaxNameBytes, int(NAME_MAX) - 4);
    if (name.toUtf8().size() > maxBytes)
        return Tr("The project name is too long: it can have at most %1 characters.").arg(maxBytes);
    return QString();
}

QString CProjectFiles::FolderMismatchProblem(const QString& projectFile)
{
    const QString name = ProjectNameOf(projectFile);
    const QString folder = QFileInfo(QFileInfo(projectFile).absolutePath()).fileName();
    if (name == folder)
        return QString();
    return Tr("The project file %1 is not named after its folder %2.\n"
              "Rename it to %2.ztp, or move it into a folder called %3, and open it again.")
        .arg(QFileInfo(projectFile).fileName(), folder, name);
}

bool CProjectFiles::EnsureProjectDirectory(const QString& mainDirectory)
{
    return ZtFileName::IsFolder(mainDirectory) || ZtFileName::ChainCreateDirectory(mainDirectory);
}

bool CProjectFiles::CreateProjectFile(const QString& mainDirectory, const QString& name)
{
    const QString path = ProjectFilePath(mainDirectory, name);
    if (ZtFileName::IsFile(path))
        return true;
    // NewOnly: a file or folder that appeared meanwhile is never written over.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const QByteArray bytes = NewFileBytes(name);
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        QFile::remove(path);
        return false;
    }
    return true;
}

void CProjectFiles::CopyAdditionalFiles(QWidget* owner, const QString& source, const QString& mainDirectory,
                                        const std::function<void(bool copied)>& done)
{
    if (source.trimmed().isEmpty())
        return done(false);
    const QString from = ZtFileName::IsFolder(source) ? QDir::cleanPath(source) + QStringLiteral("/*.*") : source;
    CShellFileOperation* job = CFileName().ShellCopyFiles(owner, {from}, mainDirectory + QLatin1Char('/'));
    QObject::connect(job, &CShellFileOperation::finished, job, done);
}
