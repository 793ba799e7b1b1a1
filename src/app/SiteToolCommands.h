#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class CCmdUI;
class CDocTemplate;
class CDocument;
class CFindInFilesDlg;
class CLinkCheckDlg;
class CMainFrame;
struct COpenText;

// The commands of the Tools menu that work on a whole site: Find in Files and
// Check Links. Each keeps one modeless window, made on first use; a chosen
// result opens its file in the editor with the match or link selected.
// Also keeps the project's links whole when the program moves or renames a
// file or folder of the project.
class CSiteToolCommands
{
public:
    // What the commands use of the program; the application gives itself.
    class CServices
    {
    public:
        virtual ~CServices() = default;
        virtual CMainFrame* GetMainFrame() const = 0;
        virtual CDocTemplate* ProjectTemplate() const = 0;
        // Every document type: the open texts are searched and edited in place.
        virtual QList<CDocTemplate*> Templates() const = 0;
        // Where Find in Files looks when no project is open.
        virtual QString StartDirectory() const = 0;
        virtual CDocument* OpenDocumentFile(const QString& path) = 0;
    };

    explicit CSiteToolCommands(CServices& services) : m_services(services) {}
    ~CSiteToolCommands();

    using CommandMapper = std::function<void(int, std::function<void()>)>;
    // Maps the commands, and starts following the moves the program makes.
    void Map(const CommandMapper& onCommand);

    void OnFindInFiles();
    void OnCheckLinks();
    // Opens path in the editor and selects length characters from column of
    // the 1-based line.
    void ShowInEditor(const QString& path, int line, qsizetype column, qsizetype length);
    // from, inside the project, now lies at to: offers to update the links
    // of the project's pages that the move broke.
    void OnPathMoved(const QString& from, const QString& to);

    CFindInFilesDlg* FindDialog() const;
    CLinkCheckDlg* LinkDialog() const;

private:
    // The folder of the open project, or empty.
    QString ProjectFolder() const;
    // The file of the active editor's document, or empty.
    QString ActivePagePath() const;
    QString SelectedLine() const;
    QList<COpenText> OpenTexts() const;

    CServices& m_services;
    // Ends the move notifier's connection with these commands.
    QObject m_moveReceiver;
    QPointer<CFindInFilesDlg> m_pFindDlg;
    QPointer<CLinkCheckDlg> m_pLinkDlg;
};
