#include "wizards/FontText.h"

#include "wizards/TagAttribute.h"
#include "wizards/TagReader.h"

namespace {

QString BasefontText(const CFontValues& values)
{
    QString text = QStringLiteral("<BASEFONT ");
    AppendAttributeIfSet(text, "SIZE", values.m_strBasefontSize);
    AppendAttributeIfSet(text, "FACE", values.m_strFace);
    AppendAttributeIfSet(text, "COLOR", values.m_strColor);
    return text + QStringLiteral(">\n");
}

QString FontAttributes(const CFontValues& values)
{
    QString text;
    AppendAttributeIfSet(text, "FACE", values.m_strFace);
    AppendAttributeIfSet(text, "SIZE", values.m_strSize);
    AppendAttributeIfSet(text, "COLOR", values.m_strColor);
    return text;
}

QString FontElementText(const CFontValues& values)
{
    QString text = values.m_bInsideTag ? QStringLiteral(" FONT ") : QStringLiteral("<FONT ");
    text += FontAttributes(values) + QLatin1Char('>') + values.m_strText;
    return text + (values.m_bInsideTag ? QStringLiteral("\n") : QStringLiteral(" </FONT>\n"));
}

} // namespace

QString BuildFontText(const CFontValues& values)
{
    return values.m_bBasefont ? BasefontText(values) : FontElementText(values);
}

QString BuildFontStartTag(const CFontValues& values)
{
    if (values.m_bBasefont)
        return BasefontText(values).chopped(1);
    return QStringLiteral("<FONT ") + FontAttributes(values) + QLatin1Char('>');
}

CFontValues FontValuesFromTag(CTagReader& tag)
{
    CFontValues values;
    values.m_bBasefont = tag.Name().compare(QLatin1String("BASEFONT"), Qt::CaseInsensitive) == 0;
    (values.m_bBasefont ? values.m_strBasefontSize : values.m_strSize) = tag.Take("SIZE");
    values.m_strFace = tag.Take("FACE");
    values.m_strColor = tag.Take("COLOR");
    return values;
}

QString AddFontFace(const QString& faceField, const QString& face)
{
    return faceField.isEmpty() ? face : faceField + QStringLiteral(", ") + face;
}
