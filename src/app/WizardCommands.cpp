#include "app/WizardCommands.h"

#include "app/MainFrame.h"
#include "editor/ZentrelView.h"
#include "files/PathParts.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "wizards/AlignWizDlg.h"
#include "wizards/BodyWizDlg.h"
#include "wizards/ColorWizDlg.h"
#include "wizards/FontWizDlg.h"
#include "wizards/ImageWizDlg.h"
#include "wizards/ListWizDlg.h"
#include "wizards/TableWizSheet.h"
#include "wizards/WizardTarget.h"

QString CWizardCommands::NoOpenFileMessage()
{
    return QObject::tr("No open file in editor!");
}

QString CWizardCommands::NoFileMessage()
{
    return QObject::tr("No file in editor!");
}

QString CWizardCommands::BodyBaseDirectory() const
{
    CDocTemplate* pages = m_services.WebPageTemplate();
    CDocument* first = pages ? pages->FirstDocument() : nullptr;
    const QString path = first ? first->GetPathName() : QString();
    return ZtPath::FolderOf(path);
}

void CWizardCommands::Finish(bool accepted, const QString& text, const QString& noWindowMessage,
                             bool dialogTookSelection)
{
    CMainFrame* frame = m_services.GetMainFrame();
    if (accepted)
        InsertWizardText(frame, text, noWindowMessage, dialogTookSelection);
    // Without a window manager the main window is not reactivated when a
    // dialog closes: give the keys back to the editor.
    if (!frame)
        return;
    frame->activateWindow();
    if (CZentrelView* view = ActiveWizardView(frame))
        view->setFocus();
}

void CWizardCommands::OnBodyWizard()
{
    CBodyWizDlg dialog(BodyBaseDirectory(), m_services.GetMainFrame());
    const bool ok = dialog.exec() == QDialog::Accepted;
    Finish(ok, dialog.Text(), NoOpenFileMessage());
}

void CWizardCommands::OnFontWizard()
{
    CFontWizDlg dialog(m_services.GetMainFrame());
    dialog.SetText(WizardSelection(m_services.GetMainFrame()));
    const bool ok = dialog.exec() == QDialog::Accepted;
    // A BASEFONT tag leaves the Text field out, and so the selection.
    Finish(ok, dialog.Text(), NoOpenFileMessage(), !dialog.Values().m_bBasefont);
}

void CWizardCommands::OnTableWizard()
{
    CTableWizSheet sheet(m_services.GetWizardDirectory(), m_services.ProjectPath(), m_services.GetMainFrame());
    const bool finished = sheet.exec() == QDialog::Accepted;
    Finish(finished, sheet.Text(), NoOpenFileMessage());
}

void CWizardCommands::OnImageWizard()
{
    CImageWizDlg dialog(m_services.GetWizardDirectory(), m_services.GetMainFrame());
    dialog.SetText(WizardSelection(m_services.GetMainFrame()));
    const bool ok = dialog.exec() == QDialog::Accepted;
    Finish(ok, dialog.Text(), NoOpenFileMessage(), true);
}

// These three take any way of closing but Cancel.
void CWizardCommands::OnColorWizard()
{
    CColorWizDlg dialog(m_services.GetMainFrame());
    const bool notCancelled = dialog.exec() != QDialog::Rejected;
    Finish(notCancelled, dialog.Text(), NoFileMessage());
}

void CWizardCommands::OnAlignWizard()
{
    CAlignWizDlg dialog(m_services.GetMainFrame());
    const bool notCancelled = dialog.exec() != QDialog::Rejected;
    Finish(notCancelled, dialog.Text(), NoFileMessage());
}

void CWizardCommands::OnListWizard()
{
    CListWizDlg dialog(m_services.GetMainFrame());
    const bool notCancelled = dialog.exec() != QDialog::Rejected;
    Finish(notCancelled, dialog.Text(), NoFileMessage());
}
