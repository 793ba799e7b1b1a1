#include "wizards/WizardFields.h"

#include "framework/ContextHelp.h"

#include <QComboBox>
#include <QLineEdit>

namespace ZtWizardFields {

QStringList ColorNames()
{
    return {QStringLiteral("Red"),   QStringLiteral("Yellow"), QStringLiteral("Blue"),    QStringLiteral("Green"),
            QStringLiteral("Black"), QStringLiteral("White"),  QStringLiteral("Magenta"), QStringLiteral("Gray")};
}

QComboBox* MakeCombo(const QStringList& items, int controlId)
{
    auto* combo = new QComboBox;
    combo->setObjectName(CContextHelp::ObjectNameFor(controlId));
    combo->setEditable(true);
    // Completion would turn a typed "r" into "Red".
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
    combo->setMinimumContentsLength(10);
    return combo;
}

QLineEdit* MakeEdit(int controlId)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(CContextHelp::ObjectNameFor(controlId));
    return edit;
}

} // namespace ZtWizardFields
