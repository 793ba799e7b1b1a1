#include "framework/DocStrings.h"

#include <QStringList>

CDocStrings CDocStrings::Parse(const QString& resourceString)
{
    const QStringList fields = resourceString.split(QLatin1Char('\n'));
    return {fields.value(0), fields.value(1), fields.value(2), fields.value(3),
            fields.value(4), fields.value(5), fields.value(6)};
}
