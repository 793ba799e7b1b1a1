#pragma once

#include <QString>

class CTagReader;

// What the Body wizard's fields hold.
struct CBodyValues
{
    QString m_strBackground;
    QString m_strImage;
    bool m_bFixed = false; // the background does not scroll with the page
    QString m_strTextColor;
    QString m_strLink;
    QString m_strActiveLink;
    QString m_strVisitedLink;
    QString m_strLeftMargin;
    QString m_strTopMargin;
};

// The BODY start tag of values and a line feed. Every field that is not
// empty becomes an attribute, in a fixed order; the blank before ">" is
// always there: nothing filled in gives "<BODY >\n".
QString BuildBodyText(const CBodyValues& values);

// The fields for a BODY tag being edited: every attribute the wizard writes,
// in any case and quoting. BGPROPERTIES counts only when it says FIXED (in
// any case); any other value is left to be kept.
CBodyValues BodyValuesFromTag(CTagReader& tag);
