#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Where a line of an HTML page stands when it starts: what the lines above
// left open. A tag, a comment, a script or a style may run over many lines.
struct CSpellLineState
{
    enum class Mode : quint8 { Text, Comment, Tag, Script, Style };
    // Inside a tag: what comes next.
    enum class TagPart : quint8 { Between, AfterName, AfterEquals, Value };

    Mode mode = Mode::Text;
    TagPart part = TagPart::Between;
    char16_t quote = 0;        // the quote of a value still open; 0 for an unquoted value
    bool textValue = false;    // the value being read is human text (alt, title, ...)
    Mode afterTag = Mode::Text; // what the tag's ">" opens: Script or Style after <script>, <style>

    bool operator==(const CSpellLineState&) const = default;
};

// Finds the words of an HTML line that are the page's text, the only words
// spelling checks: the text between tags, the words of comments (not their
// markup), and the values of the attributes that hold human text (alt,
// title, placeholder, label, summary, aria-label) unless the value is a URL.
// Tag and attribute names, other attribute values, scripts, styles, entities,
// and words glued to digits, e-mail addresses or paths are left out.
//
// A line is read from the state the lines above left (Scan returns the state
// it leaves), so a tag, comment, script or style split over lines is followed.
class CSpellTextScanner
{
public:
    struct Range
    {
        int start;
        int length;
        bool operator==(const Range&) const = default;
    };

    // Appends the ranges of line that are text to textRanges (may be null)
    // and returns the state the line leaves for the next one.
    static CSpellLineState Scan(QStringView line, CSpellLineState state, QList<Range>* textRanges);

    // The words of line worth checking: runs of letters (any script, with
    // their combining marks) joined by inner apostrophes (don't, l'homme,
    // it’s), of two letters or more, within the text ranges Scan finds.
    // endState, when given, receives the state the line leaves.
    static QList<Range> Words(QStringView line, CSpellLineState state, CSpellLineState* endState = nullptr);

    // The word as a dictionary expects it: a typographic apostrophe becomes
    // a plain one.
    static QString DictionaryForm(QStringView word);

    // The language of the page's <html lang="..."> in head (the text of
    // the page's first lines), or empty.
    static QString PageLanguage(QStringView head);

    // Whether an attribute (lower-case name) holds text for people to read.
    static bool IsTextAttribute(QStringView name);
};
