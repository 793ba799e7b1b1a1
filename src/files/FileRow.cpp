#include "files/FileRow.h"

#include "files/SHFileInfo.h"

namespace {
const QString kDefaultType = QStringLiteral("application/octet-stream");
}

QString CFileRowMaker::FormatModified(const QDateTime& time)
{
    if (!time.isValid())
        return QString();
    // Formatted by hand: a format string is parsed anew for every row.
    const QDateTime local = time.timeSpec() == Qt::LocalTime ? time : time.toLocalTime();
    const QDate date = local.date();
    const QTime clock = local.time();
    return QString::asprintf("%04d-%02d-%02d %02d:%02d", date.year(), date.month(), date.day(), clock.hour(),
                             clock.minute());
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
    // Files that share the part of their names after the first dot share a
    // type: one lookup serves a folder of thousands of pages.
    const QString name = info.fileName();
    const int dot = int(name.indexOf(QLatin1Char('.'), 1));
    const QString key = info.isDir() ? QStringLiteral("/") : dot > 0 ? name.mid(dot).toLower() : QString();
    if (!key.isEmpty()) {
        auto known = m_types.constFind(key);
        if (known != m_types.constEnd())
            return known->m_strText.isEmpty() ? CType{UnknownTypeText(name), known->m_strIconName} : *known;
    }
    const QMimeType type = m_database.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.name() == kDefaultType) {
        // The text names the extension, so it is made for each name.
        if (!key.isEmpty())
            m_types.insert(key, {QString(), QStringLiteral("text-x-generic")});
        return {UnknownTypeText(name), QStringLiteral("text-x-generic")};
    }
    QString text = type.comment();
    if (text.isEmpty())
        text = info.isDir() ? QStringLiteral("Folder") : QStringLiteral("File");
    text[0] = text.at(0).toUpper();
    const CType known{text, type.iconName()};
    if (!key.isEmpty())
        m_types.insert(key, known);
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
