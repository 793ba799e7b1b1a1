#include "framework/DiskChangeRules.h"

namespace DiskChangeRules {

Action Decide(const CDiskStamp& recorded, const CDiskStamp& settled, const CDiskStamp& now, bool modified)
{
    // A document that never read or wrote its file has nothing to compare.
    if (recorded.IsNull() || now == recorded)
        return Action::None;
    // The user saw this very change already; a newer one asks again.
    if (!settled.IsNull() && now == settled)
        return Action::None;
    if (!now.m_bExists)
        return recorded.m_bExists ? Action::MarkGone : Action::None;
    return modified ? Action::AskReload : Action::Reload;
}

} // namespace DiskChangeRules
