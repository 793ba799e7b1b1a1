#pragma once

#include <QWizardPage>

class CProjectWizSheet;
class QLineEdit;

// The wizard's first page, "Name and Directory of new project...": the
// project's name (1009) and the parent directory (1007) with its browse
// button (1003).
class CProjectWizPage1 : public QWizardPage
{
    Q_OBJECT
public:
    enum { IDC_PARENT_DIRECTORY = 1007, IDC_PROJECT_NAME = 1009, IDC_BROWSE_PARENT = 1003 };

    CProjectWizPage1(CProjectWizSheet* sheet, const QString& startDirectory);

    static QString Caption() { return QStringLiteral("Name and Directory of new project..."); }

    QLineEdit* NameEdit() const { return m_pName; }
    QLineEdit* ParentEdit() const { return m_pParent; }
    void OnBrowse();

    void initializePage() override;
    bool validatePage() override;

private:
    CProjectWizSheet* m_pSheet;
    QLineEdit* m_pName;
    QLineEdit* m_pParent;
};
