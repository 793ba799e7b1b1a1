#pragma once

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

// The last step of a wizard command: text replaces the selection of the
// active editor as one undoable edit (an empty text still removes the
// selection), leaving the caret after it. With no active child the user is
// told noWindowMessage; over a window that is no web-page editor nothing
// happens. True when the text went in.
bool InsertWizardText(const CMDIFrameWnd* frame, const QString& text, const QString& noWindowMessage);
