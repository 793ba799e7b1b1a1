#include "framework/WindowPlacement.h"

#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace {

constexpr int TitleAreaWidth = 100;
constexpr int TitleAreaHeight = 50;
// Longer than ten numbers with blanks around them can sensibly be.
constexpr int MaxTextLength = 1024;
// Farther than any screen reaches, yet far from the ends of an int.
constexpr qint64 FarAway = 1 << 28;

std::optional<qlonglong> ParseNumber(const QString& field)
{
    bool ok = false;
    const qlonglong value = field.trimmed().toLongLong(&ok);
    return ok ? std::optional<qlonglong>(value) : std::nullopt;
}

bool FitsInt(qlonglong value)
{
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

bool FitsUInt(qlonglong value)
{
    return value >= 0 && value <= std::numeric_limits<uint>::max();
}

// The screen a rectangle overlaps most, or else the one whose centre is
// nearest to the rectangle's centre.
QRect NearestScreen(const QRect& rect, const QList<QRect>& screens)
{
    QRect best = screens.first();
    qint64 bestOverlap = -1;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (const QRect& screen : screens) {
        const QRect overlap = screen.intersected(rect);
        const qint64 area = overlap.isEmpty() ? 0 : qint64(overlap.width()) * overlap.height();
        const QPoint d = screen.center() - rect.center();
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (area > bestOverlap || (area == bestOverlap && distance < bestDistance)) {
            best = screen;
            bestOverlap = area;
            bestDistance = distance;
        }
    }
    return best;
}

QSize LargestScreenSize(const QList<QRect>& screens)
{
    QSize largest(0, 0);
    for (const QRect& screen : screens)
        largest = largest.expandedTo(screen.size());
    return largest;
}

// One side's extent of a rectangle, measured in 64 bits as
// QRect::normalized() would turn it, since a damaged profile can give corners
// whose distance overflows an int: the first pixel and the length, the
// length at least 1 and at most maxLength (bounded tells when it was cut).
struct CExtent
{
    qint64 first;
    qint64 length;
};

CExtent NormalizedExtent(qint64 first, qint64 last, int maxLength, bool* bounded)
{
    if (last < first - 1) {
        std::swap(first, last);
        ++first;
        --last;
    }
    const qint64 length = last - first + 1;
    const qint64 fitted = std::clamp<qint64>(length, 1, std::max(maxLength, 1));
    *bounded = *bounded || fitted != length;
    return {std::clamp(first, -FarAway, FarAway), fitted};
}

// The rectangle normalised and bounded by the largest screen's size; a corner
// farther out than any screen can be is brought nearer, so that the result
// always fits in a QRect.
QRect Normalized(const QRect& rect, const QSize& largest, bool* bounded)
{
    const CExtent across = NormalizedExtent(rect.left(), rect.right(), largest.width(), bounded);
    const CExtent down = NormalizedExtent(rect.top(), rect.bottom(), largest.height(), bounded);
    return QRect(int(across.first), int(down.first), int(across.length), int(down.length));
}

bool TitleAreaVisible(const QRect& rect, const QList<QRect>& screens)
{
    const QRect title(rect.topLeft(), QSize(std::min(rect.width(), TitleAreaWidth),
                                            std::min(rect.height(), TitleAreaHeight)));
    return std::any_of(screens.begin(), screens.end(),
                       [&title](const QRect& screen) { return screen.contains(title); });
}

} // namespace

std::optional<CWindowPlacement> CWindowPlacement::Parse(const QString& text)
{
    if (text.size() > MaxTextLength)
        return std::nullopt;
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 10)
        return std::nullopt;
    qlonglong values[10];
    for (int i = 0; i < 10; ++i) {
        const std::optional<qlonglong> value = ParseNumber(fields[i]);
        if (!value || !(i < 2 ? FitsUInt(*value) : FitsInt(*value)))
            return std::nullopt;
        values[i] = *value;
    }
    // Right and bottom lie just outside the rectangle, so its last column and
    // row are one less, which must still be a number.
    if (!FitsInt(values[8] - 1) || !FitsInt(values[9] - 1))
        return std::nullopt;
    CWindowPlacement placement;
    placement.flags = uint(values[0]);
    placement.showCmd = uint(values[1]);
    placement.minPosition = QPoint(int(values[2]), int(values[3]));
    placement.maxPosition = QPoint(int(values[4]), int(values[5]));
    placement.normal = QRect(QPoint(int(values[6]), int(values[7])), QPoint(int(values[8]) - 1, int(values[9]) - 1));
    return placement;
}

QString CWindowPlacement::Format() const
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
        .arg(flags)
        .arg(showCmd)
        .arg(minPosition.x())
        .arg(minPosition.y())
        .arg(maxPosition.x())
        .arg(maxPosition.y())
        .arg(normal.left())
        .arg(normal.top())
        .arg(normal.right() + 1)
        .arg(normal.bottom() + 1);
}

CWindowPlacement CWindowPlacement::OfWindow(const QWidget& window, const QRect& normal)
{
    CWindowPlacement placement;
    placement.flags = 0;
    if (window.isHidden())
        placement.showCmd = ShowHidden;
    else if (window.isMinimized())
        placement.showCmd = ShowMinimized;
    else if (window.isMaximized())
        placement.showCmd = ShowMaximized;
    else
        placement.showCmd = ShowNormal;
    placement.minPosition = QPoint(-1, -1);
    placement.maxPosition = QPoint(-1, -1);
    placement.normal = normal;
    return placement;
}

QRect CWindowPlacement::FitToScreens(const QRect& wanted, const QList<QRect>& availableScreens)
{
    if (availableScreens.isEmpty())
        return wanted;
    bool shrunk = false;
    QRect rect = Normalized(wanted, LargestScreenSize(availableScreens), &shrunk);
    if (!shrunk && TitleAreaVisible(rect, availableScreens))
        return rect;
    // Move it wholly onto the nearest screen, shrinking it further if that
    // screen is smaller. A window that was too large for any screen comes up
    // wholly on one, not hanging off it.
    const QRect screen = NearestScreen(rect, availableScreens);
    rect.setSize(rect.size().boundedTo(screen.size()));
    rect.moveLeft(std::clamp(rect.left(), screen.left(), screen.right() - rect.width() + 1));
    rect.moveTop(std::clamp(rect.top(), screen.top(), screen.bottom() - rect.height() + 1));
    return rect;
}
