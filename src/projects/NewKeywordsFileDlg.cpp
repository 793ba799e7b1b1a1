#include "projects/NewKeywordsFileDlg.h"

#include "framework/ContextHelp.h"
#include "framework/KeysBack.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CNewKeywordsFileDlg::CNewKeywordsFileDlg(QWidget* parent)
    : QDialog(parent)
    , m_pName(new QLineEdit)
{
    setWindowTitle(Caption());
    m_pName->setObjectName(CContextHelp::ObjectNameFor(IDC_KEYWORDS_FILE_NAME));
    auto* group = new QGroupBox(tr("File Title"));
    auto* groupLayout = new QVBoxLayout(group);
    auto* text = new QLabel(tr("Give this file a name. The extension \".kwd\" will be automaticaly added."));
    text->setWordWrap(true);
    groupLayout->addWidget(text);
    groupLayout->addWidget(m_pName);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    CContextHelp::Install(this, {IDC_KEYWORDS_FILE_NAME});
}

QString CNewKeywordsFileDlg::Name() const
{
    return m_pName->text();
}

std::optional<QString> CNewKeywordsFileDlg::Ask(QWidget* parent)
{
    CNewKeywordsFileDlg dialog(parent);
    const bool bAccepted = dialog.exec() == QDialog::Accepted;
    // Without a window manager nothing gives the keys back to the tree.
    if (parent) {
        ZtGiveKeysBack(parent);
        parent->setFocus();
    }
    if (!bAccepted)
        return std::nullopt;
    return dialog.Name();
}
