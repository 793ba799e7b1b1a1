#include "projects/ProjectWizPage2.h"

#include "framework/ContextHelp.h"
#include "framework/MessageBox.h"
#include "projects/ProjectWizSheet.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {
QLabel* SunkenLabel(int id)
{
    auto* label = new QLabel;
    label->setObjectName(CContextHelp::ObjectNameFor(id));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}
} // namespace

CProjectWizPage2::CProjectWizPage2(CProjectWizSheet* sheet)
    : m_pSheet(sheet)
    , m_pSource(new QLineEdit)
    , m_pFileName(SunkenLabel(IDC_FILE_NAME))
    , m_pFilePath(SunkenLabel(IDC_FILE_PATH))
{
    setObjectName(QStringLiteral("105"));
    setTitle(Caption());
    auto* browse = new QToolButton;
    browse->setObjectName(CContextHelp::ObjectNameFor(IDC_BROWSE_SOURCE));
    browse->setIcon(QIcon(QStringLiteral(":/icons/folder-open.svg")));
    browse->setToolTip(tr("Browse for the location of additional files"));
    connect(browse, &QToolButton::clicked, this, &CProjectWizPage2::OnBrowse);
    m_pSource->setObjectName(CContextHelp::ObjectNameFor(IDC_SOURCE));

    auto* group = new QGroupBox(tr("Additional Project Files (copies from this location)"));
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(m_pSource);
    groupLayout->addWidget(browse);

    auto* layout = new QGridLayout(this);
    layout->addWidget(group, 0, 0);
    layout->addWidget(m_pFileName, 1, 0);
    layout->addWidget(m_pFilePath, 2, 0);
    layout->setRowStretch(3, 1);
    setTabOrder(browse, m_pSource);
    CContextHelp::Install(this, {IDC_SOURCE});
}

QString CProjectWizPage2::ProjectFileShown(const QString& parentDirectory, const QString& name)
{
    QString path = parentDirectory;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + name + QLatin1Char('/') + name + QStringLiteral(".ztp");
}

void CProjectWizPage2::initializePage()
{
    m_pFileName->setText(m_pSheet->m_strProjectName + QStringLiteral(".ztp"));
    // The path the project file will really have: "~" and a relative parent
    // are shown resolved.
    m_pFilePath->setText(ProjectFileShown(m_pSheet->ResolvedPath(m_pSheet->m_strParentDirectory),
                                          m_pSheet->m_strProjectName));
    m_pSource->setFocus();
}

void CProjectWizPage2::OnBrowse()
{
    QString chosen;
    if (m_pSheet->ChooseDirectory(this, QString(), &chosen))
        m_pSource->setText(chosen);
    else
        ZtMessageBox::Show(tr("Browse directories canceled"));
}

bool CProjectWizPage2::validatePage()
{
    m_pSheet->m_strAdditionalFiles = m_pSource->text();
    return true;
}
