#pragma once

#include <QString>
#include <QWizard>

#include <functional>

class CProjectWizPage1;
class CProjectWizPage2;

// The project wizard: two pages that ask for the project's name, the parent
// directory its main directory goes in, and a location whose files are
// copied into the new project. It checks nothing; the answers are read from
// its fields afterwards, whatever the result.
class CProjectWizSheet : public QWizard
{
    Q_OBJECT
public:
    // Asks for a directory starting at start; false when cancelled.
    using DirectoryChooser = std::function<bool(const QString& start, QString* chosen)>;

    // startDirectory: the program's start-up directory; the parent directory
    // starts as its "Projects" folder.
    explicit CProjectWizSheet(const QString& startDirectory, QWidget* parent = nullptr);

    QString m_strAdditionalFiles;
    QString m_strParentDirectory;
    QString m_strProjectName;

    CProjectWizPage1* Page1() const { return m_pPage1; }
    CProjectWizPage2* Page2() const { return m_pPage2; }

    // Both pages' browse buttons ask here: the Choose Directory dialog,
    // unless a test put a chooser of its own.
    static bool ChooseDirectory(QWidget* parent, const QString& start, QString* chosen);
    static void SetDirectoryChooser(DirectoryChooser chooser);

private:
    CProjectWizPage1* m_pPage1;
    CProjectWizPage2* m_pPage2;
};
