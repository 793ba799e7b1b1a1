#include "tools/ToolDialogParts.h"

#include "framework/ContextHelp.h"
#include "framework/InstantMnemonic.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ZtToolDialogParts {

QLineEdit* NamedEdit(int id)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(CContextHelp::ObjectNameFor(id));
    return edit;
}

QDialogButtonBox* RunButtons()
{
    auto* buttons = new QDialogButtonBox;
    QPushButton* run = buttons->addButton(QStringLiteral("&Run"), QDialogButtonBox::AcceptRole);
    run->setDefault(true);
    CInstantMnemonic::Install(run);
    buttons->addButton(QDialogButtonBox::Cancel);
    return buttons;
}

void StackGroupAndButtons(QDialog* dialog, QWidget* group, QDialogButtonBox* buttons)
{
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

} // namespace ZtToolDialogParts
