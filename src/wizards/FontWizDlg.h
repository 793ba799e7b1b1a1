#pragma once

#include "wizards/FontText.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;

// The Font wizard, "Choose font": a BASEFONT tag or a FONT element. The
// Face button adds the face chosen in the font dialog to the face field, so
// several faces make a comma-separated list.
class CFontWizDlg : public QDialog
{
    Q_OBJECT
public:
    enum {
        IDC_FACE = 2020,
        IDC_FACE_BUTTON = 2021,
        IDC_BASEFONT = 2022,
        IDC_BASEFONT_SIZE = 2023,
        IDC_INSIDE_TAG = 2024,
        IDC_SIZE = 2025,
        IDC_COLOR = 2026,
        IDC_TEXT = 2027,
    };

    explicit CFontWizDlg(QWidget* parent = nullptr);

    static QString Caption() { return QStringLiteral("Choose font"); }

    CFontValues Values() const;
    // Fills the fields but the text, as for a tag being edited, and turns
    // off what an edit leaves alone: the text and the Basefont choice.
    void SetValues(const CFontValues& values);
    // Fills the Text field, as the command does with the editor's selection.
    void SetText(const QString& text);
    const QString& Text() const { return m_strText; }

    // Runs the font dialog; a chosen face joins the face field.
    void OnFaceButton();
    void accept() override;

    // Who chooses a face: the font dialog, or a test's answer (false for
    // Cancel). Null restores the dialog.
    using FontChooser = std::function<bool(QWidget* parent, QString* face)>;
    static void SetFontChooser(FontChooser chooser);

private:
    QWidget* MakeBasefontGroup();
    QWidget* MakeFontGroup();

    QLineEdit* m_pFace;
    QCheckBox* m_pBasefont = nullptr;
    QComboBox* m_pBasefontSize = nullptr;
    QCheckBox* m_pInsideTag = nullptr;
    QComboBox* m_pSize = nullptr;
    QComboBox* m_pColor = nullptr;
    QLineEdit* m_pText = nullptr;
    QString m_strText;
};
