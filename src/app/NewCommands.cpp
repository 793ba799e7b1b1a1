#include "app/NewCommands.h"

#include "app/MainFrame.h"
#include "editor/SyntaxColoringCheck.h"
#include "files/UserDataFolders.h"
#include "framework/DocTemplate.h"
#include "framework/OpenRequest.h"
#include "framework/View.h"
#include "projects/ChooseDirectoryDlg.h"
#include "res/CommandIds.h"
#include "wizards/NewDlg.h"
#include "wizards/NewPageDlg.h"
#include "wizards/NewPageText.h"
#include "framework/KeysBack.h"

#include <QApplication>
#include <QPointer>

using namespace ZtCmd;

CNewCommands::CNewCommands(CServices& services)
    : m_services(services)
{
    CZentrelDoc::SetNewPageHandler([this] { return RunNewPageDialog(); });
    CNewPageDlg::SetFolderChooser([this](QWidget* parent, const QString& startFolder) {
        CChooseDirectoryDlg chooser(parent);
        chooser.m_strStartPath = startFolder;
        chooser.m_strBaseDirectory = m_services.StartDirectory();
        return chooser.exec() == QDialog::Accepted ? chooser.m_strResultPath : QString();
    });
}

CNewCommands::~CNewCommands()
{
    CZentrelDoc::SetNewPageHandler(nullptr);
    CNewPageDlg::SetFolderChooser(nullptr);
}

void CNewCommands::OnFileNew()
{
    CMainFrame* frame = m_services.GetMainFrame();
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const CView* viewBefore = frame ? frame->GetActiveView() : nullptr;
    CNewDlg dialog(frame);
    if (dialog.exec() == QDialog::Accepted)
        Create(dialog.Choice());
    GiveFocusBack(viewBefore, focus);
}

void CNewCommands::Create(int choice)
{
    switch (choice) {
    case CNewDlg::Page: {
        // A new page is coloured as a small file would be: colouring on and
        // a size limit set.
        COpenRequest request;
        request.m_bSyntaxColoring = CheckSyntaxColoring(QString()) >= 1;
        m_services.WebPageTemplate()->OpenDocumentFile(request);
        break;
    }
    case CNewDlg::PlainText:
        m_services.TextTemplate()->OpenDocumentFile(QString());
        break;
    case CNewDlg::ProjectWorkspace:
        if (CMainFrame* frame = m_services.GetMainFrame())
            frame->ExecuteCommand(ID_PROJECT_WIZARD);
        break;
    }
}

void CNewCommands::GiveFocusBack(const CView* viewBefore, QWidget* focusBefore)
{
    // Without a window manager the main window is not reactivated when a
    // dialog closes: Ctrl+S and the menus' keys would go nowhere.
    CMainFrame* frame = m_services.GetMainFrame();
    if (!frame)
        return;
    ZtGiveKeysBack(frame);
    CView* view = frame->GetActiveView();
    if (view && view != viewBefore)
        view->GetWidget()->setFocus();
    else if (focusBefore)
        focusBefore->setFocus();
}

std::optional<CZentrelDoc::CNewPage> CNewCommands::RunNewPageDialog()
{
    CNewPageDlg dialog(CUserDataFolders::Templates(), m_services.GetWizardDirectory(), m_services.StartDirectory(),
                       m_services.GetMainFrame());
    // The project that is open now: the project path outlives a closed one.
    const CDocTemplate* projects = m_services.ProjectTemplate();
    const CDocument* project = projects ? projects->FirstDocument() : nullptr;
    dialog.SetPath(ZtNewPage::InitialPath(m_services.GetWizardDirectory(), project ? project->GetPathName() : QString(),
                                          m_services.SelectedPath()));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return CZentrelDoc::CNewPage{dialog.FileName(), dialog.FullPath(), dialog.TemplateText()};
}
