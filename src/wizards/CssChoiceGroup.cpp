#include "wizards/CssChoiceGroup.h"

#include "framework/ContextHelp.h"
#include "wizards/WizardFields.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

CCssChoiceGroup::CCssChoiceGroup(const QString& title, int firstId, QWidget* parent)
    : QGroupBox(title, parent)
    , m_pEdit(ZtWizardFields::MakeEdit(firstId))
{
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pEdit, 1);
    int kind = 1;
    for (const QString& label : {tr("CLASS"), tr("ID")}) {
        auto* button = m_pButtons[kind - 1] = new QRadioButton(label);
        button->setObjectName(CContextHelp::ObjectNameFor(firstId + kind));
        connect(button, &QRadioButton::clicked, this, [this, kind] { m_nKind = kind; });
        layout->addWidget(button);
        ++kind;
    }
}

void CCssChoiceGroup::SetChoice(int kind, const QString& text)
{
    m_pEdit->setText(text);
    if (kind == 1 || kind == 2) {
        m_pButtons[kind - 1]->setChecked(true);
        m_nKind = kind;
    }
}

QString CCssChoiceGroup::Text() const
{
    return m_pEdit->text();
}
