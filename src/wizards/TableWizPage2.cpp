#include "wizards/TableWizPage2.h"

#include "framework/ContextHelp.h"
#include "framework/MessageBox.h"
#include "wizards/TableGroupFields.h"
#include "wizards/TableText.h"
#include "wizards/TableWizSheet.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>

namespace {
// The controls of a group that have a topic: all but its style name.
QList<int> HelpIdsOf(int firstId)
{
    QList<int> ids;
    for (int offset = CTableGroupFields::WIDTH; offset <= CTableGroupFields::COUNT; ++offset)
        ids.append(firstId + offset);
    return ids;
}
} // namespace

CTableWizPage2::CTableWizPage2(CTableWizSheet* sheet)
    : m_pSheet(sheet)
    , m_pRows(new CTableGroupFields(tr("Row parameters"), tr("How many Rows"), tr("Rows"), IDC_ROWS_FIRST))
    , m_pCells(new CTableGroupFields(tr("Cell parameters"), tr("Cells per row"), tr("Cells"), IDC_CELLS_FIRST))
{
    setTitle(Caption());
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pRows);
    layout->addWidget(m_pCells);
    CContextHelp::Install(this, HelpIdsOf(IDC_ROWS_FIRST) + HelpIdsOf(IDC_CELLS_FIRST));
}

QString CTableWizPage2::NotAWholeNumberMessage()
{
    return tr("Please enter a whole number of rows and of cells per row.");
}

QString CTableWizPage2::TooLargeMessage()
{
    const QLocale english(QLocale::English);
    return tr("A table may have at most %1 rows and %2 cells in all.\nPlease enter fewer rows or cells per row.")
        .arg(english.toString(kMaxTableRows), english.toString(kMaxTableCells));
}

bool CTableWizPage2::validatePage()
{
    int rowCount = 0;
    int cellCount = 0;
    QLineEdit* bad = !ReadTableCount(m_pRows->CountText(), &rowCount)    ? m_pRows->CountEdit()
                     : !ReadTableCount(m_pCells->CountText(), &cellCount) ? m_pCells->CountEdit()
                                                                            : nullptr;
    if (bad) {
        ZtMessageBox::Show(NotAWholeNumberMessage(), QMessageBox::Warning);
        bad->setFocus();
        bad->selectAll();
        return false;
    }
    if (!IsTableSizeAllowed(rowCount, cellCount)) {
        ZtMessageBox::Show(TooLargeMessage(), QMessageBox::Warning);
        m_pRows->CountEdit()->setFocus();
        return false;
    }
    m_pSheet->RecordPiece(CTableWizSheet::ROWS_AND_END,
                          BuildTableRowsText(m_pRows->Values(), m_pCells->Values(), rowCount, cellCount));
    return true;
}
