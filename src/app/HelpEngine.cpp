#include "app/HelpEngine.h"

#include "app/HelpPopup.h"
#include "app/HelpWindow.h"
#include "framework/ContextHelp.h"
#include "res/HelpFile.h"

#include <QCursor>
#include <QPointer>

void CHelpEngine::Install()
{
    CContextHelp::SetHandler([](int topic, QWidget* control) { ShowTopicPopup(topic, control); });
}

bool CHelpEngine::ShowTopicPopup(int id, QWidget* control)
{
    const CHelpTopic* topic = CHelpFile::Program().Topic(id);
    if (!topic || !control)
        return false;
    // Beside the mouse after a right click on the control, else (F1) just
    // below the control.
    QPoint place = QCursor::pos();
    if (!control->rect().contains(control->mapFromGlobal(place)))
        place = control->mapToGlobal(QPoint(control->width() / 4, control->height()));
    auto* popup = new CHelpPopup(*topic, control);
    popup->ShowAt(place + QPoint(0, 4));
    return true;
}

CHelpWindow* CHelpEngine::ShowHelpWindow(QWidget* parent, int id)
{
    static QPointer<CHelpWindow> window;
    if (!window)
        window = new CHelpWindow(CHelpFile::Program(), parent);
    window->ShowTopic(id);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
