#include "files/FileOperationJob.h"

#include "files/LinkTrash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include <dirent.h>

namespace {

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

bool IsRealFolder(const QFileInfo& info)
{
    return info.isDir() && !info.isSymLink();
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

constexpr QDir::Filters kEntries = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

} // namespace

CFileOperationJob::CFileOperationJob(CHost* host, bool bCopy)
    : m_pHost(host)
    , m_bCopy(bCopy)
{
}

QString CFileOperationJob::Verb() const
{
    return m_bCopy ? QStringLiteral("copy") : QStringLiteral("move");
}

bool CFileOperationJob::Fail(const QString& message)
{
    m_strError = message;
    return false;
}

int CFileOperationJob::CountTree(const QString& path)
{
    const auto known = m_counts.constFind(path);
    if (known != m_counts.constEnd())
        return *known;
    if (!IsRealFolder(QFileInfo(path)))
        return 1;
    int count = 0;
    for (const QFileInfo& entry : QDir(path).entryInfoList(kEntries, QDir::NoSort))
        count += IsRealFolder(entry) ? CountTree(entry.filePath()) : 1;
    m_counts.insert(path, count);
    return count;
}

void CFileOperationJob::ExpandUnits(const QString& path)
{
    // A folder inside one already counted was part of that count.
    if (!m_bCopy && !m_counts.contains(path))
        m_nTotal += CountTree(path) - 1;
}

bool CFileOperationJob::CountStep(const QString& path)
{
    ++m_nDone;
    if (m_pHost->Step(m_nDone, m_nTotal, path))
        return true;
    m_bCancelled = true;
    return false;
}

bool CFileOperationJob::RunTransfers(const QVector<CFileTransfer>& transfers)
{
    // A copy counts its files first; a move counts only what cannot go by a
    // plain rename, when it finds out.
    m_nTotal = 0;
    for (const CFileTransfer& transfer : transfers)
        m_nTotal += m_bCopy ? CountTree(transfer.m_strSource) : 1;
    for (const CFileTransfer& transfer : transfers) {
        if (m_pHost->IsCancelled()) {
            m_bCancelled = true;
            return false;
        }
        const QString folder = QFileInfo(transfer.m_strTarget).path();
        if (!QDir().mkpath(folder))
            return Fail(QStringLiteral("Cannot create the folder '%1'.").arg(folder));
        if (!TransferItem(transfer.m_strSource, transfer.m_strTarget))
            return false;
    }
    return m_bCopy || RemoveMovedSources();
}

EFileAnswer CFileOperationJob::AskConflict(EFileQuestion question, const QString& target)
{
    if (m_bReplaceAll)
        return EFileAnswer::Yes;
    const QString text =
        question == EFileQuestion::ReplaceFile
            ? QStringLiteral("This folder already contains a file named '%1'.\n\n"
                             "Would you like to replace the existing file?")
                  .arg(NameOf(target))
            : QStringLiteral("This folder already contains a folder named '%1'.\n\n"
                             "Files in it with the same names as files in the folder you "
                             "%2 will be replaced. Do you still want to %2 the folder?")
                  .arg(NameOf(target), Verb());
    const EFileAnswer answer = m_pHost->Ask(question, text);
    if (answer == EFileAnswer::YesToAll)
        m_bReplaceAll = true;
    if (answer == EFileAnswer::Cancel)
        m_bCancelled = true;
    return answer;
}

bool CFileOperationJob::TransferItem(const QString& source, const QString& target)
{
    const QFileInfo sourceInfo(source);
    const bool bSourceFolder = IsRealFolder(sourceInfo);
    if (!m_bCopy)
        m_moves.append({source, target});

    if (PathPresent(target)) {
        const bool bTargetFolder = IsRealFolder(QFileInfo(target));
        if (bSourceFolder != bTargetFolder)
            return Fail(QStringLiteral("Cannot %1 '%2': a %3 with that name already exists "
                                       "in the destination.")
                            .arg(Verb(), NameOf(source),
                                 bTargetFolder ? QStringLiteral("folder") : QStringLiteral("file")));
        const EFileAnswer answer =
            AskConflict(bSourceFolder ? EFileQuestion::MergeFolder : EFileQuestion::ReplaceFile, target);
        if (answer == EFileAnswer::Cancel)
            return false;
        if (answer == EFileAnswer::No) {
            m_nDone += Units(source);
            return true;
        }
        // An existing folder is merged into, entry by entry.
        if (bSourceFolder) {
            ExpandUnits(source);
            return CopyFolder(source, target);
        }
    }
    if (!m_bCopy)
        return MoveItem(source, target);
    if (bSourceFolder)
        return CopyFolder(source, target);
    return sourceInfo.isSymLink() ? CopyLink(source, target) : CopyFile(source, target);
}

bool CFileOperationJob::MoveItem(const QString& source, const QString& target)
{
    std::error_code error;
    std::filesystem::rename(NativePath(source), NativePath(target), error);
    if (!error) {
        m_nDone += Units(source) - 1;
        return CountStep(source);
    }
    // Another file system: copy everything, then remove the originals once
    // the whole copy has succeeded.
    if (error == std::errc::cross_device_link) {
        const QFileInfo info(source);
        if (IsRealFolder(info)) {
            ExpandUnits(source);
            return CopyFolder(source, target);
        }
        return info.isSymLink() ? CopyLink(source, target) : CopyFile(source, target);
    }
    return Fail(QStringLiteral("Cannot move '%1' to '%2':\n%3")
                    .arg(NameOf(source), QFileInfo(target).path(), QString::fromStdString(error.message())));
}

bool CFileOperationJob::CopyFolder(const QString& source, const QString& target)
{
    const bool bCreated = !QFileInfo(target).isDir();
    if (bCreated && !QDir().mkdir(target))
        return Fail(QStringLiteral("Cannot %1 '%2': the folder '%3' cannot be created.")
                        .arg(Verb(), NameOf(source), target));

    const QStringList names = QDir(source).entryList(kEntries, QDir::Name);
    for (const QString& name : names) {
        if (!TransferItem(source + QLatin1Char('/') + name, target + QLatin1Char('/') + name))
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

bool CFileOperationJob::CopyBytes(const QString& source, const QString& partial, QString* error)
{
    QFile in(source);
    QFile out(partial);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return false;
    }
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *error = out.errorString();
        return false;
    }
    for (;;) {
        const QByteArray block = in.read(kBlockBytes);
        if (block.isEmpty())
            break;
        if (out.write(block) != block.size()) {
            *error = out.errorString();
            return false;
        }
        if (m_pHost->IsCancelled()) {
            m_bCancelled = true;
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        *error = in.errorString();
        return false;
    }
    out.setPermissions(in.permissions());
    // A full disk may only show when the last bytes go out.
    if (!out.flush()) {
        *error = out.errorString();
        return false;
    }
    out.close();
    if (out.error() != QFileDevice::NoError) {
        *error = out.errorString();
        return false;
    }
    return true;
}

bool CFileOperationJob::CopyFile(const QString& source, const QString& target)
{
    if (!CountStep(source))
        return false;
    std::error_code statusError;
    if (!std::filesystem::is_regular_file(std::filesystem::status(NativePath(source), statusError))) {
        m_skipped << source;
        return true;
    }
    const QString partial = PartialName(target);
    QString reason;
    if (!CopyBytes(source, partial, &reason)) {
        QFile::remove(partial);
        if (m_bCancelled)
            return false;
        return Fail(QStringLiteral("Cannot %1 '%2' to '%3':\n%4")
                        .arg(Verb(), NameOf(source), QFileInfo(target).path(), reason));
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

bool CFileOperationJob::CopyUndecodable(const QString& sourceFolder, const QString& targetFolder,
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
        const EFileAnswer answer = AskConflict(bFolder ? EFileQuestion::MergeFolder : EFileQuestion::ReplaceFile,
                                               targetFolder + QLatin1Char('/') + QFile::decodeName(name));
        if (answer == EFileAnswer::Cancel)
            return false;
        if (answer == EFileAnswer::No)
            return true;
        options |= std::filesystem::copy_options::overwrite_existing;
    }
    std::filesystem::copy(source, target, options, error);
    if (error)
        return Fail(QStringLiteral("Cannot %1 '%2' to '%3':\n%4")
                        .arg(Verb(), NameOf(shownSource), targetFolder, QString::fromStdString(error.message())));
    if (!m_bCopy)
        m_movedUndecodable << QByteArray::fromStdString(source.string());
    return true;
}

bool CFileOperationJob::CopyLink(const QString& source, const QString& target)
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

bool CFileOperationJob::RemoveMovedSources()
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
        if (IsRealFolder(QFileInfo(path))) {
            QDir().rmdir(path);
        } else if (!QFile::remove(path)) {
            return Fail(QStringLiteral("'%1' was copied, but the original cannot be removed.").arg(path));
        }
    }
    m_movedSources.clear();
    return true;
}

bool CFileOperationJob::RunDelete(const QStringList& items)
{
    m_nTotal = int(items.size());
    for (const QString& item : items) {
        if (!CountStep(item))
            return false;
        QString error;
        if (!MoveToTrash(item, &error))
            return Fail(QStringLiteral("Cannot move '%1' to the Trash:\n%2").arg(NameOf(item), error));
    }
    return true;
}
