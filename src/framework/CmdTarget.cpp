#include "framework/CmdTarget.h"

#include "framework/CmdUI.h"

bool CCmdTarget::HasCommandHandler(int id) const
{
    return m_commandHandlers.contains(id);
}

bool CCmdTarget::HasUpdateHandler(int id) const
{
    return m_updateHandlers.contains(id);
}

bool CCmdTarget::InvokeCommand(int id)
{
    const auto handler = m_commandHandlers.constFind(id);
    if (handler == m_commandHandlers.constEnd())
        return false;
    // Copy first: the handler may close the window that owns this target.
    const std::function<void(int)> run = *handler;
    run(id);
    return true;
}

bool CCmdTarget::InvokeUpdate(int id, CCmdUI* cmdUI)
{
    const auto handler = m_updateHandlers.constFind(id);
    if (handler == m_updateHandlers.constEnd())
        return false;
    (*handler)(cmdUI);
    return true;
}

void CCmdTarget::OnCommand(int id, std::function<void()> handler)
{
    m_commandHandlers.insert(id, [handler = std::move(handler)](int) { handler(); });
}

void CCmdTarget::OnCommandRange(int first, int last, std::function<void(int)> handler)
{
    for (int id = first; id <= last; ++id)
        m_commandHandlers.insert(id, handler);
}

void CCmdTarget::OnUpdate(int id, std::function<void(CCmdUI*)> handler)
{
    m_updateHandlers.insert(id, std::move(handler));
}

void CCmdTarget::OnUpdateRange(int first, int last, std::function<void(CCmdUI*)> handler)
{
    for (int id = first; id <= last; ++id)
        m_updateHandlers.insert(id, handler);
}
