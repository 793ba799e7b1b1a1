#pragma once

#include "framework/DiskStamp.h"

// What to do with an open document whose file another program may have
// changed, decided from three stamps: the one the document recorded when it
// last read or wrote the file, the one of the change the user already dealt
// with (kept their text, or was told the file is gone), and the file as it
// is now.
namespace DiskChangeRules {

enum class Action {
    None,      // nothing happened on disk, or nothing new since the last answer
    Reload,    // read the file again; nothing typed is lost
    AskReload, // the user has unsaved text: ask before throwing it away
    MarkGone,  // the file went away: keep the text, marked modified
};

Action Decide(const CDiskStamp& recorded, const CDiskStamp& settled, const CDiskStamp& now, bool modified);

} // namespace DiskChangeRules
