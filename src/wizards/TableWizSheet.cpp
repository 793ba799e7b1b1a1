#include "wizards/TableWizSheet.h"

#include "framework/InstantMnemonic.h"
#include "wizards/TableWizPage1.h"
#include "wizards/TableWizPage2.h"

#include <QAbstractButton>

CTableWizSheet::CTableWizSheet(const QString& baseDirectory, const QString& projectPath, QWidget* parent)
    : QWizard(parent)
    , m_strBaseDirectory(baseDirectory)
    , m_strProjectPath(projectPath)
    , m_pPage1(new CTableWizPage1(this))
    , m_pPage2(new CTableWizPage2(this))
{
    setObjectName(QStringLiteral("TableWizard"));
    setWindowTitle(Caption());
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoDefaultButton, false);
    setButtonText(QWizard::BackButton, tr("< &Back"));
    setButtonText(QWizard::NextButton, tr("&Next >"));
    setButtonText(QWizard::FinishButton, tr("Finish"));
    setButtonText(QWizard::CancelButton, tr("Cancel"));
    CInstantMnemonic::Install(button(QWizard::BackButton));
    CInstantMnemonic::Install(button(QWizard::NextButton));
    addPage(m_pPage1);
    addPage(m_pPage2);
}

void CTableWizSheet::RecordPiece(Piece piece, const QString& text)
{
    m_pieces[piece] = text;
}
