#pragma once

#include "framework/MDIChildWnd.h"

// Opens maximised when the caller gives no show state, as the one browser window fills the area.
class CChildBrowseFrame : public CMDIChildWnd
{
    Q_OBJECT
public:
    void ActivateFrame(int showCmd = -1) override
    {
        CMDIChildWnd::ActivateFrame(showCmd < 0 ? 3 : showCmd);
    }
};
