// The reflow command as the far2l face offers it: an entry of the editor's
// plug-in menu and a call from far2l's macros, CallPlugin(SysID, "Reflow").
#pragma once

#include "api/far2l_api.hpp"

namespace marten::far2l {

// The module's own id in PluginInfo.SysID, by which a macro's CallPlugin
// names it: "MRTN" read as a number, fixed for good since users' macros
// hold it.
inline constexpr DWORD kSysId = 0x4D52544E;

// The argument of a macro call that runs the command.
inline constexpr wchar_t kReflowMacroArgument[] = L"Reflow";

// Runs the command in the current editor, in any file: the user asked for it
// by name, so the file masks, which choose where typing is handled, do not
// apply. When paragraphs were left for want of room, a message says how many
// and why. True when the text changed; false also without an editor.
bool RunReflow();

// A call of OpenPluginW from a macro (OpenFrom with OPEN_FROMMACRO): runs
// the command when the one argument is the string "Reflow". Nothing else
// happens for any other argument.
void OpenFromMacro(int openFrom, far2l_api::INT_PTR item);

}  // namespace marten::far2l
