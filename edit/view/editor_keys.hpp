// marten-edit's own commands (save, leave, search, the tables, the plug-in
// menus), looked up in the host's key table, which holds the keys of the
// text engine beside them.
#pragma once

#include <optional>

#include "host/key_script.hpp"
#include "host/key_table.hpp"

namespace edit {

using Command = host::EditorCommand;

// The editor's own command for `key` (left and right Ctrl and Alt alike);
// none for a key of the text engine, or of nothing.
std::optional<Command> CommandOf(const host::KeyStroke& key);

}  // namespace edit
