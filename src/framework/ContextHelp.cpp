#include "framework/ContextHelp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
CContextHelp::Handler& CurrentHandler()
{
    static CContextHelp::Handler handler;
    return handler;
}
} // namespace

CContextHelp::CContextHelp(QWidget* dialog, const QList<int>& controlIds)
    : QObject(dialog)
    , m_pDialog(dialog)
    , m_controlIds(controlIds)
{
}

void CContextHelp::SetHandler(Handler handler)
{
    CurrentHandler() = std::move(handler);
}

void CContextHelp::Install(QWidget* dialog, const QList<int>& controlIds)
{
    auto* help = new CContextHelp(dialog, controlIds);
    // Right clicks go to the control under the mouse, keys to the focused
    // one: the filter watches the whole application while the dialog lives.
    qApp->installEventFilter(help);
}

QString CContextHelp::ObjectNameFor(int controlId)
{
    return QString::number(controlId);
}

int CContextHelp::TopicOf(QWidget* widget) const
{
    // A click may land on a part of a control (a combo box's line edit).
    for (QWidget* part = widget; part && part != m_pDialog; part = part->parentWidget()) {
        bool isId = false;
        const int id = part->objectName().toInt(&isId);
        if (isId && m_controlIds.contains(id))
            return id;
    }
    return 0;
}

bool CContextHelp::eventFilter(QObject* watched, QEvent* event)
{
    const bool rightClick = event->type() == QEvent::ContextMenu;
    const bool helpKey = event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1;
    auto* widget = qobject_cast<QWidget*>(watched);
    // The table may belong to a part of a window, such as one page of a
    // wizard: only the controls inside that part count.
    if (!(rightClick || helpKey) || !widget || !(widget == m_pDialog || m_pDialog->isAncestorOf(widget)))
        return false;
    // F1 arrives at the control with the keyboard focus, a right click at
    // the one under the mouse.
    const int topic = TopicOf(widget);
    if (topic == 0 || !CurrentHandler())
        return false;
    CurrentHandler()(topic, widget);
    return true;
}
