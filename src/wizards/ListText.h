#pragma once

#include <QString>

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

// A quantity read the way C's atoi reads it: leading white space, an
// optional sign, then digits up to the first non-digit; no digits give 0.
// A number too large for an int gives the largest int.
int ReadQuantity(const QString& text);

// The most items one list gets: larger quantities are cut to this, so that
// a mistyped number cannot build a text too large to insert.
constexpr int kMaxListItems = 10000;
