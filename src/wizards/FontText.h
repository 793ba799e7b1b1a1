#pragma once

#include <QString>

class CTagReader;

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

// The start tag alone, for a tag being edited: the BASEFONT tag when
// m_bBasefont is set, else "<FONT ", its attributes and ">" (whether or not
// "inside another tag" is ticked: the tag being edited is a whole one).
QString BuildFontStartTag(const CFontValues& values);

// The fields for a FONT tag (its face, size and colour) or a BASEFONT tag
// (Basefont ticked, its size, face and colour) being edited.
CFontValues FontValuesFromTag(CTagReader& tag);

// The face field after the font dialog chose face: the face alone when the
// field was empty, else the field, ", " and the face.
QString AddFontFace(const QString& faceField, const QString& face);
