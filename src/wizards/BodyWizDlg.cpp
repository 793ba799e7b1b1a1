#include "wizards/BodyWizDlg.h"

#include "framework/ContextHelp.h"
#include "wizards/ColorButton.h"
#include "wizards/FileButton.h"
#include "wizards/WizardFields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace ZtWizardFields;

namespace {
QStringList MarginSizes()
{
    return {QStringLiteral("5"),  QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("20"),
            QStringLiteral("30"), QStringLiteral("40"), QStringLiteral("100")};
}
} // namespace

CBodyWizDlg::CBodyWizDlg(const QString& baseDirectory, QWidget* parent)
    : QDialog(parent)
    , m_pGrid(new QGridLayout)
{
    setWindowTitle(Caption());
    m_pBackground = AddColorRow(tr("Background"), IDC_BACKGROUND, true, ColorNames());
    AddFixedRow();
    m_pTextColor = AddColorRow(tr("Text color"), IDC_TEXT_COLOR, false, ColorNames());
    AddImageRow(baseDirectory);
    m_pLink = AddColorRow(tr("Link"), IDC_LINK, false, ColorNames());
    m_pActiveLink = AddColorRow(tr("Active link"), IDC_ACTIVE_LINK, false, ColorNames());
    // This list alone shows the colours in alphabetical order.
    QStringList sorted = ColorNames();
    sorted.sort();
    m_pVisitedLink = AddColorRow(tr("Visited link"), IDC_VISITED_LINK, false, sorted);

    const int row = m_pGrid->rowCount();
    m_pLeftMargin = MakeCombo(MarginSizes(), IDC_LEFT_MARGIN);
    m_pTopMargin = MakeCombo(MarginSizes(), IDC_TOP_MARGIN);
    m_pGrid->addWidget(new QLabel(tr("LeftMargin")), row, 0);
    m_pGrid->addWidget(m_pLeftMargin, row, 1);
    m_pGrid->addWidget(new QLabel(tr("TopMargin ")), row + 1, 0);
    m_pGrid->addWidget(m_pTopMargin, row + 1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_pGrid);
    layout->addWidget(buttons);

    CContextHelp::Install(this, {IDC_BACKGROUND, IDC_FIXED, IDC_NOT_FIXED, IDC_TEXT_COLOR, IDC_IMAGE, IDC_LINK,
                                 IDC_ACTIVE_LINK, IDC_VISITED_LINK, IDC_LEFT_MARGIN, IDC_TOP_MARGIN});
}

QString CBodyWizDlg::ImageFilter()
{
    return QStringLiteral(".gif Files (*.gif) |*.GIF|.jpg Files (*.jpg) |*.JPG|all Files (*.*) |*.*|");
}

QComboBox* CBodyWizDlg::AddColorRow(const QString& label, int controlId, bool fullOpen, const QStringList& colors)
{
    const int row = m_pGrid->rowCount();
    QComboBox* field = MakeCombo(colors, controlId);
    auto* button = new CColorButton(fullOpen);
    button->Fill(field);
    m_pGrid->addWidget(new QLabel(label), row, 0);
    m_pGrid->addWidget(field, row, 1);
    m_pGrid->addWidget(button, row, 2);
    return field;
}

void CBodyWizDlg::AddFixedRow()
{
    auto* fixed = m_pFixedButton = new QRadioButton(tr("Background Fixed?"));
    auto* notFixed = new QRadioButton(tr("Not"));
    fixed->setObjectName(CContextHelp::ObjectNameFor(IDC_FIXED));
    notFixed->setObjectName(CContextHelp::ObjectNameFor(IDC_NOT_FIXED));
    // The flag follows the button last clicked; neither is checked at first.
    connect(fixed, &QRadioButton::clicked, this, [this] { m_bFixed = true; });
    connect(notFixed, &QRadioButton::clicked, this, [this] { m_bFixed = false; });
    auto* pair = new QHBoxLayout;
    pair->addWidget(fixed);
    pair->addWidget(notFixed);
    pair->addStretch();
    m_pGrid->addLayout(pair, m_pGrid->rowCount(), 1, 1, 2);
}

void CBodyWizDlg::AddImageRow(const QString& baseDirectory)
{
    const int row = m_pGrid->rowCount();
    m_pImage = MakeEdit(IDC_IMAGE);
    m_pImageButton = new CFileButton(ImageFilter());
    m_pImageButton->SetBaseDirectory(baseDirectory);
    m_pImageButton->Fill(m_pImage);
    m_pGrid->addWidget(new QLabel(tr("Image")), row, 0);
    m_pGrid->addWidget(m_pImage, row, 1);
    m_pGrid->addWidget(m_pImageButton, row, 2);
}

CBodyValues CBodyWizDlg::Values() const
{
    CBodyValues values;
    values.m_strBackground = m_pBackground->currentText();
    values.m_strImage = m_pImage->text();
    values.m_bFixed = m_bFixed;
    values.m_strTextColor = m_pTextColor->currentText();
    values.m_strLink = m_pLink->currentText();
    values.m_strActiveLink = m_pActiveLink->currentText();
    values.m_strVisitedLink = m_pVisitedLink->currentText();
    values.m_strLeftMargin = m_pLeftMargin->currentText();
    values.m_strTopMargin = m_pTopMargin->currentText();
    return values;
}

void CBodyWizDlg::SetValues(const CBodyValues& values)
{
    m_pBackground->setEditText(values.m_strBackground);
    m_pImage->setText(values.m_strImage);
    // Neither button is checked for a tag without the flag, as when the
    // dialog opens.
    if (values.m_bFixed)
        m_pFixedButton->setChecked(true);
    m_bFixed = values.m_bFixed;
    m_pTextColor->setEditText(values.m_strTextColor);
    m_pLink->setEditText(values.m_strLink);
    m_pActiveLink->setEditText(values.m_strActiveLink);
    m_pVisitedLink->setEditText(values.m_strVisitedLink);
    m_pLeftMargin->setEditText(values.m_strLeftMargin);
    m_pTopMargin->setEditText(values.m_strTopMargin);
}

void CBodyWizDlg::accept()
{
    m_strText = BuildBodyText(Values());
    QDialog::accept();
}
