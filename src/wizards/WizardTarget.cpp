#include "wizards/WizardTarget.h"

#include "editor/ZentrelView.h"
#include "files/FileKinds.h"
#include "framework/MDIChildWnd.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MessageBox.h"
#include "res/CommandIds.h"
#include "res/StringTable.h"
#include "wizards/TagEdit.h"

#include <QTextCursor>

namespace {
// A hidden child (the project's window) is no window the user works in.
CMDIChildWnd* ActiveVisibleChild(const CMDIFrameWnd* frame)
{
    CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
    return child && child->isVisible() ? child : nullptr;
}
} // namespace

bool IsWizardFileType(const QString& path, int commandId)
{
    // The file kinds table knows which extensions are pages and which style
    // sheets.
    if (IsHtmlFile(path))
        return true;
    return commandId == ZtCmd::ID_COLOR_WIZARD && FileLanguage(path) == ZtLanguage::Css;
}

CZentrelView* ActiveWizardView(const CMDIFrameWnd* frame)
{
    CMDIChildWnd* child = ActiveVisibleChild(frame);
    return child ? dynamic_cast<CZentrelView*>(child->GetActiveView()) : nullptr;
}

bool IsHtmlFileActive(const CMDIFrameWnd* frame, int commandId)
{
    CZentrelView* view = ActiveWizardView(frame);
    CDocument* document = view ? ActiveVisibleChild(frame)->GetActiveDocument() : nullptr;
    return document && IsWizardFileType(document->GetPathName(), commandId);
}

QString WizardSelection(const CMDIFrameWnd* frame)
{
    CZentrelView* view = ActiveWizardView(frame);
    // The editor separates lines with U+2029; the wizards write "\n".
    return view ? view->textCursor().selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')) : QString();
}

CStartTag WizardTagAtCaret(const CMDIFrameWnd* frame, int commandId)
{
    CZentrelView* view = ActiveWizardView(frame);
    if (!view || view->textCursor().hasSelection())
        return {};
    const CStartTag tag = view->StartTagAround(view->textCursor().position());
    return tag.IsValid() && WizardEditsTag(commandId, tag.m_strName) ? tag : CStartTag();
}

bool ReplaceWizardTag(const CMDIFrameWnd* frame, const CStartTag& tag, const QString& startTag,
                      const QString& noWindowMessage)
{
    if (!ActiveVisibleChild(frame)) {
        ZtMessageBox::Show(noWindowMessage);
        return false;
    }
    CZentrelView* view = ActiveWizardView(frame);
    const CStartTag now = view ? view->StartTagAround(tag.m_nStart + 1) : CStartTag();
    if (now.m_nStart != tag.m_nStart || now.m_nEnd != tag.m_nEnd || now.m_strName != tag.m_strName)
        return false;
    view->ReplaceRange(tag.m_nStart, tag.m_nEnd, startTag);
    return true;
}

EWizardInsert ChooseWizardInsert(bool dialogTookSelection, bool hasSelection, bool textEmpty)
{
    if (!hasSelection || dialogTookSelection)
        return EWizardInsert::Replace;
    return textEmpty ? EWizardInsert::Nothing : EWizardInsert::Ask;
}

QString ReplaceSelectionQuestion()
{
    return ZtRes::String(ZtCmd::IDS_WIZARD_REPLACE_SELECTION);
}

namespace {
EWizardInsert AskAboutSelection()
{
    switch (ZtMessageBox::Show(ReplaceSelectionQuestion(), QMessageBox::Question,
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No)) {
    case QMessageBox::Yes:
        return EWizardInsert::Replace;
    case QMessageBox::No:
        return EWizardInsert::InsertBefore;
    default:
        return EWizardInsert::Nothing;
    }
}
} // namespace

bool InsertWizardText(const CMDIFrameWnd* frame, const QString& text, const QString& noWindowMessage,
                      bool dialogTookSelection)
{
    if (!ActiveVisibleChild(frame)) {
        ZtMessageBox::Show(noWindowMessage);
        return false;
    }
    CZentrelView* view = ActiveWizardView(frame);
    if (!view)
        return false;
    EWizardInsert insert = ChooseWizardInsert(dialogTookSelection, view->textCursor().hasSelection(), text.isEmpty());
    if (insert == EWizardInsert::Ask)
        insert = AskAboutSelection();
    if (insert == EWizardInsert::Nothing)
        return false;
    if (insert == EWizardInsert::InsertBefore) {
        QTextCursor caret = view->textCursor();
        caret.setPosition(caret.selectionStart());
        view->setTextCursor(caret);
    }
    view->ReplaceSelection(text);
    return true;
}
