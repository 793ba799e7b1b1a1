#pragma once

#include "editor/TagParser.h"

#include <QString>

class CMDIFrameWnd;
class CZentrelView;

// Where the HTML wizards put their text: the editor of the main window's
// active child, and when they are offered at all.

// Whether a file at path takes the text of the wizard command commandId:
// a page (".html", ".htm", any case); for the Color wizard a style sheet
// (".css") too. A document without a path yet takes none.
bool IsWizardFileType(const QString& path, int commandId);

// The enable rule of the wizard commands: the main window's active child
// shows a web-page editor whose file IsWizardFileType accepts.
bool IsHtmlFileActive(const CMDIFrameWnd* frame, int commandId);

// The web-page editor of the active child, or null (no active child, or a
// browser, project or plain text window).
CZentrelView* ActiveWizardView(const CMDIFrameWnd* frame);

// The text selected in the active page editor, line breaks as "\n"; empty
// when nothing is selected or no page editor is active. The wizards with a
// text field start with it there, so that their markup wraps it.
QString WizardSelection(const CMDIFrameWnd* frame);

// What becomes of the editor's selection when a wizard's text goes in.
enum class EWizardInsert {
    Replace,      // the text takes the selection's place (or goes in at the caret)
    InsertBefore, // the text goes in front of the selection, which stays
    Ask,          // the user chooses between the two, or nothing
    Nothing,      // the editor is left as it is
};

// The choice for a wizard whose dialog took the selection into its text
// field (dialogTookSelection: the text holds it, or the user removed it
// there) or not, with or without a selection, and an empty text or not.
// Selected text is never dropped unasked: a text that does not hold it
// asks, and an empty one changes nothing.
EWizardInsert ChooseWizardInsert(bool dialogTookSelection, bool hasSelection, bool textEmpty);

// The question asked before a wizard's text replaces a selection that its
// dialog did not take in: Yes replaces, No inserts before, Cancel nothing.
QString ReplaceSelectionQuestion();

// The start tag that the caret of the active page editor stands in, when
// nothing is selected and the wizard of command commandId edits such a tag
// (WizardEditsTag); otherwise an invalid tag, and the wizard inserts.
CStartTag WizardTagAtCaret(const CMDIFrameWnd* frame, int commandId);

// The last step of a wizard that edited tag: startTag takes the whole tag's
// place in the active editor as one undoable edit, the caret after it. The
// messages are those of InsertWizardText; a tag no longer where it was
// (the page changed meanwhile) is left alone. True when the tag changed.
bool ReplaceWizardTag(const CMDIFrameWnd* frame, const CStartTag& tag, const QString& startTag,
                      const QString& noWindowMessage);

// The last step of a wizard command: text goes into the active editor as one
// undoable edit as ChooseWizardInsert decides, leaving the caret after it.
// With no active child the user is told noWindowMessage; over a window that
// is no web-page editor nothing happens. True when the text went in.
bool InsertWizardText(const CMDIFrameWnd* frame, const QString& text, const QString& noWindowMessage,
                      bool dialogTookSelection = false);
