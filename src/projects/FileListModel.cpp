#include "projects/FileListModel.h"

#include "res/CommandIds.h"
#include "res/StringTable.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>


CFileListModel::CFileListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int CFileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CFileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CFileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    static const int kTitles[] = {ZtCmd::IDS_LIST_COLUMN_NAME, ZtCmd::IDS_LIST_COLUMN_SIZE,
                                  ZtCmd::IDS_LIST_COLUMN_TYPE, ZtCmd::IDS_LIST_COLUMN_MODIFIED};
    return section >= 0 && section < ColumnCount ? ZtRes::String(kTitles[section]) : QVariant();
}

QVariant CFileListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const CFileRow& row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NameColumn:
            return row.m_strName;
        case SizeColumn:
            return row.m_strSize;
        case TypeColumn:
            return row.m_strType;
        case ModifiedColumn:
            return row.m_strModified;
        default:
            return QVariant();
        }
    case Qt::DecorationRole:
        return index.column() == NameColumn ? QVariant(IconFor(row)) : QVariant();
    case Qt::ForegroundRole:
        if (m_cutNames.contains(row.m_strName))
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return QVariant();
    default:
        return QVariant();
    }
}

QIcon CFileListModel::IconFor(const CFileRow& row) const
{
    // Looked up per type, and only for the rows on screen.
    const QString key = row.m_bFolder ? QStringLiteral("folder") : row.m_strIconName;
    auto found = m_icons.constFind(key);
    if (found != m_icons.constEnd())
        return *found;
    QIcon icon = QIcon::fromTheme(key);
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(row.m_bFolder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    m_icons.insert(key, icon);
    return icon;
}

void CFileListModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_cutNames.clear();
    endResetModel();
}

void CFileListModel::AppendRows(const QVector<CFileRow>& rows)
{
    if (rows.isEmpty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(rows.size()) - 1);
    m_rows += rows;
    endInsertRows();
}

void CFileListModel::ReplaceRows(const QVector<CFileRow>& rows)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QStringList names;
    for (const QModelIndex& index : before)
        names << (index.isValid() ? m_rows.at(index.row()).m_strName : QString());
    m_rows = rows;
    QHash<QString, int> rowOf;
    if (!before.isEmpty()) {
        for (int row = 0; row < m_rows.size(); ++row)
            rowOf.insert(m_rows.at(row).m_strName, row);
    }
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int row = rowOf.value(names.at(i), -1);
        after.append(row < 0 ? QModelIndex() : createIndex(row, before.at(i).column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void CFileListModel::RemoveRow(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_cutNames.remove(m_rows.at(row).m_strName);
    m_rows.remove(row);
    endRemoveRows();
}

QStringList CFileListModel::Names() const
{
    QStringList names;
    names.reserve(m_rows.size());
    for (const CFileRow& row : m_rows)
        names.append(row.m_strName);
    return names;
}

int CFileListModel::RowOf(const QString& name) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).m_strName == name)
            return row;
    }
    return -1;
}

void CFileListModel::SetCutNames(const QSet<QString>& names)
{
    m_cutNames = names;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, ColumnCount - 1), {Qt::ForegroundRole});
}
