#include "wizards/TableText.h"

#include "wizards/TagAttribute.h"
#include "wizards/TagReader.h"

namespace {

QString GroupTag(const char* tag, const CTableGroupValues& group)
{
    QString text = QLatin1Char('<') + QLatin1String(tag) + QLatin1Char(' ');
    text += TableCssPart(group.m_nCssKind, group.m_strCss);
    AppendAttributeIfSet(text, "WIDTH", group.m_strWidth);
    AppendAttributeIfSet(text, "HEIGHT", group.m_strHeight);
    AppendAttributeIfSet(text, "ALIGN", group.m_strAlign);
    AppendAttributeIfSet(text, "VALIGN", group.m_strVAlign);
    AppendAttributeIfSet(text, "BGCOLOR", group.m_strBackgroundColor);
    return text + QStringLiteral(">\n");
}

} // namespace

QString TableCssPart(int kind, const QString& text)
{
    if (text.isEmpty())
        return QString();
    if (kind == 1)
        return QStringLiteral("CLASS=") + text + QLatin1Char(' ');
    if (kind == 2)
        return QStringLiteral("ID=") + text + QLatin1Char(' ');
    return QString();
}

QString BuildTableStartTag(const CTableValues& values)
{
    QString text = QStringLiteral("<TABLE ") + TableCssPart(values.m_nCssKind, values.m_strCss);
    AppendAttributeIfSet(text, "WIDTH", values.m_strWidth);
    AppendAttributeIfSet(text, "HEIGHT", values.m_strHeight);
    AppendAttributeIfSet(text, "ALIGN", values.m_strAlign);
    AppendAttributeIfSet(text, "VALIGN", values.m_strVAlign);
    AppendAttributeIfSet(text, "BORDER", values.m_strBorder);
    AppendAttributeIfSet(text, "CELLPADDING", values.m_strCellPadding);
    AppendAttributeIfSet(text, "CELLSPACING", values.m_strCellSpacing);
    AppendAttributeIfSet(text, "BORDERCOLOR", values.m_strBorderColor);
    AppendAttributeIfSet(text, "BORDERCOLORLIGHT", values.m_strBorderColorLight);
    AppendAttributeIfSet(text, "BORDERCOLORDARK", values.m_strBorderColorDark);
    AppendAttributeIfSet(text, "BGCOLOR", values.m_strBackgroundColor);
    AppendAttributeIfSet(text, "BACKGROUND", values.m_strBackgroundImage);
    return text + QStringLiteral(">\n");
}

QString BuildTableRowsText(const CTableGroupValues& rows, const CTableGroupValues& cells, int rowCount,
                           int cellCount)
{
    const QString cell = QStringLiteral("\t\t") + GroupTag("TD", cells)
                         + QStringLiteral("Cell data goes here.\n\t\t</TD>\n");
    const QString row = QStringLiteral("\t") + GroupTag("TR", rows) + cell.repeated(qMax(0, cellCount))
                        + QStringLiteral("\t</TR>\n");
    return row.repeated(qMax(0, rowCount)) + QStringLiteral("</TABLE>\n");
}

CTableValues TableValuesFromTag(CTagReader& tag)
{
    CTableValues values;
    if (tag.Has("CLASS") || tag.Has("ID")) {
        values.m_nCssKind = tag.Has("CLASS") ? 1 : 2;
        values.m_strCss = tag.Take(values.m_nCssKind == 1 ? "CLASS" : "ID");
    }
    values.m_strWidth = tag.Take("WIDTH");
    values.m_strHeight = tag.Take("HEIGHT");
    values.m_strAlign = tag.Take("ALIGN");
    values.m_strVAlign = tag.Take("VALIGN");
    values.m_strBorder = tag.Take("BORDER");
    values.m_strCellPadding = tag.Take("CELLPADDING");
    values.m_strCellSpacing = tag.Take("CELLSPACING");
    values.m_strBorderColor = tag.Take("BORDERCOLOR");
    values.m_strBorderColorLight = tag.Take("BORDERCOLORLIGHT");
    values.m_strBorderColorDark = tag.Take("BORDERCOLORDARK");
    values.m_strBackgroundColor = tag.Take("BGCOLOR");
    values.m_strBackgroundImage = tag.Take("BACKGROUND");
    return values;
}

bool ReadTableCount(const QString& text, int* count)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok)
        *count = value;
    return ok;
}

bool IsTableSizeAllowed(int rowCount, int cellCount)
{
    const qint64 rows = qMax(0, rowCount);
    const qint64 cells = rows * qMax(0, cellCount);
    return rows <= kMaxTableRows && cells <= kMaxTableCells;
}
