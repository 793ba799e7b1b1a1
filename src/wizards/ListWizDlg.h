#pragma once

#include "wizards/ListText.h"

#include <QDialog>

class QComboBox;
class QGridLayout;

// The List wizard, "List Wizard": an ordered list, an unordered list or
// both, each with a number of placeholder items.
class CListWizDlg : public QDialog
{
    Q_OBJECT
public:
    enum {
        IDC_ORDERED_QUANTITY = 2080,
        IDC_ORDERED_TYPE = 2081,
        IDC_ORDERED_START = 2082,
        IDC_UNORDERED_QUANTITY = 2083,
        IDC_UNORDERED_TYPE = 2084,
    };

    explicit CListWizDlg(QWidget* parent = nullptr);

    static QString Caption() { return QStringLiteral("List Wizard"); }

    CListValues Values() const;
    // Fills the fields, as for a tag being edited, and turns off the
    // quantities: an edit leaves the items alone.
    void SetValues(const CListValues& values);
    const QString& Text() const { return m_strText; }

    void accept() override;

private:
    QComboBox* AddRow(QGridLayout* grid, const QString& label, int controlId, const QStringList& items);

    QComboBox* m_pOrderedQuantity = nullptr;
    QComboBox* m_pOrderedType = nullptr;
    QComboBox* m_pOrderedStart = nullptr;
    QComboBox* m_pUnorderedQuantity = nullptr;
    QComboBox* m_pUnorderedType = nullptr;
    QString m_strText;
};
