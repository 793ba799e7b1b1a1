#pragma once

#include <QWizardPage>

class CProjectWizSheet;
class QLabel;
class QLineEdit;

// The wizard's second page, "Verify project creation settings...": the
// project file's name (1013) and full path (1014) as they will be, and the
// location whose files are copied into the project (1104) with its browse
// button (1103).
class CProjectWizPage2 : public QWizardPage
{
    Q_OBJECT
public:
    enum { IDC_BROWSE_SOURCE = 1103, IDC_SOURCE = 1104, IDC_FILE_NAME = 1013, IDC_FILE_PATH = 1014 };

    explicit CProjectWizPage2(CProjectWizSheet* sheet);

    static QString Caption() { return QStringLiteral("Verify project creation settings..."); }
    // The project file's full path as the page shows it.
    static QString ProjectFileShown(const QString& parentDirectory, const QString& name);

    QLineEdit* SourceEdit() const { return m_pSource; }
    QLabel* FileNameLabel() const { return m_pFileName; }
    QLabel* FilePathLabel() const { return m_pFilePath; }
    void OnBrowse();

    void initializePage() override;
    bool validatePage() override;

private:
    CProjectWizSheet* m_pSheet;
    QLineEdit* m_pSource;
    QLabel* m_pFileName;
    QLabel* m_pFilePath;
};
