#include "files/SHFileInfo.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QLocale>
#include <QMimeDatabase>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace {

// A plain sheet with a folded corner, or a folder with a tab: the last
// resort when neither the icon theme nor the style has an icon.
QIcon DrawGenericIcon(bool bFolder)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(80, 80, 80));
    if (bFolder) {
        painter.setBrush(QColor(240, 200, 90));
        painter.drawRect(1, 4, 14, 10);
        painter.drawRect(1, 2, 6, 2);
    } else {
        painter.setBrush(Qt::white);
        const QPoint sheet[] = {{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}};
        painter.drawPolygon(sheet, 5);
        painter.drawLine(10, 1, 10, 4);
        painter.drawLine(10, 4, 13, 4);
    }
    return QIcon(pixmap);
}

bool HaveWidgetApplication()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

CSHFileInfo::CSHFileInfo(const QString& path)
    : m_info(path)
{
}

CSHFileInfo::CSHFileInfo(const QFileInfo& found)
    : m_info(found)
{
}

QIcon CSHFileInfo::GetIcon() const
{
    if (!HaveWidgetApplication())
        return QIcon();
    static QFileIconProvider provider;
    QIcon icon = provider.icon(m_info);
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(IsFolder() ? QStyle::SP_DirIcon
                                                              : QStyle::SP_FileIcon);
    if (icon.isNull())
        icon = DrawGenericIcon(IsFolder());
    return icon;
}

QString CSHFileInfo::GetDisplayName() const
{
    const QString name = m_info.fileName();
    return name.isEmpty() ? m_info.filePath() : name;
}

QString CSHFileInfo::FormatSize(qint64 bytes)
{
    const qint64 kilobytes = bytes <= 0 ? 0 : (bytes + 1023) / 1024;
    // Made once: a list formats one size per row.
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return english.toString(kilobytes) + QStringLiteral(" KB");
}

QString CSHFileInfo::GetFileSize() const
{
    if (IsFolder() || !m_info.exists())
        return QString();
    return FormatSize(m_info.size());
}

QString CSHFileInfo::GetDescription() const
{
    static const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForFile(m_info);
    QString comment = type.comment();
    if (comment.isEmpty())
        comment = IsFolder() ? QStringLiteral("Folder") : QStringLiteral("File");
    comment[0] = comment.at(0).toUpper();
    return comment;
}

QString CSHFileInfo::GetLastWriteTime() const
{
    const QDateTime modified = m_info.lastModified();
    if (!modified.isValid())
        return QString();
    return modified.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}
