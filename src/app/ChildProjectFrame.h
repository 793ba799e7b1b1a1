#pragma once

#include "framework/MDIChildWnd.h"

// Opens hidden when the caller gives no show state: the project is shown in the Project bar.
class CChildProjectFrame : public CMDIChildWnd
{
    Q_OBJECT
public:
    void ActivateFrame(int showCmd = -1) override
    {
        CMDIChildWnd::ActivateFrame(showCmd < 0 ? 0 : showCmd);
    }
};
