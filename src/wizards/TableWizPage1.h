#pragma once

#include "wizards/TableText.h"

#include <QWizardPage>

class CCssChoiceGroup;
class CFileButton;
class CTableWizSheet;
class QComboBox;
class QGridLayout;
class QLineEdit;

// The Table wizard's first page, "Table": the TABLE start tag's attributes.
// Next records the tag on the sheet, in place of one recorded before.
class CTableWizPage1 : public QWizardPage
{
    Q_OBJECT
public:
    enum {
        IDC_WIDTH = 2200,
        IDC_HEIGHT = 2201,
        IDC_ALIGN = 2202,
        IDC_VALIGN = 2203,
        IDC_BORDER = 2204,
        IDC_CELLPADDING = 2205,
        IDC_CELLSPACING = 2206,
        IDC_BORDERCOLOR = 2207,
        IDC_BORDERCOLORLIGHT = 2208,
        IDC_BORDERCOLORDARK = 2209,
        IDC_BACKGROUND_COLOR = 2210,
        IDC_BACKGROUND_IMAGE = 2211,
        IDC_CSS_TEXT = 2212, // then its CLASS and ID buttons
    };

    explicit CTableWizPage1(CTableWizSheet* sheet);

    static QString Caption() { return QStringLiteral("Table"); }
    // The lists the size and alignment fields offer (the rows and cells
    // page offers them too).
    static QStringList Sizes();
    static QStringList Alignments();
    static QStringList OneToEight();

    CTableValues Values() const;
    // Fills the fields, as for a TABLE tag being edited.
    void SetValues(const CTableValues& values);
    CFileButton* ImageButton() const { return m_pImageButton; }

    bool validatePage() override;

private:
    QComboBox* AddCombo(const QString& label, const QStringList& items, int controlId);
    QComboBox* AddColorCombo(const QString& label, int controlId);
    void AddImageRow();
    // Where the image button starts: the most recent image folder, else
    // the project file's path.
    QString ImageStartDirectory() const;

    CTableWizSheet* m_pSheet;
    QGridLayout* m_pGrid;
    QComboBox* m_pWidth;
    QComboBox* m_pHeight;
    QComboBox* m_pAlign;
    QComboBox* m_pVAlign;
    QComboBox* m_pBorder;
    QComboBox* m_pCellPadding;
    QComboBox* m_pCellSpacing;
    QComboBox* m_pBorderColor;
    QComboBox* m_pBorderColorLight;
    QComboBox* m_pBorderColorDark;
    QComboBox* m_pBackgroundColor;
    QLineEdit* m_pImage = nullptr;
    CFileButton* m_pImageButton = nullptr;
    CCssChoiceGroup* m_pCss;
};
