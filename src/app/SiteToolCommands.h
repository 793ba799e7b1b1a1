#pragma once

#include <QPointer>
#include <QString>

#include <functional>

class CCmdUI;
class CFindInFilesDlg;
class CLinkCheckDlg;
class CZentrelApp;
struct COpenText;

// The commands of the Tools menu that work on a whole site: Find in Files and
// Check Links. Each keeps one modeless window, made on first use; a chosen
// result opens its file in the editor with the match or link selected.
// Also keeps the project's links whole when the program moves or renames a
// file or folder of the project.
class CSiteToolCommands
{
public:
    explicit CSiteToolCommands(CZentrelApp& app) : m_app(app) {}
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

    CZentrelApp& m_app;
    QPointer<CFindInFilesDlg> m_pFindDlg;
    QPointer<CLinkCheckDlg> m_pLinkDlg;
};
