#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QToolButton;

// "Enter command line parameters": the switches, work file and output file a
// Perl script runs with; the interpreter is shown, not changed.
class CPerlArgsDlg : public QDialog
{
    Q_OBJECT
public:
    enum ControlId {
        IDC_INTERPRETER = 1197,
        IDC_SWITCHES = 1196,
        IDC_WORK_FILE = 1024,
        IDC_BROWSE_WORK_FILE = 1203,
        IDC_OUTPUT_FILE = 1202,
        IDC_BROWSE_OUTPUT_FILE = 1204,
    };
    // The browse buttons' file types.
    static QStringList BrowseFilters();

    // perlPath: the interpreter shown; startDirectory: where browsing starts.
    CPerlArgsDlg(const QString& perlPath, const QString& startDirectory, QWidget* parent = nullptr);

    QString m_strSwitches;
    QString m_strWorkFile;
    QString m_strOutputFile;

    QLabel* InterpreterLabel() const { return m_pInterpreter; }
    QLineEdit* SwitchesEdit() const { return m_pSwitches; }
    QLineEdit* WorkFileEdit() const { return m_pWorkFile; }
    QLineEdit* OutputFileEdit() const { return m_pOutputFile; }

public slots:
    void accept() override;

private:
    QToolButton* BrowseButton(int id, QLineEdit* target);

    QString m_strStartDirectory;
    QLabel* m_pInterpreter;
    QLineEdit* m_pSwitches;
    QLineEdit* m_pWorkFile;
    QLineEdit* m_pOutputFile;
};
