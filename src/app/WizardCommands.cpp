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
#include "wizards/TableWizPage1.h"
#include "wizards/TableWizSheet.h"
#include "wizards/TagEdit.h"
#include "wizards/TagReader.h"
#include "wizards/WizardTarget.h"
#include "res/CommandIds.h"
#include "framework/KeysBack.h"

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
    if (accepted)
        InsertWizardText(m_services.GetMainFrame(), text, noWindowMessage, dialogTookSelection);
    GiveFocusBack();
}

void CWizardCommands::FinishEdit(bool accepted, const CStartTag& tag, const QString& startTag,
                                 const QString& noWindowMessage)
{
    if (accepted)
        ReplaceWizardTag(m_services.GetMainFrame(), tag, startTag, noWindowMessage);
    GiveFocusBack();
}

void CWizardCommands::GiveFocusBack()
{
    CMainFrame* frame = m_services.GetMainFrame();
    // Without a window manager the main window is not reactivated when a
    // dialog closes: give the keys back to the editor.
    if (!frame)
        return;
    ZtGiveKeysBack(frame);
    if (CZentrelView* view = ActiveWizardView(frame))
        view->setFocus();
}

// Each wizard that makes a start tag first looks for one at the caret; the
// tag's attributes the wizard does not know stay in the tag it writes.
void CWizardCommands::OnBodyWizard()
{
    CBodyWizDlg dialog(BodyBaseDirectory(), m_services.GetMainFrame());
    const CStartTag tag = WizardTagAtCaret(m_services.GetMainFrame(), ZtCmd::ID_BODY_WIZARD);
    CTagReader reader(tag);
    if (tag.IsValid())
        dialog.SetValues(BodyValuesFromTag(reader));
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (tag.IsValid())
        FinishEdit(ok, tag, EditedStartTag(dialog.Text(), reader.Kept()), NoOpenFileMessage());
    else
        Finish(ok, dialog.Text(), NoOpenFileMessage());
}

void CWizardCommands::OnFontWizard()
{
    CFontWizDlg dialog(m_services.GetMainFrame());
    const CStartTag tag = WizardTagAtCaret(m_services.GetMainFrame(), ZtCmd::ID_FONT_WIZARD);
    CTagReader reader(tag);
    if (tag.IsValid())
        dialog.SetValues(FontValuesFromTag(reader));
    else
        dialog.SetText(WizardSelection(m_services.GetMainFrame()));
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (tag.IsValid())
        FinishEdit(ok, tag, EditedStartTag(BuildFontStartTag(dialog.Values()), reader.Kept()), NoOpenFileMessage());
    else // A BASEFONT tag leaves the Text field out, and so the selection.
        Finish(ok, dialog.Text(), NoOpenFileMessage(), !dialog.Values().m_bBasefont);
}

void CWizardCommands::OnTableWizard()
{
    CTableWizSheet sheet(m_services.GetWizardDirectory(), m_services.ProjectPath(), m_services.GetMainFrame());
    const CStartTag tag = WizardTagAtCaret(m_services.GetMainFrame(), ZtCmd::ID_TABLE_WIZARD);
    CTagReader reader(tag);
    if (tag.IsValid()) {
        // Only the start tag is edited: the rows page has nothing to add.
        sheet.Page1()->SetValues(TableValuesFromTag(reader));
        sheet.EditStartTagOnly();
    }
    const bool finished = sheet.exec() == QDialog::Accepted;
    if (tag.IsValid())
        FinishEdit(finished, tag, EditedStartTag(sheet.RecordedPiece(CTableWizSheet::START_TAG), reader.Kept()),
                   NoOpenFileMessage());
    else
        Finish(finished, sheet.Text(), NoOpenFileMessage());
}

void CWizardCommands::OnImageWizard()
{
    CImageWizDlg dialog(m_services.GetWizardDirectory(), m_services.GetMainFrame());
    const CStartTag tag = WizardTagAtCaret(m_services.GetMainFrame(), ZtCmd::ID_IMAGE_WIZARD);
    CTagReader reader(tag);
    if (tag.IsValid())
        dialog.SetTagValues(ImageValuesFromTag(reader));
    else
        dialog.SetText(WizardSelection(m_services.GetMainFrame()));
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (tag.IsValid())
        FinishEdit(ok, tag, EditedStartTag(BuildImageStartTag(dialog.Values()), reader.Kept()), NoOpenFileMessage());
    else
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
    const CStartTag tag = WizardTagAtCaret(m_services.GetMainFrame(), ZtCmd::ID_LIST_WIZARD);
    CTagReader reader(tag);
    if (tag.IsValid())
        dialog.SetValues(ListValuesFromTag(reader));
    const bool notCancelled = dialog.exec() != QDialog::Rejected;
    // Only the start tag is edited: the items stay as they are.
    const bool ordered = IsOrderedListTag(tag.m_strName);
    if (tag.IsValid())
        FinishEdit(notCancelled, tag, EditedStartTag(BuildListStartTag(dialog.Values(), ordered), reader.Kept()),
                   NoFileMessage());
    else
        Finish(notCancelled, dialog.Text(), NoFileMessage());
}
