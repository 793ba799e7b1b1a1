#pragma once

#include <QString>

class CTagReader;

// What the Image wizard's fields hold.
struct CImageValues
{
    QString m_strImage; // the image reference
    QString m_strAlign;
    QString m_strBorder;
    QString m_strLink; // the link target
    QString m_strText; // shown beside the image
};

// The IMG tag, wrapped in a link to m_strLink when that is filled in, with
// the text beside it: inside a link the text follows the image and the end
// tag closes the line; without one the text comes first. Border and Align
// count only with an image. Nothing filled in gives an empty text.
QString BuildImageText(const CImageValues& values);

// The IMG tag alone, as BuildImageText writes it but without the blank
// after it, for a tag being edited: the link and the text are not part of it.
QString BuildImageStartTag(const CImageValues& values);

// The fields for an IMG tag being edited: its SRC, BORDER and ALIGN.
CImageValues ImageValuesFromTag(CTagReader& tag);
