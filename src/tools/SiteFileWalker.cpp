#include "tools/SiteFileWalker.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

CSiteFileWalker::CSiteFileWalker(const QString& folder, const QString& patterns)
    : m_strFolder(QDir::cleanPath(folder))
{
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    for (const QString& pattern : patterns.split(separators, Qt::SkipEmptyParts)) {
        m_patterns.append(QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                             QRegularExpression::CaseInsensitiveOption));
    }
}

bool CSiteFileWalker::Fits(const QString& fileName) const
{
    if (m_patterns.isEmpty())
        return true;
    for (const QRegularExpression& pattern : m_patterns) {
        if (pattern.match(fileName).hasMatch())
            return true;
    }
    return false;
}

bool CSiteFileWalker::Walk(const std::function<bool(const QString& path)>& visit, const std::atomic<bool>* cancelled)
{
    m_unreadable.clear();
    const QFileInfo top(m_strFolder);
    if (!top.isDir() || !top.isReadable() || !top.isExecutable()) {
        m_unreadable.append(m_strFolder);
        return true;
    }
    // Without FollowSymlinks the iterator does not descend into linked folders.
    QDirIterator it(m_strFolder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (cancelled && *cancelled)
            return false;
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            if (!info.isSymLink() && (!info.isReadable() || !info.isExecutable()))
                m_unreadable.append(info.filePath());
            continue;
        }
        if (Fits(info.fileName()) && !visit(info.filePath()))
            return false;
    }
    return true;
}
