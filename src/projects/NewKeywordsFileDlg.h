#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;

// "New Keywords file": asks the name of a new keyword file.
class CNewKeywordsFileDlg : public QDialog
{
    Q_OBJECT
public:
    enum { IDC_KEYWORDS_FILE_NAME = 2420 };

    explicit CNewKeywordsFileDlg(QWidget* parent = nullptr);
    static QString Caption() { return QStringLiteral("New Keywords file"); }
    QString Name() const;
    // Runs the dialog; the name typed, or no value on Cancel.
    static std::optional<QString> Ask(QWidget* parent);

private:
    QLineEdit* m_pName;
};
