#include "projects/ProjectWizPage1.h"

#include "framework/ContextHelp.h"
#include "framework/MessageBox.h"
#include "projects/ProjectWizSheet.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {
QLabel* WrappedLabel(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}
} // namespace

CProjectWizPage1::CProjectWizPage1(CProjectWizSheet* sheet, const QString& startDirectory)
    : m_pSheet(sheet)
    , m_pName(new QLineEdit)
    , m_pParent(new QLineEdit)
{
    setObjectName(QStringLiteral("104"));
    setTitle(Caption());
    m_pName->setObjectName(CContextHelp::ObjectNameFor(IDC_PROJECT_NAME));
    m_pParent->setObjectName(CContextHelp::ObjectNameFor(IDC_PARENT_DIRECTORY));
    auto* browse = new QToolButton;
    browse->setObjectName(CContextHelp::ObjectNameFor(IDC_BROWSE_PARENT));
    browse->setIcon(QIcon(QStringLiteral(":/icons/folder-open.svg")));
    browse->setToolTip(tr("Browse for the parent directory"));
    connect(browse, &QToolButton::clicked, this, &CProjectWizPage1::OnBrowse);

    auto* layout = new QGridLayout(this);
    layout->addWidget(WrappedLabel(tr("Name  (The name you give here will also be the projects main directory)")), 0, 0, 1, 2);
    layout->addWidget(m_pName, 1, 0);
    layout->addWidget(browse, 2, 1, 2, 1, Qt::AlignBottom);
    layout->addWidget(WrappedLabel(tr("Choose a - Parent - directory for the Project directory")), 2, 0);
    layout->addWidget(m_pParent, 3, 0);
    layout->addWidget(WrappedLabel(tr("Now all the files and sub-folders of that dir. will be part of the new project.")), 4, 0, 1, 2);
    layout->addWidget(WrappedLabel(tr("If you want to make a project in an existing directory, name your project the "
                                      "same as that dir. When finished creating the new Project,  place the Project "
                                      "File (.ztp file) in that dir. ")), 5, 0, 1, 2);
    layout->setRowStretch(6, 1);
    setTabOrder(m_pName, browse);
    setTabOrder(browse, m_pParent);

    m_pParent->setText(startDirectory + QStringLiteral("/Projects"));
    CContextHelp::Install(this, {IDC_PARENT_DIRECTORY, IDC_PROJECT_NAME});
}

void CProjectWizPage1::initializePage()
{
    m_pName->setFocus();
}

void CProjectWizPage1::OnBrowse()
{
    QString chosen;
    if (m_pSheet->ChooseDirectory(this, m_pSheet->ResolvedPath(m_pParent->text()), &chosen))
        m_pParent->setText(chosen);
    else
        ZtMessageBox::Show(tr("Browse directories canceled"));
}

bool CProjectWizPage1::validatePage()
{
    // Nothing is checked here: creating the project tells what is wrong.
    m_pSheet->m_strParentDirectory = m_pParent->text();
    m_pSheet->m_strProjectName = m_pName->text();
    return true;
}
