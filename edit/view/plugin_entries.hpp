// The loaded plug-in's entries in the editor's plug-in menu (F11) and its
// configuration menu (Alt+Shift+F9), whichever interface it speaks: their
// titles as the menu shows them, and the call that runs the one chosen.
#pragma once

#include <string>
#include <vector>

#include "host/host.hpp"

namespace edit {

// The titles, in the plug-in's order; none without a plug-in that offers any.
std::vector<std::u32string> PluginEntryTitles(host::Host& host, host::PluginEntries menu);

// Runs entry `index` of that list. Nothing for an index out of the list.
void RunPluginEntry(host::Host& host, host::PluginEntries menu, int index);

}  // namespace edit
