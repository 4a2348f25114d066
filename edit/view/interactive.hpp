// The full-screen editor: the text with Marten's help, F2 to save, Esc or
// F10 to leave, F8 for the code page, F11 for the plug-ins, F1 for help.
#pragma once

#include <string>

#include "edit/app/session.hpp"

namespace edit {

// How a run of the editor ended.
struct EditorOutcome {
    int status = 0;  // the exit status
    // Where an end forced from outside (a signal, a hang-up) left the
    // unsaved text, or why it could not; both empty when nothing was unsaved.
    std::string rescuedTo, rescueError;
};

// The editor on the screen in use (screen::UseScreen) until the user leaves;
// `charset` is the character set file names are typed in.
EditorOutcome RunEditor(Session& session, const std::string& charset);

// The editor on the terminal; the answer is the exit status.
int RunInteractive(Session& session);

}  // namespace edit
