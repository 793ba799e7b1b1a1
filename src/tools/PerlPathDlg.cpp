#include "tools/PerlPathDlg.h"

#include "framework/ContextHelp.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CPerlPathDlg::CPerlPathDlg(const QString& stored, QWidget* parent)
    : QDialog(parent)
    , m_pPath(new QLineEdit(stored.isEmpty() ? NotSetText() : stored))
{
    setWindowTitle(QStringLiteral("Register PERL Path"));
    m_pPath->setObjectName(CContextHelp::ObjectNameFor(IDC_PATH));
    m_pPath->setMinimumWidth(320);
    auto* group = new QGroupBox(QStringLiteral("PERL path"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(new QLabel(QStringLiteral("Full path to perl.exe")));
    groupLayout->addWidget(m_pPath);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    m_pPath->selectAll();
    m_pPath->setFocus();
    CContextHelp::Install(this, {IDC_PATH});
}

QString CPerlPathDlg::Path() const
{
    return m_pPath->text();
}
