#include "wizards/AlignWizDlg.h"

#include "framework/ContextHelp.h"
#include "framework/InstantMnemonic.h"
#include "wizards/WizardFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {
QStringList Percentages()
{
    QStringList sizes;
    for (int percent = 100; percent >= 10; percent -= 10)
        sizes.append(QStringLiteral("%1%").arg(percent));
    return sizes;
}
} // namespace

CAlignWizDlg::CAlignWizDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(Caption());
    auto* align = new QGroupBox(tr("Align"));
    auto* alignGrid = new QGridLayout(align);
    m_horizontal = AddRow(alignGrid, tr("Hori&zontal"), IDC_HORIZONTAL,
                          {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
    m_vertical = AddRow(alignGrid, tr("&Vertical"), IDC_VERTICAL,
                        {QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom"),
                         QStringLiteral("Baseline")});
    auto* size = new QGroupBox(tr("Height / Width"));
    auto* sizeGrid = new QGridLayout(size);
    m_height = AddRow(sizeGrid, tr("&Height"), IDC_HEIGHT, Percentages());
    m_width = AddRow(sizeGrid, tr("&Width"), IDC_WIDTH, Percentages());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(align);
    layout->addWidget(size);
    layout->addWidget(buttons);

    CContextHelp::Install(this, {IDC_HORIZONTAL, IDC_HORIZONTAL_VALUE, IDC_VERTICAL, IDC_VERTICAL_VALUE, IDC_HEIGHT,
                                 IDC_HEIGHT_VALUE, IDC_WIDTH, IDC_WIDTH_VALUE});
}

CAlignWizDlg::CRow CAlignWizDlg::AddRow(QGridLayout* grid, const QString& label, int boxId, const QStringList& items)
{
    CRow row;
    row.m_pBox = new QCheckBox(label);
    CInstantMnemonic::Install(row.m_pBox);
    row.m_pBox->setObjectName(CContextHelp::ObjectNameFor(boxId));
    // Each value control's id follows its box's.
    row.m_pValue = ZtWizardFields::MakeCombo(items, boxId + 1);
    row.m_pValue->setEnabled(false);
    connect(row.m_pBox, &QCheckBox::toggled, row.m_pValue, &QComboBox::setEnabled);
    const int line = grid->rowCount();
    grid->addWidget(row.m_pBox, line, 0);
    grid->addWidget(row.m_pValue, line, 1);
    return row;
}

CAlignValues CAlignWizDlg::Values() const
{
    CAlignValues values;
    values.m_bHorizontal = m_horizontal.m_pBox->isChecked();
    values.m_strHorizontal = m_horizontal.m_pValue->currentText();
    values.m_bVertical = m_vertical.m_pBox->isChecked();
    values.m_strVertical = m_vertical.m_pValue->currentText();
    values.m_bHeight = m_height.m_pBox->isChecked();
    values.m_strHeight = m_height.m_pValue->currentText();
    values.m_bWidth = m_width.m_pBox->isChecked();
    values.m_strWidth = m_width.m_pValue->currentText();
    return values;
}

void CAlignWizDlg::accept()
{
    m_strText = BuildAlignText(Values());
    QDialog::accept();
}
