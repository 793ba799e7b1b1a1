#pragma once

#include <QDialog>

class QLineEdit;

// "Register PERL Path": the full path of the Perl interpreter.
class CPerlPathDlg : public QDialog
{
    Q_OBJECT
public:
    enum ControlId { IDC_PATH = 1195 };
    static QString NotSetText() { return QStringLiteral("PERL\\BIN path not set"); }

    // stored: the path kept in the profile; empty shows NotSetText.
    explicit CPerlPathDlg(const QString& stored, QWidget* parent = nullptr);

    // The edit's text, whatever it reads.
    QString Path() const;
    QLineEdit* PathEdit() const { return m_pPath; }

private:
    QLineEdit* m_pPath;
};
