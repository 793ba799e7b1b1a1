#pragma once

#include <QHash>

#include <functional>

class CCmdUI;

// Anything a command can be routed to: the active view, its document, the
// child frame, the main frame and the application.
//
// Each target keeps a map from command id to its command handler and, apart
// from it, to its update handler (which sets enable and check states). A
// derived class fills the maps in its constructor with OnCommand and
// OnUpdate, the way a message map binds ids to member functions.
class CCmdTarget
{
public:
    virtual ~CCmdTarget() = default;

    bool HasCommandHandler(int id) const;
    bool HasUpdateHandler(int id) const;
    // Runs the command handler; false when this target has none.
    virtual bool InvokeCommand(int id);
    // Runs the update handler; false when this target has none.
    virtual bool InvokeUpdate(int id, CCmdUI* cmdUI);

protected:
    void OnCommand(int id, std::function<void()> handler);
    void OnCommandRange(int first, int last, std::function<void(int)> handler);
    void OnUpdate(int id, std::function<void(CCmdUI*)> handler);
    void OnUpdateRange(int first, int last, std::function<void(CCmdUI*)> handler);

private:
    QHash<int, std::function<void(int)>> m_commandHandlers;
    QHash<int, std::function<void(CCmdUI*)>> m_updateHandlers;
};
