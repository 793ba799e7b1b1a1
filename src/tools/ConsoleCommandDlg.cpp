#include "tools/ConsoleCommandDlg.h"

#include "framework/ContextHelp.h"
#include "tools/ToolDialogParts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using ZtToolDialogParts::NamedEdit;

CConsoleCommandDlg::CConsoleCommandDlg(QWidget* parent)
    : QDialog(parent)
    , m_pExecutable(NamedEdit(IDC_EXECUTABLE))
    , m_pSwitches(NamedEdit(IDC_SWITCHES))
    , m_pParameters(NamedEdit(IDC_PARAMETERS))
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

    ZtToolDialogParts::StackGroupAndButtons(this, group, ZtToolDialogParts::RunButtons());
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
