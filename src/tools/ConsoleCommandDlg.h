#pragma once

#include <QDialog>

class QLineEdit;

// "Run console command": a program, its switches and its parameters.
class CConsoleCommandDlg : public QDialog
{
    Q_OBJECT
public:
    enum ControlId { IDC_EXECUTABLE = 1224, IDC_SWITCHES = 1196, IDC_PARAMETERS = 1024 };

    explicit CConsoleCommandDlg(QWidget* parent = nullptr);

    QString m_strExecutable;
    QString m_strSwitches;
    QString m_strParameters;

    QLineEdit* ExecutableEdit() const { return m_pExecutable; }
    QLineEdit* SwitchesEdit() const { return m_pSwitches; }
    QLineEdit* ParametersEdit() const { return m_pParameters; }

public slots:
    void accept() override;

private:
    QLineEdit* m_pExecutable;
    QLineEdit* m_pSwitches;
    QLineEdit* m_pParameters;
};
