#include "wizards/NewPageDlg.h"

#include "files/AtomicFile.h"
#include "files/TypedPath.h"
#include "framework/ContextHelp.h"
#include "framework/MessageBox.h"
#include "wizards/FileButton.h"
#include "wizards/NewPageText.h"
#include "wizards/WizardFields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

using namespace ZtWizardFields;

namespace {

CNewPageDlg::FolderChooser& InstalledFolderChooser()
{
    static CNewPageDlg::FolderChooser chooser;
    return chooser;
}

CNewPageDlg::SaveChooser& TestSaveChooser()
{
    static CNewPageDlg::SaveChooser chooser;
    return chooser;
}

// The largest file taken as a template: a page skeleton, not a site.
constexpr qint64 kMaxTemplateBytes = 4 * 1024 * 1024;

QToolButton* MakePictureButton(int controlId, const QString& toolTip)
{
    auto* button = new QToolButton;
    button->setIcon(QIcon(QStringLiteral(":/icons/folder-open.svg")));
    button->setToolTip(toolTip);
    button->setObjectName(CContextHelp::ObjectNameFor(controlId));
    return button;
}

// Return on a focused picture button presses it, as on any push button of
// a dialog, instead of the dialog's OK.
class CReturnPresses : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        static_cast<QAbstractButton*>(watched)->click();
        return true;
    }
};

} // namespace

void CNewPageDlg::SetFolderChooser(FolderChooser chooser)
{
    InstalledFolderChooser() = std::move(chooser);
}

void CNewPageDlg::SetSaveChooser(SaveChooser chooser)
{
    TestSaveChooser() = std::move(chooser);
}

CNewPageDlg::CNewPageDlg(const QString& templatesDirectory, const QString& wizardDirectory,
                         const QString& startDirectory, QWidget* parent)
    : QDialog(parent)
    , m_strTemplatesDirectory(templatesDirectory)
    , m_strWizardDirectory(wizardDirectory)
    , m_strStartDirectory(startDirectory)
{
    setWindowTitle(Caption());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakePageGroup());
    layout->addWidget(MakeTemplateGroup(), 1);
    layout->addWidget(buttons);
    // Path shows the folder above the wizards' base directory; the folder
    // button starts at the base directory itself.
    m_pPath->setText(ZtNewPage::InitialPath(wizardDirectory, QString(), QString()));
    SetUpKeyboard(buttons);
    m_pTitle->setFocus();
    resize(560, 480);
    CContextHelp::Install(this, {IDC_TITLE, IDC_PATH, IDC_PROLOGUE, IDC_TEMPLATE_TEXT});
}

void CNewPageDlg::SetUpKeyboard(QDialogButtonBox* buttons)
{
    // Tab visits the controls in the order they are laid out for the user,
    // each picture button after the field it serves.
    const auto control = [this](int id) { return findChild<QWidget*>(CContextHelp::ObjectNameFor(id)); };
    const QList<QWidget*> order{m_pTitle,
                                control(IDC_PATH_BUTTON),
                                m_pPath,
                                m_pPrologue,
                                control(IDC_GET_TEMPLATE),
                                control(IDC_SAVE_TEMPLATE),
                                m_pText,
                                buttons->button(QDialogButtonBox::Ok),
                                buttons->button(QDialogButtonBox::Cancel)};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
    // The picture buttons are the only way to their actions: Tab reaches
    // them. Once a button's action is over, the keys go to where Return
    // means OK again (this runs after the action's own handler): Path after
    // the folder button, OK after a template button. Without a window
    // manager, the dialog must also be made active again.
    for (int id : {IDC_PATH_BUTTON, IDC_GET_TEMPLATE, IDC_SAVE_TEMPLATE}) {
        auto* button = qobject_cast<QAbstractButton*>(control(id));
        button->setFocusPolicy(Qt::StrongFocus);
        button->installEventFilter(new CReturnPresses(button));
        QWidget* next = id == IDC_PATH_BUTTON ? static_cast<QWidget*>(m_pPath) : buttons->button(QDialogButtonBox::Ok);
        connect(button, &QAbstractButton::clicked, this, [this, next] {
            activateWindow();
            next->setFocus();
        });
    }
}

QWidget* CNewPageDlg::MakePageGroup()
{
    m_pTitle = MakeEdit(IDC_TITLE);
    m_pPath = MakeEdit(IDC_PATH);
    m_pPrologue = MakeCombo(ZtNewPage::PrologueIdentifiers(), IDC_PROLOGUE);
    m_pPrologue->setMinimumContentsLength(40);
    QToolButton* pathButton = MakePictureButton(IDC_PATH_BUTTON, tr("Choose the folder"));
    connect(pathButton, &QToolButton::clicked, this, &CNewPageDlg::OnPathButton);

    auto* group = new QGroupBox(tr("New page's title and directory path "));
    auto* grid = new QGridLayout(group);
    auto* titleLabel = new QLabel(tr("Title"));
    titleLabel->setBuddy(m_pTitle);
    grid->addWidget(titleLabel, 0, 0);
    grid->addWidget(m_pTitle, 0, 1, 1, 2);
    auto* pathLabel = new QLabel(tr("Path"));
    pathLabel->setBuddy(m_pPath);
    grid->addWidget(pathLabel, 1, 0);
    grid->addWidget(m_pPath, 1, 1);
    grid->addWidget(pathButton, 1, 2);
    auto* prologueLabel = new QLabel(tr("prologue identifiers "));
    prologueLabel->setBuddy(m_pPrologue);
    grid->addWidget(prologueLabel, 2, 0);
    grid->addWidget(m_pPrologue, 2, 1, 1, 2);
    return group;
}

QWidget* CNewPageDlg::MakeTemplateGroup()
{
    auto* getButton = new CFileButton(TemplateFilter());
    getButton->setObjectName(CContextHelp::ObjectNameFor(IDC_GET_TEMPLATE));
    getButton->SetStartDirectory([this] { return m_strTemplatesDirectory; });
    connect(getButton, &CFileButton::pathChosen, this, [this](const QString& path) { LoadTemplate(path); });
    QToolButton* saveButton = MakePictureButton(IDC_SAVE_TEMPLATE, tr("Save the text as a template"));
    connect(saveButton, &QToolButton::clicked, this, &CNewPageDlg::OnSaveTemplate);

    m_pText = new QPlainTextEdit;
    m_pText->setObjectName(CContextHelp::ObjectNameFor(IDC_TEMPLATE_TEXT));
    m_pText->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Get template file")));
    row->addWidget(getButton);
    row->addSpacing(24);
    row->addWidget(new QLabel(tr("Save template file")));
    row->addWidget(saveButton);
    row->addStretch();
    auto* group = new QGroupBox(tr("New page's template text"));
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(row);
    layout->addWidget(m_pText, 1);
    return group;
}

void CNewPageDlg::SetPath(const QString& path)
{
    m_pPath->setText(path);
}

void CNewPageDlg::OnPathButton()
{
    const QString folder = InstalledFolderChooser() ? InstalledFolderChooser()(this, m_strWizardDirectory)
                                                    : QFileDialog::getExistingDirectory(this, QString(), m_strWizardDirectory);
    if (folder.isEmpty()) {
        ZtMessageBox::Show(tr("Browse directories canceled"), QMessageBox::Information);
        return;
    }
    m_pPath->setText(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

bool CNewPageDlg::LoadTemplate(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        ZtMessageBox::Show(tr("File not found\n"), QMessageBox::Information);
        return false;
    }
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxTemplateBytes || !file.open(QIODevice::ReadOnly)) {
        ZtMessageBox::Show(tr("%1 cannot be read as a template.").arg(path), QMessageBox::Warning);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (ZtNewPage::IsBinary(bytes)) {
        ZtMessageBox::Show(tr("%1 is not a template: it holds binary data.").arg(path), QMessageBox::Warning);
        return false;
    }
    m_strLastTemplate = path;
    m_pText->setPlainText(ZtNewPage::TemplateText(bytes, m_pPrologue->currentText()));
    return true;
}

void CNewPageDlg::OnSaveTemplate()
{
    const QString directory = m_strLastTemplate.isEmpty() ? m_strTemplatesDirectory
                                                          : QFileInfo(m_strLastTemplate).absolutePath();
    const QString filter = CFileButton::ToQtFilter(SaveTemplateFilter());
    const QString path = TestSaveChooser()
                             ? TestSaveChooser()(this, directory, filter)
                             : QFileDialog::getSaveFileName(this, tr("Save As"), directory + QStringLiteral("/"), filter);
    if (!path.isEmpty())
        SaveTemplate(path);
}

QString CNewPageDlg::FieldText() const
{
    // The raw text keeps no-break spaces, which the plain text makes blanks.
    return m_pText->document()->toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

bool CNewPageDlg::SaveTemplate(const QString& path)
{
    QString reason;
    if (CAtomicFile::Write(path, ZtNewPage::TemplateFileBytes(FieldText()), &reason))
        return true;
    ZtMessageBox::Show(tr("File Error\n%1").arg(reason), QMessageBox::Warning);
    return false;
}

void CNewPageDlg::accept()
{
    // Title and Path are taken as typed: blanks are part of a Linux name.
    const QString path = m_pPath->text();
    const bool pathIsFolder = !path.isEmpty() && QFileInfo(ResolveTypedPath(path, m_strStartDirectory)).isDir();
    const ZtNewPage::CPageTarget target =
        ZtNewPage::ResolvePageTarget(m_pTitle->text(), path, pathIsFolder, m_strStartDirectory);
    if (target.m_eError == ZtNewPage::CPageTarget::NoTitle) {
        ZtMessageBox::Show(tr("You must give this new file a title."), QMessageBox::Information);
        return;
    }
    if (target.m_eError == ZtNewPage::CPageTarget::SlashInTitle) {
        ZtMessageBox::Show(tr("The title names the page's file, so it cannot hold \"/\".\n"
                              "Put the folder into Path."),
                           QMessageBox::Information);
        return;
    }
    m_strFileName = target.m_strFileName;
    m_strFullPath = target.m_strFullPath;
    m_strFolder = target.m_strFolder;
    m_strTemplateText = ZtNewPage::PageText(FieldText());
    QDialog::accept();
}
