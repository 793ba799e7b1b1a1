#pragma once

#include <QString>

class CTagReader;

// What the List wizard's fields hold.
struct CListValues
{
    QString m_strOrderedQuantity;
    QString m_strOrderedType;
    QString m_strOrderedStart;
    QString m_strUnorderedQuantity;
    QString m_strUnorderedType;
};

// An ordered list when its quantity is filled in, then an unordered list
// when its quantity is, each with that many "<LI> Item here " lines. Both
// quantities empty give an empty text.
QString BuildListText(const CListValues& values);

// The OL start tag (ordered) or the UL start tag as BuildListText writes
// them, but without the blank and line feed after them: for a tag being
// edited, whose items stay as they are.
QString BuildListStartTag(const CListValues& values, bool ordered);

// The fields for an OL tag (the ordered list's type and start) or a UL tag
// (the unordered list's type) being edited.
CListValues ListValuesFromTag(CTagReader& tag);
// Whether a tag being edited is an ordered list's.
bool IsOrderedListTag(QStringView name);

// A quantity read the way C's atoi reads it: leading white space, an
// optional sign, then digits up to the first non-digit; no digits give 0.
// A number too large for an int gives the largest int.
int ReadQuantity(const QString& text);

// The most items one list gets: larger quantities are cut to this, so that
// a mistyped number cannot build a text too large to insert.
constexpr int kMaxListItems = 10000;
