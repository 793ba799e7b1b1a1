#pragma once

#include <QDialog>

class QRadioButton;

// "New": asks what File > New makes, a page from a template, a plain text
// file or a project workspace.
class CNewDlg : public QDialog
{
    Q_OBJECT
public:
    enum { IDC_NEW_PAGE = 2400, IDC_NEW_TEXT = 2401, IDC_NEW_PROJECT = 2402 };
    enum EChoice { Page = 0, PlainText = 1, ProjectWorkspace = 2 };

    explicit CNewDlg(QWidget* parent = nullptr);

    static QString Caption() { return QStringLiteral("New"); }
    // A page unless a button says otherwise; no button is checked at first.
    EChoice Choice() const;

private:
    QRadioButton* m_pPage;
    QRadioButton* m_pText;
    QRadioButton* m_pProject;
};
