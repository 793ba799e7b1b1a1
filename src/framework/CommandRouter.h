#pragma once

#include <QList>

#include <functional>

class CCmdTarget;
class CCmdUI;

// Routes a command id along a chain of targets, the first target first:
// the active view, its document, the child frame, the main frame, then the
// application. The chain is asked anew for every command, since the active
// window changes.
//
// Update requests go to the first target with an update handler for the id.
// When no target has one, the command is enabled exactly when some target
// has a command handler for it, so a command nobody handles shows disabled.
class CCommandRouter
{
public:
    using ChainProvider = std::function<QList<CCmdTarget*>()>;

    explicit CCommandRouter(ChainProvider chain) : m_chain(std::move(chain)) {}

    // Fills cmdUI for its id.
    void Update(CCmdUI* cmdUI) const;
    bool IsEnabled(int id) const;
    // Runs the command when it is enabled; false when it was not run. When
    // the outermost command ends, the profile's kept changes are written.
    bool Execute(int id) const;

private:
    ChainProvider m_chain;
};
