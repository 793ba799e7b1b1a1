#include "wizards/ImageWizDlg.h"

#include "files/FolderCopy.h"
#include "files/PathParts.h"
#include "files/RelativePath.h"
#include "files/TypedPath.h"
#include "framework/ContextHelp.h"
#include "framework/MessageBox.h"
#include "framework/Profile.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "wizards/FileButton.h"
#include "wizards/ImageFolders.h"
#include "wizards/WizardFields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace ZtWizardFields;

CImageWizDlg::CImageWizDlg(const QString& baseDirectory, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(Caption());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeFolderGroup());
    layout->addWidget(MakeTagGroup(baseDirectory));
    layout->addWidget(buttons);
    ShowFolders(ZtImageFolders::Load(CProfile::Instance()));
    CContextHelp::Install(this, {IDC_FOLDER, IDC_IMAGE, IDC_ALIGN, IDC_BORDER, IDC_LINK, IDC_TEXT});
}

QString CImageWizDlg::ImageFilter()
{
    // Every picture a browser shows comes first, so that no kind is hidden
    // until the user changes the filter.
    return QStringLiteral(
        "Pictures (*.gif;*.jpg;*.jpeg;*.png;*.svg;*.webp) |*.GIF;*.JPG;*.JPEG;*.PNG;*.SVG;*.WEBP|"
        ".gif Files (*.gif) |*.GIF|.jpg Files (*.jpg) |*.JPG|.jpeg Files (*.jpeg) |*.JPEG|"
        ".png Files (*.png) |*.PNG|.svg Files (*.svg) |*.SVG|.webp Files (*.webp) |*.WEBP|all Files (*.*) |*.*|");
}

QString CImageWizDlg::LinkFilter()
{
    return QStringLiteral(".html Files (*.html) |*.HTML|.htm Files (*.htm) |*.HTM|all Files (*.*) |*.*|");
}

QWidget* CImageWizDlg::MakeFolderGroup()
{
    m_pFolder = MakeCombo({}, IDC_FOLDER);
    m_pFolder->setMinimumContentsLength(30);
    // Choosing a folder makes it current, where the next file dialog opens;
    // a folder that is gone, or a relative one, changes nothing.
    connect(m_pFolder, &QComboBox::activated, this, [this] {
        const QString folder = ResolveTypedPath(m_pFolder->currentText(), QString());
        if (QDir::isAbsolutePath(folder))
            QDir::setCurrent(folder);
    });
    auto* group = new QGroupBox(tr("Set default path"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(new QLabel(tr("Where I got my last image.")));
    layout->addWidget(m_pFolder);
    return group;
}

QWidget* CImageWizDlg::MakeTagGroup(const QString& baseDirectory)
{
    m_pImage = MakeEdit(IDC_IMAGE);
    m_pImageButton = new CFileButton(ImageFilter());
    m_pImageButton->SetBaseDirectory(baseDirectory);
    m_pImageButton->SetStartDirectory([this] { return m_pFolder->currentText(); });
    connect(m_pImageButton, &CFileButton::pathChosen, this, &CImageWizDlg::OnImageChosen);
    m_pAlign = MakeCombo({QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("top"),
                          QStringLiteral("texttop"), QStringLiteral("middle"), QStringLiteral("absmiddle"),
                          QStringLiteral("baseline"), QStringLiteral("bottom"), QStringLiteral("absbottom")},
                         IDC_ALIGN);
    QStringList borders;
    for (int n = 1; n <= 8; ++n)
        borders.append(QString::number(n));
    m_pBorder = MakeCombo(borders, IDC_BORDER);
    m_pLink = MakeEdit(IDC_LINK);
    m_pLinkButton = new CFileButton(LinkFilter());
    m_pLinkButton->SetBaseDirectory(baseDirectory);
    m_pLinkButton->Fill(m_pLink);
    m_pTextField = MakeEdit(IDC_TEXT);

    auto* group = new QGroupBox(tr("Image tag"));
    auto* grid = new QGridLayout(group);
    const QList<QPair<QString, QWidget*>> rows{{tr("Image"), m_pImage},   {tr("Align"), m_pAlign},
                                               {tr("Border"), m_pBorder}, {tr("Link to"), m_pLink},
                                               {tr("Text"), m_pTextField}};
    for (int row = 0; row < rows.size(); ++row) {
        grid->addWidget(new QLabel(rows[row].first), row, 0);
        grid->addWidget(rows[row].second, row, 1);
    }
    grid->addWidget(m_pImageButton, 0, 2);
    grid->addWidget(m_pLinkButton, 3, 2);
    return group;
}

void CImageWizDlg::OnImageChosen(const QString& path)
{
    // The folder remembered is where the user found the picture, even when
    // the link names a copy.
    RecordFolder(ZtPath::FolderOf(path));
    const QString base = m_pImageButton->BaseDirectory();
    m_pImage->setText(MakeRelativePath(OfferCopyIntoSite(path, base), base));
}

QString CImageWizDlg::OfferCopyIntoSite(const QString& path, const QString& base)
{
    if (!ZtImageFolders::LiesOutsideSite(path, base))
        return path;
    const QString folder = ZtImageFolders::SiteImageFolder(base);
    const QString offer = ZtRes::String(ZtCmd::IDS_IMAGE_COPY_INTO_SITE).arg(path, base, folder);
    if (ZtMessageBox::Show(offer, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        != QMessageBox::Yes)
        return path;
    QString reason;
    const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    const QString copy = ZtFolderCopy::CopyInto(path, folder, &reason);
    if (!copy.isEmpty() && !before.contains(QFileInfo(copy).fileName()))
        m_madeCopies.append(copy);
    if (copy.isEmpty())
        ZtMessageBox::Show(ZtRes::String(ZtCmd::IDS_IMAGE_COPY_FAILED).arg(path, folder, reason), QMessageBox::Warning);
    return copy.isEmpty() ? path : copy;
}

QStringList CImageWizDlg::Folders() const
{
    QStringList folders;
    for (int i = 0; i < m_pFolder->count(); ++i)
        folders.append(m_pFolder->itemText(i));
    return folders;
}

void CImageWizDlg::ShowFolders(const QStringList& folders)
{
    m_pFolder->clear();
    m_pFolder->addItems(folders);
    m_pFolder->setCurrentIndex(folders.isEmpty() ? -1 : 0);
}

void CImageWizDlg::RecordFolder(const QString& folder)
{
    ShowFolders(ZtImageFolders::RecordFolder(Folders(), folder));
}

void CImageWizDlg::SetText(const QString& text)
{
    m_pTextField->setText(text);
}

CImageValues CImageWizDlg::Values() const
{
    CImageValues values;
    values.m_strImage = m_pImage->text();
    values.m_strAlign = m_pAlign->currentText();
    values.m_strBorder = m_pBorder->currentText();
    values.m_strLink = m_pLink->text();
    values.m_strText = m_pTextField->text();
    return values;
}

void CImageWizDlg::SetTagValues(const CImageValues& values)
{
    m_pImage->setText(values.m_strImage);
    m_pAlign->setEditText(values.m_strAlign);
    m_pBorder->setEditText(values.m_strBorder);
    // Only the IMG tag changes: no link is put around it.
    m_pLink->setEnabled(false);
    m_pLinkButton->setEnabled(false);
    m_pTextField->setEnabled(false);
}

void CImageWizDlg::accept()
{
    m_strText = BuildImageText(Values());
    QDialog::accept();
}

void CImageWizDlg::done(int result)
{
    // A picture copied for a tag that is not written would only clutter the
    // site.
    if (result != QDialog::Accepted) {
        for (const QString& copy : std::as_const(m_madeCopies))
            QFile::remove(copy);
    }
    ZtImageFolders::Save(CProfile::Instance(), Folders());
    QDialog::done(result);
}
