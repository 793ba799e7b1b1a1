#pragma once

#include "wizards/BodyText.h"

#include <QDialog>

class CFileButton;
class QComboBox;
class QLineEdit;

// The Body wizard, "Body tag": colours, a background image, margins; OK
// builds the BODY start tag. The image's file button makes references
// relative to the base directory the command gives.
class CBodyWizDlg : public QDialog
{
    Q_OBJECT
public:
    enum {
        IDC_BACKGROUND = 2000,
        IDC_FIXED = 2001,
        IDC_NOT_FIXED = 2002,
        IDC_TEXT_COLOR = 2003,
        IDC_IMAGE = 2004,
        IDC_LINK = 2005,
        IDC_ACTIVE_LINK = 2006,
        IDC_VISITED_LINK = 2007,
        IDC_LEFT_MARGIN = 2008,
        IDC_TOP_MARGIN = 2009,
    };

    explicit CBodyWizDlg(const QString& baseDirectory, QWidget* parent = nullptr);

    static QString Caption() { return QStringLiteral("Body tag"); }
    // The image file filter, in "description|pattern|" pairs.
    static QString ImageFilter();

    CBodyValues Values() const;
    // Fills the fields, as for a tag being edited.
    void SetValues(const CBodyValues& values);
    // The tag OK built; empty before.
    const QString& Text() const { return m_strText; }
    CFileButton* ImageButton() const { return m_pImageButton; }

    void accept() override;

private:
    QComboBox* AddColorRow(const QString& label, int controlId, bool fullOpen, const QStringList& colors);
    void AddFixedRow();
    void AddImageRow(const QString& baseDirectory);

    class QGridLayout* m_pGrid;
    QComboBox* m_pBackground = nullptr;
    QComboBox* m_pTextColor = nullptr;
    QLineEdit* m_pImage = nullptr;
    CFileButton* m_pImageButton = nullptr;
    QComboBox* m_pLink = nullptr;
    QComboBox* m_pActiveLink = nullptr;
    QComboBox* m_pVisitedLink = nullptr;
    QComboBox* m_pLeftMargin = nullptr;
    QComboBox* m_pTopMargin = nullptr;
    class QRadioButton* m_pFixedButton = nullptr;
    bool m_bFixed = false;
    QString m_strText;
};
