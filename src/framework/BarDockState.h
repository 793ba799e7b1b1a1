#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <Qt>

// What the profile remembers of one docking bar for its Dock / Float command:
// where it last floated, and the rectangle and side it was last docked at.
// Each bar has its own section ("TreeBar" for the Project bar, "ListBar" for
// the List bar) with the keys "float x", "float y", "dock left", "dock top",
// "dock right", "dock bottom", "dock width", "dock height" and "dock side".
//
// Values are read with their defaults; a side that is not one of the four
// dock bar ids counts as the bar's default side. Positions are given back as
// stored, cut to +/-kMaxCoordinate: the caller keeps them on a screen.
class CBarDockState
{
public:
    static constexpr int kDefaultFloatX = 100;
    static constexpr int kDefaultFloatY = 100;
    static constexpr int kDefaultDockLeft = 37;
    static constexpr int kDefaultDockTop = 100;
    static constexpr int kDefaultDockRight = 200;
    static constexpr int kDefaultDockBottom = 450;
    // Farther than any screen arrangement reaches.
    static constexpr int kMaxCoordinate = 1 << 20;

    CBarDockState(const QString& section, int defaultSide);

    QString Section() const { return m_strSection; }

    // The top-left corner the bar floats at.
    QPoint FloatPosition() const;
    // The docked rectangle, right and bottom just outside it as stored; an
    // inverted rectangle comes back normalised.
    QRect DockRect() const;
    // The dock bar id of the side: 59419 top, 59420 left, 59421 right,
    // 59422 bottom.
    int DockSide() const;

    // Remembers where a floating bar stands before it docks again.
    void WriteFloatState(const QPoint& topLeft);
    // Remembers a docked bar before it floats: its window rectangle, its
    // size in the layout, and the side it was found on.
    void WriteDockState(const QRect& windowRect, const QSize& layoutSize, int side);

    // The dock widget area of a dock bar id (top for an unknown id).
    static Qt::DockWidgetArea AreaForSide(int side);
    static bool IsDockSide(int side);

private:
    int Read(const char* key, int defaultValue) const;
    void Write(const char* key, int value);

    QString m_strSection;
    int m_nDefaultSide;
};
