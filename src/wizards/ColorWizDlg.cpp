#include "wizards/ColorWizDlg.h"

#include "framework/ContextHelp.h"
#include "wizards/ColorButton.h"
#include "wizards/WizardFields.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

CColorWizDlg::CColorWizDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(Caption());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeParametersGroup());
    layout->addWidget(buttons);
    UpdatePreview();
    // The dialog opens with the focus where Tab would enter the group: on
    // the chosen kind, so the arrow keys step on from "Alone".
    for (QRadioButton* radio : findChildren<QRadioButton*>()) {
        if (radio->isChecked())
            radio->setFocus();
    }

    CContextHelp::Install(this, {IDC_KIND_BGCOLOR, IDC_KIND_ALONE, IDC_KIND_BACKGROUND, IDC_KIND_COLOR,
                                 IDC_KIND_BACKGROUND_COLOR});
}

QWidget* CColorWizDlg::MakeParametersGroup()
{
    auto* group = new QGroupBox(tr("Parameters"));
    auto* grid = new QGridLayout(group);
    const struct { const char* label; int id; ZtColorKind kind; } kinds[] = {
        {"BGCOLOR", IDC_KIND_BGCOLOR, ZtColorKind::BgColorAttribute},
        {"Alone", IDC_KIND_ALONE, ZtColorKind::Alone},
        {"background", IDC_KIND_BACKGROUND, ZtColorKind::Background},
        {"color", IDC_KIND_COLOR, ZtColorKind::Color},
        {"background-color", IDC_KIND_BACKGROUND_COLOR, ZtColorKind::BackgroundColor},
    };
    for (const auto& kind : kinds) {
        auto* radio = new QRadioButton(tr(kind.label));
        radio->setObjectName(CContextHelp::ObjectNameFor(kind.id));
        radio->setChecked(kind.kind == m_kind);
        const ZtColorKind value = kind.kind;
        connect(radio, &QRadioButton::clicked, this, [this, value] { SetKind(value); });
        grid->addWidget(radio, grid->rowCount(), 0, 1, 2);
    }
    auto* colorButton = new CColorButton(true);
    connect(colorButton, &CColorButton::colorPicked, this, &CColorWizDlg::OnColorPicked);
    m_pValueEdit = ZtWizardFields::MakeEdit(IDC_VALUE);
    connect(m_pValueEdit, &QLineEdit::textChanged, this, &CColorWizDlg::UpdatePreview);
    m_pPreview = new QLabel;
    m_pPreview->setObjectName(CContextHelp::ObjectNameFor(IDC_PREVIEW));
    m_pPreview->setTextFormat(Qt::PlainText);
    // Wide enough for the longest text it shows, the style sheet form.
    m_pPreview->setMinimumWidth(m_pPreview->fontMetrics().horizontalAdvance(QStringLiteral("background-color: #FFFFFF; ")));
    const int row = grid->rowCount();
    grid->addWidget(colorButton, row, 0);
    grid->addWidget(m_pValueEdit, row, 1);
    grid->addWidget(m_pPreview, row + 1, 0, 1, 2);
    return group;
}

QString CColorWizDlg::PreviewText() const
{
    return m_pPreview->text();
}

void CColorWizDlg::SetKind(ZtColorKind kind)
{
    m_kind = kind;
    UpdatePreview();
}

void CColorWizDlg::OnColorPicked(const QString& color)
{
    // A cancelled chooser keeps the value; the field shows it either way.
    if (!color.isEmpty())
        m_strValue = color;
    m_pValueEdit->setText(m_strValue);
    UpdatePreview();
}

void CColorWizDlg::UpdatePreview()
{
    m_pPreview->setText(BuildColorText(m_strValue, m_kind));
}

void CColorWizDlg::accept()
{
    m_strText = m_strValue.isEmpty() ? m_strValue : BuildColorText(m_strValue, m_kind);
    QDialog::accept();
}
