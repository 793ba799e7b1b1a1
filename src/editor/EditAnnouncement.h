#pragma once

// The kinds of edit a view can announce before it makes them. The colouring
// accepts the announcements but needs none of them: what an edit changed is
// read from the document's own change notification.
enum class ZentrelEditKind { None = 0, Other, Typing, Delete, Backspace, Cut, Paste, MovePaste };

enum class ZtEditAnnouncement {
    Cut,           // the selection is cut
    Paste,         // text is pasted or dropped over the selection
    ReplaceSel,    // a command replaces the selection with its text
    Char,          // a typed character, Enter or Tab
    KeyBackspace,  // the Backspace key
    KeyDelete,     // the Delete key
    KeyOther,      // any other key that edits, such as undo and redo
    SetCharFormat, // a character format change
    Other          // anything else
};
