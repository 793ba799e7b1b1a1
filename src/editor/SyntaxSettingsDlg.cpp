#include "editor/SyntaxSettingsDlg.h"

#include "editor/SyntaxColoringCheck.h"
#include "framework/ContextHelp.h"
#include "framework/Profile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <limits>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kColoringOnKey = QStringLiteral("SyntaxColoringOn");
const QString kFileSizeKey = QStringLiteral("SyntaxFileSize");

// The dialog was designed as 275 x 145 dialog units; a horizontal unit is a
// quarter of the average character width, a vertical one an eighth of the
// line height of the dialog's font.
QSize DialogUnitsToPixels(const QFontMetrics& metrics, int unitsX, int unitsY)
{
    return QSize(unitsX * metrics.averageCharWidth() / 4, unitsY * metrics.height() / 8);
}

} // namespace

CSyntaxSettingsDlg::CSyntaxSettingsDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Settings"));
    BuildControls();
    LoadFromProfile();
    resize(DialogUnitsToPixels(fontMetrics(), 275, 145).expandedTo(sizeHint()));
}

QString CSyntaxSettingsDlg::StatusTextFor(int state)
{
    if (state == 0)
        return QStringLiteral("No syntax coloring.");
    return QStringLiteral("Set the maximum size of a file that Zentrel should allow syntax "
                          "coloring on. Slower machines(100 mhz and lower) should stay below "
                          "10000 bites to prevent lock-up.");
}

int CSyntaxSettingsDlg::ParseFileSize(const QString& text)
{
    // Read like the C library's atoi: leading blanks, an optional sign, then
    // digits; whatever follows the digits is ignored.
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    const qint64 limit = std::numeric_limits<int>::max();
    qint64 number = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        number = qMin(limit, number * 10 + (text[i].unicode() - '0'));
    return int(negative ? -number : number);
}

QStringList CSyntaxSettingsDlg::FileSizeChoices()
{
    return {QStringLiteral("5000"),  QStringLiteral("7000"),  QStringLiteral("10000"),
            QStringLiteral("12000"), QStringLiteral("15000"), QStringLiteral("17000"),
            QStringLiteral("20000"), QStringLiteral("25000")};
}

void CSyntaxSettingsDlg::BuildControls()
{
    auto* group = new QGroupBox(QStringLiteral("Syntax Coloring"), this);
    m_pColoringOn = new QRadioButton(QStringLiteral("Syntax coloring On"), group);
    m_pColoringOn->setObjectName(CContextHelp::ObjectNameFor(IDC_COLORING_ON));
    m_pColoringOff = new QRadioButton(QStringLiteral("Syntax coloring Off"), group);
    m_pColoringOff->setObjectName(CContextHelp::ObjectNameFor(IDC_COLORING_OFF));
    auto* radios = new QButtonGroup(this);
    radios->addButton(m_pColoringOn);
    radios->addButton(m_pColoringOff);

    m_pStatusText = new QLabel(group);
    m_pStatusText->setObjectName(CContextHelp::ObjectNameFor(IDC_STATUS_TEXT));
    m_pStatusText->setWordWrap(true);
    m_pStatusText->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* sizeLabel = new QLabel(QStringLiteral("File size"), group);
    m_pFileSize = new QComboBox(group);
    m_pFileSize->setObjectName(CContextHelp::ObjectNameFor(IDC_FILE_SIZE));
    m_pFileSize->setEditable(true);
    // Typed sizes are a value for this run of the dialog, not new list items.
    m_pFileSize->setInsertPolicy(QComboBox::NoInsert);
    // The size is read exactly as typed, without inline completion.
    m_pFileSize->setCompleter(nullptr);
    m_pFileSize->addItems(FileSizeChoices());
    sizeLabel->setBuddy(m_pFileSize);

    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(sizeLabel);
    sizeRow->addWidget(m_pFileSize, 1);
    sizeRow->addStretch(1);

    // Made after the size box and laid out below it, so that the tab order
    // of the other controls stays as it was.
    m_pByStructure = new QCheckBox(QStringLiteral("Colour by &structure"), group);
    m_pByStructure->setObjectName(CContextHelp::ObjectNameFor(IDC_COLOR_BY_STRUCTURE));

    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_pColoringOn);
    groupLayout->addWidget(m_pColoringOff);
    groupLayout->addWidget(m_pStatusText, 1);
    groupLayout->addLayout(sizeRow);
    groupLayout->addWidget(m_pByStructure);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(CContextHelp::ObjectNameFor(IDOK_BUTTON));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(CContextHelp::ObjectNameFor(IDCANCEL_BUTTON));
    connect(buttons, &QDialogButtonBox::accepted, this, &CSyntaxSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSyntaxSettingsDlg::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(buttons);

    connect(m_pColoringOn, &QRadioButton::clicked, this, &CSyntaxSettingsDlg::OnColoringOn);
    connect(m_pColoringOff, &QRadioButton::clicked, this, &CSyntaxSettingsDlg::OnColoringOff);
}

void CSyntaxSettingsDlg::LoadFromProfile()
{
    const CProfile& profile = CProfile::Instance();
    const bool coloringOn = profile.GetInt(kSection, kColoringOnKey, 0) != 0;
    m_pFileSize->setEditText(QString::number(profile.GetInt(kSection, kFileSizeKey, 0)));
    m_pByStructure->setChecked(IsColourByStructureOn());
    SetState(coloringOn ? 1 : 0);
}

void CSyntaxSettingsDlg::SetState(int state)
{
    m_nState = state;
    m_pColoringOn->setChecked(state != 0);
    m_pColoringOff->setChecked(state == 0);
    m_pFileSize->setEnabled(state != 0);
    m_pByStructure->setEnabled(state != 0);
    m_pStatusText->setText(StatusTextFor(state));
}

void CSyntaxSettingsDlg::OnColoringOn()
{
    SetState(1);
}

void CSyntaxSettingsDlg::OnColoringOff()
{
    SetState(0);
}

void CSyntaxSettingsDlg::accept()
{
    CProfile& profile = CProfile::Instance();
    profile.WriteInt(kSection, kFileSizeKey, ParseFileSize(m_pFileSize->currentText()));
    profile.WriteInt(kSection, kColoringOnKey, m_nState);
    profile.WriteInt(kSection, QLatin1String(kColourByStructureKey), m_pByStructure->isChecked() ? 1 : 0);
    QDialog::accept();
}
