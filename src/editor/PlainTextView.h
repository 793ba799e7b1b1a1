#pragma once

#include "editor/SourceEditView.h"

// The plain text editor: the web-page editor without colouring, with its own
// context menu and font defaults.
class CPlainTextView : public CSourceEditView
{
    Q_OBJECT
public:
    CPlainTextView();
};
