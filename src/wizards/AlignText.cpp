#include "wizards/AlignText.h"

#include "wizards/TagReader.h"

namespace {
void AppendIfTicked(QString& text, bool ticked, const char* name, const QString& value)
{
    if (ticked)
        text += QLatin1Char(' ') + QLatin1String(name) + QLatin1String("=\"") + value + QLatin1Char('"');
}
} // namespace

QString BuildAlignText(const CAlignValues& values)
{
    QString text;
    AppendIfTicked(text, values.m_bHorizontal, "ALIGN", values.m_strHorizontal);
    AppendIfTicked(text, values.m_bVertical, "VALIGN", values.m_strVertical);
    AppendIfTicked(text, values.m_bHeight, "HEIGHT", values.m_strHeight);
    AppendIfTicked(text, values.m_bWidth, "WIDTH", values.m_strWidth);
    return text + QLatin1Char(' ');
}

QString BuildAlignStartTag(const QString& name, const CAlignValues& values)
{
    return QLatin1Char('<') + name + BuildAlignText(values) + QLatin1Char('>');
}

CAlignValues AlignValuesFromTag(CTagReader& tag)
{
    CAlignValues values;
    values.m_bHorizontal = tag.Has("ALIGN");
    values.m_strHorizontal = tag.Take("ALIGN");
    values.m_bVertical = tag.Has("VALIGN");
    values.m_strVertical = tag.Take("VALIGN");
    values.m_bHeight = tag.Has("HEIGHT");
    values.m_strHeight = tag.Take("HEIGHT");
    values.m_bWidth = tag.Has("WIDTH");
    values.m_strWidth = tag.Take("WIDTH");
    return values;
}
