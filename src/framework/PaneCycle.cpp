#include "framework/PaneCycle.h"

#include <QApplication>
#include <QDockWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>

#include <algorithm>

namespace {

// A tab widget hands the keys on to its tab bar: what counts is where they
// end up.
const QWidget* KeysEndIn(const QWidget* widget)
{
    while (widget->focusProxy())
        widget = widget->focusProxy();
    return widget;
}

bool TakesKeys(const QWidget* widget)
{
    return widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)
           && !qobject_cast<const QTabBar*>(KeysEndIn(widget));
}

// The widget below root that gets the keys: the one that had them last, else
// the first in Tab order.
QWidget* KeyTarget(QWidget* root)
{
    if (QWidget* last = root->focusWidget(); last && last != root && TakesKeys(last))
        return last;
    for (QWidget* widget = root->nextInFocusChain(); widget && widget != root; widget = widget->nextInFocusChain()) {
        if (root->isAncestorOf(widget) && TakesKeys(widget))
            return widget;
    }
    return TakesKeys(root) ? root : nullptr;
}

// The parts, each as the widget that holds it: the active document window
// first, then the bars shown, by where they stand.
QList<QWidget*> Parts(QMainWindow* window, QMdiArea* area)
{
    QList<QWidget*> parts;
    if (QMdiSubWindow* active = area ? area->activeSubWindow() : nullptr)
        parts << active;
    QList<QDockWidget*> bars;
    for (QDockWidget* bar : window->findChildren<QDockWidget*>()) {
        if (bar->isVisible() && bar->widget())
            bars << bar;
    }
    std::stable_sort(bars.begin(), bars.end(), [](const QDockWidget* a, const QDockWidget* b) {
        const QPoint pa = a->mapToGlobal(QPoint());
        const QPoint pb = b->mapToGlobal(QPoint());
        return pa.x() != pb.x() ? pa.x() < pb.x() : pa.y() < pb.y();
    });
    for (QDockWidget* bar : std::as_const(bars))
        parts << bar->widget();
    return parts;
}

} // namespace

void ZtPaneCycle::Step(QMainWindow* window, QMdiArea* area, bool bForward)
{
    const QList<QWidget*> parts = Parts(window, area);
    const qsizetype count = parts.size();
    const QWidget* focus = QApplication::focusWidget();
    // With the keys in no part, the step starts just outside the list, so
    // that it lands on the first part (or the last, going back).
    qsizetype current = bForward ? -1 : count;
    for (qsizetype i = 0; i < count; ++i) {
        if (focus && (parts.at(i) == focus || parts.at(i)->isAncestorOf(focus))) {
            current = i;
            break;
        }
    }
    // A part with nothing that takes the keys is passed over.
    for (qsizetype step = 1; step <= count; ++step) {
        const qsizetype next = ((current + (bForward ? step : -step)) % count + count) % count;
        if (QWidget* target = KeyTarget(parts.at(next))) {
            // A floating bar is a window of its own.
            if (target->window() != QApplication::activeWindow())
                target->window()->activateWindow();
            target->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}
