#pragma once

#include <QString>

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
