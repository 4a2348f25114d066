// The editor's keys in one table: each key, the command it runs and a line
// that says what it does. The editor's own commands are looked up here; the
// editing keys that the text engine handles stand here too, so that the
// help, the manual page, --help and the README can be checked against one
// list.
#pragma once

#include <span>
#include <string_view>

#include "host/key_script.hpp"

namespace edit {

enum class Command {
    None,
    Help,
    Save,
    SaveAs,
    Quit,
    Search,
    SearchNext,
    SearchOtherWay,
    Replace,
    GoTo,
    Table,
    ChooseTable,
    Plugins,
    PluginConfig,
    Edit,  // a key of the text engine, which the editor passes on
};

struct EditorKey {
    std::string_view key;  // as the documents write it: "Shift+F7", "Alt+BkSp"
    Command command;
    std::string_view description;
};

std::span<const EditorKey> EditorKeys();

// The editor's own command for `key` (left and right Ctrl and Alt alike),
// None for a key that goes to the text engine.
Command CommandOf(const host::KeyStroke& key);

}  // namespace edit
