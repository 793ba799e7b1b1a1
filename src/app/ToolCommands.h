#pragma once

#include <QString>

class CCmdUI;
class CDocument;
class CZentrelApp;
struct CCommandLine;

// The outside tool commands of the application: the Java and Perl path
// settings, compiling the active Java file (with its applet page), running
// the active Perl script or any console command through the console runner,
// and opening a terminal.
class CToolCommands
{
public:
    explicit CToolCommands(CZentrelApp& app) : m_app(app) {}

    void OnJavaPath();
    void OnPerlPath();
    // Compiles the active editor's Java file (toolbar and Project tree).
    void OnCompileJava();
    // Asks for the compiler options, runs the compiler on sourcePath in the
    // console runner and writes the applet page when asked; true when the
    // runner ran.
    bool CompileJava(const QString& sourcePath);
    // Runs m_strPerlScript with the interpreter of the Perl path.
    void RunPerlScript();
    void OnRunConsoleProcess();
    // Opens a terminal in the folder of the file worked on last.
    void OnOpenConsoleWindow();
    // Runs line in the console runner, working in the start-up directory,
    // and waits for its end; false when it could not start.
    bool RunConsoleProcess(const CCommandLine& line);

    void OnUpdateCompileJava(CCmdUI* cmdUI) const;
    void OnUpdateTreeCompileJava(CCmdUI* cmdUI) const;
    // Also remembers the active Perl script as m_strPerlScript.
    void OnUpdateRunPerl(CCmdUI* cmdUI);

private:
    // The document of the active web-page view; null with another view or none.
    CDocument* ActiveEditorDocument() const;
    void RefreshProjectTree();
    void GiveFocusBack();

    CZentrelApp& m_app;
};
