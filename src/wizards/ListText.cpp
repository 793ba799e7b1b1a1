#include "wizards/ListText.h"

#include "wizards/TagAttribute.h"
#include "wizards/TagReader.h"

#include <limits>

namespace {

bool IsCSpace(QChar c)
{
    return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r'));
}

QString ListItems(const QString& quantity)
{
    const int count = qMin(ReadQuantity(quantity), kMaxListItems);
    return count > 0 ? QStringLiteral("\t<LI> Item here \n").repeated(count) : QString();
}

QString ListAttribute(const char* name, const QString& value)
{
    return value.isEmpty() ? QString() : QLatin1Char(' ') + TagAttribute(name, value);
}

} // namespace

int ReadQuantity(const QString& text)
{
    int i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    qint64 number = 0;
    const qint64 limit = std::numeric_limits<int>::max();
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        number = qMin(limit + 1, number * 10 + text[i].digitValue());
    if (negative)
        return int(qMax(-number, qint64(std::numeric_limits<int>::min())));
    return int(qMin(number, limit));
}

QString BuildListText(const CListValues& values)
{
    QString text;
    if (!values.m_strOrderedQuantity.isEmpty()) {
        text += BuildListStartTag(values, true) + QStringLiteral(" \n");
        text += ListItems(values.m_strOrderedQuantity) + QStringLiteral("</OL> \n");
    }
    if (!values.m_strUnorderedQuantity.isEmpty()) {
        text += BuildListStartTag(values, false) + QStringLiteral(" \n");
        text += ListItems(values.m_strUnorderedQuantity) + QStringLiteral("</UL> \n");
    }
    return text;
}

QString BuildListStartTag(const CListValues& values, bool ordered)
{
    if (ordered)
        return QStringLiteral("<OL") + ListAttribute("TYPE", values.m_strOrderedType)
               + ListAttribute("START", values.m_strOrderedStart) + QLatin1Char('>');
    return QStringLiteral("<UL") + ListAttribute("TYPE", values.m_strUnorderedType) + QLatin1Char('>');
}

bool IsOrderedListTag(QStringView name)
{
    return name.compare(QLatin1String("OL"), Qt::CaseInsensitive) == 0;
}

CListValues ListValuesFromTag(CTagReader& tag)
{
    CListValues values;
    if (IsOrderedListTag(tag.Name())) {
        values.m_strOrderedType = tag.Take("TYPE");
        values.m_strOrderedStart = tag.Take("START");
    }
    else
        values.m_strUnorderedType = tag.Take("TYPE");
    return values;
}
