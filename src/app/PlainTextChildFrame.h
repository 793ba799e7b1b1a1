#pragma once

#include "framework/MDIChildWnd.h"

// The child frame of a plain text document; it opens where the MDI area
// places new windows.
class CPlainTextChildFrame : public CMDIChildWnd
{
    Q_OBJECT
};
