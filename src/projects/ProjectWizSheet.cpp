#include "projects/ProjectWizSheet.h"

#include "files/TypedPath.h"
#include "projects/ChooseDirectoryDlg.h"
#include "projects/ProjectWizPage1.h"
#include "projects/ProjectWizPage2.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"

namespace {
CProjectWizSheet::DirectoryChooser& InstalledChooser()
{
    static CProjectWizSheet::DirectoryChooser chooser;
    return chooser;
}
} // namespace

CProjectWizSheet::CProjectWizSheet(const QString& startDirectory, QWidget* parent)
    : QWizard(parent)
    , m_strStartDirectory(startDirectory)
    , m_pPage1(new CProjectWizPage1(this, startDirectory))
    , m_pPage2(new CProjectWizPage2(this))
{
    setObjectName(QStringLiteral("ProjectWizard"));
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoDefaultButton, false);
    setButtonText(QWizard::BackButton, tr("< &Back"));
    setButtonText(QWizard::NextButton, tr("&Next >"));
    setButtonText(QWizard::FinishButton, tr("Finish"));
    setButtonText(QWizard::CancelButton, tr("Cancel"));
    addPage(m_pPage1);
    addPage(m_pPage2);
    // The title bar says "Wizard"; each page shows its own name as its title.
    setWindowTitle(ZtRes::String(ZtCmd::IDS_WIZARD_CAPTION));
}

QString CProjectWizSheet::ResolvedPath(const QString& typed) const
{
    return ResolveTypedPath(typed, m_strStartDirectory);
}

bool CProjectWizSheet::ChooseDirectory(QWidget* parent, const QString& start, QString* chosen) const
{
    if (InstalledChooser())
        return InstalledChooser()(start, chosen);
    CChooseDirectoryDlg dialog(parent);
    dialog.m_strStartPath = start;
    dialog.m_strBaseDirectory = m_strStartDirectory;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *chosen = dialog.m_strResultPath;
    return true;
}

void CProjectWizSheet::SetDirectoryChooser(DirectoryChooser chooser)
{
    InstalledChooser() = std::move(chooser);
}
