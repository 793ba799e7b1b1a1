#include "projects/ChooseDirectoryDlg.h"

#include "files/TypedPath.h"
#include "framework/ContextHelp.h"
#include "projects/ShellTree.h"
#include "res/CommandIcons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CChooseDirectoryDlg::CChooseDirectoryDlg(QWidget* parent)
    : QDialog(parent)
    , m_pTree(new CShellTree(this))
    , m_pPathBox(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Choose Directory"));
    setWindowIcon(ZtRes::ProgramIcon());
    BuildControls();
    // The tree keeps its right click for its own menu.
    CContextHelp::Install(this, {IDC_DIRECTORY});
    connect(m_pTree, &CShellTree::folderSelected, m_pPathBox, &QComboBox::setEditText);
    connect(m_pTree, &CShellTree::volumesAdded, this, &CChooseDirectoryDlg::OnVolumesAdded);
    resize(440, 480);
}

void CChooseDirectoryDlg::BuildControls()
{
    m_pTree->setObjectName(CContextHelp::ObjectNameFor(IDC_BROWSE_TREE));
    m_pPathBox->setObjectName(CContextHelp::ObjectNameFor(IDC_DIRECTORY));
    m_pPathBox->setEditable(true);
    m_pPathBox->setInsertPolicy(QComboBox::NoInsert);
    // The path is taken as typed, without inline completion.
    m_pPathBox->setCompleter(nullptr);
    m_pPathBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* expandTo = new QPushButton(QStringLiteral("->"), this);
    expandTo->setObjectName(CContextHelp::ObjectNameFor(IDC_EXPAND_TO));
    expandTo->setAutoDefault(false);
    connect(expandTo, &QPushButton::clicked, this, &CChooseDirectoryDlg::OnExpandTo);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(CContextHelp::ObjectNameFor(IDOK_BUTTON));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(CContextHelp::ObjectNameFor(IDCANCEL_BUTTON));
    connect(buttons, &QDialogButtonBox::accepted, this, &CChooseDirectoryDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CChooseDirectoryDlg::reject);

    // Tab goes through the controls in the order the dialog lists them,
    // OK first, and the dialog opens with the focus on OK.
    setTabOrder(ok, cancel);
    setTabOrder(cancel, m_pTree);
    setTabOrder(m_pTree, m_pPathBox);
    setTabOrder(m_pPathBox, expandTo);
    ok->setFocus();

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_pPathBox, 1);
    pathRow->addWidget(expandTo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTree, 1);
    layout->addLayout(pathRow);
    layout->addWidget(buttons);
}

int CChooseDirectoryDlg::exec()
{
    OnInitDialog();
    return QDialog::exec();
}

void CChooseDirectoryDlg::OnInitDialog()
{
    // The list offers the tree's top-level folders; volumes join both
    // when they have been listed.
    m_pTree->PopulateTree();
    m_pPathBox->clear();
    for (int i = 0; i < m_pTree->topLevelItemCount(); ++i)
        m_pPathBox->addItem(CShellTree::ItemPath(m_pTree->topLevelItem(i)));
    m_pPathBox->setEditText(m_strResultPath);
    // Reaching the start folder selects it, which shows its path; a start
    // path the tree cannot reach is still what OK returns.
    if (!m_strStartPath.isEmpty() && !m_pTree->TunnelTree(ResolveTypedPath(m_strStartPath, m_strBaseDirectory)))
        m_pPathBox->setEditText(m_strStartPath);
}

void CChooseDirectoryDlg::OnVolumesAdded(const QStringList& paths)
{
    // Adding items must not replace what is typed.
    const QString typed = m_pPathBox->currentText();
    m_pPathBox->addItems(paths);
    m_pPathBox->setEditText(typed);
}

void CChooseDirectoryDlg::OnExpandTo()
{
    const QString typed = m_pPathBox->currentText();
    m_pTree->TunnelTree(ResolveTypedPath(typed.trimmed(), m_strBaseDirectory));
    m_pPathBox->setEditText(typed);
    m_pTree->setFocus();
}

void CChooseDirectoryDlg::accept()
{
    m_strResultPath = m_pPathBox->currentText();
    QDialog::accept();
}
