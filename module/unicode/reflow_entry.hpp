// The reflow command as the Unicode face offers it: an entry of the editor's
// plug-in menu and a call from the host's macros.
#pragma once

#include <cstdint>

#include "api/unicode_api.hpp"

namespace marten::unicode {

// The argument of a macro call that runs the command.
inline constexpr char kReflowMacroArgument[] = "Reflow";

// Runs the command in the current editor, in any file: the user asked for it
// by name, so the file masks, which choose where typing is handled, do not
// apply. When paragraphs were left for want of room, a message says how many
// and why. True when the text changed; false also without an editor.
bool RunReflow();

// OpenW's answer to a call from a macro (`Data` of OPEN_FROMMACRO): 1 when
// the one string argument is "Reflow" and the command changed the text,
// else null.
HANDLE OpenFromMacro(std::intptr_t data);

}  // namespace marten::unicode
