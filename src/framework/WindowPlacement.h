#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

class QWidget;

// A window's placement as the profile keeps it ("WindowPos",
// "ZTTypeWindowPos", "w1" to "w4"): ten comma-separated numbers, flags, show
// state, minimised position, maximised position and the normal rectangle as
// left, top, right, bottom, with right and bottom just outside the rectangle.
struct CWindowPlacement
{
    // Show states.
    static constexpr uint ShowHidden = 0;
    static constexpr uint ShowNormal = 1;
    static constexpr uint ShowMinimized = 2;
    static constexpr uint ShowMaximized = 3;
    // Flag: a minimised window comes back maximised.
    static constexpr uint RestoreToMaximized = 2;

    uint flags = 0;
    uint showCmd = ShowNormal;
    QPoint minPosition;
    QPoint maxPosition;
    QRect normal;

    // The placement written in the string, or nullopt unless the string is
    // exactly ten integers separated by commas (blanks around a number are
    // allowed), the first two not negative and all in range, in at most 1024
    // characters.
    static std::optional<CWindowPlacement> Parse(const QString& text);

    // The placement as "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d".
    QString Format() const;

    // How a window stands, with flags 0, no minimised or maximised position
    // (-1, -1) and the given rectangle as its normal one. The show state is
    // the window's own: hidden only when it was hidden itself, never because
    // the window holding it is, so a page window inside a main window that
    // is closing still counts as shown.
    static CWindowPlacement OfWindow(const QWidget& window, const QRect& normal);

    // A rectangle for a window that wanted the given one, so that the window
    // neither comes up off every screen nor larger than the largest screen:
    // unchanged when it fits the largest screen and a title area of 100 x 50
    // pixels at its top left (or the whole window, if smaller) lies on one
    // screen; otherwise shrunk as needed and moved wholly onto the screen it
    // overlaps most (or lies nearest to). Without any screen the wanted
    // rectangle comes back as it is.
    static QRect FitToScreens(const QRect& wanted, const QList<QRect>& availableScreens);
};
