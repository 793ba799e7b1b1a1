#include "wizards/BodyText.h"

#include "wizards/TagAttribute.h"

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
