#include "tools/JavaOptionsDlg.h"

#include "framework/ContextHelp.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QComboBox* SizeBox(int id, const QStringList& sizes)
{
    auto* box = new QComboBox;
    box->setObjectName(CContextHelp::ObjectNameFor(id));
    box->setEditable(true);
    box->addItems(sizes);
    // Nothing chosen until the user chooses: an untouched size is the default.
    box->setCurrentIndex(-1);
    return box;
}
} // namespace

CJavaOptionsDlg::CJavaOptionsDlg(QWidget* parent)
    : QDialog(parent)
    , m_pCreateHtml(new QRadioButton(QStringLiteral("Yes, create html")))
    , m_pJustCompile(new QRadioButton(QStringLiteral("No, just compile")))
    , m_pProgram(new QLineEdit(DefaultProgram()))
    , m_pSwitches(new QLineEdit)
    , m_pWidth(SizeBox(IDC_WIDTH, {QStringLiteral("200"), QStringLiteral("300"), QStringLiteral("400"),
                                   QStringLiteral("600"), QStringLiteral("800")}))
    , m_pHeight(SizeBox(IDC_HEIGHT, {QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("300"),
                                     QStringLiteral("400"), QStringLiteral("600"), QStringLiteral("800")}))
{
    setWindowTitle(QStringLiteral("JAVA command-line options"));
    m_pCreateHtml->setObjectName(CContextHelp::ObjectNameFor(IDC_CREATE_HTML));
    m_pJustCompile->setObjectName(CContextHelp::ObjectNameFor(IDC_JUST_COMPILE));
    m_pProgram->setObjectName(CContextHelp::ObjectNameFor(IDC_PROGRAM));
    m_pSwitches->setObjectName(CContextHelp::ObjectNameFor(IDC_SWITCHES));

    auto* grid = new QGridLayout;
    grid->addWidget(m_pCreateHtml, 0, 0);
    grid->addWidget(m_pJustCompile, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("exe")), 0, 1);
    grid->addWidget(m_pProgram, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Switches")), 2, 1);
    grid->addWidget(m_pSwitches, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Width")), 2, 0);
    grid->addWidget(m_pWidth, 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("Height")), 4, 0);
    grid->addWidget(m_pHeight, 5, 0);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    resize(420, sizeHint().height());

    // Mouse, Space and the arrow keys all change the choice through toggled.
    connect(m_pCreateHtml, &QRadioButton::toggled, this, &CJavaOptionsDlg::SetApplet);
    m_pJustCompile->setChecked(true);
    // The focus opens on the chosen button, where Tab enters the group.
    m_pJustCompile->setFocus();
    SetApplet(false);
    CContextHelp::Install(this, {IDC_CREATE_HTML, IDC_JUST_COMPILE, IDC_PROGRAM, IDC_SWITCHES, IDC_WIDTH, IDC_HEIGHT});
}

void CJavaOptionsDlg::SetApplet(bool applet)
{
    m_bApplet = applet;
    m_pWidth->setEnabled(applet);
    m_pHeight->setEnabled(applet);
}

void CJavaOptionsDlg::accept()
{
    m_strSwitches = m_pSwitches->text();
    m_strProgram = m_pProgram->text();
    if (m_bApplet) {
        m_strWidth = m_pWidth->currentText().isEmpty() ? DefaultSize() : m_pWidth->currentText();
        m_strHeight = m_pHeight->currentText().isEmpty() ? DefaultSize() : m_pHeight->currentText();
    }
    QDialog::accept();
}
