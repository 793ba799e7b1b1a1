#include "framework/RecoveryFolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
const QString kJournalSuffix = QStringLiteral(".ztj");

bool IsSessionName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d+-\\d+$"));
    return pattern.match(name).hasMatch();
}
} // namespace

CRecoveryFolder::CRecoveryFolder(const QString& root) : m_strRoot(root.isEmpty() ? DefaultRoot() : root)
{
}

CRecoveryFolder::~CRecoveryFolder()
{
    ReleaseOrphans();
    if (m_ownLock) {
        // A process that ends normally has closed (and so unjournaled) its
        // documents: an empty session leaves nothing behind.
        QDir(m_strSession).rmdir(m_strSession);
        m_ownLock->unlock();
    }
}

QString CRecoveryFolder::DefaultRoot()
{
    QString state = QFile::decodeName(qgetenv("XDG_STATE_HOME"));
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Zentrel/recovery");
}

bool CRecoveryFolder::IsUsableFolder(const QString& folder) const
{
    const QFileInfo info(folder);
    return !info.isSymLink() && info.isDir() && info.isWritable();
}

bool CRecoveryFolder::Open()
{
    if (m_ownLock)
        return true;
    // A link in place of the folder could send the journals, and later their
    // removal, anywhere: it is refused, not followed.
    const QFileInfo root(m_strRoot);
    if (root.isSymLink() || QFileInfo(root.absolutePath()).isSymLink()) {
        m_strProblem = QObject::tr("%1 is a symbolic link.").arg(m_strRoot);
        return false;
    }
    if (!QDir().mkpath(m_strRoot) || !IsUsableFolder(m_strRoot)) {
        m_strProblem = QObject::tr("%1 cannot be written.").arg(m_strRoot);
        return false;
    }
    QFile::setPermissions(m_strRoot, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString name = QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid())
                             .arg(QDateTime::currentMSecsSinceEpoch());
    auto lock = std::make_unique<QLockFile>(m_strRoot + QLatin1Char('/') + name + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    const QString session = m_strRoot + QLatin1Char('/') + name;
    if (!lock->tryLock(0) || !QDir().mkdir(session)) {
        m_strProblem = QObject::tr("%1 cannot be written.").arg(m_strRoot);
        return false;
    }
    m_strSession = session;
    m_ownLock = std::move(lock);
    return true;
}

QList<CJournalRecord> CRecoveryFolder::ClaimOrphans()
{
    QList<CJournalRecord> records;
    if (!IsUsableFolder(m_strRoot))
        return records;
    const QFileInfoList sessions = QDir(m_strRoot).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                                                                 QDir::Name);
    for (const QFileInfo& session : sessions) {
        const QString folder = session.absoluteFilePath();
        if (!IsSessionName(session.fileName()) || folder == m_strSession || m_orphanFolders.contains(folder))
            continue;
        // No age limit: only a process that is gone gives up its lock.
        auto lock = std::make_shared<QLockFile>(folder + QStringLiteral(".lock"));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0))
            continue;
        m_orphanLocks.append(lock);
        m_orphanFolders.append(folder);
        const QFileInfoList journals = QDir(folder).entryInfoList({QLatin1Char('*') + kJournalSuffix},
                                                                  QDir::Files | QDir::System, QDir::Name);
        for (const QFileInfo& journal : journals)
            records.append(CJournalRecord::ReadHeader(journal.absoluteFilePath()));
    }
    return records;
}

void CRecoveryFolder::ReleaseOrphans()
{
    for (const QString& folder : std::as_const(m_orphanFolders))
        QDir(folder).rmdir(folder); // only when empty: kept journals stay for later
    for (const std::shared_ptr<QLockFile>& lock : std::as_const(m_orphanLocks))
        lock->unlock();
    m_orphanLocks.clear();
    m_orphanFolders.clear();
}
