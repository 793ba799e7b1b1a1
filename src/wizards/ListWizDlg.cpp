#include "wizards/ListWizDlg.h"

#include "framework/ContextHelp.h"
#include "wizards/WizardFields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {
QStringList OneToTen()
{
    QStringList numbers;
    for (int n = 1; n <= 10; ++n)
        numbers.append(QString::number(n));
    return numbers;
}
} // namespace

CListWizDlg::CListWizDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(Caption());
    auto* ordered = new QGroupBox(tr("Ordered List"));
    auto* orderedGrid = new QGridLayout(ordered);
    m_pOrderedQuantity = AddRow(orderedGrid, tr("Quantity of items"), IDC_ORDERED_QUANTITY, OneToTen());
    m_pOrderedType = AddRow(orderedGrid, tr("Bullet Type"), IDC_ORDERED_TYPE,
                            {QStringLiteral("1"), QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("I"),
                             QStringLiteral("i")});
    m_pOrderedStart = AddRow(orderedGrid, tr("Start"), IDC_ORDERED_START, OneToTen());
    auto* unordered = new QGroupBox(tr("Unordered List"));
    auto* unorderedGrid = new QGridLayout(unordered);
    m_pUnorderedQuantity = AddRow(unorderedGrid, tr("Quantity of items"), IDC_UNORDERED_QUANTITY, OneToTen());
    m_pUnorderedType = AddRow(unorderedGrid, tr("Bullet Type"), IDC_UNORDERED_TYPE,
                              {QStringLiteral("disk"), QStringLiteral("circle"), QStringLiteral("square")});

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ordered);
    layout->addWidget(unordered);
    layout->addWidget(buttons);

    CContextHelp::Install(this, {IDC_ORDERED_QUANTITY, IDC_ORDERED_TYPE, IDC_ORDERED_START, IDC_UNORDERED_QUANTITY,
                                 IDC_UNORDERED_TYPE});
}

QComboBox* CListWizDlg::AddRow(QGridLayout* grid, const QString& label, int controlId, const QStringList& items)
{
    QComboBox* combo = ZtWizardFields::MakeCombo(items, controlId);
    const int line = grid->rowCount();
    grid->addWidget(new QLabel(label), line, 0);
    grid->addWidget(combo, line, 1);
    return combo;
}

CListValues CListWizDlg::Values() const
{
    CListValues values;
    values.m_strOrderedQuantity = m_pOrderedQuantity->currentText();
    values.m_strOrderedType = m_pOrderedType->currentText();
    values.m_strOrderedStart = m_pOrderedStart->currentText();
    values.m_strUnorderedQuantity = m_pUnorderedQuantity->currentText();
    values.m_strUnorderedType = m_pUnorderedType->currentText();
    return values;
}

void CListWizDlg::SetValues(const CListValues& values)
{
    m_pOrderedQuantity->setEditText(values.m_strOrderedQuantity);
    m_pOrderedType->setEditText(values.m_strOrderedType);
    m_pOrderedStart->setEditText(values.m_strOrderedStart);
    m_pUnorderedQuantity->setEditText(values.m_strUnorderedQuantity);
    m_pUnorderedType->setEditText(values.m_strUnorderedType);
    // Only the start tag changes: the items stay as they are.
    m_pOrderedQuantity->setEnabled(false);
    m_pUnorderedQuantity->setEnabled(false);
}

void CListWizDlg::accept()
{
    m_strText = BuildListText(Values());
    QDialog::accept();
}
