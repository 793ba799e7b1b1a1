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

