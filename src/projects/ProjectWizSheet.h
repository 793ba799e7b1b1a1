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
    // starts as its "Projects" folder, and typed relative paths start there.
    explicit CProjectWizSheet(const QString& startDirectory, QWidget* parent = nullptr);

    const QString& StartDirectory() const { return m_strStartDirectory; }
    // Where a path typed into one of the pages leads ("~" is the home folder).
    QString ResolvedPath(const QString& typed) const;

    QString m_strAdditionalFiles;
    QString m_strParentDirectory;
    QString m_strProjectName;

    CProjectWizPage1* Page1() const { return m_pPage1; }
    CProjectWizPage2* Page2() const { return m_pPage2; }

    // Both pages' browse buttons ask here: the Choose Directory dialog, whose
    // typed relative paths start in this sheet's start directory, unless a
    // test put a chooser of its own.
    bool ChooseDirectory(QWidget* parent, const QString& start, QString* chosen) const;
    static void SetDirectoryChooser(DirectoryChooser chooser);

private:
    QString m_strStartDirectory;
    CProjectWizPage1* m_pPage1;
    CProjectWizPage2* m_pPage2;
};
