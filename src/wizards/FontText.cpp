#include "wizards/FontText.h"

#include "wizards/TagAttribute.h"

namespace {

QString BasefontText(const CFontValues& values)
{
    QString text = QStringLiteral("<BASEFONT ");
    AppendAttributeIfSet(text, "SIZE", values.m_strBasefontSize);
    AppendAttributeIfSet(text, "FACE", values.m_strFace);
    AppendAttributeIfSet(text, "COLOR", values.m_strColor);
    return text + QStringLiteral(">\n");
}

QString FontElementText(const CFontValues& values)
{
    QString text = values.m_bInsideTag ? QStringLiteral(" FONT ") : QStringLiteral("<FONT ");
    AppendAttributeIfSet(text, "FACE", values.m_strFace);
    AppendAttributeIfSet(text, "SIZE", values.m_strSize);
    AppendAttributeIfSet(text, "COLOR", values.m_strColor);
    text += QLatin1Char('>') + values.m_strText;
    return text + (values.m_bInsideTag ? QStringLiteral("\n") : QStringLiteral(" </FONT>\n"));
}

} // namespace

QString BuildFontText(const CFontValues& values)
{
    return values.m_bBasefont ? BasefontText(values) : FontElementText(values);
}

QString AddFontFace(const QString& faceField, const QString& face)
{
    return faceField.isEmpty() ? face : faceField + QStringLiteral(", ") + face;
}
