#include "tools/PerlArgsDlg.h"

#include "framework/ContextHelp.h"
#include "tools/ToolDialogParts.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

using ZtToolDialogParts::NamedEdit;

QStringList CPerlArgsDlg::BrowseFilters()
{
    return {QStringLiteral(".txt Files (*.txt) (*.TXT *.txt)"), QStringLiteral(".html Files (*.html) (*.HTML *.html)"),
            QStringLiteral(".htm Files (*.htm) (*.HTM *.htm)"), QStringLiteral("all Files (*.*) (*)")};
}

CPerlArgsDlg::CPerlArgsDlg(const QString& perlPath, const QString& startDirectory, QWidget* parent)
    : QDialog(parent)
    , m_strStartDirectory(startDirectory)
    , m_pInterpreter(new QLabel(perlPath))
    , m_pSwitches(NamedEdit(IDC_SWITCHES))
    , m_pWorkFile(NamedEdit(IDC_WORK_FILE))
    , m_pOutputFile(NamedEdit(IDC_OUTPUT_FILE))
{
    setWindowTitle(QStringLiteral("Enter command line parameters"));
    m_pInterpreter->setObjectName(CContextHelp::ObjectNameFor(IDC_INTERPRETER));
    m_pInterpreter->setFrameShape(QFrame::StyledPanel);
    m_pInterpreter->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* group = new QGroupBox(QStringLiteral("Add arguments to PERL script"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("full .exe path")), 0, 0);
    grid->addWidget(m_pInterpreter, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Switches")), 1, 0);
    grid->addWidget(m_pSwitches, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Work file")), 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("files need full path")), 2, 1);
    grid->addWidget(m_pWorkFile, 3, 0, 1, 2);
    grid->addWidget(BrowseButton(IDC_BROWSE_WORK_FILE, m_pWorkFile), 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("Output file (if no work file, use > )")), 4, 0, 1, 2);
    grid->addWidget(m_pOutputFile, 5, 0, 1, 2);
    grid->addWidget(BrowseButton(IDC_BROWSE_OUTPUT_FILE, m_pOutputFile), 5, 2);
    grid->setColumnStretch(1, 1);

    ZtToolDialogParts::StackGroupAndButtons(this, group, ZtToolDialogParts::RunButtons());
    resize(480, sizeHint().height());
    m_pSwitches->setFocus();
    CContextHelp::Install(this, {IDC_INTERPRETER, IDC_SWITCHES, IDC_WORK_FILE, IDC_BROWSE_WORK_FILE, IDC_OUTPUT_FILE,
                                 IDC_BROWSE_OUTPUT_FILE});
}

QToolButton* CPerlArgsDlg::BrowseButton(int id, QLineEdit* target)
{
    auto* button = new QToolButton;
    button->setObjectName(CContextHelp::ObjectNameFor(id));
    button->setIcon(QIcon(QStringLiteral(":/icons/folder-open.svg")));
    button->setToolTip(tr("Browse for the file"));
    connect(button, &QToolButton::clicked, this, [this, target] {
        // A cancelled choice empties the field.
        target->setText(QFileDialog::getOpenFileName(this, tr("Open"), m_strStartDirectory,
                                                     BrowseFilters().join(QStringLiteral(";;"))));
    });
    return button;
}

void CPerlArgsDlg::accept()
{
    m_strSwitches = m_pSwitches->text();
    m_strWorkFile = m_pWorkFile->text();
    m_strOutputFile = m_pOutputFile->text();
    QDialog::accept();
}
