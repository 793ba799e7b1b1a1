#include "app/ToolCommands.h"

#include "app/MainFrame.h"
#include "editor/ZentrelView.h"
#include "files/PathParts.h"
#include "framework/CmdUI.h"
#include "framework/Document.h"
#include "framework/MDIChildWnd.h"
#include "framework/MessageBox.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"
#include "tools/AppletPage.h"
#include "tools/ConsoleCommandDlg.h"
#include "tools/ConsoleLauncher.h"
#include "tools/JavaOptionsDlg.h"
#include "tools/JavaPathDlg.h"
#include "tools/PerlArgsDlg.h"
#include "tools/PerlPathDlg.h"
#include "tools/ToolCommandLines.h"
#include "tools/ToolRules.h"
#include "framework/KeysBack.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kJavaPathKey = QStringLiteral("Java path");
const QString kPerlPathKey = QStringLiteral("Perl path");

} // namespace

void CToolCommands::OnJavaPath()
{
    CJavaPathDlg dialog(m_services.GetProfileString(kSettings, kJavaPathKey), m_services.GetMainFrame());
    if (dialog.exec() == QDialog::Accepted)
        m_services.WriteProfileString(kSettings, kJavaPathKey, dialog.Path());
    GiveFocusBack();
}

void CToolCommands::OnPerlPath()
{
    CPerlPathDlg dialog(m_services.GetProfileString(kSettings, kPerlPathKey), m_services.GetMainFrame());
    if (dialog.exec() == QDialog::Accepted)
        m_services.WriteProfileString(kSettings, kPerlPathKey, dialog.Path());
    GiveFocusBack();
}

CDocument* CToolCommands::ActiveEditorDocument() const
{
    CMainFrame* frame = m_services.GetMainFrame();
    CView* view = frame ? frame->GetActiveView() : nullptr;
    return dynamic_cast<CZentrelView*>(view) ? view->GetDocument() : nullptr;
}

void CToolCommands::OnCompileJava()
{
    const QString noJava = QObject::tr("No active .java document!");
    CMainFrame* frame = m_services.GetMainFrame();
    const CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
    // The project's own window is never shown: with only it there, no
    // window is open.
    if (!child || !child->isVisible()) {
        ZtMessageBox::Show(noJava);
        return;
    }
    CDocument* document = ActiveEditorDocument();
    if (!document)
        return;
    const QString path = document->GetPathName();
    if (!ZtToolRules::IsJavaSource(path)) {
        ZtMessageBox::Show(noJava);
        return;
    }
    if (document->IsModified())
        document->SaveModified(); // the answer does not stop the compile
    if (!CompileJava(path))
        ZtMessageBox::Show(QObject::tr("Problem encountered compiling java document!"));
    GiveFocusBack();
}

bool CToolCommands::CompileJava(const QString& sourcePath)
{
    const QString javaPath = m_services.GetProfileString(kSettings, kJavaPathKey);
    if (javaPath.isEmpty()) {
        ZtMessageBox::Show(QObject::tr("Zentrel has no path information for your \"\\java\\bin\" directory. Close "
                                       "all opened Zentrel files and go to the \"Settings\" menu item and register "
                                       "the path there."));
        return false;
    }
    CJavaOptionsDlg options(m_services.GetMainFrame());
    if (options.exec() != QDialog::Accepted)
        return false;
    QDir::setCurrent(ZtPath::FolderOf(sourcePath));
    const bool ran = RunConsoleProcess(
        ZtToolCommandLines::JavaCompile(javaPath, options.m_strProgram, options.m_strSwitches, sourcePath));
    // The compiler's own result is not looked at: an older class still gets
    // its page.
    const QString classFile = ZtAppletPage::ClassFileFor(sourcePath);
    if (ran && options.m_bApplet && QFileInfo(classFile).isFile())
        ZtAppletPage::WriteAppletPage(classFile, options.m_strWidth, options.m_strHeight);
    RefreshProjectTree();
    return ran;
}

void CToolCommands::RefreshProjectTree()
{
    CMainFrame* frame = m_services.GetMainFrame();
    if (frame && frame->ProjectBar())
        frame->ProjectBar()->ProjectTree()->RefreshCurrentFolder(true);
}

void CToolCommands::RunPerlScript()
{
    if (m_strPerlScript.isEmpty())
        return;
    const QString perlPath = m_services.GetProfileString(kSettings, kPerlPathKey);
    if (perlPath.isEmpty()) {
        ZtMessageBox::Show(QObject::tr("You must first set the PERL path. Close all Zentrel files, then the "
                                       "\"Settings\" menu item will be available. From the main menu bar of "
                                       "Zentrel, under \"Settings\",\" Perl Path\" enter the full path to perl.exe"));
        return;
    }
    CPerlArgsDlg arguments(perlPath, m_services.StartDirectory(), m_services.GetMainFrame());
    if (arguments.exec() == QDialog::Accepted) {
        // The script runs as it is on disk: unsaved changes are not part of it.
        RunConsoleProcess(ZtToolCommandLines::PerlRun(perlPath, arguments.m_strSwitches, m_strPerlScript,
                                                      arguments.m_strWorkFile, arguments.m_strOutputFile));
    }
    GiveFocusBack();
}

void CToolCommands::OnRunConsoleProcess()
{
    CConsoleCommandDlg dialog(m_services.GetMainFrame());
    if (dialog.exec() == QDialog::Accepted) {
        const std::optional<CCommandLine> line = ZtToolCommandLines::ConsoleCommand(
            dialog.m_strExecutable, dialog.m_strSwitches, dialog.m_strParameters);
        if (line)
            RunConsoleProcess(*line);
    }
    GiveFocusBack();
}

void CToolCommands::OnOpenConsoleWindow()
{
    QString folder = ZtPath::FolderOf(m_services.CurrentFile());
    if (!QFileInfo(folder).isDir())
        folder = m_services.StartDirectory();
    // Without a window manager the keys would go nowhere once the runner's
    // own console window closes; a window of ours that already has them (a
    // window manager gave them back) keeps them.
    const QPointer<QWidget> frame = m_services.GetMainFrame();
    const auto giveKeysBack = [frame] {
        if (frame && !QApplication::activeWindow())
            ZtGiveKeysBack(frame);
    };
    if (!CConsoleLauncher::OpenTerminal(folder, giveKeysBack))
        ZtMessageBox::Show(QObject::tr("No terminal emulator could be started. Install one (for example xterm) "
                                       "to open a console window."));
}

bool CToolCommands::RunConsoleProcess(const CCommandLine& line)
{
    return CConsoleLauncher::Run(line, m_services.StartDirectory());
}

void CToolCommands::OnUpdateCompileJava(CCmdUI* cmdUI) const
{
    const CDocument* document = ActiveEditorDocument();
    cmdUI->Enable(document && ZtToolRules::IsJavaSource(document->GetPathName()));
}

void CToolCommands::OnUpdateTreeCompileJava(CCmdUI* cmdUI) const
{
    CMainFrame* frame = m_services.GetMainFrame();
    const CProjectTreeCtrl* tree = frame && frame->ProjectBar() ? frame->ProjectBar()->ProjectTree() : nullptr;
    const QTreeWidgetItem* item = tree ? tree->HighlightedItem() : nullptr;
    const bool file = item && CProjectTreeCtrl::ImageOf(item) == CProjectTreeCtrl::ImageFile;
    cmdUI->Enable(file && ZtToolRules::IsTreeJavaFile(tree->GetItemPath(item)));
}

void CToolCommands::OnUpdateRunPerl(CCmdUI* cmdUI)
{
    const CDocument* document = ActiveEditorDocument();
    const bool perl = document && ZtToolRules::IsPerlScript(document->GetPathName());
    if (perl)
        m_strPerlScript = document->GetPathName();
    cmdUI->Enable(perl);
}

void CToolCommands::GiveFocusBack()
{
    // Without a window manager the main window is not reactivated when a
    // dialog or the console closes, and the next keys would go nowhere.
    ZtGiveKeysBack(m_services.GetMainFrame());
}
