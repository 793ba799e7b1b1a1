#pragma once

#include <vector>

// What kind of edit the editor is about to see. The colouring engine uses it
// to decide which lines to re-colour once the change has happened.
enum class ZentrelEditKind { None = 0, Other, Typing, Delete, Backspace, Cut, Paste, MovePaste };

// The edits the editor announces right before it makes them.
enum class ZtEditAnnouncement {
    Cut,           // the selection is cut
    Paste,         // text is pasted or dropped over the selection
    ReplaceSel,    // a command replaces the selection with its text
    Char,          // a typed character, Enter or Tab
    KeyBackspace,  // the Backspace key
    KeyDelete,     // the Delete key
    KeyOther,      // any other key that edits, such as undo and redo
    SetCharFormat, // a character format change, which leaves the kind alone
    Other          // anything else
};

// A character range [first, end) of the editor's text.
struct CEditRange
{
    int first = 0;
    int end = 0;

    friend bool operator==(const CEditRange&, const CEditRange&) = default;
};

// The rules that turn edit announcements and change notifications into the
// lines to re-colour. Pure functions, so that the table is tested on its own.
class CEditKindRules
{
public:
    struct Announced
    {
        ZentrelEditKind kind;
        bool recordRange; // the announced range becomes the recorded edit range
    };

    // The kind after an announcement, given the kind before it. A paste
    // announced while a cut is still pending is the drop half of a drag move.
    static Announced OnProtected(ZentrelEditKind current, ZtEditAnnouncement what);

    // One ColorizeLines(a, b) request: the lines from the one holding a to the
    // one holding b.
    struct LineSpan
    {
        int a;
        int b;

        friend bool operator==(const LineSpan&, const LineSpan&) = default;
    };
    struct ChangePlan
    {
        bool all = false;            // re-colour the whole text
        std::vector<LineSpan> spans; // otherwise these line spans, in order
    };

    // The lines to re-colour after a change, from the kind of the edit, the
    // range recorded at its announcement and the selection after it. The kind
    // returns to None after every change.
    static ChangePlan OnChange(ZentrelEditKind kind, CEditRange recorded, CEditRange selection);
};
