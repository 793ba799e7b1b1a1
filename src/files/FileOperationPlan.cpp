#include "files/FileOperationPlan.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QChar kSeparator = QLatin1Char('/');

QString ParentOf(const QString& path)
{
    return QFileInfo(path).path();
}

QString NameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

QString JoinPath(const QString& folder, const QString& name)
{
    return folder.endsWith(kSeparator) ? folder + name : folder + kSeparator + name;
}

// The matches of a wildcard name in folder. "*.*" is the old spelling of
// "every entry", so it also matches names without a dot. Matching ignores
// letter case, the way users of these patterns expect.
QStringList MatchEntries(const QString& folder, const QString& pattern)
{
    const QString filter = pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
    const QDir dir(folder);
    const QStringList names = dir.entryList(
        {filter}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDir::Name);
    QStringList paths;
    for (const QString& name : names)
        paths << JoinPath(folder, name);
    return paths;
}

// A regular expression for a wildcard pattern, each '*' and '?' captured.
QRegularExpression WildcardExpression(const QString& pattern)
{
    QString expression = QStringLiteral("\\A");
    for (const QChar c : pattern) {
        if (c == QLatin1Char('*'))
            expression += QStringLiteral("(.*)");
        else if (c == QLatin1Char('?'))
            expression += QStringLiteral("(.)");
        else
            expression += QRegularExpression::escape(QString(c));
    }
    expression += QStringLiteral("\\z");
    return QRegularExpression(expression, QRegularExpression::CaseInsensitiveOption);
}

// A path whose name holds a wildcard stands for its matches, unless an entry
// of that very name exists: file names may hold '*' and '?', and deleting or
// renaming "a*.htm" must never reach every other page beside it.
bool IsPattern(const QString& path)
{
    if (!CFileOperationPlan::HasWildcard(path))
        return false;
    const QFileInfo info(path);
    return !info.exists() && !info.isSymLink();
}

} // namespace

QString CFileOperationPlan::CleanPath(const QString& path)
{
    if (path.isEmpty())
        return path;
    return QDir::cleanPath(path);
}

bool CFileOperationPlan::HasWildcard(const QString& path)
{
    const QString name = NameOf(path);
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

QStringList CFileOperationPlan::ExpandSources(const QStringList& sources)
{
    QStringList expanded;
    for (const QString& source : sources) {
        if (IsPattern(source))
            expanded << MatchEntries(ParentOf(source), NameOf(source));
        else
            expanded << CleanPath(source);
    }
    return expanded;
}

QString CFileOperationPlan::ExplicitFolder(const QString& destination)
{
    for (const QLatin1String suffix :
         {QLatin1String("/*.*"), QLatin1String("/*"), QLatin1String("/")}) {
        if (destination.endsWith(suffix)) {
            // Keep the separator itself, so that "/*.*" names the root.
            return CleanPath(destination.chopped(suffix.size() - 1));
        }
    }
    return QString();
}

QVector<CFileTransfer> CFileOperationPlan::PlanTransfers(const QStringList& sources,
                                                         const QString& destination, bool bCopy)
{
    QVector<CFileTransfer> transfers;
    if (destination.isEmpty())
        return transfers;

    bool bAnyWildcard = false;
    for (const QString& source : sources)
        bAnyWildcard = bAnyWildcard || IsPattern(source);
    const QStringList expanded = ExpandSources(sources);

    QString folder = ExplicitFolder(destination);
    const bool bInto = !folder.isEmpty() || QFileInfo(destination).isDir() || bAnyWildcard
                       || expanded.size() > 1;
    if (folder.isEmpty())
        folder = CleanPath(destination);

    for (const QString& source : expanded) {
        QString target = bInto ? JoinPath(folder, NameOf(source)) : folder;
        if (QFileInfo(target).absoluteFilePath() == QFileInfo(source).absoluteFilePath()) {
            if (!bCopy)
                continue;
            target = UniqueCopyName(target);
        }
        transfers.append({source, target});
    }
    return transfers;
}

bool CFileOperationPlan::IsSameOrInside(const QString& path, const QString& folder)
{
    const QString absolutePath = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString absoluteFolder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (absolutePath == absoluteFolder)
        return true;
    const QString prefix = absoluteFolder.endsWith(kSeparator) ? absoluteFolder
                                                               : absoluteFolder + kSeparator;
    return absolutePath.startsWith(prefix);
}

int CFileOperationPlan::FindSelfNesting(const QVector<CFileTransfer>& transfers)
{
    for (int i = 0; i < transfers.size(); ++i) {
        const CFileTransfer& transfer = transfers.at(i);
        if (QFileInfo(transfer.m_strSource).isDir()
            && IsSameOrInside(transfer.m_strTarget, transfer.m_strSource))
            return i;
    }
    return -1;
}

QString CFileOperationPlan::UniqueCopyName(const QString& target)
{
    const QString folder = ParentOf(target);
    const QString name = NameOf(target);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const bool bSplit = dot > 0 && !QFileInfo(target).isDir();
    const QString base = bSplit ? name.left(dot) : name;
    const QString extension = bSplit ? name.mid(dot) : QString();

    for (int n = 1;; ++n) {
        const QString suffix =
            n == 1 ? QStringLiteral(" (copy)") : QStringLiteral(" (copy %1)").arg(n);
        const QString candidate = JoinPath(folder, base + suffix + extension);
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

QString CFileOperationPlan::MapWildcardName(const QString& name, const QString& fromPattern,
                                            const QString& toPattern)
{
    QRegularExpressionMatch match = WildcardExpression(fromPattern).match(name);
    // "*.*" also stands for names without any dot.
    if (!match.hasMatch() && fromPattern.endsWith(QLatin1String(".*")))
        match = WildcardExpression(fromPattern.chopped(2)).match(name);
    if (!match.hasMatch())
        return QString();

    QString result;
    int capture = 1;
    for (const QChar c : toPattern) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?'))
            result += match.captured(capture++);
        else
            result += c;
    }
    return result;
}

QVector<CFileTransfer> CFileOperationPlan::PlanRename(const QString& from, const QString& to)
{
    QVector<CFileTransfer> transfers;
    if (from.isEmpty() || to.isEmpty())
        return transfers;
    const QString cleanFrom = CleanPath(from);
    const QString fromFolder = ParentOf(cleanFrom);
    const QString toFolder = to.contains(kSeparator) ? ParentOf(CleanPath(to)) : fromFolder;
    const QString toName = NameOf(CleanPath(to));

    if (!IsPattern(cleanFrom)) {
        transfers.append({cleanFrom, JoinPath(toFolder, toName)});
        return transfers;
    }
    const QString fromPattern = NameOf(cleanFrom);
    for (const QString& source : MatchEntries(fromFolder, fromPattern)) {
        const QString newName = MapWildcardName(NameOf(source), fromPattern, toName);
        if (newName.isEmpty())
            continue;
        const QString target = JoinPath(toFolder, newName);
        if (target != source)
            transfers.append({source, target});
    }
    return transfers;
}
