#include "wizards/TableGroupFields.h"

#include "wizards/ColorButton.h"
#include "wizards/CssChoiceGroup.h"
#include "wizards/TableWizPage1.h"
#include "wizards/WizardFields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

using namespace ZtWizardFields;

CTableGroupFields::CTableGroupFields(const QString& title, const QString& countLabel, const QString& cssTitle,
                                     int firstId, QWidget* parent)
    : QGroupBox(title, parent)
    , m_pWidth(MakeCombo(CTableWizPage1::Sizes(), firstId + WIDTH))
    , m_pHeight(MakeCombo(CTableWizPage1::Sizes(), firstId + HEIGHT))
    , m_pAlign(MakeCombo(CTableWizPage1::Alignments(), firstId + ALIGN))
    , m_pVAlign(MakeCombo({QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom"),
                           QStringLiteral("Baseline")},
                          firstId + VALIGN))
    , m_pBackgroundColor(MakeCombo(ColorNames(), firstId + BACKGROUND_COLOR))
    , m_pCount(MakeEdit(firstId + COUNT))
    , m_pCss(new CCssChoiceGroup(cssTitle, firstId + CSS_TEXT))
{
    m_pCount->setText(QStringLiteral("1"));
    auto* colorButton = new CColorButton(false);
    colorButton->Fill(m_pBackgroundColor);

    auto* grid = new QGridLayout(this);
    const QList<QPair<QString, QWidget*>> rows{{tr("WIDTH"), m_pWidth},
                                               {tr("HEIGHT"), m_pHeight},
                                               {tr("ALIGN"), m_pAlign},
                                               {tr("VALIGN"), m_pVAlign},
                                               {tr("Background Color"), m_pBackgroundColor},
                                               {countLabel, m_pCount}};
    for (int row = 0; row < rows.size(); ++row) {
        grid->addWidget(new QLabel(rows[row].first), row, 0);
        grid->addWidget(rows[row].second, row, 1);
    }
    grid->addWidget(colorButton, 4, 2);
    grid->addWidget(m_pCss, int(rows.size()), 0, 1, 3);
    // The page is as tall as the first one: the room left over goes below.
    grid->setRowStretch(int(rows.size()) + 1, 1);
}

CTableGroupValues CTableGroupFields::Values() const
{
    CTableGroupValues values;
    values.m_strWidth = m_pWidth->currentText();
    values.m_strHeight = m_pHeight->currentText();
    values.m_strAlign = m_pAlign->currentText();
    values.m_strVAlign = m_pVAlign->currentText();
    values.m_strBackgroundColor = m_pBackgroundColor->currentText();
    values.m_nCssKind = m_pCss->Kind();
    values.m_strCss = m_pCss->Text();
    return values;
}

QString CTableGroupFields::CountText() const
{
    return m_pCount->text();
}
