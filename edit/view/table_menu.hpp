// The list of character tables that Shift+F8 offers: every table of the
// host's list, in its order, with the one in use marked.
#pragma once

#include <optional>

#include "engine/codepage.hpp"
#include "host/ui.hpp"

namespace edit {

// The menu of tables with `current` checked and selected.
host::MenuCall TableMenu(engine::CodePage current);

// The table of the menu's line `chosen` (as the menu answers it); none when
// the menu was closed without a choice.
std::optional<engine::CodePage> TableOfMenuLine(int chosen);

}  // namespace edit
