#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Keeps a widget (and the widgets it holds) from taking the keyboard on its
// own: focus given to it by the program, not by the user clicking into it or
// tabbing to it, goes straight back to the widget outside that had it.
//
// A web view takes the focus when it starts a page in a new renderer; beside
// an editor that would swallow everything typed after the keystroke that
// asked for the render.
class CFocusKeeper : public QObject
{
    Q_OBJECT
public:
    // Watches kept and every child it gets; lives as long as kept.
    explicit CFocusKeeper(QWidget* kept);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Watch(QObject* object);
    bool Holds(const QWidget* widget) const;

    QWidget* m_pKept;
    // The last widget outside that had the keys.
    QPointer<QWidget> m_pOutside;
};
