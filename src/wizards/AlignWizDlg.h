#pragma once

#include "wizards/AlignText.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGridLayout;

// The Align wizard, "Positional": ALIGN, VALIGN, HEIGHT and WIDTH
// attributes for a start tag being written. Each attribute's box enables
// its combo box; every ticked box gives its attribute.
class CAlignWizDlg : public QDialog
{
    Q_OBJECT
public:
    enum {
        IDC_HORIZONTAL = 2060,
        IDC_HORIZONTAL_VALUE = 2061,
        IDC_VERTICAL = 2062,
        IDC_VERTICAL_VALUE = 2063,
        IDC_HEIGHT = 2064,
        IDC_HEIGHT_VALUE = 2065,
        IDC_WIDTH = 2066,
        IDC_WIDTH_VALUE = 2067,
    };

    explicit CAlignWizDlg(QWidget* parent = nullptr);

    static QString Caption() { return QStringLiteral("Positional"); }

    CAlignValues Values() const;
    const QString& Text() const { return m_strText; }

    void accept() override;

private:
    struct CRow
    {
        QCheckBox* m_pBox = nullptr;
        QComboBox* m_pValue = nullptr;
    };
    CRow AddRow(QGridLayout* grid, const QString& label, int boxId, const QStringList& items);

    CRow m_horizontal;
    CRow m_vertical;
    CRow m_height;
    CRow m_width;
    QString m_strText;
};
