#include "projects/ProjectWizSheet.h"

#include "projects/ChooseDirectoryDlg.h"
#include "projects/ProjectWizPage1.h"
#include "projects/ProjectWizPage2.h"

namespace {
CProjectWizSheet::DirectoryChooser& InstalledChooser()
{
    static CProjectWizSheet::DirectoryChooser chooser;
    return chooser;
}
} // namespace

CProjectWizSheet::CProjectWizSheet(const QString& startDirectory, QWidget* parent)
    : QWizard(parent)
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
    // The title bar names the page shown, as a wizard's pages do.
    setWindowTitle(m_pPage1->Caption());
    connect(this, &QWizard::currentIdChanged, this, [this](int id) {
        if (auto* page = qobject_cast<CProjectWizPage1*>(this->page(id)))
            setWindowTitle(page->Caption());
        else if (auto* page2 = qobject_cast<CProjectWizPage2*>(this->page(id)))
            setWindowTitle(page2->Caption());
    });
}

bool CProjectWizSheet::ChooseDirectory(QWidget* parent, const QString& start, QString* chosen)
{
    if (InstalledChooser())
        return InstalledChooser()(start, chosen);
    CChooseDirectoryDlg dialog(parent);
    dialog.m_strStartPath = start;
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *chosen = dialog.m_strResultPath;
    return true;
}

void CProjectWizSheet::SetDirectoryChooser(DirectoryChooser chooser)
{
    InstalledChooser() = std::move(chooser);
}
