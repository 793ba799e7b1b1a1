#pragma once

#include <QDockWidget>
#include <QPoint>
#include <QRect>
#include <QSize>

class QContextMenuEvent;
class QVBoxLayout;

// A resizable docking bar of the main frame: docks on the sides it allows or
// floats, and keeps its one content widget inset from its edges, by a few
// pixels more while docked than while floating.
//
// Its docking can be switched off entirely (the "Allow Docking" command), so
// that a floating bar can be moved anywhere without snapping into the frame.
// A right click on its title asks the frame for the bar's command menu.
class CSizeControlBar : public QDockWidget
{
    Q_OBJECT
public:
    static constexpr int kFloatingInset = 2;

    // barId: the bar's control id; dockedInset: the content's inset while
    // docked.
    CSizeControlBar(const QString& title, int barId, int dockedInset, QWidget* parent = nullptr);

    int BarId() const { return m_nBarId; }
    QWidget* Contents() const { return m_pContents; }
    // Replaces the content widget; the bar takes it over.
    void SetContents(QWidget* contents);

    // The sides "Allow Docking" gives back to a bar that allows none.
    static constexpr Qt::DockWidgetAreas kDockingSides =
        Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea;

    bool IsDockingAllowed() const { return allowedAreas() != Qt::NoDockWidgetArea; }
    // Switches docking off, or back on to the left, right and bottom sides.
    void ToggleDockingAllowed();

    // The bar's size in the frame's layout.
    QSize FixedLayoutSize() const { return size(); }
    // The bar's rectangle on the screen.
    QRect ScreenRect() const;
    // Floats the bar with its top-left corner at a screen point.
    void FloatAt(const QPoint& screenPos);
    // The inset the content has now.
    int ContentsInset() const;

signals:
    void titleContextMenuRequested(const QPoint& globalPos);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void UpdateInset();

    int m_nBarId;
    int m_nDockedInset;
    QWidget* m_pContents = nullptr;
    QVBoxLayout* m_pLayout = nullptr;
};
