// The exit statuses of marten-edit. A mail reader that runs it as its external
// editor takes 0 as "the message is ready".
#pragma once

namespace edit {

enum ExitStatus : int {
    kExitOk = 0,         // saved, or left with nothing changed
    kExitFailure = 1,    // a file, the module or a key script failed
    kExitUsage = 2,      // a bad command line
    kExitDiscarded = 3,  // left without saving the changes
};

}  // namespace edit
