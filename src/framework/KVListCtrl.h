#pragma once

#include <QList>
#include <QString>
#include <QTreeView>

class QTimer;

// A report-style list: rows of columns with a header, several rows
// selectable, no tree lines. It remembers its column widths in the profile
// (section given at construction, keys "Column0", "Column1", ...): a width
// the user drags is written shortly after the drag ends, and a list made
// later starts with the widths last written.
class CKVListCtrl : public QTreeView
{
    Q_OBJECT
public:
    CKVListCtrl(const QString& profileSection, QWidget* parent = nullptr);
    ~CKVListCtrl() override;

    // The widths the columns start with when the profile holds none.
    void SetDefaultColumnWidths(const QList<int>& widths);
    // Replaces the widths with those the profile holds; false when it holds
    // none for any column.
    bool LoadColumnWidths();
    void SaveColumnWidths();

    QString ProfileSection() const { return m_strSection; }
    static QString ColumnKey(int column);

    // The selected rows, top to bottom.
    QList<int> SelectedRows() const;
    // The first selected row; -1 with none.
    int FirstSelectedRow() const;
    void SelectRow(int row);

private:
    void OnSectionResized();

    QString m_strSection;
    QTimer* m_pSaveTimer;
    bool m_bLoading = false;
};
