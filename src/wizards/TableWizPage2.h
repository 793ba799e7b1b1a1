#pragma once

#include <QWizardPage>

class CTableGroupFields;
class CTableWizSheet;

// The Table wizard's second page, "Rows and Cells": the attributes, count
// and style of the rows and of the cells. Finish reads the two counts and
// records the rows and the end tag on the sheet; a count that is no whole
// number, or a table too large, is refused with a message and the wizard
// stays on the page.
class CTableWizPage2 : public QWizardPage
{
    Q_OBJECT
public:
    enum {
        IDC_ROWS_FIRST = 2220, // the rows group's controls, in CTableGroupFields order
        IDC_CELLS_FIRST = 2240, // the cells group's
    };

    explicit CTableWizPage2(CTableWizSheet* sheet);

    static QString Caption() { return QStringLiteral("Rows and Cells"); }
    static QString NotAWholeNumberMessage();
    static QString TooLargeMessage();

    CTableGroupFields* Rows() const { return m_pRows; }
    CTableGroupFields* Cells() const { return m_pCells; }

    bool validatePage() override;

private:
    CTableWizSheet* m_pSheet;
    CTableGroupFields* m_pRows;
    CTableGroupFields* m_pCells;
};
