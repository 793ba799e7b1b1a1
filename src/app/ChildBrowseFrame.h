#pragma once

#include "framework/MDIChildWnd.h"

#include <QEvent>

// The one browser window. Opens maximised when the caller gives no show
// state, as it fills the area.
class CChildBrowseFrame : public CMDIChildWnd
{
    Q_OBJECT
public:
    void ActivateFrame(int showCmd = -1) override
    {
        CMDIChildWnd::ActivateFrame(showCmd < 0 ? 3 : showCmd);
    }

protected:
    // The page's title makes the main window's title, "Zentrel - <title>",
    // exactly. A maximised Qt MDI window would append " - [<window title>]"
    // to every new title of the main window.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window() && event->type() == QEvent::WindowTitleChange)
            return false;
        return CMDIChildWnd::eventFilter(watched, event);
    }
};
