#pragma once

#include "wizards/TableText.h"

#include <QGroupBox>

class CCssChoiceGroup;
class QComboBox;
class QLineEdit;

// One group of the Table wizard's "Rows and Cells" page: the attributes of
// every row (or every cell), how many of them, and their style name.
class CTableGroupFields : public QGroupBox
{
    Q_OBJECT
public:
    // Offsets of the controls' ids from the group's first id.
    enum { WIDTH, HEIGHT, ALIGN, VALIGN, BACKGROUND_COLOR, COUNT, CSS_TEXT, CSS_CLASS, CSS_ID };

    // countLabel names the count field ("How many Rows"), cssTitle the
    // style group ("Rows").
    CTableGroupFields(const QString& title, const QString& countLabel, const QString& cssTitle, int firstId,
                      QWidget* parent = nullptr);

    CTableGroupValues Values() const;
    QString CountText() const;
    QLineEdit* CountEdit() const { return m_pCount; }

private:
    QComboBox* m_pWidth;
    QComboBox* m_pHeight;
    QComboBox* m_pAlign;
    QComboBox* m_pVAlign;
    QComboBox* m_pBackgroundColor;
    QLineEdit* m_pCount;
    CCssChoiceGroup* m_pCss;
};
