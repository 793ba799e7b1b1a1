#pragma once

#include <QDialog>

#include <functional>

class CFileButton;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// "New Page": the new page's title and folder, its document-type line and
// its starting text, loaded from a template file and saved back as one.
// OK works out the page's file (ZtNewPage::ResolvePageTarget); nothing is
// written to disk but templates the user saves.
class CNewPageDlg : public QDialog
{
    Q_OBJECT
public:
    enum {
        IDC_TITLE = 2410,
        IDC_PATH = 2411,
        IDC_PROLOGUE = 2412,
        IDC_TEMPLATE_TEXT = 2413,
        IDC_PATH_BUTTON = 2414,
        IDC_GET_TEMPLATE = 2415,
        IDC_SAVE_TEMPLATE = 2416,
    };

    // templatesDirectory is where template files are looked for first;
    // wizardDirectory the wizards' base directory, which Path starts from;
    // startDirectory the folder the program started in, where an empty or
    // relative Path leads.
    CNewPageDlg(const QString& templatesDirectory, const QString& wizardDirectory, const QString& startDirectory,
                QWidget* parent = nullptr);

    static QString Caption() { return QStringLiteral("New Page"); }
    static QString TemplateFilter() { return QStringLiteral("template Files (*.tpt) |*.TPT|all Files (*.*) |*.*|"); }
    static QString SaveTemplateFilter() { return QStringLiteral(".tpt Files (*.tpt) |*.TPT|all Files (*.*) |*.*|"); }

    // Who picks the folder for Path: the directory chooser, installed by
    // the application (an empty answer is Cancel).
    using FolderChooser = std::function<QString(QWidget* parent, const QString& startFolder)>;
    static void SetFolderChooser(FolderChooser chooser);
    // Who picks the file a template is saved as: the save dialog, or a
    // test's answer (empty for Cancel).
    using SaveChooser = std::function<QString(QWidget* parent, const QString& directory, const QString& qtFilter)>;
    static void SetSaveChooser(SaveChooser chooser);

    // Loads a template file into the text field; false (after telling the
    // user) when it is missing or not text.
    bool LoadTemplate(const QString& path);
    // Saves the text field as a template file; false after telling the user.
    bool SaveTemplate(const QString& path);

    // Puts path into the Path field (ZtNewPage::InitialPath).
    void SetPath(const QString& path);

    // After OK.
    QString FileName() const { return m_strFileName; }
    QString FullPath() const { return m_strFullPath; }
    QString Folder() const { return m_strFolder; }
    QString TemplateText() const { return m_strTemplateText; }

    void accept() override;

private:
    QWidget* MakePageGroup();
    void SetUpKeyboard(QDialogButtonBox* buttons);
    // The template field's text, "\n" between its lines.
    QString FieldText() const;
    QWidget* MakeTemplateGroup();
    void OnPathButton();
    void OnSaveTemplate();

    QString m_strTemplatesDirectory;
    QString m_strWizardDirectory;
    QString m_strStartDirectory;
    QString m_strLastTemplate;
    QLineEdit* m_pTitle = nullptr;
    QLineEdit* m_pPath = nullptr;
    QComboBox* m_pPrologue = nullptr;
    QPlainTextEdit* m_pText = nullptr;
    QString m_strFileName;
    QString m_strFullPath;
    QString m_strFolder;
    QString m_strTemplateText;
};
