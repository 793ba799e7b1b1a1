#include "wizards/NewDlg.h"

#include "framework/ContextHelp.h"
#include "framework/InstantMnemonic.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CNewDlg::CNewDlg(QWidget* parent)
    : QDialog(parent)
    , m_pPage(new QRadioButton(tr("&Page (from template)")))
    , m_pText(new QRadioButton(tr("Plain &Text")))
    , m_pProject(new QRadioButton(tr("Project &Workspace")))
{
    setWindowTitle(Caption());
    auto* group = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(this);
    const QList<std::pair<QRadioButton*, int>> buttons{
        {m_pPage, IDC_NEW_PAGE}, {m_pText, IDC_NEW_TEXT}, {m_pProject, IDC_NEW_PROJECT}};
    for (const auto& [button, id] : buttons) {
        button->setObjectName(CContextHelp::ObjectNameFor(id));
        group->addButton(button);
        layout->addWidget(button);
        // Alt+T then Return, typed at once, must make plain text.
        CInstantMnemonic::Install(button);
    }
    auto* box = new QDialogButtonBox;
    box->addButton(QDialogButtonBox::Ok)->setText(tr("&OK"));
    box->addButton(QDialogButtonBox::Cancel)->setText(tr("&Cancel"));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QAbstractButton* button : box->buttons())
        CInstantMnemonic::Install(button);
    layout->addWidget(box);
    // Return takes the page at once, as the dialog opens with that choice.
    box->button(QDialogButtonBox::Ok)->setDefault(true);
    CContextHelp::Install(this, {IDC_NEW_PAGE, IDC_NEW_TEXT, IDC_NEW_PROJECT});
}

CNewDlg::EChoice CNewDlg::Choice() const
{
    if (m_pText->isChecked())
        return PlainText;
    if (m_pProject->isChecked())
        return ProjectWorkspace;
    return Page;
}
