#include "files/ShellFileOperation.h"

#include "files/FileMoveNotifier.h"
#include "files/LinkTrash.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>
#include <utility>

#include <dirent.h>

namespace {

CShellFileOperation::Factory& InstalledFactory()
{
    static CShellFileOperation::Factory factory;
    return factory;
}

std::filesystem::path NativePath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString NameOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

bool PathPresent(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Files below path (path itself when it is a file): the units the progress
// dialog counts.
int CountFiles(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isDir() || info.isSymLink())
        return 1;
    int count = 0;
    QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

// A free name beside target for the copy in progress, so that target itself
// is only replaced once the copy is complete.
QString PartialName(const QString& target)
{
    for (int n = 0;; ++n) {
        const QString candidate = target + QStringLiteral(".zt-part%1").arg(n);
        if (!PathPresent(candidate))
            return candidate;
    }
}

// A link goes itself, whether or not its target exists; anything else
// the way Qt trashes it.
bool MoveToTrash(const QString& path, QString* error)
{
    if (QFileInfo(path).isSymLink())
        return CLinkTrash::MoveLink(path, error);
    QFile file(path);
    if (file.moveToTrash())
        return true;
    *error = file.errorString();
    return false;
}

// Names in folder that do not survive decoding to a QString and back: Qt's
// directory listing leaves them out, so they are copied by their bytes.
QList<QByteArray> UndecodableNames(const QString& folder)
{
    QList<QByteArray> names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != ".." && QFile::encodeName(QFile::decodeName(name)) != name)
            names << name;
    }
    ::closedir(dir);
    return names;
}

QString Title()
{
    return QStringLiteral("Zentrel");
}

} // namespace

CShellFileOperation::CShellFileOperation(QWidget* owner)
    : m_pOwner(owner)
{
}

CShellFileOperation::~CShellFileOperation()
{
    delete m_pProgress;
}

std::unique_ptr<CShellFileOperation> CShellFileOperation::Create(QWidget* owner)
{
    if (InstalledFactory())
        return InstalledFactory()(owner);
    return std::make_unique<CShellFileOperation>(owner);
}

void CShellFileOperation::SetFactory(Factory factory)
{
    InstalledFactory() = std::move(factory);
}

bool CShellFileOperation::PrepareTrash()
{
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return !dataDir.isEmpty() && QDir().mkpath(dataDir);
}

bool CShellFileOperation::Copy(const QStringList& sources, const QString& destination)
{
    return Transfer(sources, destination, true);
}

bool CShellFileOperation::Move(const QStringList& sources, const QString& destination)
{
    return Transfer(sources, destination, false);
}

QString CShellFileOperation::Verb() const
{
    return m_bCopy ? QStringLiteral("copy") : QStringLiteral("move");
}

bool CShellFileOperation::Fail(const QString& message)
{
    m_strLastError = message;
    ShowError(message);
    return false;
}

bool CShellFileOperation::Transfer(const QStringList& sources, const QString& destination,
                                   bool bCopy)
{
    m_bCopy = bCopy;
    m_bCancelled = false;
    m_bReplaceAll = false;
    m_movedSources.clear();
    m_movedUndecodable.clear();
    if (sources.isEmpty())
        return false;
    if (destination.isEmpty())
        return Fail(QStringLiteral("Cannot %1 the files: no destination was given.").arg(Verb()));

    const QVector<CFileTransfer> transfers =
        CFileOperationPlan::PlanTransfers(sources, destination, bCopy);
    for (const CFileTransfer& transfer : transfers) {
        if (!PathPresent(transfer.m_strSource))
            return Fail(QStringLiteral("Cannot %1 '%2': it does not exist.")
                            .arg(Verb(), transfer.m_strSource));
    }
    const int nested = CFileOperationPlan::FindSelfNesting(transfers);
    if (nested >= 0)
        return Fail(QStringLiteral("Cannot %1 '%2': the destination folder is inside the "
                                   "source folder.")
                        .arg(Verb(), NameOf(transfers.at(nested).m_strSource)));
    return RunTransfers(transfers, bCopy,
                        bCopy ? QStringLiteral("Copying...") : QStringLiteral("Moving..."));
}

bool CShellFileOperation::RunTransfers(const QVector<CFileTransfer>& transfers, bool bCopy,
                                       const QString& title)
{
    m_bCopy = bCopy;
    m_nDone = 0;
    int total = 0;
    for (const CFileTransfer& transfer : transfers)
        total += CountFiles(transfer.m_strSource);

    BeginProgress(title, total);
    bool bOk = true;
    for (const CFileTransfer& transfer : transfers) {
        const QString folder = QFileInfo(transfer.m_strTarget).path();
        if (!QDir().mkpath(folder)) {
            bOk = Fail(QStringLiteral("Cannot create the folder '%1'.").arg(folder));
            break;
        }
        if (!TransferItem(transfer.m_strSource, transfer.m_strTarget, bCopy)) {
            bOk = false;
            break;
        }
    }
    if (bOk && !bCopy)
        bOk = RemoveMovedSources();
    EndProgress();
    if (!bCopy)
        ReportMoves();
    return bOk;
}

void CShellFileOperation::ReportMoves()
{
    // Only what really went: after a No, a failure or a cancel the source
    // may still be where it was, and then nothing moved.
    const auto moves = std::exchange(m_moves, {});
    for (const auto& [source, target] : moves) {
        if (!PathPresent(source) && PathPresent(target))
            CFileMoveNotifier::Instance()->ReportMoved(source, target);
    }
}

CShellFileOperation::EAnswer CShellFileOperation::AskConflict(EQuestion question,
                                                              const QString& target)
{
    if (m_bReplaceAll)
        return EAnswer::Yes;
    const QString text =
        question == EQuestion::ReplaceFile
            ? QStringLiteral("This folder already contains a file named '%1'.\n\n"
                             "Would you like to replace the existing file?")
                  .arg(NameOf(target))
            : QStringLiteral("This folder already contains a folder named '%1'.\n\n"
                             "Files in it with the same names as files in the folder you "
                             "%2 will be replaced. Do you still want to %2 the folder?")
                  .arg(NameOf(target), Verb());
    const EAnswer answer = Confirm(question, text);
    if (answer == EAnswer::YesToAll)
        m_bReplaceAll = true;
    if (answer == EAnswer::Cancel)
        m_bCancelled = true;
    return answer;
}

bool CShellFileOperation::TransferItem(const QString& source, const QString& target, bool bCopy)
{
    const QFileInfo sourceInfo(source);
    const QFileInfo targetInfo(target);
    const bool bSourceFolder = sourceInfo.isDir() && !sourceInfo.isSymLink();
    const bool bTargetFolder = targetInfo.isDir() && !targetInfo.isSymLink();
    if (!bCopy)
        m_moves.append({source, target});

    if (PathPresent(target)) {
        if (bSourceFolder != bTargetFolder)
            return Fail(QStringLiteral("Cannot %1 '%2': a %3 with that name already exists "
                                       "in the destination.")
                            .arg(Verb(), NameOf(source),
                                 bTargetFolder ? QStringLiteral("folder")
                                               : QStringLiteral("file")));
        const EAnswer answer =
            AskConflict(bSourceFolder ? EQuestion::MergeFolder : EQuestion::ReplaceFile, target);
        if (answer == EAnswer::Cancel)
            return false;
        if (answer == EAnswer::No) {
            m_nDone += CountFiles(source);
            return true;
        }
        // An existing folder is merged into, file by file.
        if (bSourceFolder)
            return CopyFolder(source, target);
    }
    if (!bCopy)
        return MoveItem(source, target);
    if (bSourceFolder)
        return CopyFolder(source, target);
    return sourceInfo.isSymLink() ? CopyLink(source, target) : CopyFile(source, target);
}

bool CShellFileOperation::MoveItem(const QString& source, const QString& target)
{
    const int files = CountFiles(source);
    std::error_code error;
    std::filesystem::rename(NativePath(source), NativePath(target), error);
    if (!error) {
        m_nDone += files - 1;
        return CountStep(source);
    }
    // Another file system: copy everything, then remove the originals once
    // the whole copy has succeeded.
    if (error == std::errc::cross_device_link) {
        const QFileInfo info(source);
        if (info.isDir() && !info.isSymLink())
            return CopyFolder(source, target);
        return info.isSymLink() ? CopyLink(source, target) : CopyFile(source, target);
    }
    return Fail(QStringLiteral("Cannot move '%1' to '%2':\n%3")
                    .arg(NameOf(source), QFileInfo(target).path(),
                         QString::fromStdString(error.message())));
}

bool CShellFileOperation::CopyFolder(const QString& source, const QString& target)
{
    const bool bCreated = !QFileInfo(target).isDir();
    if (bCreated && !QDir().mkdir(target))
        return Fail(QStringLiteral("Cannot %1 '%2': the folder '%3' cannot be created.")
                        .arg(Verb(), NameOf(source), target));

    const QStringList names = QDir(source).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (!TransferItem(source + QLatin1Char('/') + name, target + QLatin1Char('/') + name,
                          m_bCopy))
            return false;
    }
    for (const QByteArray& name : UndecodableNames(source)) {
        if (!CopyUndecodable(source, target, name))
            return false;
    }
    if (bCreated)
        QFile::setPermissions(target, QFile::permissions(source));
    if (!m_bCopy)
        m_movedSources << source;
    return true;
}

bool CShellFileOperation::CopyFile(const QString& source, const QString& target)
{
    if (!CountStep(source))
        return false;
    const QString partial = PartialName(target);
    QFile sourceFile(source);
    if (!sourceFile.copy(partial)) {
        QFile::remove(partial);
        return Fail(QStringLiteral("Cannot %1 '%2' to '%3':\n%4")
                        .arg(Verb(), NameOf(source), QFileInfo(target).path(),
                             sourceFile.errorString()));
    }
    std::error_code error;
    std::filesystem::rename(NativePath(partial), NativePath(target), error);
    if (error) {
        QFile::remove(partial);
        return Fail(QStringLiteral("Cannot %1 '%2' to '%3':\n%4")
                        .arg(Verb(), NameOf(source), QFileInfo(target).path(),
                             QString::fromStdString(error.message())));
    }
    // Keep the original's time stamp, as a file manager's copy does.
    const auto modified = std::filesystem::last_write_time(NativePath(source), error);
    if (!error)
        std::filesystem::last_write_time(NativePath(target), modified, error);
    if (!m_bCopy)
        m_movedSources << source;
    return true;
}

bool CShellFileOperation::CopyUndecodable(const QString& sourceFolder, const QString& targetFolder,
                                          const QByteArray& name)
{
    const std::filesystem::path source = NativePath(sourceFolder) / name.toStdString();
    const std::filesystem::path target = NativePath(targetFolder) / name.toStdString();
    const QString shownSource = sourceFolder + QLatin1Char('/') + QFile::decodeName(name);
    if (!CountStep(shownSource))
        return false;
    std::error_code error;
    const bool bFolder = std::filesystem::is_directory(std::filesystem::symlink_status(source, error));
    auto options = std::filesystem::copy_options::recursive | std::filesystem::copy_options::copy_symlinks;
    if (std::filesystem::exists(std::filesystem::symlink_status(target, error))) {
        const EAnswer answer = AskConflict(bFolder ? EQuestion::MergeFolder : EQuestion::ReplaceFile,
                                           targetFolder + QLatin1Char('/') + QFile::decodeName(name));
        if (answer == EAnswer::Cancel)
            return false;
        if (answer == EAnswer::No)
            return true;
        options |= std::filesystem::copy_options::overwrite_existing;
    }
    std::filesystem::copy(source, target, options, error);
    if (error)
        return Fail(QStringLiteral("Cannot %1 '%2' to '%3':\n%4")
                        .arg(Verb(), NameOf(shownSource), targetFolder,
                             QString::fromStdString(error.message())));
    if (!m_bCopy)
        m_movedUndecodable << QByteArray::fromStdString(source.string());
    return true;
}

bool CShellFileOperation::CopyLink(const QString& source, const QString& target)
{
    if (!CountStep(source))
        return false;
    std::error_code error;
    const std::filesystem::path linkTarget = std::filesystem::read_symlink(NativePath(source), error);
    if (!error) {
        std::filesystem::remove(NativePath(target), error);
        std::filesystem::create_symlink(linkTarget, NativePath(target), error);
    }
    if (error)
        return Fail(QStringLiteral("Cannot %1 the link '%2':\n%3")
                        .arg(Verb(), NameOf(source), QString::fromStdString(error.message())));
    if (!m_bCopy)
        m_movedSources << source;
    return true;
}

bool CShellFileOperation::RemoveMovedSources()
{
    // Entries copied by their bytes lie inside recorded folders: they go
    // first.
    for (const QByteArray& path : std::as_const(m_movedUndecodable)) {
        std::error_code error;
        std::filesystem::remove_all(path.toStdString(), error);
        if (error)
            return Fail(QStringLiteral("'%1' was copied, but the original cannot be removed.")
                            .arg(QFile::decodeName(path)));
    }
    m_movedUndecodable.clear();
    // Folders were recorded after their contents, so this order empties a
    // folder before removing it. A folder still holding an entry the user
    // chose not to move stays.
    for (const QString& path : std::as_const(m_movedSources)) {
        const QFileInfo info(path);
        if (info.isDir() && !info.isSymLink()) {
            QDir().rmdir(path);
        } else if (!QFile::remove(path)) {
            return Fail(QStringLiteral("'%1' was copied, but the original cannot be removed.")
                            .arg(path));
        }
    }
    m_movedSources.clear();
    return true;
}

bool CShellFileOperation::CountStep(const QString& path)
{
    ++m_nDone;
    if (StepProgress(m_nDone, path))
        return true;
    m_bCancelled = true;
    return false;
}

bool CShellFileOperation::Rename(const QString& from, const QString& to)
{
    m_bCancelled = false;
    m_bReplaceAll = false;
    m_movedSources.clear();
    m_movedUndecodable.clear();
    const QVector<CFileTransfer> transfers = CFileOperationPlan::PlanRename(from, to);
    if (transfers.isEmpty())
        return Fail(QStringLiteral("Cannot rename '%1': no such file or folder.").arg(from));
    for (const CFileTransfer& transfer : transfers) {
        if (!PathPresent(transfer.m_strSource))
            return Fail(QStringLiteral("Cannot rename '%1': it does not exist.")
                            .arg(transfer.m_strSource));
        if (PathPresent(transfer.m_strTarget))
            return Fail(QStringLiteral("Cannot rename '%1': a file or folder named '%2' "
                                       "already exists.")
                            .arg(NameOf(transfer.m_strSource), NameOf(transfer.m_strTarget)));
    }
    if (CFileOperationPlan::FindSelfNesting(transfers) >= 0)
        return Fail(QStringLiteral("Cannot rename '%1': a folder cannot be moved into itself.")
                        .arg(from));
    return RunTransfers(transfers, false, QStringLiteral("Renaming..."));
}

bool CShellFileOperation::Delete(const QStringList& paths, bool bConfirm)
{
    m_bCancelled = false;
    const QStringList items = CFileOperationPlan::ExpandSources(paths);
    if (items.isEmpty())
        return false;
    for (const QString& item : items) {
        if (!PathPresent(item))
            return Fail(QStringLiteral("Cannot delete '%1': it does not exist.").arg(item));
    }
    if (bConfirm) {
        const QString text =
            items.size() == 1
                ? QStringLiteral("Are you sure you want to move '%1' to the Trash?")
                      .arg(NameOf(items.first()))
                : QStringLiteral("Are you sure you want to move these %1 items to the Trash?")
                      .arg(items.size());
        const EAnswer answer = Confirm(EQuestion::Delete, text);
        if (answer != EAnswer::Yes && answer != EAnswer::YesToAll) {
            m_bCancelled = true;
            return false;
        }
    }
    PrepareTrash();
    BeginProgress(QStringLiteral("Moving to Trash..."), int(items.size()));
    m_nDone = 0;
    bool bOk = true;
    for (const QString& item : items) {
        if (!CountStep(item)) {
            bOk = false;
            break;
        }
        QString error;
        if (!MoveToTrash(item, &error)) {
            bOk = Fail(QStringLiteral("Cannot move '%1' to the Trash:\n%2").arg(NameOf(item), error));
            break;
        }
    }
    EndProgress();
    return bOk;
}

CShellFileOperation::EAnswer CShellFileOperation::Confirm(EQuestion question, const QString& text)
{
    if (question == EQuestion::Delete) {
        const auto button = QMessageBox::question(Owner(), QStringLiteral("Confirm Delete"), text,
                                                  QMessageBox::Yes | QMessageBox::No,
                                                  QMessageBox::Yes);
        return button == QMessageBox::Yes ? EAnswer::Yes : EAnswer::No;
    }
    const QString title = question == EQuestion::ReplaceFile
                              ? QStringLiteral("Confirm File Replace")
                              : QStringLiteral("Confirm Folder Replace");
    const auto button = QMessageBox::question(
        Owner(), title, text,
        QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Yes);
    switch (button) {
    case QMessageBox::Yes:
        return EAnswer::Yes;
    case QMessageBox::YesToAll:
        return EAnswer::YesToAll;
    case QMessageBox::No:
        return EAnswer::No;
    default:
        return EAnswer::Cancel;
    }
}

void CShellFileOperation::ShowError(const QString& message)
{
    QMessageBox::warning(Owner(), Title(), message);
}

void CShellFileOperation::BeginProgress(const QString& title, int total)
{
    delete m_pProgress;
    m_pProgress = new QProgressDialog(title, QStringLiteral("Cancel"), 0, qMax(total, 1), Owner());
    m_pProgress->setWindowTitle(Title());
    m_pProgress->setWindowModality(Qt::WindowModal);
    // Short operations finish before the dialog would appear.
    m_pProgress->setMinimumDuration(500);
    m_pProgress->setAutoReset(false);
}

bool CShellFileOperation::StepProgress(int done, const QString& path)
{
    if (!m_pProgress)
        return true;
    m_pProgress->setLabelText(NameOf(path));
    m_pProgress->setValue(qMin(done, m_pProgress->maximum()));
    return !m_pProgress->wasCanceled();
}

void CShellFileOperation::EndProgress()
{
    delete m_pProgress;
    m_pProgress = nullptr;
}
