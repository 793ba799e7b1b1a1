#include "wizards/ImageText.h"

#include "wizards/TagAttribute.h"
#include "wizards/TagReader.h"

namespace {

// The tag and a blank: the tag always ends with one.
QString ImagePart(const CImageValues& values)
{
    return BuildImageStartTag(values) + QLatin1Char(' ');
}

} // namespace

// "<IMG SRC=... BORDER=... ALIGN=...>"; with no border the image still
// gets BORDER="0".
QString BuildImageStartTag(const CImageValues& values)
{
    QString text = QStringLiteral("<IMG ") + TagAttribute("SRC", values.m_strImage);
    text += TagAttribute("BORDER", values.m_strBorder.isEmpty() ? QStringLiteral("0") : values.m_strBorder);
    if (!values.m_strAlign.isEmpty())
        text += QStringLiteral("ALIGN=\"") + values.m_strAlign + QLatin1Char('"');
    return text + QLatin1Char('>');
}

CImageValues ImageValuesFromTag(CTagReader& tag)
{
    CImageValues values;
    values.m_strImage = tag.Take("SRC");
    values.m_strBorder = tag.Take("BORDER");
    values.m_strAlign = tag.Take("ALIGN");
    return values;
}

QString BuildImageText(const CImageValues& values)
{
    const QString image = values.m_strImage.isEmpty() ? QString() : ImagePart(values);
    if (!values.m_strLink.isEmpty())
        return QStringLiteral("<A HREF=\"") + values.m_strLink + QStringLiteral("\">") + image + values.m_strText
               + QStringLiteral("</A>\n");
    if (image.isEmpty() && values.m_strText.isEmpty())
        return QString();
    return values.m_strText + image + QLatin1Char('\n');
}
