#pragma once

#include <QString>

// What the Font wizard's fields hold.
struct CFontValues
{
    QString m_strFace; // one face or a comma-separated list
    bool m_bBasefont = false;
    QString m_strBasefontSize;
    bool m_bInsideTag = false; // FONT attributes for a tag being written
    QString m_strSize;
    QString m_strColor;
    QString m_strText;
};

// A BASEFONT tag when m_bBasefont is set (the Font group's fields are then
// ignored), otherwise a FONT element around the text, or, inside another
// tag, " FONT " with its attributes and the text but no end tag. Ends with a
// line feed.
QString BuildFontText(const CFontValues& values);

// The face field after the font dialog chose face: the face alone when the
// field was empty, else the field, ", " and the face.
QString AddFontFace(const QString& faceField, const QString& face);
