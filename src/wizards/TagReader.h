#pragma once

#include "editor/TagParser.h"

#include <QStringList>

// Hands a wizard the attributes of a start tag it is about to edit, one known
// name at a time, and remembers which it took: what no wizard field asked
// for is kept, in the tag's order, for the tag the wizard writes back.
class CTagReader
{
public:
    explicit CTagReader(const CStartTag& tag) : m_tag(tag) {}

    // The tag's name as written.
    const QString& Name() const { return m_tag.m_strName; }
    // Whether the tag has an attribute called name, in any case.
    bool Has(const char* name) const { return m_tag.Find(QString::fromLatin1(name)) != nullptr; }
    // The value of the first attribute called name, without taking it.
    QString Value(const char* name) const;
    // The value of the first attribute called name, in any case (empty when
    // there is none), and every attribute of that name is taken: the wizard
    // writes the name once.
    QString Take(const char* name);
    // The attributes not taken, as written, in their order.
    QList<CParsedAttribute> Kept() const;

private:
    CStartTag m_tag;
    QStringList m_taken; // upper case
};
