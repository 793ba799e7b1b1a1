#include "wizards/BodyText.h"

#include "wizards/TagAttribute.h"
#include "wizards/TagReader.h"

QString BuildBodyText(const CBodyValues& values)
{
    QString text = QStringLiteral("<BODY ");
    AppendAttributeIfSet(text, "BGCOLOR", values.m_strBackground);
    AppendAttributeIfSet(text, "BACKGROUND", values.m_strImage);
    // Fixed applies to a background colour as well, so it is written even
    // without an image.
    if (values.m_bFixed)
        text += TagAttribute("BGPROPERTIES", QStringLiteral("FIXED"));
    AppendAttributeIfSet(text, "TEXT", values.m_strTextColor);
    AppendAttributeIfSet(text, "LINK", values.m_strLink);
    AppendAttributeIfSet(text, "ALINK", values.m_strActiveLink);
    AppendAttributeIfSet(text, "VLINK", values.m_strVisitedLink);
    AppendAttributeIfSet(text, "LEFTMARGIN", values.m_strLeftMargin);
    AppendAttributeIfSet(text, "TOPMARGIN", values.m_strTopMargin);
    return text + QStringLiteral(">\n");
}

CBodyValues BodyValuesFromTag(CTagReader& tag)
{
    CBodyValues values;
    values.m_strBackground = tag.Take("BGCOLOR");
    values.m_strImage = tag.Take("BACKGROUND");
    if (tag.Value("BGPROPERTIES").compare(QLatin1String("FIXED"), Qt::CaseInsensitive) == 0) {
        tag.Take("BGPROPERTIES");
        values.m_bFixed = true;
    }
    values.m_strTextColor = tag.Take("TEXT");
    values.m_strLink = tag.Take("LINK");
    values.m_strActiveLink = tag.Take("ALINK");
    values.m_strVisitedLink = tag.Take("VLINK");
    values.m_strLeftMargin = tag.Take("LEFTMARGIN");
    values.m_strTopMargin = tag.Take("TOPMARGIN");
    return values;
}
