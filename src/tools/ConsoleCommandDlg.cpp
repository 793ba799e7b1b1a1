#include "tools/ConsoleCommandDlg.h"

#include "framework/ContextHelp.h"
#include "framework/InstantMnemonic.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit* Edit(int id)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(CContextHelp::ObjectNameFor(id));
    return edit;
}
} // namespace

CConsoleCommandDlg::CConsoleCommandDlg(QWidget* parent)
    : QDialog(parent)
    , m_pExecutable(Edit(IDC_EXECUTABLE))
    , m_pSwitches(Edit(IDC_SWITCHES))
    , m_pParameters(Edit(IDC_PARAMETERS))
{
    setWindowTitle(QStringLiteral("Run console command"));
    auto* group = new QGroupBox(QStringLiteral("Add to command"));
    auto* fields = new QVBoxLayout(group);
    fields->addWidget(new QLabel(QStringLiteral("Executable")));
    fields->addWidget(m_pExecutable);
    fields->addWidget(new QLabel(QStringLiteral("Switches")));
    fields->addWidget(m_pSwitches);
    fields->addWidget(new QLabel(QStringLiteral("Command line parameters")));
    fields->addWidget(m_pParameters);
    fields->addWidget(new QLabel(QStringLiteral("Use full paths")));

    auto* buttons = new QDialogButtonBox;
    QPushButton* run = buttons->addButton(QStringLiteral("&Run"), QDialogButtonBox::AcceptRole);
    run->setDefault(true);
    CInstantMnemonic::Install(run);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    resize(420, sizeHint().height());
    m_pParameters->setFocus();
    CContextHelp::Install(this, {IDC_EXECUTABLE, IDC_SWITCHES, IDC_PARAMETERS});
}

void CConsoleCommandDlg::accept()
{
    m_strExecutable = m_pExecutable->text();
    m_strSwitches = m_pSwitches->text();
    m_strParameters = m_pParameters->text();
    QDialog::accept();
}
