#pragma once

#include "framework/View.h"

#include <QWidget>

#include <functional>
#include <memory>

class CBrowserEngine;
class QPrinter;

// The browser window's view: the web engine showing one local file at a
// time, with its own history. Making the first one loads and starts the
// engine (a few hundred megabytes in helper processes), so the program makes
// it only when something is first shown.
//
// It tells its owner what the user should see through signals (the page's
// title, hovered links and loaded addresses); it never reaches for the main
// window itself.
class CBrowserView : public QWidget, public CView
{
    Q_OBJECT
public:
    // initialPath is the page a new browser window opens on.
    explicit CBrowserView(const QString& initialPath = QString());
    ~CBrowserView() override;

    QWidget* GetWidget() override { return this; }
    void OnInitialUpdate() override;
    QString InitialPath() const { return m_strInitialPath; }

    // False when the engine could not be loaded; EngineError says why, and
    // the view shows that instead of pages.
    bool HasEngine() const { return m_pEngine != nullptr; }
    QString EngineError() const { return m_strEngineError; }

    // Shows a local file; the path may hold any character ("#", "?", "%").
    void Navigate(const QString& path);
    // The local file shown now; empty while nothing is.
    QString CurrentPath() const;
    void GoBack();
    void GoForward();
    // Who knows the open project's folder: a page inside it may read the
    // whole project, any other only its own folder and below.
    void SetProjectFolderSource(std::function<QString()> projectFolder) { m_projectFolder = std::move(projectFolder); }

    // Shows a page script's alert (question false) or confirm (question
    // true); true for OK. While a blocking wait runs nothing is shown and the
    // answer is false: the page's box would hang the wait.
    static bool ShowScriptDialog(const QString& text, bool question);

    // The command of the main window's accelerator key, or 0.
    static int CommandForKey(QKeyCombination key);

    // Why the engine cannot start in this process, or empty when it can. As
    // root it refuses to run sandboxed and would end the whole program.
    static QString StartProblem();
    static QString SandboxProblem(bool isRoot, const QByteArray& chromiumFlags, bool sandboxDisabled,
                                  const QStringList& arguments);

signals:
    void titleChanged(const QString& title);
    // A text for the status bar: the address of a link under the mouse or
    // of a page that finished loading. Never empty.
    void statusTextChanged(const QString& text);
    void loadFinished(bool ok);
    // One of the program's keys was pressed in the page: run its command.
    void commandRequested(int commandId);

private:
    void CreateEngine();
    void OnLoadFinished(bool ok);
    void OnFilePrint();
    void OnFilePrintPreview();
    // Prints the page onto printer and returns when the engine is done.
    void PrintAndWait(QPrinter* printer);

    std::unique_ptr<CBrowserEngine> m_pEngine;
    QString m_strEngineError;
    QString m_strInitialPath;
    std::function<QString()> m_projectFolder;
    bool m_bPrinting = false;
};
