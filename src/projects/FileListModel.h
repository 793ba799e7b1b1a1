#pragma once

#include "files/FileRow.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <QSet>
#include <QVector>

// The rows of the file list: one per entry of the folder shown, in the
// columns "Name", "Size", "Type" and "Modified". Rows come in batches while
// a folder is read and are put in name order once it is complete. Rows that
// were cut for a move show greyed.
class CFileListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum EColumn { NameColumn = 0, SizeColumn, TypeColumn, ModifiedColumn, ColumnCount };

    explicit CFileListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void Clear();
    void AppendRows(const QVector<CFileRow>& rows);
    // Takes rows in place of the ones shown (the same entries, now in name
    // order); indexes kept by views follow their entries.
    void ReplaceRows(const QVector<CFileRow>& rows);
    void RemoveRow(int row);

    const CFileRow& Row(int row) const { return m_rows.at(row); }
    QString Name(int row) const { return m_rows.at(row).m_strName; }
    QStringList Names() const;
    // The row of name (exact), or -1.
    int RowOf(const QString& name) const;

    void SetCutNames(const QSet<QString>& names);

private:
    QIcon IconFor(const CFileRow& row) const;

    QVector<CFileRow> m_rows;
    QSet<QString> m_cutNames;
    mutable QHash<QString, QIcon> m_icons;
};
