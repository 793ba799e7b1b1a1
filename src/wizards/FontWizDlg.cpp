#include "wizards/FontWizDlg.h"

#include "framework/ContextHelp.h"
#include "wizards/ColorButton.h"
#include "wizards/WizardFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace ZtWizardFields;

namespace {

CFontWizDlg::FontChooser& TestChooser()
{
    static CFontWizDlg::FontChooser chooser;
    return chooser;
}

QStringList FontSizes()
{
    return {QStringLiteral("+1"), QStringLiteral("+2"), QStringLiteral("+3"), QStringLiteral("+4"),
            QStringLiteral("+5"), QStringLiteral("1"),  QStringLiteral("2"),  QStringLiteral("3"),
            QStringLiteral("4"),  QStringLiteral("5"),  QStringLiteral("6"),  QStringLiteral("7"),
            QString()};
}

bool ChooseScreenFont(QWidget* parent, QString* face)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, QFont(), parent, QObject::tr("Font"));
    if (ok)
        *face = font.family();
    return ok;
}

} // namespace

CFontWizDlg::CFontWizDlg(QWidget* parent)
    : QDialog(parent)
    , m_pFace(MakeEdit(IDC_FACE))
{
    setWindowTitle(Caption());
    auto* faceButton = new QPushButton(tr("Face"));
    faceButton->setObjectName(CContextHelp::ObjectNameFor(IDC_FACE_BUTTON));
    faceButton->setAutoDefault(false);
    connect(faceButton, &QPushButton::clicked, this, &CFontWizDlg::OnFaceButton);
    auto* faceRow = new QHBoxLayout;
    faceRow->addWidget(new QLabel(tr("Face")));
    faceRow->addWidget(m_pFace, 1);
    faceRow->addWidget(faceButton);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(faceRow);
    layout->addWidget(MakeBasefontGroup());
    layout->addWidget(MakeFontGroup());
    layout->addWidget(buttons);

    CContextHelp::Install(this, {IDC_FACE, IDC_BASEFONT, IDC_BASEFONT_SIZE, IDC_INSIDE_TAG, IDC_SIZE, IDC_COLOR, IDC_TEXT});
}

QWidget* CFontWizDlg::MakeBasefontGroup()
{
    auto* group = new QGroupBox(tr("Basefont"));
    m_pBasefont = new QCheckBox(tr("Basefont"));
    m_pBasefont->setObjectName(CContextHelp::ObjectNameFor(IDC_BASEFONT));
    m_pBasefontSize = MakeCombo(FontSizes(), IDC_BASEFONT_SIZE);
    auto* grid = new QGridLayout(group);
    grid->addWidget(m_pBasefont, 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Basefont Size")), 1, 0);
    grid->addWidget(m_pBasefontSize, 1, 1);
    return group;
}

QWidget* CFontWizDlg::MakeFontGroup()
{
    auto* group = new QGroupBox(tr("Font"));
    m_pInsideTag = new QCheckBox(tr("Inside another tag"));
    m_pInsideTag->setObjectName(CContextHelp::ObjectNameFor(IDC_INSIDE_TAG));
    m_pSize = MakeCombo(FontSizes(), IDC_SIZE);
    m_pColor = MakeCombo(ColorNames(), IDC_COLOR);
    auto* colorButton = new CColorButton(false);
    colorButton->Fill(m_pColor);
    m_pText = MakeEdit(IDC_TEXT);
    auto* grid = new QGridLayout(group);
    grid->addWidget(m_pInsideTag, 0, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Size")), 1, 0);
    grid->addWidget(m_pSize, 1, 1);
    grid->addWidget(new QLabel(tr("Color")), 2, 0);
    grid->addWidget(m_pColor, 2, 1);
    grid->addWidget(colorButton, 2, 2);
    grid->addWidget(new QLabel(tr("Text")), 3, 0);
    grid->addWidget(m_pText, 3, 1, 1, 2);
    return group;
}

void CFontWizDlg::SetFontChooser(FontChooser chooser)
{
    TestChooser() = std::move(chooser);
}

void CFontWizDlg::OnFaceButton()
{
    QString face;
    const bool chosen = TestChooser() ? TestChooser()(this, &face) : ChooseScreenFont(this, &face);
    if (chosen)
        m_pFace->setText(AddFontFace(m_pFace->text(), face));
}

void CFontWizDlg::SetText(const QString& text)
{
    m_pText->setText(text);
}

CFontValues CFontWizDlg::Values() const
{
    CFontValues values;
    values.m_strFace = m_pFace->text();
    values.m_bBasefont = m_pBasefont->isChecked();
    values.m_strBasefontSize = m_pBasefontSize->currentText();
    values.m_bInsideTag = m_pInsideTag->isChecked();
    values.m_strSize = m_pSize->currentText();
    values.m_strColor = m_pColor->currentText();
    values.m_strText = m_pText->text();
    return values;
}

void CFontWizDlg::SetValues(const CFontValues& values)
{
    m_pFace->setText(values.m_strFace);
    m_pBasefont->setChecked(values.m_bBasefont);
    m_pBasefontSize->setEditText(values.m_strBasefontSize);
    m_pInsideTag->setChecked(values.m_bInsideTag);
    m_pSize->setEditText(values.m_strSize);
    m_pColor->setEditText(values.m_strColor);
    // Only the start tag changes: the text stays as it is, and a FONT made
    // a BASEFONT (or back) would leave its end tag behind or lack one.
    m_pText->setEnabled(false);
    m_pBasefont->setEnabled(false);
}

void CFontWizDlg::accept()
{
    m_strText = BuildFontText(Values());
    QDialog::accept();
}
