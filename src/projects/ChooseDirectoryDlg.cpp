#include "projects/ChooseDirectoryDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

CChooseDirectoryDlg::CChooseDirectoryDlg(QWidget* parent)
    : QDialog(parent)
    , m_pPathBox(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Choose Directory"));
    m_pPathBox->setEditable(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pPathBox);
    layout->addWidget(buttons);
}

int CChooseDirectoryDlg::exec()
{
    m_pPathBox->setEditText(m_strStartPath);
    return QDialog::exec();
}

void CChooseDirectoryDlg::accept()
{
    m_strResultPath = m_pPathBox->currentText();
    QDialog::accept();
}
