#include "wizards/TableWizPage1.h"

#include "framework/ContextHelp.h"
#include "framework/Profile.h"
#include "wizards/ColorButton.h"
#include "wizards/CssChoiceGroup.h"
#include "wizards/FileButton.h"
#include "wizards/ImageFolders.h"
#include "wizards/ImageWizDlg.h"
#include "wizards/TableWizSheet.h"
#include "wizards/WizardFields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace ZtWizardFields;

CTableWizPage1::CTableWizPage1(CTableWizSheet* sheet)
    : m_pSheet(sheet)
    , m_pGrid(new QGridLayout)
{
    setTitle(Caption());
    m_pWidth = AddCombo(tr("WIDTH"), Sizes(), IDC_WIDTH);
    m_pHeight = AddCombo(tr("HEIGHT"), Sizes(), IDC_HEIGHT);
    m_pAlign = AddCombo(tr("ALIGN"), Alignments(), IDC_ALIGN);
    m_pVAlign = AddCombo(tr("VALIGN"), {QStringLiteral("Top"), QStringLiteral("Bottom")}, IDC_VALIGN);
    m_pBorder = AddCombo(tr("BORDER"), OneToEight(), IDC_BORDER);
    m_pCellPadding = AddCombo(tr("CELLPADDING"), OneToEight(), IDC_CELLPADDING);
    m_pCellSpacing = AddCombo(tr("CELLSPACING"), OneToEight(), IDC_CELLSPACING);
    m_pBorderColor = AddColorCombo(tr("BORDERCOLOR"), IDC_BORDERCOLOR);
    m_pBorderColorLight = AddColorCombo(tr("BORDERCOLORLIGHT"), IDC_BORDERCOLORLIGHT);
    m_pBorderColorDark = AddColorCombo(tr("BORDERCOLORDARK"), IDC_BORDERCOLORDARK);
    m_pBackgroundColor = AddColorCombo(tr("Background Color"), IDC_BACKGROUND_COLOR);
    AddImageRow();
    m_pCss = new CCssChoiceGroup(tr("CSS and MarkUp"), IDC_CSS_TEXT);

    auto* parameters = new QGroupBox(tr("Table parameters"));
    parameters->setLayout(m_pGrid);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(parameters);
    layout->addWidget(m_pCss);
    // The style name and its buttons have no topic.
    CContextHelp::Install(this, {IDC_WIDTH, IDC_HEIGHT, IDC_ALIGN, IDC_VALIGN, IDC_BORDER, IDC_CELLPADDING,
                                 IDC_CELLSPACING, IDC_BORDERCOLOR, IDC_BORDERCOLORLIGHT, IDC_BORDERCOLORDARK,
                                 IDC_BACKGROUND_COLOR, IDC_BACKGROUND_IMAGE});
}

QStringList CTableWizPage1::Sizes()
{
    return {QStringLiteral("100%"), QStringLiteral("90%"), QStringLiteral("80%"), QStringLiteral("70%"),
            QStringLiteral("50%")};
}

QStringList CTableWizPage1::Alignments()
{
    return {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")};
}

QStringList CTableWizPage1::OneToEight()
{
    QStringList numbers;
    for (int n = 1; n <= 8; ++n)
        numbers.append(QString::number(n));
    return numbers;
}

QComboBox* CTableWizPage1::AddCombo(const QString& label, const QStringList& items, int controlId)
{
    const int row = m_pGrid->rowCount();
    QComboBox* combo = MakeCombo(items, controlId);
    m_pGrid->addWidget(new QLabel(label), row, 0);
    m_pGrid->addWidget(combo, row, 1);
    return combo;
}

QComboBox* CTableWizPage1::AddColorCombo(const QString& label, int controlId)
{
    QComboBox* combo = AddCombo(label, ColorNames(), controlId);
    auto* button = new CColorButton(false);
    button->Fill(combo);
    m_pGrid->addWidget(button, m_pGrid->rowCount() - 1, 2);
    return combo;
}

void CTableWizPage1::AddImageRow()
{
    const int row = m_pGrid->rowCount();
    m_pImage = MakeEdit(IDC_BACKGROUND_IMAGE);
    m_pImageButton = new CFileButton(CImageWizDlg::ImageFilter());
    m_pImageButton->SetBaseDirectory(m_pSheet->BaseDirectory());
    m_pImageButton->SetStartDirectory([this] { return ImageStartDirectory(); });
    m_pImageButton->Fill(m_pImage);
    m_pGrid->addWidget(new QLabel(tr("Background Image")), row, 0);
    m_pGrid->addWidget(m_pImage, row, 1);
    m_pGrid->addWidget(m_pImageButton, row, 2);
}

QString CTableWizPage1::ImageStartDirectory() const
{
    // Only read: picking a background image is not remembered as an image
    // folder.
    const QString recent = ZtImageFolders::MostRecent(CProfile::Instance());
    return recent.isEmpty() ? m_pSheet->ProjectPath() : recent;
}

CTableValues CTableWizPage1::Values() const
{
    CTableValues values;
    values.m_strWidth = m_pWidth->currentText();
    values.m_strHeight = m_pHeight->currentText();
    values.m_strAlign = m_pAlign->currentText();
    values.m_strVAlign = m_pVAlign->currentText();
    values.m_strBorder = m_pBorder->currentText();
    values.m_strCellPadding = m_pCellPadding->currentText();
    values.m_strCellSpacing = m_pCellSpacing->currentText();
    values.m_strBorderColor = m_pBorderColor->currentText();
    values.m_strBorderColorLight = m_pBorderColorLight->currentText();
    values.m_strBorderColorDark = m_pBorderColorDark->currentText();
    values.m_strBackgroundColor = m_pBackgroundColor->currentText();
    values.m_strBackgroundImage = m_pImage->text();
    values.m_nCssKind = m_pCss->Kind();
    values.m_strCss = m_pCss->Text();
    return values;
}

void CTableWizPage1::SetValues(const CTableValues& values)
{
    m_pWidth->setEditText(values.m_strWidth);
    m_pHeight->setEditText(values.m_strHeight);
    m_pAlign->setEditText(values.m_strAlign);
    m_pVAlign->setEditText(values.m_strVAlign);
    m_pBorder->setEditText(values.m_strBorder);
    m_pCellPadding->setEditText(values.m_strCellPadding);
    m_pCellSpacing->setEditText(values.m_strCellSpacing);
    m_pBorderColor->setEditText(values.m_strBorderColor);
    m_pBorderColorLight->setEditText(values.m_strBorderColorLight);
    m_pBorderColorDark->setEditText(values.m_strBorderColorDark);
    m_pBackgroundColor->setEditText(values.m_strBackgroundColor);
    m_pImage->setText(values.m_strBackgroundImage);
    m_pCss->SetChoice(values.m_nCssKind, values.m_strCss);
}

bool CTableWizPage1::validatePage()
{
    m_pSheet->RecordPiece(CTableWizSheet::START_TAG, BuildTableStartTag(Values()));
    return true;
}
