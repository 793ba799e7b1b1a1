#pragma once

#include <QDialog>

class QLineEdit;

// "Register JAVA Settings": the folder that holds the Java compiler.
class CJavaPathDlg : public QDialog
{
    Q_OBJECT
public:
    enum ControlId { IDC_PATH = 1195 };
    static QString NotSetText() { return QStringLiteral("JAVA path not set"); }

    // stored: the path kept in the profile; empty shows NotSetText.
    explicit CJavaPathDlg(const QString& stored, QWidget* parent = nullptr);

    // The edit's text, whatever it reads.
    QString Path() const;
    QLineEdit* PathEdit() const { return m_pPath; }

private:
    QLineEdit* m_pPath;
};
