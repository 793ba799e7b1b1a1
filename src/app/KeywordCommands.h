#pragma once

#include <QString>

#include <functional>

class CFolderTreeServices;
class CMainFrame;

// The Keywords tree in the program: it shows the user's Keywords folder,
// its commands are routed to it, and what it asks for (a folder listed,
// a file opened) reaches the application and the List bar.
class CKeywordCommands
{
public:
    explicit CKeywordCommands(CFolderTreeServices& services) : m_services(services) {}

    using CommandMapper = std::function<void(int, std::function<void()>)>;
    void Map(const CommandMapper& onCommand);
    // Fills frame's Keywords tree from the Keywords folder and connects it.
    void Connect(CMainFrame* frame);
    // A double-clicked keyword: it replaces the selection of the active page
    // editor (at the caret when nothing is selected) as one undoable edit, as
    // a dropped one does, and the keys go back to that editor. Without one
    // nothing happens.
    void InsertKeyword(const QString& keyword);

private:
    CFolderTreeServices& m_services;
};
