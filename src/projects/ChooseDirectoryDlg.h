#pragma once

#include <QDialog>

class CShellTree;
class QComboBox;

// "Choose Directory": a folder tree, a combo box with the chosen path and a
// "->" button that expands the tree down to a typed path. The caller may set
// the start path before running it and reads the result path after OK.
class CChooseDirectoryDlg : public QDialog
{
    Q_OBJECT
public:
    // Control ids; the context help knows the controls by them.
    enum EControl {
        IDC_BROWSE_TREE = 1002,
        IDC_DIRECTORY = 1006,
        IDC_EXPAND_TO = 1012,
        IDOK_BUTTON = 1,
        IDCANCEL_BUTTON = 2,
    };

    explicit CChooseDirectoryDlg(QWidget* parent = nullptr);

    QString m_strStartPath;     // expanded to when the dialog opens; optional
    QString m_strResultPath;    // the combo box's text when OK was pressed
    QString m_strBaseDirectory; // where a typed relative path starts

    int exec() override;
    void accept() override;

    CShellTree* Tree() const { return m_pTree; }
    QComboBox* PathBox() const { return m_pPathBox; }

    // Expands the tree down to the typed path, keeping the text as typed.
    void OnExpandTo();

private:
    void BuildControls();
    void OnInitDialog();
    void OnVolumesAdded(const QStringList& paths);

    CShellTree* m_pTree;
    QComboBox* m_pPathBox;
};
