#pragma once

#include <QString>

class CCmdUI;
class CDocument;
class CMainFrame;
struct CCommandLine;

// The outside tool commands of the application: the Java and Perl path
// settings, compiling the active Java file (with its applet page), running
// the active Perl script or any console command through the console runner,
// and opening a terminal.
class CToolCommands
{
public:
    // What the commands use of the program; the application gives itself.
    class CServices
    {
    public:
        virtual ~CServices() = default;
        virtual CMainFrame* GetMainFrame() const = 0;
        // Where the console runner works and the Perl dialog starts.
        virtual QString StartDirectory() const = 0;
        // The file the user worked with last: the console window opens in
        // its folder.
        virtual QString CurrentFile() const = 0;
        virtual QString GetProfileString(const QString& section, const QString& key,
                                         const QString& defaultValue = QString()) const = 0;
        virtual bool WriteProfileString(const QString& section, const QString& key, const QString& value) = 0;
    };

    explicit CToolCommands(CServices& services) : m_services(services) {}

    void OnJavaPath();
    void OnPerlPath();
    // Compiles the active editor's Java file (toolbar and Project tree).
    void OnCompileJava();
    // Asks for the compiler options, runs the compiler on sourcePath in the
    // console runner and writes the applet page when asked; true when the
    // runner ran.
    bool CompileJava(const QString& sourcePath);
    // Runs the Perl script with the interpreter of the Perl path.
    void RunPerlScript();
    // The script Run Perl runs: the active Perl document when its command's
    // state was last updated with one; empty before.
    QString PerlScript() const { return m_strPerlScript; }
    void OnRunConsoleProcess();
    // Opens a terminal in the folder of the file worked on last.
    void OnOpenConsoleWindow();
    // Runs line in the console runner, working in the start-up directory,
    // and waits for its end; false when it could not start.
    bool RunConsoleProcess(const CCommandLine& line);

    void OnUpdateCompileJava(CCmdUI* cmdUI) const;
    void OnUpdateTreeCompileJava(CCmdUI* cmdUI) const;
    // Also remembers the active Perl document as the script to run.
    void OnUpdateRunPerl(CCmdUI* cmdUI);

private:
    // The document of the active web-page view; null with another view or none.
    CDocument* ActiveEditorDocument() const;
    void RefreshProjectTree();
    void GiveFocusBack();

    CServices& m_services;
    QString m_strPerlScript;
};
