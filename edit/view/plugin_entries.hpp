// The loaded plug-in's entries in the editor's plug-in menu (F11) and its
// configuration menu (Alt+Shift+F9), whichever interface it speaks: their
// titles as the menu shows them, and the call that runs the one chosen.
#pragma once

#include <string>
#include <vector>

#include "host/host.hpp"

namespace edit {

enum class PluginEntryKind {
    Commands,  // the plug-in menu: OpenPlugin(OPEN_EDITOR) or OpenW
    Settings,  // the configuration menu: Configure or ConfigureW
};

// The titles, in the plug-in's order; none without a plug-in that offers any.
std::vector<std::u32string> PluginEntryTitles(host::Host& host, PluginEntryKind kind);

// Runs entry `index` of that list: by its number for a 1.x plug-in, by its
// GUID for a Unicode one. Nothing for an index out of the list.
void RunPluginEntry(host::Host& host, PluginEntryKind kind, int index);

}  // namespace edit
