#include "wizards/TagAttribute.h"

QString TagAttribute(const char* name, const QString& value)
{
    return QLatin1String(name) + QLatin1String("=\"") + value + QLatin1String("\" ");
}

void AppendAttributeIfSet(QString& text, const char* name, const QString& value)
{
    if (!value.isEmpty())
        text += TagAttribute(name, value);
}
