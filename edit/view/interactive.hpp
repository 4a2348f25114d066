// The full-screen editor: the text with Marten's help, F2 to save, Esc or
// F10 to leave, F8 for the code page, F11 for the plug-ins, F1 for help.
#pragma once

#include "edit/app/session.hpp"

namespace edit {

// Runs until the user leaves; the answer is the exit status.
int RunInteractive(Session& session);

}  // namespace edit
