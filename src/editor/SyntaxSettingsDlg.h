#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

// The "Settings" dialog of the "&Syntax Coloring" command: switches syntax
// colouring on or off and sets the size limit below which files are coloured.
// A check box chooses colouring HTML pages by their structure instead of by
// keywords. The values go to the profile ("Settings"/"SyntaxColoringOn",
// "Settings"/"SyntaxFileSize" and "Settings"/"SyntaxColoringByStructure")
// only when the user presses OK.
class CSyntaxSettingsDlg : public QDialog
{
    Q_OBJECT
public:
    // Control identifiers, also used as the controls' object names.
    enum ControlId {
        IDC_COLORING_ON = 1214,
        IDC_COLORING_OFF = 1215,
        IDC_STATUS_TEXT = 1213,
        IDC_FILE_SIZE = 1216,
        IDC_COLOR_BY_STRUCTURE = 1217,
        IDOK_BUTTON = 1,
        IDCANCEL_BUTTON = 2,
    };

    explicit CSyntaxSettingsDlg(QWidget* parent = nullptr);

    // The chosen state: 1 colouring on, 0 off.
    int State() const { return m_nState; }

    // The explanation shown under the radio buttons for a state.
    static QString StatusTextFor(int state);
    // The file size limit typed into the combo box: the leading decimal
    // number of text, 0 when text does not start with one. Numbers beyond the
    // int range give the largest int.
    static int ParseFileSize(const QString& text);
    // The sizes offered in the combo box's list.
    static QStringList FileSizeChoices();

public slots:
    void accept() override;

private slots:
    void OnColoringOn();
    void OnColoringOff();

private:
    void BuildControls();
    void LoadFromProfile();
    void SetState(int state);

    int m_nState = 1;
    QRadioButton* m_pColoringOn = nullptr;
    QRadioButton* m_pColoringOff = nullptr;
    QLabel* m_pStatusText = nullptr;
    QComboBox* m_pFileSize = nullptr;
    QCheckBox* m_pByStructure = nullptr;
};
