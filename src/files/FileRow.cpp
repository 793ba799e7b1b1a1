#include "files/FileRow.h"

#include "files/SHFileInfo.h"

namespace {
const QString kDefaultType = QStringLiteral("application/octet-stream");
}

QString CFileRowMaker::FormatModified(const QDateTime& time)
{
    if (!time.isValid())
        return QString();
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString CFileRowMaker::UnknownTypeText(const QString& name)
{
    const int dot = int(name.lastIndexOf(QLatin1Char('.')));
    // A leading dot marks a hidden file, not an extension.
    if (dot <= 0 || dot == name.size() - 1)
        return QStringLiteral("File");
    return name.mid(dot + 1).toUpper() + QStringLiteral(" File");
}

CFileRowMaker::CType CFileRowMaker::TypeOf(const QFileInfo& info)
{
    if (info.isSymLink() && !info.exists())
        return {QStringLiteral("Broken link"), QStringLiteral("emblem-symbolic-link")};
    const QMimeType type = m_database.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.name() == kDefaultType)
        return {UnknownTypeText(info.fileName()), QStringLiteral("text-x-generic")};
    auto found = m_types.constFind(type.name());
    if (found != m_types.constEnd())
        return *found;
    QString text = type.comment();
    if (text.isEmpty())
        text = info.isDir() ? QStringLiteral("Folder") : QStringLiteral("File");
    text[0] = text.at(0).toUpper();
    const CType known{text, type.iconName()};
    m_types.insert(type.name(), known);
    return known;
}

CFileRow CFileRowMaker::Make(const QFileInfo& info)
{
    CFileRow row;
    row.m_strName = info.fileName();
    row.m_bFolder = info.isDir();
    if (!row.m_bFolder && info.exists())
        row.m_strSize = CSHFileInfo::FormatSize(info.size());
    const CType type = TypeOf(info);
    row.m_strType = type.m_strText;
    row.m_strIconName = type.m_strIconName;
    row.m_strModified = FormatModified(info.lastModified());
    return row;
}

bool FileRowNameLess(const QString& a, const QString& b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}
