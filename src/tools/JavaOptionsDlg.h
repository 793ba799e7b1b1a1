#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;

// "JAVA command-line options": the compiler program, its switches, and
// whether to write an applet page of the given size after compiling.
class CJavaOptionsDlg : public QDialog
{
    Q_OBJECT
public:
    enum ControlId {
        IDC_CREATE_HTML = 1200,
        IDC_JUST_COMPILE = 1201,
        IDC_PROGRAM = 1199,
        IDC_SWITCHES = 1198,
        IDC_WIDTH = 1159,
        IDC_HEIGHT = 1158,
    };
    // The compiler's file name inside the Java path.
    static QString DefaultProgram() { return QStringLiteral("javac"); }
    // The applet size used when a size field is left empty.
    static QString DefaultSize() { return QStringLiteral("200"); }

    explicit CJavaOptionsDlg(QWidget* parent = nullptr);

    bool m_bApplet = false;
    QString m_strProgram;
    QString m_strSwitches;
    QString m_strWidth;
    QString m_strHeight;

    QRadioButton* CreateHtmlButton() const { return m_pCreateHtml; }
    QRadioButton* JustCompileButton() const { return m_pJustCompile; }
    QLineEdit* ProgramEdit() const { return m_pProgram; }
    QLineEdit* SwitchesEdit() const { return m_pSwitches; }
    QComboBox* WidthBox() const { return m_pWidth; }
    QComboBox* HeightBox() const { return m_pHeight; }

public slots:
    void accept() override;

private:
    void SetApplet(bool applet);

    QRadioButton* m_pCreateHtml;
    QRadioButton* m_pJustCompile;
    QLineEdit* m_pProgram;
    QLineEdit* m_pSwitches;
    QComboBox* m_pWidth;
    QComboBox* m_pHeight;
};
