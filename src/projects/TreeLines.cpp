#include "projects/TreeLines.h"

QVector<QLine> CTreeLines::Segments(const CRow& row)
{
    QVector<QLine> lines;
    const QRect& area = row.m_branches;
    const int indentation = row.m_nIndentation;
    if (indentation <= 0 || area.isEmpty())
        return lines;
    const int middleOf = indentation / 2;
    for (int level = 0; level < int(row.m_continues.size()); ++level) {
        if (row.m_continues.at(level)) {
            const int x = area.left() + level * indentation + middleOf;
            lines.append(QLine(x, area.top(), x, area.bottom()));
        }
    }
    const int level = int(row.m_continues.size());
    const int x = area.left() + level * indentation + middleOf;
    const int y = area.top() + area.height() / 2;
    const int gap = row.m_bChildren ? kButtonGap : 0;
    // The first item at the top has nothing above it to join.
    if (!row.m_bFirstAtTop && y - gap > area.top())
        lines.append(QLine(x, area.top(), x, y - gap));
    if (row.m_bNextSibling && y + gap < area.bottom())
        lines.append(QLine(x, y + gap, x, area.bottom()));
    const int right = area.left() + (level + 1) * indentation - 1;
    if (x + gap < right)
        lines.append(QLine(x + gap, y, right, y));
    return lines;
}
