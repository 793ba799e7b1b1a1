#pragma once

#include <QDialog>

class QComboBox;

// "Choose Directory": a folder tree, a combo box with the chosen path and a
// "->" button that expands the tree down to a typed path. The caller may set
// the start path before running it and reads the result path after OK.
class CChooseDirectoryDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CChooseDirectoryDlg(QWidget* parent = nullptr);

    QString m_strStartPath;  // expanded to when the dialog opens; optional
    QString m_strResultPath; // the combo box's text when OK was pressed

    int exec() override;
    void accept() override;

private:
    QComboBox* m_pPathBox;
};
