#include "wizards/WizardTarget.h"

#include "editor/ZentrelView.h"
#include "files/FileKinds.h"
#include "framework/MDIChildWnd.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MessageBox.h"
#include "res/CommandIds.h"

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

bool InsertWizardText(const CMDIFrameWnd* frame, const QString& text, const QString& noWindowMessage)
{
    if (!ActiveVisibleChild(frame)) {
        ZtMessageBox::Show(noWindowMessage);
        return false;
    }
    CZentrelView* view = ActiveWizardView(frame);
    if (!view)
        return false;
    view->ReplaceSelection(text);
    return true;
}
