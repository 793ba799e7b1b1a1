#include "wizards/ColorText.h"

#include "wizards/TagAttribute.h"

QString BuildColorText(const QString& value, ZtColorKind kind)
{
    switch (kind) {
    case ZtColorKind::BgColorAttribute:
        return QLatin1Char(' ') + TagAttribute("BGCOLOR", value);
    case ZtColorKind::Alone:
        break;
    case ZtColorKind::Background:
        return QStringLiteral("background: ") + value + QLatin1Char(';');
    case ZtColorKind::Color:
        return QStringLiteral("color: ") + value + QLatin1Char(';');
    case ZtColorKind::BackgroundColor:
        return QStringLiteral("background-color: ") + value + QLatin1Char(';');
    }
    return value;
}
