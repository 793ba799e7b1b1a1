#include "framework/CommandRouter.h"

#include "framework/CmdTarget.h"
#include "framework/CmdUI.h"
#include "framework/Profile.h"

namespace {
// Commands running now: one command may run others.
int g_nRunningCommands = 0;
} // namespace

void CCommandRouter::Update(CCmdUI* cmdUI) const
{
    const QList<CCmdTarget*> chain = m_chain();
    for (CCmdTarget* target : chain) {
        if (target && target->InvokeUpdate(cmdUI->m_nID, cmdUI)) {
            if (!cmdUI->m_bEnableSet)
                cmdUI->Enable(true);
            return;
        }
    }
    bool handled = false;
    for (CCmdTarget* target : chain)
        handled = handled || (target && target->HasCommandHandler(cmdUI->m_nID));
    cmdUI->Enable(handled);
}

bool CCommandRouter::IsEnabled(int id) const
{
    CCmdUI cmdUI(id);
    Update(&cmdUI);
    return cmdUI.m_bEnabled;
}

bool CCommandRouter::Execute(int id) const
{
    if (!IsEnabled(id))
        return false;
    ++g_nRunningCommands;
    bool done = false;
    for (CCmdTarget* target : m_chain()) {
        if (target && target->InvokeCommand(id)) {
            done = true;
            break;
        }
    }
    // What the command changed in the profile reaches the file as one write.
    if (--g_nRunningCommands == 0)
        CProfile::FlushInstance();
    return done;
}
