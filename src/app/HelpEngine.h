#pragma once

class QWidget;
class CHelpWindow;

// Shows the program's help: a topic in a small popup beside a dialog's
// control (the context help every dialog installs with CContextHelp), and
// the whole help in one help window for the Help menu.
class CHelpEngine
{
public:
    // Becomes the handler of every dialog's context help.
    static void Install();
    // Shows the topic of control id beside control; false when the help
    // file has no such topic.
    static bool ShowTopicPopup(int id, QWidget* control);
    // Opens the help window (or brings it to the front) at the topic of
    // control id, or at the contents for 0.
    static CHelpWindow* ShowHelpWindow(QWidget* parent, int id = 0);
};
