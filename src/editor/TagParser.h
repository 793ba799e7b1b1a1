#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Reads HTML tags out of a page's text the way an author wrote them, for the
// commands that edit a tag in place and for end-tag completion. Nothing here
// rejects input: a page being typed is broken most of the time, so every
// function gives its best reading of whatever text it gets.
//
// Positions are indexes into the text handed over. A tag may run over any
// number of lines; quoted values may hold "<" and ">".

// One attribute of a start tag as written.
struct CParsedAttribute
{
    QString m_strName;     // as written, in its own case
    QString m_strValue;    // without its quotes; empty when there is none
    QString m_strSpelling; // exactly as written: name, "=", value and its quotes
    bool m_bHasValue = false;
};

// A start tag found in a text.
struct CStartTag
{
    int m_nStart = -1; // the "<"
    // Just after the ">"; for a tag that was never finished, just after its
    // last attribute (or its name), so that what follows it stays untouched.
    int m_nEnd = -1;
    bool m_bFinished = false; // it ends with its own ">"
    QString m_strName;        // as written
    QList<CParsedAttribute> m_attributes;

    bool IsValid() const { return m_nStart >= 0; }
    // The first attribute called name, in any case; null when there is none.
    const CParsedAttribute* Find(QStringView name) const;
};

// The start tag whose "<" is at start (a "<" followed by a letter); an
// invalid tag otherwise. A quoted value runs to its closing quote, over
// lines if need be; a quote never closed ends at the next ">". A "<" where
// an attribute would begin ends an unfinished tag.
CStartTag ParseStartTag(QStringView text, int start);

// The start tag that holds position: after its "<" and before its ">" (or
// up to its end when it was never finished). Comments, end tags and the
// contents of scripts and styles hold none. Invalid when there is none.
CStartTag StartTagAt(QStringView text, int position);

// Elements that never have an end tag (BR, IMG, ...), in any case.
bool IsVoidElement(QStringView name);

// The elements still open at the end of text, outermost first, each name
// as its start tag spells it. Void elements, tags closed by "/>", comments
// and elements already closed are left out; an end tag closes its element
// and every element opened inside it. An end tag with no start tag is
// ignored, unless partial says that text begins part way into a page: then
// its start tag lies before text, and so does everything it closes.
QStringList OpenElements(QStringView text, bool partial = false);

// What "</" typed at the end of text closes: the innermost element still
// open (see OpenElements); empty when none is, or when text ends inside a
// comment, where "</" is only text. inComment, when given, tells the latter.
QString ElementToClose(QStringView text, bool partial = false, bool* inComment = nullptr);

// What "</" typed at position closes (see ElementToClose).
QString InnermostOpenElement(QStringView text, int position);

// Whether position, in a text that begins part way into a page, may lie in
// a comment, script or style that began before the text: after position,
// the end of one comes before any start of its kind.
bool MayLieInsideCommentOrScript(QStringView text, int position);
