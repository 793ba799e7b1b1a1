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
        IDC_HORIZONTAL = 1260,
        IDC_HORIZONTAL_VALUE = 1261,
        IDC_VERTICAL = 1262,
        IDC_VERTICAL_VALUE = 1263,
        IDC_HEIGHT = 1264,
        IDC_HEIGHT_VALUE = 1265,
        IDC_WIDTH = 1266,
        IDC_WIDTH_VALUE = 1267,
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
