// The 1.x face's configuration menu and About box, from the shared
// descriptions, and the configuration loop over them.
#pragma once

#include "module/ui/config_menu.hpp"

namespace marten::ansi {

// Shows the menu with the bar on line `previous` (line 0 when `previous`,
// taken as a byte, names no line) and returns the host's answer unchanged;
// -1 when the host offers no Menu service.
int ConfigMenu(int previous);

// Shows the About box with its one button; does nothing without a Message service.
void AboutBox();

// The loop with this face's menu, dialog and About box.
int RunConfiguration();

}  // namespace marten::ansi
