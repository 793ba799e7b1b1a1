#pragma once

#include <QString>

// What the Align wizard's fields hold: for each attribute whether its box
// is ticked and what its combo box says.
struct CAlignValues
{
    bool m_bHorizontal = false;
    QString m_strHorizontal;
    bool m_bVertical = false;
    QString m_strVertical;
    bool m_bHeight = false;
    QString m_strHeight;
    bool m_bWidth = false;
    QString m_strWidth;
};

// The attributes to go inside a start tag: for each ticked box a blank and
// NAME="value" (an empty value still counts), in the order ALIGN, VALIGN,
// HEIGHT, WIDTH, then one blank. Nothing ticked gives a single blank.
QString BuildAlignText(const CAlignValues& values);

