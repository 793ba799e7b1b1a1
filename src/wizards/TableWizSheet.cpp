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
    GiveBothPagesOneSize();
}

int CTableWizSheet::nextId() const
{
    return m_bStartTagOnly && currentPage() == m_pPage1 ? -1 : QWizard::nextId();
}

void CTableWizSheet::GiveBothPagesOneSize()
{
    // QWizard sizes its window to the page shown, so the larger second page
    // made the window grow and shift on Next. Each page asks for the room of
    // the larger one, and the window keeps one size on both.
    const QSize room = m_pPage1->sizeHint().expandedTo(m_pPage2->sizeHint());
    m_pPage1->setMinimumSize(room);
    m_pPage2->setMinimumSize(room);
}

void CTableWizSheet::RecordPiece(Piece piece, const QString& text)
{
    m_pieces[piece] = text;
}
