#include "framework/MdiTiler.h"

namespace {

// The start and length of each of count slices of total pixels.
QList<QPair<int, int>> Slices(int total, int count)
{
    QList<QPair<int, int>> slices;
    const int base = total / count;
    const int extra = total % count;
    int start = 0;
    for (int i = 0; i < count; ++i) {
        const int length = base + (i < extra ? 1 : 0);
        slices.append({start, length});
        start += length;
    }
    return slices;
}

} // namespace

QList<QRect> CMdiTiler::Tiles(const QRect& area, int count, Qt::Orientation orientation)
{
    QList<QRect> tiles;
    if (count <= 0 || area.isEmpty())
        return tiles;
    const bool rows = orientation == Qt::Horizontal;
    for (const auto& [start, length] : Slices(rows ? area.height() : area.width(), count)) {
        if (rows)
            tiles.append(QRect(area.left(), area.top() + start, area.width(), length));
        else
            tiles.append(QRect(area.left() + start, area.top(), length, area.height()));
    }
    return tiles;
}

QRect CMdiTiler::CascadeSlot(const QRect& area, int index)
{
    const QSize size(qMin(area.width(), qMax(400, area.width() * 3 / 4)),
                     qMin(area.height(), qMax(300, area.height() * 3 / 4)));
    const int room = qMin(area.width() - size.width(), area.height() - size.height());
    const int steps = room / kCascadeStep + 1;
    const int offset = (qMax(0, index) % steps) * kCascadeStep;
    return QRect(area.topLeft() + QPoint(offset, offset), size);
}
